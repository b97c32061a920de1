// The file dialogs of the window's commands and the two messages of its file commands.
#ifndef SPEKULOR_DIALOG_FILEDIALOGS_H
#define SPEKULOR_DIALOG_FILEDIALOGS_H

#include "dialog/DialogPlatform.h"

namespace spekulor::dialog {

extern const FileDialogRequest kLensSaveDialog;    // "untitled.len", OSLO Lens Files
extern const FileDialogRequest kDesignOpenDialog;  // "untitled.spekulor", Spekulor Files
extern const FileDialogRequest kDesignSaveDialog;
extern const FileDialogRequest kZemaxSaveDialog;   // "untitled.zmx", Zemax Lens Files
extern const FileDialogRequest kCodeVSaveDialog;   // "untitled.seq", CODE V Sequence Files
extern const FileDialogRequest kMaskSaveDialog;    // "mask.svg", SVG Pictures

}  // namespace spekulor::dialog

#endif
