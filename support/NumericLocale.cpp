#include "support/NumericLocale.h"

#include <clocale>

#include <locale.h>

namespace spekulor::support {

namespace {

locale_t CNumericLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

NumericLocaleScope::NumericLocaleScope() : previous_(uselocale(CNumericLocale())) {}

NumericLocaleScope::~NumericLocaleScope() { uselocale(static_cast<locale_t>(previous_)); }

}  // namespace spekulor::support
