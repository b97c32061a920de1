// CTelescopeDlg: the program's one window, its members, its data exchange and its
// commands, independent of the toolkit. Everything it shows or asks goes through
// the DialogPlatform it is given.
#ifndef SPEKULOR_APP_TELESCOPEDLG_H
#define SPEKULOR_APP_TELESCOPEDLG_H

#include <optional>
#include <string>

#include "DesignInput.h"
#include "DialogPlatform.h"

class DesignFileCommands;

// The window's members: the twelve design values (m_nUnits, m_nType, m_strField,
// m_strPriDia, ...) as DesignFields holds them, and the report text.
struct TelescopeDlgMembers : DesignFields {
  std::string m_strReport;  // CR LF line ends
};

class CTelescopeDlg : public TelescopeDlgMembers, public DialogHandler {
 public:
  // Every text member empty, both radio members -1, the program icon loaded.
  // `fileCommands` may be null: the commands it serves are then disabled.
  CTelescopeDlg(DialogPlatform& platform, DesignFileCommands* fileCommands);
  ~CTelescopeDlg() override;
  CTelescopeDlg(const CTelescopeDlg&) = delete;
  CTelescopeDlg& operator=(const CTelescopeDlg&) = delete;

  int DoModal();

  // Data exchange with the controls: true copies controls into members, false
  // members into controls; bindings in the order units, type, then the edits.
  void UpdateData(bool saveAndValidate);

  // Boxes for the commands, owned by this window.
  void MessageBox(const std::string& text);
  std::optional<std::string> AskFilePath(const FileDialogRequest& request);

  // DialogHandler.
  bool OnInitDialog() override;
  void OnCommand(int id) override;
  void OnSysCommand(int id) override;

  // Command handlers.
  void OnOK();      // Calculate; the window stays open
  void OnCancel();  // ends the window
  void OnCalculateResults();
  void OnCalculateOslo();
  void OnFileNew();
  void OnFileOpen();
  void OnFileSaveAs();
  void OnQuit();
  void OnViewLayout();  // the pictures of the exact ray trace for the current inputs

  IconHandle m_hIcon;

 private:
  DialogPlatform& m_platform;
  DesignFileCommands* m_pFileCommands;
};

#endif
