#include "support/DecimalChars.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace spekulor::support {

namespace {

std::string Printed(const char* format, int decimals, double value) {
  const int length = std::snprintf(nullptr, 0, format, decimals, value);
  std::vector<char> text(static_cast<size_t>(length) + 1);
  std::snprintf(text.data(), text.size(), format, decimals, value);
  return std::string(text.data(), static_cast<size_t>(length));
}

#if defined(__cpp_lib_to_chars)
std::string Charconv(double value, std::chars_format format, int decimals) {
  char text[400];  // the largest double has 309 digits in fixed form
  const std::to_chars_result written = std::to_chars(text, text + sizeof text, value, format, decimals);
  return std::string(text, written.ptr);
}
#endif

}  // namespace

std::string PrintfFixedDecimal(double value, int decimals) { return Printed("%.*f", decimals, value); }

std::string PrintfScientificDecimal(double value, int decimals) { return Printed("%.*e", decimals, value); }

std::string PrintfShortestDecimal(double value) {
  const std::string sign = std::signbit(value) ? "-" : "";
  const double magnitude = std::fabs(value);
  // The fewest significant digits that read back (17 always do); of those, printf's
  // correctly rounded ones, or else the neighbour in the last digit that reads back:
  // next to a power of two the interval that reads back is twice as wide above as
  // below, and the nearest digits may fall out of it below.
  std::string digits;
  int exponent = 0;
  for (int count = 1; count <= 17 && digits.empty(); ++count) {
    const std::string rounded = PrintfScientificDecimal(magnitude, count - 1);
    const size_t e = rounded.find('e');
    std::string nearest = rounded.substr(0, e);
    if (nearest.size() > 1) nearest.erase(1, 1);  // the point
    exponent = std::atoi(rounded.c_str() + e + 1);
    const auto readsBack = [&](const std::string& candidate) {
      const std::string text = candidate + "e" + std::to_string(exponent - count + 1);
      return std::strtod(text.c_str(), nullptr) == magnitude;
    };
    if (readsBack(nearest)) {
      digits = nearest;
      break;
    }
    const unsigned long long mantissa = std::stoull(nearest);
    for (const unsigned long long neighbour : {mantissa + 1, mantissa - 1}) {
      const std::string candidate = std::to_string(neighbour);
      if (candidate.size() == nearest.size() && readsBack(candidate)) digits = candidate;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int count = static_cast<int>(digits.size());

  std::string fixed;
  if (exponent >= count - 1) {
    // A whole number: to_chars writes its exact digits, as printf does.
    fixed = PrintfFixedDecimal(magnitude, 0);
  } else if (exponent < 0) {
    fixed = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    fixed = digits.substr(0, static_cast<size_t>(exponent) + 1) + "." +
            digits.substr(static_cast<size_t>(exponent) + 1);
  }
  // An exponent with its sign and at least two digits, as printf and to_chars write it.
  std::string scientific = digits.substr(0, 1);
  if (count > 1) scientific += "." + digits.substr(1);
  char power[16];
  std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  scientific += power;
  return sign + (fixed.size() <= scientific.size() ? fixed : scientific);
}

#if defined(__cpp_lib_to_chars)

std::string ShortestDecimal(double value) {
  char text[32];
  const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
  return std::string(text, written.ptr);
}

std::string FixedDecimal(double value, int decimals) {
  return Charconv(value, std::chars_format::fixed, decimals);
}

std::string ScientificDecimal(double value, int decimals) {
  return Charconv(value, std::chars_format::scientific, decimals);
}

#else

std::string ShortestDecimal(double value) { return PrintfShortestDecimal(value); }
std::string FixedDecimal(double value, int decimals) { return PrintfFixedDecimal(value, decimals); }
std::string ScientificDecimal(double value, int decimals) { return PrintfScientificDecimal(value, decimals); }

#endif

}  // namespace spekulor::support
