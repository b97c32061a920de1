// The File menu's recent design files, newest first, at most kMostRecentFiles, kept in
// the window's configuration store (section "Recent files", entries File1, File2...).
#ifndef SPEKULOR_DIALOG_RECENTFILES_H
#define SPEKULOR_DIALOG_RECENTFILES_H

#include <string>
#include <vector>

#include "dialog/WindowStore.h"

namespace spekulor::dialog {

constexpr int kMostRecentFiles = 8;

// The paths in the store, newest first; empty entries and repeats are passed over.
std::vector<std::string> RecentFiles(const WindowStore& store);

// `path` becomes the newest; an older entry of the same path goes, and the oldest goes
// beyond kMostRecentFiles.
void AddRecentFile(WindowStore& store, const std::string& path);

// Takes `path` off the list.
void RemoveRecentFile(WindowStore& store, const std::string& path);

}  // namespace spekulor::dialog

#endif
