// What the main window's commands need of the windowing toolkit, and nothing more.
//
// CTelescopeDlg and its commands use only this interface: the
// toolkit implementation (QtTelescopeWindow) builds the real widgets, and the unit
// tests drive every command through a scripted stand-in without a display. Texts
// are Windows-1252 bytes; file paths are in the file system's own encoding.
#ifndef SPEKULOR_DIALOG_DIALOGPLATFORM_H
#define SPEKULOR_DIALOG_DIALOGPLATFORM_H

#include <memory>
#include <optional>
#include <string>

#include "support/AppCore.h"
#include "calc/Calculate.h"
#include "dialog/DialogTemplate.h"
#include "dialog/PictureSet.h"

namespace spekulor::dialog {

// The window's side of the conversation: what the toolkit calls when the window
// opens and when a command, a key or a system-menu item is raised.
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;
  // The window exists and its controls are empty; returns true when the focus is to
  // go to the first tab stop.
  virtual bool OnInitDialog() = 0;
  // A button or menu item with this command id (1 is the Enter key's default button).
  virtual void OnCommand(int id) = 0;
  // An item of the window's system menu.
  virtual void OnSysCommand(int id) = 0;
};

// A file open or save dialog. The filter is written in the window system's way:
// "Description|pattern|Description|pattern||".
struct FileDialogRequest {
  bool openFile = true;     // false: a save dialog
  std::string defaultExt;   // "*.len": completes a name typed without an extension
  std::string fileName;     // the name proposed
  unsigned flags = 0;       // kHideReadOnly, kOverwritePrompt
  std::string filter;
};
enum : unsigned { kHideReadOnly = 0x4, kOverwritePrompt = 0x2 };

using IconHandle = int;  // the resource id of a loaded icon; 0 when none

class DialogPlatform {
 public:
  virtual ~DialogPlatform() = default;

  // Runs the window modally: creates it, calls handler.OnInitDialog(), shows it and
  // returns the result passed to EndDialog once the window is closed.
  virtual int DoModal(DialogHandler& handler) = 0;
  virtual void EndDialog(int result) = 0;

  // Data exchange primitives. A radio group is named by its first button's id;
  // CheckedRadio gives the index of its checked button or -1, CheckRadio checks the
  // button of that index and clears the others (-1 clears all).
  virtual std::string ControlText(int id) = 0;
  virtual void SetControlText(int id, const std::string& text) = 0;
  virtual int CheckedRadio(int firstId) = 0;
  virtual void CheckRadio(int firstId, int index) = 0;

  virtual void SetCaption(const std::string& caption) = 0;
  // Gives the control a font; false when no such font can be made.
  virtual bool SetControlFont(int id, const FontTemplate& font) = 0;
  virtual void EnableCommand(int id, bool enabled) = 0;
  virtual IconHandle LoadIcon(int resourceId) = 0;
  virtual void SetIcon(IconHandle icon, bool bigIcon) = 0;

  // The window's system menu: false when it has none.
  virtual bool HasSystemMenu() = 0;
  virtual void AppendSystemMenuSeparator() = 0;
  virtual void AppendSystemMenuItem(int id, const std::string& text) = 0;
  // What the toolkit does with a system command the window leaves alone.
  virtual void DefaultSysCommand(int id) = 0;

  // Modal boxes, owned by the window.
  // One OK button, the program's name as title. `detail`, when not empty, is more
  // the user may unfold under the text: for a file that could not be read or written,
  // its path (in the file system's own encoding) and the reason (ASCII).
  virtual void MessageBox(const std::string& text, const std::string& detail = std::string()) = 0;
  virtual std::optional<std::string> AskFilePath(const FileDialogRequest& request) = 0;
  virtual void ShowAboutBox() = 0;
  // The pictures window: modeless, beside the main window. ShowPictures opens it, or
  // brings it to the front, on page `page` of `design`; UpdatePictures makes the open
  // window show `design` on the page it has; PicturesOpen tells whether the user has
  // it open. A design is never changed once made: the same object again is the same
  // design, whose pages the window may keep. The window computes only the page it
  // shows, and off its own thread (see PicturePages).
  virtual void ShowPictures(std::shared_ptr<const calc::Calculation> design, int page) = 0;
  virtual bool PicturesOpen() = 0;
  virtual void UpdatePictures(std::shared_ptr<const calc::Calculation> design) = 0;

  // The window's configuration store (WindowStore.h): its file, or empty for a window
  // that remembers nothing.
  virtual std::string StorePath() { return std::string(); }
  // The recent files in the store changed: the File menu shows them anew.
  virtual void RecentFilesChanged() {}

  // The assertion box: the report text, the title "Assert", the stop icon and the
  // buttons Abort, Retry and Ignore; owned by the active window.
  virtual support::AssertAnswer AskAssertion(const std::string& reportText) = 0;
  // Shows the text of a fatal application exit before the process ends.
  virtual void ShowFatalExit(const std::string& text) = 0;
};

}  // namespace spekulor::dialog

#endif
