#include "FileDialogs.h"

const FileDialogRequest kLensSaveDialog = {
    false, "*.len", "untitled.len", kHideReadOnly | kOverwritePrompt,
    "OSLO Lens Files (*.len)|*.len|All Files (*.*)|*.*||"};
const FileDialogRequest kDesignOpenDialog = {
    true, "*.spekulor", "untitled.spekulor", kHideReadOnly | kOverwritePrompt,
    "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||"};
const FileDialogRequest kDesignSaveDialog = {
    false, "*.spekulor", "untitled.spekulor", kHideReadOnly | kOverwritePrompt,
    "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||"};
