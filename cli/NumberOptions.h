// Numeric command-line options, read as the window reads its entry fields and option
// fields: decimal numbers only (support/NumberRange.h), the whole text, finite. CLI11 on
// its own reads "0x10" as 16, "010" as 8 and "nan" as a number, where the window reads
// 0, 10 and 0; every numeric option goes through here.
#ifndef SPEKULOR_CLI_NUMBEROPTIONS_H
#define SPEKULOR_CLI_NUMBEROPTIONS_H

#include <string>

#include <CLI/CLI.hpp>

#include "calc/DesignInput.h"
#include "support/NumberRange.h"

namespace spekulor::cli {

using support::OptionNumberText;
using support::ReadDecimalNumber;
using support::ReadWholeNumber;

// The option's transform for a number within `range`: rejects anything else with a
// usage error naming the range (the window's option fields refuse with the same
// words), and hands CLI11 the number in a form it reads the same.
CLI::Validator NumberInRange(const support::NumberRange& range);

// A decimal number from `least` to `most` (either may be infinite for no bound).
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
