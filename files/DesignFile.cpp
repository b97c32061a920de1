#include "DesignFile.h"

#include <cstdio>
#include <vector>

#include <sys/stat.h>

#include "ConfigFile.h"
#include "Inputs.h"
#include "NumericLocale.h"

const char kDesignSection[] = "Optics";

using F = DesignFields;
using I = DesignInput;

const DesignFileEntry kDesignFileEntries[kDesignFileEntryCount] = {
    {"Unit", &F::m_nUnits, 1, nullptr, nullptr, nullptr},
    {"Type", &F::m_nType, 2, nullptr, nullptr, nullptr},
    {"Diameter", nullptr, 0, &F::m_strPriDia, &I::PriDia, "%0.2f"},
    {"Primary Focal Length", nullptr, 0, &F::m_strPriFoc, &I::PriFoc, "%0.2f"},
    {"Field", nullptr, 0, &F::m_strField, &I::FieldAng, "%0.2f"},
    {"System Focal Length", nullptr, 0, &F::m_strSysFoc, &I::SysFoc, "%0.2f"},
    {"Back Focal Length", nullptr, 0, &F::m_strBackFocLen, &I::BackFocLen, "%0.2f"},
    {"Secondary From System Focus", nullptr, 0, &F::m_strSecSysDist, &I::SecSysFocDist, "%0.2f"},
    {"Secondary From Prime Focus", nullptr, 0, &F::m_strSecPriDist, &I::SecPriFocDist, "%0.2f"},
    {"Secondary ROC", nullptr, 0, &F::m_strSecRadCur, &I::SecRadCur, "%0.4f"},
    {"Primary CC", nullptr, 0, &F::m_strPriCC, &I::PriConic, "%0.4f"},
    {"Secondary CC", nullptr, 0, &F::m_strSecCC, &I::SecConic, "%0.4f"},
};

namespace {

bool PathFitsStore(const std::string& path) {
  return path.size() <= kMaxDesignPathLength && path.find('\0') == std::string::npos;
}

// The store reopens the file for every entry, so only a regular file that can be
// opened and read through can be a design file; a pipe would give its content to
// the first lookup alone, and a device might never end.
bool IsReadableFile(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::vector<char> chunk(4096);
  while (std::fread(chunk.data(), 1, chunk.size(), file) == chunk.size()) {
  }
  const bool readable = std::ferror(file) == 0;
  std::fclose(file);
  return readable;
}

}  // namespace

std::string FieldTextOf(double value, const char* format) {
  if (value == kNotGiven) return std::string();
  NumericLocaleScope numericLocale;
  const int length = std::snprintf(nullptr, 0, format, value);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(&text[0], text.size(), format, value);
  text.pop_back();
  return text;
}

DesignFileStatus LoadDesignFile(const std::string& path, DesignFields& fields) {
  if (!PathFitsStore(path)) return DesignFileStatus::PathTooLong;
  if (!IsReadableFile(path)) return DesignFileStatus::CannotRead;

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
    if (entry.text != nullptr) loaded.*entry.text = FieldTextOf(values[i], entry.openFormat);
  }
  fields = loaded;
  return DesignFileStatus::Ok;
}

DesignFileStatus SaveDesignFile(const std::string& path, const DesignFields& fields) {
  if (!PathFitsStore(path)) return DesignFileStatus::PathTooLong;
  const ReadInput read = ReadDesignInput(fields);

  CConfigFile file(path.c_str());
  for (const DesignFileEntry& entry : kDesignFileEntries) {
    const int code = entry.index != nullptr
                         ? file.WriteInt(kDesignSection, entry.name, fields.*entry.index)
                         : file.WriteDouble(kDesignSection, entry.name, read.input.*entry.value);
    if (code != kConfigOk) return DesignFileStatus::WriteFailed;
  }
  return DesignFileStatus::Ok;
}
