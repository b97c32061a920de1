#include "cli/NumberOptions.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "drawing/Drawing.h"
#include "support/DecimalText.h"
#include "support/NumericLocale.h"
#include "support/Windows1252.h"

using namespace spekulor::support;

namespace spekulor::cli {

std::string OptionNumberText(double value) {
  char text[40];
  NumericLocaleScope numericLocale;
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

namespace {

std::string RangeText(const std::string& kind, const std::string& least, bool hasLeast,
                      const std::string& most, bool hasMost) {
  if (hasLeast && hasMost) return kind + " from " + least + " to " + most;
  if (hasLeast) return kind + " of " + least + " or more";
  if (hasMost) return kind + " of " + most + " or less";
  return kind;
}

}  // namespace

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

CLI::Validator DecimalNumber(double least, double most) {
  const std::string wanted =
      RangeText("a decimal number", OptionNumberText(least), std::isfinite(least),
                OptionNumberText(most), std::isfinite(most));
  return CLI::Validator(
      [least, most, wanted](std::string& text) {
        double value = 0.0;
        if (!ReadDecimalNumber(text, value) || value < least || value > most) {
          return "'" + text + "' is not " + wanted;
        }
        // 17 significant digits give the same double back (IEEE 754, sec. 5.12.2).
        char exact[40];
        NumericLocaleScope numericLocale;
        std::snprintf(exact, sizeof exact, "%.17g", value);
        text = exact;
        return std::string();
      },
      "");
}

CLI::Validator WholeNumber(long least, long most) {
  const std::string wanted = RangeText("a whole number", std::to_string(least), least > LONG_MIN,
                                       std::to_string(most), most < LONG_MAX);
  return CLI::Validator(
      [least, most, wanted](std::string& text) {
        long value = 0;
        if (!ReadWholeNumber(text, value) || value < least || value > most) {
          return "'" + text + "' is not " + wanted;
        }
        text = std::to_string(value);
        return std::string();
      },
      "");
}

std::string DesignRangeText(const char* option, double value, double least, double most,
                            calc::LengthUnit unit) {
  const int decimals = unit == calc::LengthUnit::Inch ? 3 : 2;
  const std::string text = std::string(option) + ": '" + OptionNumberText(value) +
                           "' is not from " + drawing::FormatFixed(least, decimals) + " to " +
                           drawing::FormatFixed(most, decimals) + calc::UnitSuffix(unit) +
                           " for this design";
  return support::Windows1252ToUtf8(text);
}

}  // namespace spekulor::cli
