// The window's commands that leave or enter the program through files: Calculate
// with lens export, File New, File Open and File Save as.
//
// The commands talk to the window only through DesignCommandWindow, so the window
// and the tests each supply their own. No state is kept between commands: no file
// name, no modified flag.
#ifndef SPEKULOR_FILES_DESIGNCOMMANDS_H
#define SPEKULOR_FILES_DESIGNCOMMANDS_H

#include <optional>
#include <string>

#include "DesignInput.h"

// A file dialog in the window system's terms. The filter is written
// "Description|pattern|Description|pattern||"; `defaultExt` completes a name typed
// without an extension.
struct FileDialogSpec {
  bool openFile;  // false: a save dialog
  const char* defaultExt;
  const char* fileName;  // the name proposed
  unsigned flags;        // kDialogHideReadOnly, kDialogOverwritePrompt
  const char* filter;
};
constexpr unsigned kDialogOverwritePrompt = 0x2;
constexpr unsigned kDialogHideReadOnly = 0x4;

extern const FileDialogSpec kLensSaveDialog;    // "untitled.len", OSLO Lens Files
extern const FileDialogSpec kDesignOpenDialog;  // "untitled.spekulor", Spekulor Files
extern const FileDialogSpec kDesignSaveDialog;

extern const char kErrorWriting[];  // "Error writing"
extern const char kErrorReading[];  // "Error reading"

// What the commands need of the window.
class DesignCommandWindow {
 public:
  virtual ~DesignCommandWindow() = default;
  // The twelve values and the results text, as the window's members hold them.
  virtual DesignFields& Fields() = 0;
  virtual std::string& Report() = 0;
  // true: controls into members; false: members into controls.
  virtual void UpdateData(bool saveAndValidate) = 0;
  // A modal box with one OK button.
  virtual void MessageBox(const std::string& text) = 0;
  // A modal file dialog: the path chosen (in the file system's encoding), or
  // nothing when it was cancelled.
  virtual std::optional<std::string> AskFilePath(const FileDialogSpec& dialog) = 0;
};

// Calculate with lens export: refuses inch, then refused inputs, with one box each;
// otherwise shows the lens text in place of the report, asks for a path and writes
// the file whole (atomically for a regular file). "Error writing" on any failure.
void RunCalculateOslo(DesignCommandWindow& window);

// File New: the window's start-up values; the results text stays.
void RunFileNew(DesignCommandWindow& window);

// File Open: asks for a design file and shows its values (OpenDesignPath).
void RunFileOpen(DesignCommandWindow& window);

// Opens the design file at `path` as File Open does after its dialog: the twelve
// values replace the members, which then go to the controls. A file that cannot be
// read, or a path too long for the store, shows "Error reading" and changes
// nothing. Also used for the design file named when the program starts.
void OpenDesignPath(DesignCommandWindow& window, const std::string& path);

// File Save as: takes the controls into the members, asks for a path and writes the
// twelve entries; "Error writing" once when the path is too long or a write fails.
void RunFileSaveAs(DesignCommandWindow& window);

#endif
