#include "cli/NumberOptions.h"

#include <cstdio>

#include "drawing/Drawing.h"
#include "support/NumericLocale.h"
#include "support/Windows1252.h"

using namespace spekulor::support;

namespace spekulor::cli {

CLI::Validator NumberInRange(const NumberRange& range) {
  return CLI::Validator(
      [range](std::string& text) {
        double value = 0.0;
        std::string refusal = ReadNumberInRange(text, range, value);
        if (!refusal.empty()) return refusal;
        if (range.whole) {
          text = std::to_string(static_cast<long>(value));
        } else {
          // 17 significant digits give the same double back (IEEE 754, sec. 5.12.2).
          char exact[40];
          NumericLocaleScope numericLocale;
          std::snprintf(exact, sizeof exact, "%.17g", value);
          text = exact;
        }
        return std::string();
      },
      "");
}

CLI::Validator DecimalNumber(double least, double most) {
  return NumberInRange(NumberRange{least, most, false});
}

CLI::Validator WholeNumber(long least, long most) {
  return NumberInRange(NumberRange{static_cast<double>(least), static_cast<double>(most), true});
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
