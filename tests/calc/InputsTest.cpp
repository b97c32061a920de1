#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <locale.h>

#include "calc/Inputs.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;

namespace {

struct NumberCase {
  const char* text;
  double expected;
};

TEST(ReadNumber, ReadsOnlyWhatAtofReadsInTheCLocale) {
  const NumberCase cases[] = {
      {"400.0", 400.0},     {"  \t12abc", 12.0},  {"+3.5", 3.5},       {"-0.75", -0.75},
      {".5", 0.5},          {"5.", 5.0},          {"1e3", 1000.0},     {"1E-2", 0.01},
      {"2e", 2.0},          {"2e+", 2.0},         {"2e+x", 2.0},       {"1,5", 1.0},
      {"abc", 0.0},         {"", 0.0},            {"   ", 0.0},        {".", 0.0},
      {"+-1", 0.0},         {"- 1", 0.0},         {"0x10", 0.0},       {"0X1p3", 0.0},
      {"inf", 0.0},         {"INFINITY", 0.0},    {"nan", 0.0},        {"-nan", 0.0},
      {"1.5e2mm", 150.0},   {"\n\v\f\r7", 7.0},   {"00012.500", 12.5}, {"1e-400", 0.0},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(ReadNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ReadNumber, OverflowGivesInfinityOfItsSign) {
  EXPECT_EQ(ReadNumber("1e999"), HUGE_VAL);
  EXPECT_EQ(ReadNumber("-1e999"), -HUGE_VAL);
  EXPECT_FALSE(IsGiven(ReadNumber("1e999")));
  EXPECT_TRUE(IsGiven(ReadNumber("-1e999")));
  EXPECT_TRUE(std::signbit(ReadNumber("-0")));
}

TEST(ReadNumber, AgreesWithStrtodOnManyDecimals) {
  // Short decimals take a fast path; every result must be the correctly rounded one.
  const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  std::mt19937_64 random(12345);
  char text[64];
  for (int i = 0; i < 200000; ++i) {
    const unsigned long long digits = random() % 10000000000000000ULL;
    const int decimals = static_cast<int>(random() % 20);
    const int exponent = static_cast<int>(random() % 60) - 30;
    const std::string mantissa = std::to_string(digits);
    std::string number = decimals < static_cast<int>(mantissa.size())
                             ? mantissa.substr(0, mantissa.size() - decimals) + "." +
                                   mantissa.substr(mantissa.size() - decimals)
                             : "0." + mantissa;
    if (i % 3 == 0) number += "e" + std::to_string(exponent);
    if (i % 5 == 0) number = "-" + number;
    std::snprintf(text, sizeof text, "%s", number.c_str());
    ASSERT_EQ(ReadNumber(text), strtod_l(text, nullptr, c)) << text;
  }
  freelocale(c);
}

TEST(ReadNumber, IgnoresTheProcessLocale) {
  const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (german == nullptr) german = std::setlocale(LC_NUMERIC, "de_DE");
  if (german == nullptr) GTEST_SKIP() << "no German locale installed";
  EXPECT_EQ(ReadNumber("2.5"), 2.5);
  EXPECT_EQ(ReadNumber("2,5"), 2.0);
  std::setlocale(LC_NUMERIC, "C");
}

TEST(ReadDesignInput, MapsTheRadioIndexes) {
  struct RadioCase {
    int units, type;
    LengthUnit unit;
    TelescopeType telescope;
  } cases[] = {
      {0, 0, LengthUnit::Inch, TelescopeType::Classical},
      {1, 1, LengthUnit::Millimetre, TelescopeType::DallKirkham},
      {-1, 2, LengthUnit::Millimetre, TelescopeType::RitcheyChretien},
      {7, 3, LengthUnit::Millimetre, TelescopeType::PressmannCamichel},
      {1, 4, LengthUnit::Millimetre, TelescopeType::Stigmatic},
      {1, -1, LengthUnit::Millimetre, TelescopeType::Classical},
      {1, 5, LengthUnit::Millimetre, TelescopeType::Classical},
      {1, 7, LengthUnit::Millimetre, TelescopeType::Classical},
  };
  for (const RadioCase& c : cases) {
    DesignFields fields;
    fields.m_nUnits = c.units;
    fields.m_nType = c.type;
    const ReadInput read = ReadDesignInput(fields);
    EXPECT_EQ(read.unit, c.unit) << c.units;
    EXPECT_EQ(read.type, c.telescope) << c.type;
  }
  EXPECT_STREQ(UnitSuffix(LengthUnit::Inch), " inch");
  EXPECT_STREQ(UnitSuffix(LengthUnit::Millimetre), " mm");
  EXPECT_STREQ(TelescopeTypeName(TelescopeType::Classical), "Classical cassegrain");
  EXPECT_STREQ(TelescopeTypeName(TelescopeType::RitcheyChretien), "Ritchey-Chr\xE9tien");
  EXPECT_STREQ(TelescopeTypeName(TelescopeType::Stigmatic), "Stigmatic combination");
}

TEST(ReadDesignInput, EmptyFieldsAreNotGivenAndEveryFieldLandsInItsPlace) {
  DesignFields fields = TypedFields(kMillimetreUnits, kRitcheyChretien,
                                    {"1", "2", "3", "4", "5", "6", "7", "8", "9", " "});
  const DesignInput in = ReadDesignInput(fields).input;
  EXPECT_EQ(in.PriDia, 1.0);
  EXPECT_EQ(in.PriFoc, 2.0);
  EXPECT_EQ(in.FieldAng, 3.0);
  EXPECT_EQ(in.SysFoc, 4.0);
  EXPECT_EQ(in.BackFocLen, 5.0);
  EXPECT_EQ(in.SecSysFocDist, 6.0);
  EXPECT_EQ(in.SecPriFocDist, 7.0);
  EXPECT_EQ(in.SecRadCur, 8.0);
  EXPECT_EQ(in.PriConic, 9.0);
  EXPECT_EQ(in.SecConic, 0.0);  // blanks are a given zero

  fields.m_strSecCC.clear();
  fields.m_strPriCC = std::string("\0" "5", 2);  // a C string that ends at once
  const DesignInput empty = ReadDesignInput(fields).input;
  EXPECT_FALSE(IsGiven(empty.SecConic));
  EXPECT_FALSE(IsGiven(empty.PriConic));
}

// The rules as a table: which fields are given (value "1" unless noted) and what follows.
struct RuleCase {
  const char* name;
  TelescopeType type;
  DesignInput input;
  CalcError error;
  SolvePath path;
};

DesignInput Basics() {
  DesignInput in;
  in.PriDia = 400;
  in.PriFoc = 1000;
  in.FieldAng = 0.75;
  return in;
}

DesignInput With(DesignInput in, double DesignInput::*field, double value) {
  in.*field = value;
  return in;
}

TEST(CheckRequiredInputs, FollowsTheRulesInOrder) {
  using T = TelescopeType;
  using E = CalcError;
  using P = SolvePath;
  const DesignInput b = Basics();
  const DesignInput r = With(b, &DesignInput::SecRadCur, 800);
  const DesignInput all = With(With(With(With(r, &DesignInput::SecConic, 4), &DesignInput::SecPriFocDist, 300),
                                    &DesignInput::SecSysFocDist, 900),
                               &DesignInput::BackFocLen, 250);
  const RuleCase cases[] = {
      {"all empty", T::RitcheyChretien, DesignInput(), E::MissingBasics, P::FromSystemFocus},
      {"zero diameter", T::Classical, With(b, &DesignInput::PriDia, 0), E::MissingBasics, P::FromSystemFocus},
      {"zero field", T::Classical, With(b, &DesignInput::FieldAng, 0), E::MissingBasics, P::FromSystemFocus},
      {"no focal length", T::Classical, With(b, &DesignInput::PriFoc, kNotGiven), E::MissingBasics, P::FromSystemFocus},
      {"negative basics pass", T::Classical,
       With(With(With(With(b, &DesignInput::PriDia, -4), &DesignInput::SysFoc, -3), &DesignInput::BackFocLen, -1),
            &DesignInput::PriFoc, -1),
       E::None, P::FromSystemFocus},
      {"basics only", T::Classical, b, E::MissingSystemFocus, P::FromSystemFocus},
      {"stigmatic basics only", T::Stigmatic, b, E::MissingSystemFocus, P::FromSystemFocus},
      {"stigmatic without basics", T::Stigmatic, DesignInput(), E::MissingBasics, P::FromSystemFocus},
      {"system focus without back focus", T::Classical, With(b, &DesignInput::SysFoc, 3200), E::MissingSystemFocus,
       P::FromSystemFocus},
      {"zero system focus", T::Classical, With(With(b, &DesignInput::SysFoc, 0), &DesignInput::BackFocLen, 254),
       E::MissingSystemFocus, P::FromSystemFocus},
      {"path 1", T::Classical, With(With(b, &DesignInput::SysFoc, 3200), &DesignInput::BackFocLen, 0), E::None,
       P::FromSystemFocus},
      {"zero radius is no radius", T::Classical,
       With(With(With(b, &DesignInput::SecRadCur, 0), &DesignInput::SysFoc, 3200), &DesignInput::BackFocLen, 254),
       E::None, P::FromSystemFocus},
      {"radius alone", T::Classical, r, E::MissingSecondaryDatum, P::FromSystemFocus},
      {"path 5 wins", T::Classical, all, E::None, P::FromSecConic},
      {"path 3 before 2", T::Classical, With(all, &DesignInput::SecConic, kNotGiven), E::None, P::FromSecPriFocDist},
      {"path 2 before 4", T::Classical,
       With(With(all, &DesignInput::SecConic, kNotGiven), &DesignInput::SecPriFocDist, kNotGiven), E::None,
       P::FromSecSysFocDist},
      {"path 4", T::Classical, With(r, &DesignInput::BackFocLen, 0), E::None, P::FromBackFocLen},
      {"stigmatic without conics", T::Stigmatic, With(r, &DesignInput::BackFocLen, 254), E::MissingStigmaticConic,
       P::FromBackFocLen},
      {"stigmatic radius alone", T::Stigmatic, r, E::MissingSecondaryDatum, P::FromSystemFocus},
      {"stigmatic with primary conic", T::Stigmatic,
       With(With(r, &DesignInput::BackFocLen, 254), &DesignInput::PriConic, -1), E::None, P::FromBackFocLen},
      {"stigmatic with secondary conic", T::Stigmatic, With(r, &DesignInput::SecConic, 4), E::None,
       P::FromSecConic},
  };
  for (const RuleCase& c : cases) {
    const RuleOutcome outcome = CheckRequiredInputs(c.input, c.type);
    EXPECT_EQ(outcome.error, c.error) << c.name;
    EXPECT_EQ(outcome.message, CalcErrorMessage(c.error)) << c.name;
    if (c.error == CalcError::None) {
      EXPECT_EQ(outcome.path, c.path) << c.name;
      EXPECT_TRUE(outcome.message.empty()) << c.name;
    }
  }
}

TEST(CheckRequiredInputs, RefusalTextsAreExact) {
  RuleOutcome outcome;
  outcome.error = CalcError::MissingBasics;
  outcome.message = CalcErrorMessage(outcome.error);
  EXPECT_EQ(FormatCalcError(outcome),
            "Error 1\r\nThe default parameters (mirror diameter, mirror focal length, field) are "
            "needed!");
  EXPECT_STREQ(CalcErrorMessage(CalcError::MissingSystemFocus),
               "If no \"radius of curvature of secondary mirror\" is given you need to give me "
               "the \"system focal length\".");
  EXPECT_STREQ(CalcErrorMessage(CalcError::MissingSecondaryDatum),
               "Please give me the \"back focal length\" or the \"distance secondary from "
               "system focus\" or the \"distance secondary from prime focus\" or the "
               "\"secondary mirror conic constant\"");
  EXPECT_STREQ(CalcErrorMessage(CalcError::MissingStigmaticConic),
               "Primary or secondary conic needed for stigmatic combination");
}

TEST(CheckRequiredInputs, LettersAreAGivenZero) {
  DesignFields fields;
  fields.m_strPriDia = "abc";
  EXPECT_EQ(CheckRequiredInputs(ReadDesignInput(fields).input, TelescopeType::Classical).error,
            CalcError::MissingBasics);
  fields = DesignFields();
  fields.m_strBackFocLen = "abc";
  const ReadInput read = ReadDesignInput(fields);
  EXPECT_EQ(read.input.BackFocLen, 0.0);
  EXPECT_EQ(CheckRequiredInputs(read.input, read.type).error, CalcError::None);
  fields.m_strPriFoc = "1e999";
  EXPECT_EQ(CheckRequiredInputs(ReadDesignInput(fields).input, read.type).error,
            CalcError::MissingBasics);
}

}  // namespace
