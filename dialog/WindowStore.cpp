#include "dialog/WindowStore.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "support/ConfigFile.h"
#include "support/NumberRange.h"

using namespace spekulor::support;

namespace spekulor::dialog {

namespace {

// Makes every folder of `path` but its last part; false when one cannot be made.
bool MakeFoldersFor(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

std::string UserWindowStorePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + "/spekulor/window.ini";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/spekulor/window.ini";
  return std::string();
}

std::optional<std::string> WindowStore::Get(const char* section, const char* name) const {
  if (m_path.empty()) return std::nullopt;
  CConfigFile file(m_path.c_str());
  char value[kConfigExaminedLength + 1];
  if (file.GetString(section, name, value, static_cast<int>(sizeof value)) != kConfigOk) {
    return std::nullopt;
  }
  return std::string(value);
}

std::optional<double> WindowStore::GetNumber(const char* section, const char* name) const {
  const std::optional<std::string> text = Get(section, name);
  double value = 0.0;
  if (!text || !ReadDecimalNumber(*text, value)) return std::nullopt;
  return value;
}

bool WindowStore::Set(const char* section, const char* name, const std::string& value) {
  if (m_path.empty() || value.find_first_of(std::string("\r\n\"\0", 4)) != std::string::npos) {
    return false;
  }
  if (!MakeFoldersFor(m_path)) return false;
  CConfigFile file(m_path.c_str());
  // Quoted, so that a "#" in a path is not read as a comment.
  const std::string quoted = "\"" + value + "\"";
  return file.WriteString(section, name, quoted.c_str()) == kConfigOk;
}

bool WindowStore::SetNumber(const char* section, const char* name, double value) {
  return Set(section, name, OptionNumberText(value));
}

bool WindowStore::Remove(const char* section, const char* name) {
  if (m_path.empty()) return false;
  CConfigFile file(m_path.c_str());
  return file.WriteString(section, name, nullptr) == kConfigOk;
}

}  // namespace spekulor::dialog
