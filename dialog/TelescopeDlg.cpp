#include "dialog/TelescopeDlg.h"

#include <utility>

#include "files/DesignFile.h"
#include "dialog/FileDialogs.h"
#include "dialog/RecentFiles.h"
#include "files/FileMessages.h"
#include "support/ConfigFile.h"
#include "support/FileReplace.h"
#include "files/LensExport.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::files;

namespace spekulor::dialog {

namespace {

struct RadioBinding {
  int firstId;
  int DesignFields::*member;
};

struct TextBinding {
  int id;
  std::string TelescopeDlgMembers::*member;
};

// The exchange runs in this order: the two groups, then the edits.
const RadioBinding kRadioBindings[] = {
    {IDC_UNIT_INCH, &DesignFields::m_nUnits},
    {IDC_TYPE_CLASSICAL, &DesignFields::m_nType},
};

const TextBinding kTextBindings[] = {
    {IDC_FIELD, &TelescopeDlgMembers::m_strField},
    {IDC_PRI_DIA, &TelescopeDlgMembers::m_strPriDia},
    {IDC_PRI_FOC, &TelescopeDlgMembers::m_strPriFoc},
    {IDC_BACK_FOC_LEN, &TelescopeDlgMembers::m_strBackFocLen},
    {IDC_SEC_CC, &TelescopeDlgMembers::m_strSecCC},
    {IDC_PRI_CC, &TelescopeDlgMembers::m_strPriCC},
    {IDC_SEC_PRI_DIST, &TelescopeDlgMembers::m_strSecPriDist},
    {IDC_SEC_SYS_DIST, &TelescopeDlgMembers::m_strSecSysDist},
    {IDC_SYS_FOC, &TelescopeDlgMembers::m_strSysFoc},
    {IDC_SEC_RAD_CUR, &TelescopeDlgMembers::m_strSecRadCur},
    {IDC_REPORT, &TelescopeDlgMembers::m_strReport},
};

// The command map.
struct CommandEntry {
  int id;
  void (CTelescopeDlg::*handler)();
};

const CommandEntry kCommandMap[] = {
    {IDOK, &CTelescopeDlg::OnOK},
    {IDCANCEL, &CTelescopeDlg::OnCancel},
    {IDC_CALC_OSLO, &CTelescopeDlg::OnCalculateOslo},
    {IDM_CALCULATE_RESULTS, &CTelescopeDlg::OnCalculateResults},
    {IDM_CALCULATE_OSLO, &CTelescopeDlg::OnCalculateOslo},
    {ID_FILE_NEW, &CTelescopeDlg::OnFileNew},
    {ID_FILE_OPEN, &CTelescopeDlg::OnFileOpen},
    {ID_FILE_SAVE_AS, &CTelescopeDlg::OnFileSaveAs},
    {IDM_QUIT, &CTelescopeDlg::OnQuit},
    {IDM_VIEW_LAYOUT, &CTelescopeDlg::OnViewLayout},
    {IDM_VIEW_BAFFLES, &CTelescopeDlg::OnViewBaffles},
    {IDM_VIEW_QUALITY, &CTelescopeDlg::OnViewQuality},
    {IDM_VIEW_COLLIMATION, &CTelescopeDlg::OnViewCollimation},
    {IDM_VIEW_MIRROR_TESTS, &CTelescopeDlg::OnViewMirrorTests},
    {IDM_VIEW_CAMERA, &CTelescopeDlg::OnViewCamera},
    {IDM_EXPORT_ZEMAX, &CTelescopeDlg::OnExportZemax},
    {IDM_EXPORT_CODEV, &CTelescopeDlg::OnExportCodeV},
};

}  // namespace

CTelescopeDlg::CTelescopeDlg(DialogPlatform& platform, std::string startupDesign)
    : m_hIcon(0), m_platform(platform), m_startupDesign(std::move(startupDesign)) {
  m_nUnits = -1;
  m_nType = -1;
  for (const TextBinding& binding : kTextBindings) (this->*binding.member).clear();
  m_hIcon = m_platform.LoadIcon(IDR_MAINFRAME);
}

CTelescopeDlg::~CTelescopeDlg() = default;

int CTelescopeDlg::DoModal() { return m_platform.DoModal(*this); }

void CTelescopeDlg::UpdateData(bool saveAndValidate) {
  for (const RadioBinding& binding : kRadioBindings) {
    if (saveAndValidate) {
      this->*binding.member = m_platform.CheckedRadio(binding.firstId);
    } else {
      m_platform.CheckRadio(binding.firstId, this->*binding.member);
    }
  }
  for (const TextBinding& binding : kTextBindings) {
    if (saveAndValidate) {
      this->*binding.member = m_platform.ControlText(binding.id);
    } else {
      m_platform.SetControlText(binding.id, this->*binding.member);
    }
  }
}

bool CTelescopeDlg::OnInitDialog() {
  // The start-up design: mm, Ritchey-Chretien, 400.0, 1000.0, 0.75, 3200.0, 254.
  static_cast<DesignFields&>(*this) = DesignFields();
  UpdateData(false);

  m_platform.SetCaption("Spekulor");
  // Without the font the report keeps the dialog font; nothing else depends on it.
  m_platform.SetControlFont(IDC_REPORT, ReportFontTemplate());

  if (m_platform.HasSystemMenu()) {
    const char* aboutMenu = LoadResourceString(IDS_ABOUTBOX);
    if (aboutMenu != nullptr && *aboutMenu != '\0') {
      m_platform.AppendSystemMenuSeparator();
      m_platform.AppendSystemMenuItem(IDM_ABOUTBOX, aboutMenu);
    }
  }

  m_platform.SetIcon(m_hIcon, true);
  m_platform.SetIcon(m_hIcon, false);

  if (!m_startupDesign.empty()) OpenDesignPath(m_startupDesign);
  return true;
}

void CTelescopeDlg::OnCommand(int id) {
  if (id >= ID_FILE_MRU_FIRST && id < ID_FILE_MRU_FIRST + kMostRecentFiles) {
    OnRecentFile(id - ID_FILE_MRU_FIRST);
    return;
  }
  for (const CommandEntry& entry : kCommandMap) {
    if (entry.id == id) {
      (this->*entry.handler)();
      return;
    }
  }
}

void CTelescopeDlg::OnSysCommand(int id) {
  // The window system keeps flags in the low four bits of a system command.
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    m_platform.ShowAboutBox();
  } else {
    m_platform.DefaultSysCommand(id);
  }
}

