// CTelescopeDlg: the program's one window, its members, its data exchange and its
// commands, independent of the toolkit. Everything it shows or asks goes through
// the DialogPlatform it is given.
#ifndef SPEKULOR_DIALOG_TELESCOPEDLG_H
#define SPEKULOR_DIALOG_TELESCOPEDLG_H

#include <memory>
#include <optional>
#include <string>

#include "calc/Calculate.h"
#include "files/DesignExport.h"
#include "calc/DesignInput.h"
#include "dialog/DialogPlatform.h"

namespace spekulor::dialog {

// The window's members: the twelve design values (m_nUnits, m_nType, m_strField,
// m_strPriDia, ...) as DesignFields holds them, and the report text.
struct TelescopeDlgMembers : calc::DesignFields {
  std::string m_strReport;  // CR LF line ends
};

class CTelescopeDlg : public TelescopeDlgMembers, public DialogHandler {
 public:
  // Every text member empty, both radio members -1, the program icon loaded.
  // `startupDesign`: a design file opened as File Open opens it once the window has
  // opened with its start values; empty for none.
  explicit CTelescopeDlg(DialogPlatform& platform, std::string startupDesign = std::string());
  ~CTelescopeDlg() override;
  CTelescopeDlg(const CTelescopeDlg&) = delete;
  CTelescopeDlg& operator=(const CTelescopeDlg&) = delete;

  int DoModal();

  // Data exchange with the controls: true copies controls into members, false
  // members into controls; bindings in the order units, type, then the edits.
  void UpdateData(bool saveAndValidate);

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
  // Opens the pictures window on the last completed design; calculates first when
  // nothing has been calculated yet.
  void OnViewLayout();
  void OnViewBaffles();      // the same, on the page "Baffles and hole"
  void OnViewQuality();      // on the page "Image quality"
  void OnViewCollimation();  // on the page "Collimation"
  void OnViewMirrorTests();  // on the page "Mirror tests"
  void OnViewCamera();       // on the page "Camera"
  // Export: calculate as Calculate does (a refusal shows its box), then ask for the
  // file and write the design for the optical design program.
  void OnExportZemax();
  void OnExportCodeV();

  // Opens the design file at `path` as File Open does after its dialog: the twelve
  // values replace the members, which then go to the controls. A file that cannot be
  // read shows "Error reading", with its path and the reason as the box's detail,
  // and changes nothing.
  void OpenDesignPath(const std::string& path);
  // File > 1 ... 8: opens the recent file of that index (0 the newest) as File Open
  // does; a file no longer there is said so and taken off the list.
  void OnRecentFile(int index);

  IconHandle m_hIcon;

 private:
  // A design was completed: it becomes what the pictures window shows, at once when
  // the window is open.
  void DesignCompleted(const calc::Calculation& calculation);
  // Calculate: the report of the fields' design, or its refusal box. True when the
  // design was completed (it is then m_lastDesign).
  bool CalculateAndShow();
  void ExportDesign(files::ExportFormat format, const FileDialogRequest& dialog);
  // Makes `bytes` the whole content of the chosen file, or shows "Error writing" with
  // the path and the reason as the box's detail (the file left as it was).
  void WriteChosenFile(const std::string& path, const std::string& bytes);
  void ShowPicturePage(int page);
  // A design file was read or written at `path`: it becomes the newest recent file.
  void RememberFile(const std::string& path);

  DialogPlatform& m_platform;
  std::string m_startupDesign;
  // The last design a command completed; a new object for each, never changed, so
  // that the pictures window can tell a new design from the one it keeps pages of.
  std::shared_ptr<const calc::Calculation> m_lastDesign;
};

}  // namespace spekulor::dialog

#endif
