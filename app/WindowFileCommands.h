// The window's file commands: Calculate with lens export and File New, Open and Save
// as, run by the toolkit-neutral command layer on the window's members and boxes.
#ifndef SPEKULOR_APP_WINDOWFILECOMMANDS_H
#define SPEKULOR_APP_WINDOWFILECOMMANDS_H

#include <string>

#include "DesignFileCommands.h"

class WindowFileCommands : public DesignFileCommands {
 public:
  // `startupDesign`: a design file to open, as File Open does, when the window has
  // opened; empty for none.
  explicit WindowFileCommands(std::string startupDesign = std::string());

  void CalculateOslo(CTelescopeDlg& dlg) override;
  void FileNew(CTelescopeDlg& dlg) override;
  void FileOpen(CTelescopeDlg& dlg) override;
  void FileSaveAs(CTelescopeDlg& dlg) override;
  void WindowOpened(CTelescopeDlg& dlg) override;

 private:
  std::string m_startupDesign;
};

#endif
