#include "calc/DesignInput.h"

namespace spekulor::calc {

namespace {

// Indexed by the type number; the first name keeps its small "c".
const char* const kTypeNames[6] = {
    "",
    "Classical cassegrain",
    "Dall-Kirkham",
    "Ritchey-Chr\xE9tien",
    "Pressmann-Camichel",
    "Stigmatic combination",
};

}  // namespace

const char* TelescopeTypeName(TelescopeType type) {
  const int number = static_cast<int>(type);
  return (number >= 1 && number <= 5) ? kTypeNames[number] : kTypeNames[1];
}

const char* UnitName(LengthUnit unit) { return unit == LengthUnit::Inch ? "inch" : "mm"; }

const char* UnitSuffix(LengthUnit unit) {
  return unit == LengthUnit::Inch ? " inch" : " mm";
}

}  // namespace spekulor::calc
