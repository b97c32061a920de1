#include "dialog/FieldHelp.h"

#include "dialog/DialogTemplate.h"

namespace spekulor::dialog {

namespace {

struct Help {
  int id;
  const char* text;
};

const Help kHelp[] = {
    {IDC_PRI_DIA, "Clear diameter of the primary mirror. Always needed."},
    {IDC_FIELD, "Full angle of the fully illuminated field, in degrees. Always needed."},
    {IDC_PRI_FOC, "Focal length of the primary mirror. Always needed."},
    {IDC_SYS_FOC,
     "Focal length of the whole telescope. Without a secondary radius, it and the back focal "
     "length fix the layout."},
    {IDC_BACK_FOC_LEN,
     "Distance from the primary's vertex back to the focus. Fixes the layout with the system "
     "focal length (no secondary radius), or with the secondary radius."},
    {IDC_SEC_SYS_DIST,
     "Distance from the secondary to the system focus. With the secondary radius, fixes the "
     "layout."},
    {IDC_SEC_PRI_DIST,
     "Distance from the secondary to the primary's focus. With the secondary radius, fixes the "
     "layout."},
    {IDC_SEC_RAD_CUR,
     "Radius of curvature of the secondary. Given, the layout is fixed by it and the secondary "
     "conic, the distance from the prime focus, from the system focus or the back focal "
     "length, the first of these given."},
    {IDC_PRI_CC,
     "Conic constant of the primary (-1: a paraboloid). A stigmatic combination needs it or "
     "the secondary conic."},
    {IDC_SEC_CC,
     "Conic constant of the secondary, read as a classical secondary's magnitude. With the "
     "secondary radius, fixes the layout."},
};

}  // namespace

const char* FieldHelp(int controlId) {
  for (const Help& help : kHelp) {
    if (help.id == controlId) return help.text;
  }
  return nullptr;
}

}  // namespace spekulor::dialog
