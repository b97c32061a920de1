#include "dialog/FileDialogs.h"

namespace spekulor::dialog {

const FileDialogRequest kLensSaveDialog = {
    false, "*.len", "untitled.len", kHideReadOnly | kOverwritePrompt,
    "OSLO Lens Files (*.len)|*.len|All Files (*.*)|*.*||"};
const FileDialogRequest kDesignOpenDialog = {
    true, "*.spekulor", "untitled.spekulor", kHideReadOnly | kOverwritePrompt,
    "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||"};
const FileDialogRequest kDesignSaveDialog = {
    false, "*.spekulor", "untitled.spekulor", kHideReadOnly | kOverwritePrompt,
    "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||"};
const FileDialogRequest kZemaxSaveDialog = {
    false, "*.zmx", "untitled.zmx", kHideReadOnly | kOverwritePrompt,
    "Zemax Lens Files (*.zmx)|*.zmx|All Files (*.*)|*.*||"};
const FileDialogRequest kCodeVSaveDialog = {
    false, "*.seq", "untitled.seq", kHideReadOnly | kOverwritePrompt,
    "CODE V Sequence Files (*.seq)|*.seq|All Files (*.*)|*.*||"};
const FileDialogRequest kMaskSaveDialog = {
    false, "*.svg", "mask.svg", kHideReadOnly | kOverwritePrompt,
    "SVG Pictures (*.svg)|*.svg|All Files (*.*)|*.*||"};

}  // namespace spekulor::dialog
