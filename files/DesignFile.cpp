#include "DesignFile.h"

#include <cstdio>
#include <vector>

#include <sys/stat.h>

#include "ConfigFile.h"
#include "DecimalText.h"
#include "Inputs.h"
#include "NumericLocale.h"

const char kDesignSection[] = "Optics";

using F = DesignFields;
using I = DesignInput;

#define SPEKULOR_NOT_STORABLE(field) \
  "A design file cannot hold the \"" field "\" as it is: please give it with at most six decimals."

const DesignFileEntry kDesignFileEntries[kDesignFileEntryCount] = {
    {"Unit", &F::m_nUnits, 1, nullptr, nullptr, 0, nullptr},
    {"Type", &F::m_nType, 2, nullptr, nullptr, 0, nullptr},
    {"Diameter", nullptr, 0, &F::m_strPriDia, &I::PriDia, 2,
     SPEKULOR_NOT_STORABLE("primary mirror diameter")},
    {"Primary Focal Length", nullptr, 0, &F::m_strPriFoc, &I::PriFoc, 2,
     SPEKULOR_NOT_STORABLE("primary mirror focal length")},
    {"Field", nullptr, 0, &F::m_strField, &I::FieldAng, 2,
     SPEKULOR_NOT_STORABLE("fully illuminated field")},
    {"System Focal Length", nullptr, 0, &F::m_strSysFoc, &I::SysFoc, 2,
     SPEKULOR_NOT_STORABLE("system focal length")},
    {"Back Focal Length", nullptr, 0, &F::m_strBackFocLen, &I::BackFocLen, 2,
     SPEKULOR_NOT_STORABLE("back focal length")},
    {"Secondary From System Focus", nullptr, 0, &F::m_strSecSysDist, &I::SecSysFocDist, 2,
     SPEKULOR_NOT_STORABLE("distance secondary from system focus")},
    {"Secondary From Prime Focus", nullptr, 0, &F::m_strSecPriDist, &I::SecPriFocDist, 2,
     SPEKULOR_NOT_STORABLE("distance secondary from prime focus")},
    {"Secondary ROC", nullptr, 0, &F::m_strSecRadCur, &I::SecRadCur, 4,
     SPEKULOR_NOT_STORABLE("radius of curvature of secondary mirror")},
    {"Primary CC", nullptr, 0, &F::m_strPriCC, &I::PriConic, 4,
     SPEKULOR_NOT_STORABLE("primary mirror conic constant")},
    {"Secondary CC", nullptr, 0, &F::m_strSecCC, &I::SecConic, 4,
     SPEKULOR_NOT_STORABLE("secondary mirror conic constant")},
};

#undef SPEKULOR_NOT_STORABLE

namespace {

bool PathFitsStore(const std::string& path) {
  return path.size() <= kMaxDesignPathLength && path.find('\0') == std::string::npos;
}

// The store reopens the file for every entry, so only a regular file that can be
// opened and read through can be a design file; a pipe would give its content to
// the first lookup alone, and a device might never end. Its bytes go to `content`.
bool ReadRegularFile(const std::string& path, std::string& content) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::vector<char> chunk(4096);
  size_t n;
  while ((n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) content.append(chunk.data(), n);
  const bool readable = std::ferror(file) == 0;
  std::fclose(file);
  return readable;
}

// A design file is text with the section "Optics", as the store finds it.
bool IsDesignFile(const std::string& path, const std::string& content) {
  if (content.empty() || content.find('\0') != std::string::npos) return false;
  CConfigFile file(path.c_str());
  if (file.Open() != kConfigOk) return false;
  const bool found = file.FindSection(kDesignSection) == kConfigOk;
  file.Close();
  return found;
}

}  // namespace

bool DesignFileHolds(double value) {
  if (value == kNotGiven) return true;
  const std::string text = FormatConfigDouble(value);
  return text.size() <= kConfigTypedValueLength && ReadConfigDouble(text.c_str()) == value;
}

std::string FieldTextOf(double value, int minDecimals) {
  if (value == kNotGiven) return std::string();
  NumericLocaleScope numericLocale;
  std::string text;
  for (int decimals = minDecimals; decimals <= kDesignFileDecimals; ++decimals) {
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    if (length <= 0) return std::string();
    text.assign(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%.*f", decimals, value);
    text.pop_back();
    if (ReadDecimalPrefix(text.c_str()) == value) break;
  }
  return text;
}

DesignFileStatus LoadDesignFile(const std::string& path, DesignFields& fields) {
  if (!PathFitsStore(path)) return DesignFileStatus::PathTooLong;
  std::string content;
  if (!ReadRegularFile(path, content)) return DesignFileStatus::CannotRead;
  if (!IsDesignFile(path, content)) return DesignFileStatus::NotADesignFile;

  DesignFields loaded = fields;
  double values[kDesignFileEntryCount] = {};
  {
    CConfigFile file(path.c_str());
    // The getters store their default on any failure; their codes say nothing more.
    for (int i = 0; i < kDesignFileEntryCount; ++i) {
      const DesignFileEntry& entry = kDesignFileEntries[i];
      if (entry.index != nullptr) {
        file.GetInt(kDesignSection, entry.name, &(loaded.*entry.index), entry.defaultIndex);
      } else {
        file.GetDouble(kDesignSection, entry.name, &values[i], 0.0);
      }
    }
  }
  for (int i = 0; i < kDesignFileEntryCount; ++i) {
    const DesignFileEntry& entry = kDesignFileEntries[i];
    if (entry.text != nullptr) loaded.*entry.text = FieldTextOf(values[i], entry.openDecimals);
  }
  fields = loaded;
  return DesignFileStatus::Ok;
}

DesignFileStatus SaveDesignFile(const std::string& path, const DesignFields& fields,
                                const DesignFileEntry** refused) {
  if (!PathFitsStore(path)) return DesignFileStatus::PathTooLong;
  const ReadInput read = ReadDesignInput(fields);

  std::vector<std::string> texts;
  for (const DesignFileEntry& entry : kDesignFileEntries) {
    if (entry.index != nullptr) {
      texts.push_back(FormatConfigInt(fields.*entry.index));
      continue;
    }
    const double value = read.input.*entry.value;
    if (!DesignFileHolds(value)) {
      if (refused != nullptr) *refused = &entry;
      return DesignFileStatus::ValueNotStorable;
    }
    texts.push_back(FormatConfigDouble(value));
  }
  std::vector<ConfigEntryWrite> writes;
  for (int i = 0; i < kDesignFileEntryCount; ++i) {
    writes.push_back({kDesignFileEntries[i].name, texts[static_cast<size_t>(i)].c_str()});
  }
  CConfigFile file(path.c_str());
  return file.WriteEntries(kDesignSection, writes) == kConfigOk ? DesignFileStatus::Ok
                                                                 : DesignFileStatus::WriteFailed;
}
