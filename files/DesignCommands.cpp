#include "DesignCommands.h"

#include "DesignFile.h"
#include "FileReplace.h"
#include "LensExport.h"

const FileDialogSpec kLensSaveDialog = {
    false, "*.len", "untitled.len", kDialogHideReadOnly | kDialogOverwritePrompt,
    "OSLO Lens Files (*.len)|*.len|All Files (*.*)|*.*||"};
const FileDialogSpec kDesignOpenDialog = {
    true, "*.spekulor", "untitled.spekulor", kDialogHideReadOnly | kDialogOverwritePrompt,
    "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||"};
const FileDialogSpec kDesignSaveDialog = {
    false, "*.spekulor", "untitled.spekulor", kDialogHideReadOnly | kDialogOverwritePrompt,
    "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||"};

const char kErrorWriting[] = "Error writing";
const char kErrorReading[] = "Error reading";

void RunCalculateOslo(DesignCommandWindow& window) {
  window.UpdateData(true);
  const LensExport lens = BuildLensExport(window.Fields());
  if (!lens.ok()) {
    window.MessageBox(lens.text);
    return;
  }
  window.Report() = lens.text;
  window.UpdateData(false);

  const std::optional<std::string> path = window.AskFilePath(kLensSaveDialog);
  if (!path) return;
  if (ReplaceFileContents(*path, lens.text) != 0) window.MessageBox(kErrorWriting);
}

void RunFileNew(DesignCommandWindow& window) {
  // The start-up values: mm, Ritchey-Chretien, 400.0, 1000.0, 0.75, 3200.0, 254.
  window.Fields() = DesignFields();
  window.UpdateData(false);
}

void OpenDesignPath(DesignCommandWindow& window, const std::string& path) {
  if (LoadDesignFile(path, window.Fields()) != DesignFileStatus::Ok) {
    window.MessageBox(kErrorReading);
    return;
  }
  window.UpdateData(false);
}

void RunFileOpen(DesignCommandWindow& window) {
  const std::optional<std::string> path = window.AskFilePath(kDesignOpenDialog);
  if (!path) return;
  OpenDesignPath(window, *path);
}

void RunFileSaveAs(DesignCommandWindow& window) {
  window.UpdateData(true);
  const std::optional<std::string> path = window.AskFilePath(kDesignSaveDialog);
  if (!path) return;
  if (SaveDesignFile(*path, window.Fields()) != DesignFileStatus::Ok) {
    window.MessageBox(kErrorWriting);
  }
}