bool CTelescopeDlg::CalculateAndShow() {
  UpdateData(true);
  const CalculateOutcome outcome = Calculate(*this);
  if (!outcome.ok()) {
    m_platform.MessageBox(outcome.errorText);
    return false;
  }
  m_strReport = outcome.report;
  UpdateData(false);
  DesignCompleted(outcome.calculation);
  return true;
}

void CTelescopeDlg::OnOK() { CalculateAndShow(); }

void CTelescopeDlg::ExportDesign(ExportFormat format, const FileDialogRequest& dialog) {
  if (!CalculateAndShow()) return;
  const std::string text = FormatDesignExport(*m_lastDesign, format);
  const std::optional<std::string> path = m_platform.AskFilePath(dialog);
  if (!path) return;
  WriteChosenFile(*path, text);
}

void CTelescopeDlg::WriteChosenFile(const std::string& path, const std::string& bytes) {
  const int error = ReplaceFileContents(path, bytes);
  if (error != 0) m_platform.MessageBox(kErrorWriting, FileProblemDetail(path, SystemFileProblem(error)));
}

void CTelescopeDlg::OnExportZemax() { ExportDesign(ExportFormat::Zemax, kZemaxSaveDialog); }

void CTelescopeDlg::OnExportCodeV() { ExportDesign(ExportFormat::CodeV, kCodeVSaveDialog); }

void CTelescopeDlg::OnCancel() { m_platform.EndDialog(IDCANCEL); }

void CTelescopeDlg::OnCalculateResults() { OnOK(); }

void CTelescopeDlg::OnQuit() { OnCancel(); }

