// The window's configuration store: what the window remembers from one run to the next
// (the pictures window's place, the analyses' options, the recent files), as
// [Section] name=value entries of one file kept by CConfigFile (support/ConfigFile.h).
//
// The file is the user's: $XDG_CONFIG_HOME/spekulor/window.ini, or
// $HOME/.config/spekulor/window.ini when XDG_CONFIG_HOME is not set (freedesktop.org's
// XDG base directory rules, "Environment variables"). A store without a path remembers
// nothing: every lookup finds nothing and every write is dropped.
#ifndef SPEKULOR_DIALOG_WINDOWSTORE_H
#define SPEKULOR_DIALOG_WINDOWSTORE_H

#include <optional>
#include <string>

namespace spekulor::dialog {

// The store's file for this user; empty when neither variable is set.
std::string UserWindowStorePath();

class WindowStore {
 public:
  explicit WindowStore(std::string path = std::string()) : m_path(std::move(path)) {}

  const std::string& Path() const { return m_path; }
  // The entry's value, or nothing when the file, the section or the entry is missing.
  std::optional<std::string> Get(const char* section, const char* name) const;
  // A number stored by SetNumber; nothing for a missing entry or one that is no number.
  std::optional<double> GetNumber(const char* section, const char* name) const;
  // Writes the entry (its folder made first); an empty `value` is kept as empty, a
  // value with a line end, a double quote or a NUL is not storable and not written.
  // False when nothing was written.
  bool Set(const char* section, const char* name, const std::string& value);
  bool SetNumber(const char* section, const char* name, double value);
  bool Remove(const char* section, const char* name);

 private:
  std::string m_path;
};

}  // namespace spekulor::dialog

#endif
