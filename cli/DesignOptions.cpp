#include "cli/DesignOptions.h"

#include <climits>

#include "calc/DesignFieldNames.h"
#include "cli/NumberOptions.h"
#include "support/Windows1252.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace spekulor::cli {

namespace {

struct FieldHelp {
  std::string DesignFields::*member;
  const char* help;
};

// In the order of the window's entry fields; the options are named by DesignFieldNames.
const FieldHelp kFieldHelp[] = {
    {&DesignFields::m_strPriDia, "Primary mirror diameter"},
    {&DesignFields::m_strField, "Fully illuminated field, degrees"},
    {&DesignFields::m_strPriFoc, "Primary mirror focal length"},
    {&DesignFields::m_strSysFoc, "System focal length"},
    {&DesignFields::m_strBackFocLen, "Back focal length"},
    {&DesignFields::m_strSecSysDist, "Distance secondary from system focus"},
    {&DesignFields::m_strSecPriDist, "Distance secondary from prime focus"},
    {&DesignFields::m_strSecRadCur, "Radius of curvature of secondary mirror"},
    {&DesignFields::m_strPriCC, "Primary mirror conic constant"},
    {&DesignFields::m_strSecCC,
     "Secondary mirror conic constant. With --secondary-roc and none of the distances it "
     "fixes the layout, read as the magnitude of a classical secondary's conic: an f/3 to "
     "f/12 classical secondary is typed as 2.78, not -2.78"},
};

bool ParseIndex(const std::string& text, int& index) {
  long value = 0;
  if (!ReadWholeNumber(text, value) || value < INT_MIN || value > INT_MAX) return false;
  index = static_cast<int>(value);
  return true;
}

}  // namespace

int ParseUnitIndex(const std::string& text) {
  const int named = UnitIndexOfName(text);
  if (named >= 0) return named;
  int index = 0;
  if (ParseIndex(text, index) && index >= 0 && index <= 1) return index;
  throw CLI::ValidationError("--unit", "'" + text + "' is not inch, mm, 0 or 1");
}

int ParseTypeIndex(const std::string& text) {
  const int named = TypeIndexOfName(text);
  if (named >= 0) return named;
  int index = 0;
  if (ParseIndex(text, index) && index >= 0 && index <= 4) return index;
  throw CLI::ValidationError(
      "--type", "'" + text +
                    "' is not classical, dall-kirkham, ritchey-chretien, pressmann-camichel, "
                    "stigmatic or a radio index 0 to 4");
}

void AddDesignOptions(CLI::App& command, DesignOptions& options) {
  command
      .add_option_function<std::string>(
          "--unit",
          [&options](const std::string& value) {
            ParseUnitIndex(value);
            options.unit = value;
            options.unitGiven = true;
          },
          "Unit: inch or mm, or the radio index 0 or 1 (default mm)")
      ->type_name("UNIT")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  command
      .add_option_function<std::string>(
          "--type",
          [&options](const std::string& value) {
            ParseTypeIndex(value);
            options.type = value;
            options.typeGiven = true;
          },
          "Design: classical, dall-kirkham, ritchey-chretien, pressmann-camichel, stigmatic, "
          "or the radio index 0 to 4 (default ritchey-chretien)")
      ->type_name("TYPE")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  for (const FieldHelp& field : kFieldHelp) {
    std::string DesignFields::*member = field.member;
    command
        .add_option_function<std::string>(
            std::string("--") + DesignFieldNameOf(member),
            [&options, member](const std::string& value) {
              options.texts.emplace_back(member, Utf8ToWindows1252(value));
            },
            field.help)
        ->type_name("TEXT")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  }
}

void ApplyDesignOptions(const DesignOptions& options, DesignFields& fields) {
  if (options.unitGiven) fields.m_nUnits = ParseUnitIndex(options.unit);
  if (options.typeGiven) fields.m_nType = ParseTypeIndex(options.type);
  for (const auto& entry : options.texts) fields.*(entry.first) = entry.second;
}

}  // namespace spekulor::cli
