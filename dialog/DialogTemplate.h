// The window resources: the dialog templates of the main window (102) and the about
// box (100), the menu bar (129), the string table (101) and the report font.
//
// These are fixed layouts written once as tables; the toolkit side builds its widgets
// by looping over them. Positions and sizes are in dialog units of the template's
// font (see DialogUnits.h). Texts are Windows-1252 bytes.
#ifndef SPEKULOR_DIALOG_DIALOGTEMPLATE_H
#define SPEKULOR_DIALOG_DIALOGTEMPLATE_H

#include <cstddef>

namespace spekulor::dialog {

// Control and command ids.
enum : int {
  IDOK = 1,
  IDCANCEL = 2,
  IDC_CALC_OSLO = 3,
  IDC_TYPE_CLASSICAL = 1000,
  IDC_TYPE_DALL_KIRKHAM = 1001,
  IDC_TYPE_RITCHEY_CHRETIEN = 1002,
  IDC_TYPE_PRESSMANN_CAMICHEL = 1003,
  IDC_TYPE_STIGMATIC = 1004,
  IDC_PRI_DIA = 1005,
  IDC_UNIT_INCH = 1006,
  IDC_UNIT_MM = 1007,
  IDC_FIELD = 1008,
  IDC_PRI_FOC = 1009,
  IDC_SYS_FOC = 1010,
  IDC_BACK_FOC_LEN = 1011,
  IDC_SEC_SYS_DIST = 1012,
  IDC_SEC_PRI_DIST = 1013,
  IDC_SEC_RAD_CUR = 1014,
  IDC_PRI_CC = 1015,
  IDC_SEC_CC = 1016,
  IDC_REPORT = 1017,
  IDM_ABOUTBOX = 16,
  IDM_CALCULATE_RESULTS = 40004,
  IDM_CALCULATE_OSLO = 40007,
  IDM_QUIT = 40009,
  IDM_VIEW_LAYOUT = 40011,  // View > Layout and spot diagrams...
  IDM_VIEW_BAFFLES = 40014,  // View > Baffles and hole...
  IDM_VIEW_QUALITY = 40015,  // View > Image quality...
  IDM_VIEW_COLLIMATION = 40016,  // View > Collimation...
  IDM_VIEW_MIRROR_TESTS = 40017,  // View > Mirror tests...
  IDM_VIEW_CAMERA = 40018,  // View > Camera...
  IDM_EXPORT_ZEMAX = 40012,  // Export > Zemax lens file (.zmx)...
  IDM_EXPORT_CODEV = 40013,  // Export > CODE V sequence (.seq)...
  ID_FILE_NEW = 57600,
  ID_FILE_OPEN = 57601,
  ID_FILE_SAVE_AS = 57603,
  ID_FILE_MRU_FIRST = 57616,  // File > 1 ... 8, the recent files (RecentFiles.h)
  SC_CLOSE = 0xF060,
  IDD_ABOUTBOX = 100,
  IDS_ABOUTBOX = 101,
  IDD_TELESCOPE_DIALOG = 102,
  IDR_MAINFRAME = 128,
  IDR_MENU = 129,
  IDC_STATIC = -1
};

enum class ControlKind {
  PushButton,
  RadioButton,
  Label,       // static text, left-aligned unless kRightAlign
  Edit,        // single-line entry field, scrolls sideways
  ReportBox,   // multi-line read-only text with both scroll bars, no wrapping
  GroupFrame,  // a frame with an optional title; takes no focus
  Icon         // the program icon
};

// Style bits of a control.
enum : unsigned {
  kTabStop = 1u << 0,
  kGroup = 1u << 1,         // starts a group (radio buttons: the first of a group)
  kDefault = 1u << 2,       // the dialog's default button: Enter presses it
  kDrawnDefault = 1u << 3,  // drawn with the default button's frame, without being default
  kRightAlign = 1u << 4
};

struct ControlTemplate {
  int id;  // IDC_STATIC for controls that no code addresses
  ControlKind kind;
  const char* text;
  int x, y, width, height;
  unsigned style;
};

struct DialogTemplate {
  int resourceId;
  const char* caption;
  const char* fontFace;
  int pointSize;
  int width, height;
  const ControlTemplate* controls;  // in template order, which is the tab order
  std::size_t controlCount;
};

const DialogTemplate& MainDialogTemplate();   // 102
const DialogTemplate& AboutDialogTemplate();  // 100

// The control with the given id, or null.
const ControlTemplate* FindControl(const DialogTemplate& dialog, int id);

// Menu 129. A separator has id 0 and no text.
struct MenuItemTemplate {
  const char* menu;
  const char* item;
  int id;
};
const MenuItemTemplate* MainMenuItems(std::size_t* count);

// The string table; null for an id it does not hold.
const char* LoadResourceString(int id);

// A font description in the window system's terms (a LOGFONT).
struct FontTemplate {
  int height;  // positive: the character cell height in pixels
  int width, escapement, orientation, weight;
  bool italic, underline, strikeOut;
  int charSet, outPrecision, clipPrecision, quality, pitchAndFamily;
  const char* faceName;
};
const FontTemplate& ReportFontTemplate();

}  // namespace spekulor::dialog

#endif
