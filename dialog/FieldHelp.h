// What each entry field of the main window is, for its tooltip: the quantity, and the
// part it plays in fixing the layout (the first row of the README's table "What you
// type" that applies wins).
#ifndef SPEKULOR_DIALOG_FIELDHELP_H
#define SPEKULOR_DIALOG_FIELDHELP_H

namespace spekulor::dialog {

// Windows-1252; null for a control that is not an entry field.
const char* FieldHelp(int controlId);

}  // namespace spekulor::dialog

#endif
