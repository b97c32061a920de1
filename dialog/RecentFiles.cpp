#include "dialog/RecentFiles.h"

#include <algorithm>
#include <optional>

namespace spekulor::dialog {

namespace {

constexpr char kRecentSection[] = "Recent files";

std::string EntryName(int index) { return "File" + std::to_string(index + 1); }

void StoreList(WindowStore& store, const std::vector<std::string>& paths) {
  for (int index = 0; index < kMostRecentFiles; ++index) {
    const std::string name = EntryName(index);
    if (index < static_cast<int>(paths.size())) {
      store.Set(kRecentSection, name.c_str(), paths[static_cast<size_t>(index)]);
    } else {
      store.Remove(kRecentSection, name.c_str());
    }
  }
}

}  // namespace

std::vector<std::string> RecentFiles(const WindowStore& store) {
  std::vector<std::string> paths;
  for (int index = 0; index < kMostRecentFiles; ++index) {
    const std::optional<std::string> path = store.Get(kRecentSection, EntryName(index).c_str());
    if (!path || path->empty()) continue;
    if (std::find(paths.begin(), paths.end(), *path) == paths.end()) paths.push_back(*path);
  }
  return paths;
}

void AddRecentFile(WindowStore& store, const std::string& path) {
  std::vector<std::string> paths = RecentFiles(store);
  paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
  paths.insert(paths.begin(), path);
  if (paths.size() > static_cast<size_t>(kMostRecentFiles)) paths.resize(kMostRecentFiles);
  StoreList(store, paths);
}

void RemoveRecentFile(WindowStore& store, const std::string& path) {
  std::vector<std::string> paths = RecentFiles(store);
  paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
  StoreList(store, paths);
}

}  // namespace spekulor::dialog
