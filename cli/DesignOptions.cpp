#include "cli/DesignOptions.h"

#include <climits>

#include "cli/NumberOptions.h"
#include "support/Windows1252.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace spekulor::cli {

namespace {

struct FieldOption {
  const char* name;
  std::string DesignFields::*member;
  const char* help;
};

// In the order of the window's entry fields.
const FieldOption kFieldOptions[] = {
    {"--diameter", &DesignFields::m_strPriDia, "Primary mirror diameter"},
    {"--field", &DesignFields::m_strField, "Fully illuminated field, degrees"},
    {"--primary-focal-length", &DesignFields::m_strPriFoc, "Primary mirror focal length"},
    {"--system-focal-length", &DesignFields::m_strSysFoc, "System focal length"},
    {"--back-focal-length", &DesignFields::m_strBackFocLen, "Back focal length"},
    {"--secondary-from-system-focus", &DesignFields::m_strSecSysDist,
     "Distance secondary from system focus"},
    {"--secondary-from-prime-focus", &DesignFields::m_strSecPriDist,
     "Distance secondary from prime focus"},
    {"--secondary-roc", &DesignFields::m_strSecRadCur, "Radius of curvature of secondary mirror"},
    {"--primary-cc", &DesignFields::m_strPriCC, "Primary mirror conic constant"},
    {"--secondary-cc", &DesignFields::m_strSecCC,
     "Secondary mirror conic constant. With --secondary-roc and none of the distances it "
     "fixes the layout, read as the magnitude of a classical secondary's conic: an f/3 to "
     "f/12 classical secondary is typed as 2.78, not -2.78"},
};

const char* const kTypeNames[] = {"classical", "dall-kirkham", "ritchey-chretien",
                                  "pressmann-camichel", "stigmatic"};

bool ParseIndex(const std::string& text, int& index) {
  long value = 0;
  if (!ReadWholeNumber(text, value) || value < INT_MIN || value > INT_MAX) return false;
  index = static_cast<int>(value);
  return true;
}

}  // namespace

int ParseUnitIndex(const std::string& text) {
  if (text == "inch") return 0;
  if (text == "mm") return 1;
  int index = 0;
  if (ParseIndex(text, index) && index >= 0 && index <= 1) return index;
  throw CLI::ValidationError("--unit", "'" + text + "' is not inch, mm, 0 or 1");
}

int ParseTypeIndex(const std::string& text) {
  for (int i = 0; i < 5; ++i) {
    if (text == kTypeNames[i]) return i;
  }
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
  for (const FieldOption& field : kFieldOptions) {
    std::string DesignFields::*member = field.member;
    command
        .add_option_function<std::string>(
            field.name,
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
