// The inputs of one telescope calculation and the choices that go with them.
//
// Lengths are in the user's unit (inch or mm); nothing in the geometry converts
// between units. A quantity the user left empty holds kNotGiven (HUGE_VAL, positive
// infinity); every other value counts as given, zero included.
#ifndef SPEKULOR_CALC_DESIGNINPUT_H
#define SPEKULOR_CALC_DESIGNINPUT_H

#include <cmath>
#include <string>

#include "support/Units.h"

namespace spekulor::calc {

constexpr double kNotGiven = HUGE_VAL;

// The ten numeric inputs of one calculation.
struct DesignInput {
  double PriDia = kNotGiven;         // clear diameter of the primary mirror
  double FieldAng = kNotGiven;       // full angular diameter of the fully illuminated field, degrees
  double PriFoc = kNotGiven;         // focal length of the primary
  double SysFoc = kNotGiven;         // effective focal length of the telescope
  double BackFocLen = kNotGiven;     // primary mirror to the system focus behind it
  double SecSysFocDist = kNotGiven;  // secondary to the system focus
  double SecPriFocDist = kNotGiven;  // secondary to the prime focus of the primary
  double SecRadCur = kNotGiven;      // radius of curvature of the convex secondary, a magnitude
  double PriConic = kNotGiven;       // conic constant of the primary
  double SecConic = kNotGiven;       // conic constant of the secondary
};

// The unit label, in the order of the window's "Units" radio group.
enum class LengthUnit { Inch = 0, Millimetre = 1 };

// The length of one design unit in millimetres and in micrometres.
inline double MillimetresPerUnit(LengthUnit unit) {
  return unit == LengthUnit::Inch ? support::kMillimetresPerInch : 1.0;
}
inline double MicrometresPerUnit(LengthUnit unit) {
  return support::kMicrometresPerMillimetre * MillimetresPerUnit(unit);
}

// The design, numbered in the order of the window's "Type" radio group.
enum class TelescopeType {
  Classical = 1,
  DallKirkham = 2,
  RitcheyChretien = 3,
  PressmannCamichel = 4,
  Stigmatic = 5
};

// Which given quantities fix the two-mirror geometry.
enum class SolvePath {
  FromSystemFocus = 1,    // SysFoc and BackFocLen
  FromSecSysFocDist = 2,  // SecRadCur and SecSysFocDist
  FromSecPriFocDist = 3,  // SecRadCur and SecPriFocDist
  FromBackFocLen = 4,     // SecRadCur and BackFocLen
  FromSecConic = 5        // SecRadCur and SecConic
};

// Why a calculation was refused; 0 means it was not.
enum class CalcError {
  None = 0,
  MissingBasics = 1,
  MissingSystemFocus = 2,
  MissingSecondaryDatum = 3,
  MissingStigmaticConic = 4,
  ImpossibleDesign = 5  // the completed design is no real telescope of this family
};

// The window's twelve values, held exactly as the window holds them: the two radio
// indexes (-1 when no button is checked) and the ten field texts as typed, in the
// window's Windows-1252 bytes.
struct DesignFields {
  int m_nUnits = 1;  // 0 inch, 1 mm
  int m_nType = 2;   // 0..4 in button order
  std::string m_strField = "0.75";
  std::string m_strPriDia = "400.0";
  std::string m_strPriFoc = "1000.0";
  std::string m_strBackFocLen = "254";
  std::string m_strSecCC;
  std::string m_strPriCC;
  std::string m_strSecPriDist;
  std::string m_strSecSysDist;
  std::string m_strSysFoc = "3200.0";
  std::string m_strSecRadCur;
};

// Report name of a design type ("Classical cassegrain", "Dall-Kirkham",
// "Ritchey-Chr\xE9tien", "Pressmann-Camichel", "Stigmatic combination"),
// Windows-1252.
const char* TelescopeTypeName(TelescopeType type);

// The suffix the report writes behind lengths: " inch" or " mm".
const char* UnitSuffix(LengthUnit unit);

// The unit's name in tables and JSON: "inch" or "mm".
const char* UnitName(LengthUnit unit);

}  // namespace spekulor::calc

#endif
