#include "dialog/DialogTemplate.h"

#include "support/Version.h"

namespace spekulor::dialog {

namespace {

using K = ControlKind;

// Dialog 102, in template order.
const ControlTemplate kMainControls[] = {
    {IDOK, K::PushButton, "Calculate", 205, 130, 185, 20, kDefault | kTabStop},
    {IDC_TYPE_CLASSICAL, K::RadioButton, "Classical Cassegrain", 215, 70, 80, 10, kGroup},
    {IDC_TYPE_DALL_KIRKHAM, K::RadioButton, "Dall-Kirkham", 215, 81, 55, 10, 0},
    {IDC_TYPE_RITCHEY_CHRETIEN, K::RadioButton, "Ritchey-Chr\xE9tien", 215, 90, 68, 10, 0},
    {IDC_TYPE_PRESSMANN_CAMICHEL, K::RadioButton, "Pressmann-Camichel", 215, 100, 81, 10, 0},
    {IDC_TYPE_STIGMATIC, K::RadioButton, "Stigmatic combination", 215, 110, 85, 10, 0},
    {IDC_UNIT_INCH, K::RadioButton, "inch", 215, 20, 29, 10, kGroup},
    {IDC_UNIT_MM, K::RadioButton, "mm", 215, 30, 27, 10, 0},
    {IDC_STATIC, K::Label, "Primary Mirror Diameter:", 15, 25, 135, 8, kRightAlign | kGroup},
    {IDC_STATIC, K::Label, "Fully illuminated field:", 15, 41, 135, 8, kRightAlign},
    {IDC_PRI_DIA, K::Edit, "", 155, 20, 30, 14, kTabStop},
    {IDC_FIELD, K::Edit, "", 155, 36, 30, 14, kTabStop},
    {IDC_STATIC, K::Label, "Primary mirror focal length:", 15, 55, 135, 8, kRightAlign},
    {IDC_PRI_FOC, K::Edit, "", 155, 50, 30, 14, kTabStop},
    {IDC_STATIC, K::Label, "System focal length:", 15, 70, 135, 8, kRightAlign},
    {IDC_SYS_FOC, K::Edit, "", 155, 65, 30, 14, kTabStop},
    {IDC_STATIC, K::Label, "Back focal length:", 15, 85, 135, 8, kRightAlign},
    {IDC_BACK_FOC_LEN, K::Edit, "", 155, 81, 30, 14, kTabStop},
    {IDC_STATIC, K::Label, "Distance secondary from system focus:", 15, 100, 135, 8, kRightAlign},
    {IDC_SEC_SYS_DIST, K::Edit, "", 155, 95, 31, 14, kTabStop},
    {IDC_STATIC, K::Label, "Distance secondary from prime focus:", 15, 116, 135, 8, kRightAlign},
    {IDC_SEC_PRI_DIST, K::Edit, "", 155, 110, 31, 14, kTabStop},
    {IDC_STATIC, K::Label, "Radius of curvature of secondary mirror:", 15, 130, 135, 8,
     kRightAlign},
    {IDC_SEC_RAD_CUR, K::Edit, "", 155, 125, 31, 14, kTabStop},
    {IDC_STATIC, K::Label, "Primary mirror conic constant:", 15, 145, 135, 8, kRightAlign},
    {IDC_PRI_CC, K::Edit, "", 155, 140, 31, 14, kTabStop},
    {IDC_STATIC, K::Label, "Secondary mirror conic constant:", 15, 161, 135, 8, kRightAlign},
    {IDC_SEC_CC, K::Edit, "", 155, 156, 30, 14, kTabStop},
    {IDC_REPORT, K::ReportBox, "", 10, 193, 380, 152, kTabStop},
    {IDC_STATIC, K::GroupFrame, "Units", 205, 5, 185, 45, 0},
    {IDC_STATIC, K::GroupFrame, "Type", 205, 55, 185, 70, 0},
    {IDC_STATIC, K::GroupFrame, "", 10, 5, 185, 175, 0},
    {IDC_CALC_OSLO, K::PushButton, "Calculate; Create OSLO Lens File", 205, 155, 185, 20,
     kDrawnDefault | kTabStop},
};

// Dialog 100.
const ControlTemplate kAboutControls[] = {
    {IDC_STATIC, K::Icon, "", 11, 17, 20, 20, 0},
    {IDC_STATIC, K::Label, "Spekulor " SPEKULOR_VERSION, 40, 10, 119, 8, 0},
    {IDC_STATIC, K::Label, "Calculator for two-mirror telescopes of the Cassegrain family", 40,
     25, 209, 8, 0},
    {IDOK, K::PushButton, "OK", 274, 7, 50, 14, kDefault | kTabStop | kGroup},
};

const DialogTemplate kMainDialog = {
    IDD_TELESCOPE_DIALOG, "Spekulor", "MS Sans Serif", 8, 397, 356,
    kMainControls, sizeof kMainControls / sizeof kMainControls[0]};

const DialogTemplate kAboutDialog = {
    IDD_ABOUTBOX, "Info \xFC" "ber Spekulor", "MS Sans Serif", 8, 331, 97,
    kAboutControls, sizeof kAboutControls / sizeof kAboutControls[0]};

const MenuItemTemplate kMainMenu[] = {
    {"File", "New", ID_FILE_NEW},
    {"File", "Open", ID_FILE_OPEN},
    {"File", "Save as ...", ID_FILE_SAVE_AS},
    {"File", nullptr, 0},
    {"File", "Ouit", IDM_QUIT},
    {"Edit", "Calculate Results", IDM_CALCULATE_RESULTS},
    {"Edit", "Calculate Results; Export OSLO Lens-File", IDM_CALCULATE_OSLO},
    {"View", "Layout and spot diagrams...", IDM_VIEW_LAYOUT},
    {"View", "Image quality...", IDM_VIEW_QUALITY},
    {"View", "Baffles and hole...", IDM_VIEW_BAFFLES},
    {"View", "Collimation...", IDM_VIEW_COLLIMATION},
    {"View", "Mirror tests...", IDM_VIEW_MIRROR_TESTS},
    {"View", "Camera...", IDM_VIEW_CAMERA},
    {"Export", "Zemax lens file (.zmx)...", IDM_EXPORT_ZEMAX},
    {"Export", "CODE V sequence (.seq)...", IDM_EXPORT_CODEV},
};

// Height 12 cell, normal weight, ANSI, string/character precision, proof quality,
// variable pitch, "Courier".
const FontTemplate kReportFont = {12, 0, 0, 0, 400, false, false, false, 0, 2, 1, 2, 2,
                                  "Courier"};

}  // namespace

const DialogTemplate& MainDialogTemplate() { return kMainDialog; }
const DialogTemplate& AboutDialogTemplate() { return kAboutDialog; }

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
  for (std::size_t i = 0; i < dialog.controlCount; ++i) {
    if (dialog.controls[i].id == id) return &dialog.controls[i];
  }
  return nullptr;
}

const MenuItemTemplate* MainMenuItems(std::size_t* count) {
  *count = sizeof kMainMenu / sizeof kMainMenu[0];
  return kMainMenu;
}

const char* LoadResourceString(int id) {
  if (id == IDS_ABOUTBOX) return "Inf&o \xFC" "ber Spekulor...";
  return nullptr;
}

const FontTemplate& ReportFontTemplate() { return kReportFont; }

}  // namespace spekulor::dialog
