// The window commands whose work is done by the design-file and lens-export layer:
// Calculate with lens export (button 3, menu 40007) and File New, Open and Save as
// (57600, 57601, 57603).
//
// The window routes these four commands to its handlers (OnCalculateOslo, OnFileNew,
// OnFileOpen, OnFileSaveAs), and each handler hands the window to the matching
// function here. An implementation reads and writes the window's members and uses
// its UpdateData, MessageBox and AskFilePath. A window built without an
// implementation shows the button and the four menu items disabled, so none of
// them can appear to work while doing nothing.
#ifndef SPEKULOR_APP_DESIGNFILECOMMANDS_H
#define SPEKULOR_APP_DESIGNFILECOMMANDS_H

class CTelescopeDlg;

class DesignFileCommands {
 public:
  virtual ~DesignFileCommands() = default;
  virtual void CalculateOslo(CTelescopeDlg& dlg) = 0;
  virtual void FileNew(CTelescopeDlg& dlg) = 0;
  virtual void FileOpen(CTelescopeDlg& dlg) = 0;
  virtual void FileSaveAs(CTelescopeDlg& dlg) = 0;
  // The window has opened with its start values, before it is shown: the place to
  // load a design file named when the program was started.
  virtual void WindowOpened(CTelescopeDlg& dlg) { (void)dlg; }
};

#endif
