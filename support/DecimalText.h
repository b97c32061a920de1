// Reading a decimal number at the start of a text, the same way everywhere in the
// program and whatever the process locale: an optional sign, decimal digits with an
// optional point, an optional exponent. Nothing else is a number here: no
// hexadecimal forms, no words for infinity or NaN.
#ifndef SPEKULOR_SUPPORT_DECIMALTEXT_H
#define SPEKULOR_SUPPORT_DECIMALTEXT_H

#include <cstddef>

namespace spekulor::support {

// An ASCII decimal digit, whatever the process locale (isdigit() follows it).
constexpr bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest decimal number that `text` starts with, 0 when it starts
// with none. An exponent counts only when at least one digit follows its sign.
std::size_t DecimalPrefixLength(const char* text);

// The value of that number, correctly rounded ("." as the decimal point); 0.0 when
// there is none, and an infinity of its sign when it is too large for a double.
double ReadDecimalPrefix(const char* text);

}  // namespace spekulor::support

#endif