void CTelescopeDlg::DesignCompleted(const Calculation& calculation) {
  m_lastDesign = std::make_shared<const Calculation>(calculation);
  if (m_platform.PicturesOpen()) m_platform.UpdatePictures(m_lastDesign);
}

void CTelescopeDlg::ShowPicturePage(int page) {
  if (!m_lastDesign) OnOK();
  if (!m_lastDesign) return;  // refused: Calculate has shown its box
  m_platform.ShowPictures(m_lastDesign, page);
}

void CTelescopeDlg::OnViewLayout() { ShowPicturePage(kLayoutPage); }

void CTelescopeDlg::OnViewBaffles() { ShowPicturePage(kBafflesPage); }

void CTelescopeDlg::OnViewQuality() { ShowPicturePage(kQualityPage); }

void CTelescopeDlg::OnViewCollimation() { ShowPicturePage(kCollimationPage); }

void CTelescopeDlg::OnViewMirrorTests() { ShowPicturePage(kMirrorTestsPage); }
void CTelescopeDlg::OnViewCamera() { ShowPicturePage(kCameraPage); }

// Refuses inch, then refused inputs, with one box each; otherwise shows the lens
// text in place of the report, asks for a path and writes the file whole.
void CTelescopeDlg::OnCalculateOslo() {
  UpdateData(true);
  const LensExport lens = BuildLensExport(*this);
  if (!lens.ok()) {
    m_platform.MessageBox(lens.text);
    return;
  }
  m_strReport = lens.text;
  UpdateData(false);
  DesignCompleted(lens.calculation);

  const std::optional<std::string> path = m_platform.AskFilePath(kLensSaveDialog);
  if (!path) return;
  WriteChosenFile(*path, lens.text);
}

void CTelescopeDlg::OnFileNew() {
  static_cast<DesignFields&>(*this) = DesignFields();
  UpdateData(false);
}

void CTelescopeDlg::OpenDesignPath(const std::string& path) {
  FileProblem problem;
  if (LoadDesignFile(path, *this, &problem) != DesignFileStatus::Ok) {
    m_platform.MessageBox(kErrorReading, FileProblemDetail(path, problem));
    return;
  }
  UpdateData(false);
  RememberFile(path);
}

void CTelescopeDlg::RememberFile(const std::string& path) {
  WindowStore store(m_platform.StorePath());
  if (store.Path().empty()) return;
  AddRecentFile(store, path);
  m_platform.RecentFilesChanged();
}

void CTelescopeDlg::OnRecentFile(int index) {
  WindowStore store(m_platform.StorePath());
  const std::vector<std::string> paths = RecentFiles(store);
  if (index < 0 || index >= static_cast<int>(paths.size())) return;
  const std::string& path = paths[static_cast<size_t>(index)];
  if (!FileExists(path.c_str())) {
    RemoveRecentFile(store, path);
    m_platform.RecentFilesChanged();
    m_platform.MessageBox("The file is no longer there; it is taken off the list of recent files.",
                          path);
    return;
  }
  OpenDesignPath(path);
}

void CTelescopeDlg::OnFileOpen() {
  const std::optional<std::string> path = m_platform.AskFilePath(kDesignOpenDialog);
  if (!path) return;
  OpenDesignPath(*path);
}

// Takes the controls into the members, asks for a path and writes the twelve entries
// in one replacement of the file. A value the file could not give back is named in a
// box and nothing is written.
void CTelescopeDlg::OnFileSaveAs() {
  UpdateData(true);
  const std::optional<std::string> path = m_platform.AskFilePath(kDesignSaveDialog);
  if (!path) return;
  const DesignFileEntry* refused = nullptr;
  FileProblem problem;
  switch (SaveDesignFile(*path, *this, &refused, &problem)) {
    case DesignFileStatus::Ok:
      RememberFile(*path);
      return;
    case DesignFileStatus::ValueNotStorable:
      m_platform.MessageBox(refused->notStorableMessage);
      return;
    default:
      m_platform.MessageBox(kErrorWriting, FileProblemDetail(*path, problem));
      return;
  }
}

}  // namespace spekulor::dialog
