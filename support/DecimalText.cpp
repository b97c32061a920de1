#include "support/DecimalText.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include <locale.h>

namespace spekulor::support {

namespace {

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Clinger's fast path: a decimal of at most 15 significant digits scaled by a power
// of ten up to 22 is the exact quotient or product of two exactly representable
// doubles, so one correctly rounded operation gives the correctly rounded value.
// Returns false when the number needs the general conversion.
bool FastDecimal(const char* p, const char* end, double& value) {
  static const double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned long long mantissa = 0;
  int digits = 0;
  int scale = 0;
  bool afterPoint = false;
  for (; p < end && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      afterPoint = true;
      continue;
    }
    if (mantissa == 0 && *p == '0') {
      if (afterPoint) --scale;
      continue;
    }
    if (++digits > 15) return false;
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (afterPoint) --scale;
  }
  if (p < end) {
    ++p;
    bool negativeExponent = false;
    if (*p == '+' || *p == '-') negativeExponent = *p++ == '-';
    int exponent = 0;
    for (; p < end; ++p) {
      if (exponent > 1000) return false;
      exponent = exponent * 10 + (*p - '0');
    }
    scale += negativeExponent ? -exponent : exponent;
  }
  double result = static_cast<double>(mantissa);
  if (mantissa != 0) {
    if (scale < -22 || scale > 22) return false;
    result = scale < 0 ? result / kPowers[-scale] : result * kPowers[scale];
  }
  value = negative ? -result : result;
  return true;
}

}  // namespace

std::size_t DecimalPrefixLength(const char* text) {
  const char* p = text;
  if (*p == '+' || *p == '-') ++p;
  bool anyDigit = false;
  while (IsDecimalDigit(*p)) {
    ++p;
    anyDigit = true;
  }
  if (*p == '.') {
    ++p;
    while (IsDecimalDigit(*p)) {
      ++p;
      anyDigit = true;
    }
  }
  if (!anyDigit) return 0;
  if (*p == 'e' || *p == 'E') {
    const char* exponent = p + 1;
    if (*exponent == '+' || *exponent == '-') ++exponent;
    if (IsDecimalDigit(*exponent)) {
      while (IsDecimalDigit(*exponent)) ++exponent;
      p = exponent;
    }
  }
  return static_cast<std::size_t>(p - text);
}

double ReadDecimalPrefix(const char* text) {
  const std::size_t length = DecimalPrefixLength(text);
  if (length == 0) return 0.0;
  double fast = 0.0;
  if (FastDecimal(text, text + length, fast)) return fast;
  // Only the checked prefix reaches strtod, so none of its extensions (hexadecimal,
  // "inf", "nan") can apply; the "C" locale object fixes the decimal point.
  const std::string number(text, length);
  if (CLocale() == static_cast<locale_t>(nullptr)) return std::strtod(number.c_str(), nullptr);
  return strtod_l(number.c_str(), nullptr, CLocale());
}

}  // namespace spekulor::support
