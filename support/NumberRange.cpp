#include "support/NumberRange.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "support/DecimalText.h"
#include "support/NumericLocale.h"

namespace spekulor::support {

std::string OptionNumberText(double value) {
  char text[40];
  NumericLocaleScope numericLocale;
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

bool ReadDecimalNumber(const std::string& text, double& value) {
  if (text.empty() || DecimalPrefixLength(text.c_str()) != text.size()) return false;
  const double read = ReadDecimalPrefix(text.c_str());
  if (!std::isfinite(read)) return false;
  value = read;
  return true;
}

bool ReadWholeNumber(const std::string& text, long& value) {
  size_t first = text.size() > 0 && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (first == text.size()) return false;
  for (size_t k = first; k < text.size(); ++k) {
    if (text[k] < '0' || text[k] > '9') return false;
  }
  errno = 0;
  const long read = std::strtol(text.c_str(), nullptr, 10);
  if (errno != 0) return false;
  value = read;
  return true;
}

std::string NumberRangeText(const NumberRange& range) {
  const std::string kind = range.whole ? "a whole number" : "a decimal number";
  // A whole range without a bound ends at a long's own ends.
  const double longEnd = -static_cast<double>(LONG_MIN);
  const bool hasLeast = std::isfinite(range.least) && !(range.whole && range.least <= -longEnd);
  const bool hasMost = std::isfinite(range.most) && !(range.whole && range.most >= longEnd);
  const std::string least = OptionNumberText(range.least);
  const std::string most = OptionNumberText(range.most);
  if (hasLeast && hasMost) return kind + " from " + least + " to " + most;
  if (hasLeast) return kind + " of " + least + " or more";
  if (hasMost) return kind + " of " + most + " or less";
  return kind;
}

std::string ReadNumberInRange(const std::string& text, const NumberRange& range, double& value) {
  double read = 0.0;
  bool ok = false;
  if (range.whole) {
    long whole = 0;
    ok = ReadWholeNumber(text, whole);
    read = static_cast<double>(whole);
  } else {
    ok = ReadDecimalNumber(text, read);
  }
  if (!ok || read < range.least || read > range.most) {
    return "'" + text + "' is not " + NumberRangeText(range);
  }
  value = read;
  return std::string();
}

}  // namespace spekulor::support
