// Numbers typed by the user, read the same way on the command line and in the window's
// option fields: decimal numbers only (DecimalText.h: a sign, digits with a point, an
// exponent), the whole text, finite, within a range. A text that is not such a number
// is refused with one message, naming the range, wherever it was typed.
#ifndef SPEKULOR_SUPPORT_NUMBERRANGE_H
#define SPEKULOR_SUPPORT_NUMBERRANGE_H

#include <string>

namespace spekulor::support {

// A number as the messages show it: up to 15 significant digits, "." for the point
// whatever the locale.
std::string OptionNumberText(double value);

// Reads the whole of `text` as a finite decimal number; false for anything else
// (empty, blanks, hexadecimal, "nan", "inf", a number too large for a double).
bool ReadDecimalNumber(const std::string& text, double& value);

// Reads the whole of `text` as a whole decimal number (an optional sign and digits);
// false for anything else, or beyond a long.
bool ReadWholeNumber(const std::string& text, long& value);

// The values a typed number may take, both ends included; an infinite end is no bound.
struct NumberRange {
  double least;
  double most;
  bool whole = false;  // whole numbers only (least and most are then whole too)
};

// "a decimal number from 200 to 20000", "a whole number of 1 or more", "a decimal
// number" (no bound).
std::string NumberRangeText(const NumberRange& range);

// Reads `text` as a number within `range` into `value`; returns the empty text, or the
// refusal "'<text>' is not <NumberRangeText>" and leaves `value` alone.
std::string ReadNumberInRange(const std::string& text, const NumberRange& range, double& value);

}  // namespace spekulor::support

#endif
