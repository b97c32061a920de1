#include "TelescopeDlg.h"

#include "Calculate.h"
#include "DesignFileCommands.h"
#include "DesignPictures.h"
#include "SpotDiagram.h"

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
};

// The commands served by DesignFileCommands.
const int kFileCommandIds[] = {IDC_CALC_OSLO, IDM_CALCULATE_OSLO, ID_FILE_NEW, ID_FILE_OPEN,
                               ID_FILE_SAVE_AS};

}  // namespace

CTelescopeDlg::CTelescopeDlg(DialogPlatform& platform, DesignFileCommands* fileCommands)
    : m_hIcon(0), m_platform(platform), m_pFileCommands(fileCommands) {
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

void CTelescopeDlg::MessageBox(const std::string& text) { m_platform.MessageBox(text); }

std::optional<std::string> CTelescopeDlg::AskFilePath(const FileDialogRequest& request) {
  return m_platform.AskFilePath(request);
}

bool CTelescopeDlg::OnInitDialog() {
  m_nUnits = 1;  // mm
  m_nType = 2;   // Ritchey-Chretien
  m_strPriDia = "400.0";
  m_strPriFoc = "1000.0";
  m_strField = "0.75";
  m_strSysFoc = "3200.0";
  m_strBackFocLen = "254";
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

  if (m_pFileCommands == nullptr) {
    for (int id : kFileCommandIds) m_platform.EnableCommand(id, false);
  } else {
    m_pFileCommands->WindowOpened(*this);
  }
  return true;
}

void CTelescopeDlg::OnCommand(int id) {
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

void CTelescopeDlg::OnOK() {
  UpdateData(true);
  const CalculateOutcome outcome = Calculate(*this);
  if (!outcome.ok()) {
    MessageBox(outcome.errorText);
    return;
  }
  m_strReport = outcome.report;
  UpdateData(false);
}

void CTelescopeDlg::OnCancel() { m_platform.EndDialog(IDCANCEL); }

void CTelescopeDlg::OnCalculateResults() { OnOK(); }

void CTelescopeDlg::OnQuit() { OnCancel(); }

// Reads and checks the inputs as Calculate does; a refusal shows the same box. The
// report is left as it is.
void CTelescopeDlg::OnViewLayout() {
  UpdateData(true);
  const DesignPictures pictures = DrawDesignPictures(*this, kDefaultSpotRays);
  if (!pictures.ok()) {
    MessageBox(pictures.errorText);
    return;
  }
  m_platform.ShowPictures(pictures.layout, pictures.spots);
}

void CTelescopeDlg::OnCalculateOslo() {
  if (m_pFileCommands != nullptr) m_pFileCommands->CalculateOslo(*this);
}

void CTelescopeDlg::OnFileNew() {
  if (m_pFileCommands != nullptr) m_pFileCommands->FileNew(*this);
}

void CTelescopeDlg::OnFileOpen() {
  if (m_pFileCommands != nullptr) m_pFileCommands->FileOpen(*this);
}

void CTelescopeDlg::OnFileSaveAs() {
  if (m_pFileCommands != nullptr) m_pFileCommands->FileSaveAs(*this);
}
