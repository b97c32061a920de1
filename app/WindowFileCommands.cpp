#include "WindowFileCommands.h"

#include <utility>

#include "DesignCommands.h"
#include "TelescopeDlg.h"

namespace {

// The command layer's view of the window: its members, its exchange and its boxes.
class DlgCommandWindow : public DesignCommandWindow {
 public:
  explicit DlgCommandWindow(CTelescopeDlg& dlg) : m_dlg(dlg) {}

  DesignFields& Fields() override { return m_dlg; }
  std::string& Report() override { return m_dlg.m_strReport; }
  void UpdateData(bool saveAndValidate) override { m_dlg.UpdateData(saveAndValidate); }
  void MessageBox(const std::string& text) override { m_dlg.MessageBox(text); }
  std::optional<std::string> AskFilePath(const FileDialogSpec& dialog) override {
    FileDialogRequest request;
    request.openFile = dialog.openFile;
    request.defaultExt = dialog.defaultExt;
    request.fileName = dialog.fileName;
    request.flags = ((dialog.flags & kDialogHideReadOnly) != 0 ? kHideReadOnly : 0u) |
                    ((dialog.flags & kDialogOverwritePrompt) != 0 ? kOverwritePrompt : 0u);
    request.filter = dialog.filter;
    return m_dlg.AskFilePath(request);
  }

 private:
  CTelescopeDlg& m_dlg;
};

}  // namespace

WindowFileCommands::WindowFileCommands(std::string startupDesign)
    : m_startupDesign(std::move(startupDesign)) {}

void WindowFileCommands::CalculateOslo(CTelescopeDlg& dlg) {
  DlgCommandWindow window(dlg);
  RunCalculateOslo(window);
}

void WindowFileCommands::FileNew(CTelescopeDlg& dlg) {
  DlgCommandWindow window(dlg);
  RunFileNew(window);
}

void WindowFileCommands::FileOpen(CTelescopeDlg& dlg) {
  DlgCommandWindow window(dlg);
  RunFileOpen(window);
}

void WindowFileCommands::FileSaveAs(CTelescopeDlg& dlg) {
  DlgCommandWindow window(dlg);
  RunFileSaveAs(window);
}

void WindowFileCommands::WindowOpened(CTelescopeDlg& dlg) {
  if (m_startupDesign.empty()) return;
  DlgCommandWindow window(dlg);
  OpenDesignPath(window, m_startupDesign);
}
