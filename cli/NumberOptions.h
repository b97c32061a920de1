// Numeric command-line options, read as the window reads its entry fields: decimal
// numbers only (support/DecimalText.h: a sign, digits with a point, an exponent), the
// whole text, finite. CLI11 on its own reads "0x10" as 16, "010" as 8 and "nan" as a
// number, where the window reads 0, 10 and 0; every numeric option goes through here.
#ifndef SPEKULOR_CLI_NUMBEROPTIONS_H
#define SPEKULOR_CLI_NUMBEROPTIONS_H

#include <string>

#include <CLI/CLI.hpp>

#include "calc/DesignInput.h"

namespace spekulor::cli {

// A number as the options' messages show it: up to 15 significant digits, "." for
// the point whatever the locale.
std::string OptionNumberText(double value);

// Reads the whole of `text` as a finite decimal number; false for anything else
// (empty, blanks, hexadecimal, "nan", "inf", a number too large for a double).
bool ReadDecimalNumber(const std::string& text, double& value);

// Reads the whole of `text` as a whole decimal number (an optional sign and digits);
// false for anything else, or beyond a long.
bool ReadWholeNumber(const std::string& text, long& value);

// The option's transform for a decimal number from `least` to `most` (either may be
// infinite for no bound): rejects anything else with a usage error naming the range,
// and hands CLI11 the number in a form it reads the same.
CLI::Validator DecimalNumber(double least, double most);

// The same for a whole number from `least` to `most`.
CLI::Validator WholeNumber(long least, long most);

// An option's range that depends on the design, known only once it is completed, in
// the parser's words for one it knows: "--thickness: '300' is not from 0.00 to 200.00
// mm for this design" (UTF-8; two decimals, three in inches).
std::string DesignRangeText(const char* option, double value, double least, double most,
                            calc::LengthUnit unit);

}  // namespace spekulor::cli

#endif
