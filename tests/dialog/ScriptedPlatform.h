// A DialogPlatform without a display: controls are a map of texts and radio
// indexes, every call is logged, and the answers of boxes and file dialogs are
// scripted in advance.
#ifndef SPEKULOR_TESTS_DIALOG_SCRIPTEDPLATFORM_H
#define SPEKULOR_TESTS_DIALOG_SCRIPTEDPLATFORM_H

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DialogPlatform.h"

class ScriptedPlatform : public DialogPlatform {
 public:
  // The state of the controls.
  std::map<int, std::string> texts;
  std::map<int, int> radios;  // first id of the group -> checked index
  std::map<int, bool> enabled;
  std::map<int, std::string> fonts;  // control id -> face name and height
  std::string caption;
  bool hasSystemMenu = true;
  std::vector<std::pair<int, std::string>> systemMenu;  // id 0: separator
  std::vector<std::pair<IconHandle, bool>> iconsSet;

  // What was shown or asked, in order: "get <id>", "set <id>", "box:<text>",
  // "ask:<proposed name>", ...
  std::vector<std::string> log;
  // The log as a command's steps: "save" for an exchange from the controls, "load"
  // for one to the controls, and the boxes and file dialogs; other entries dropped.
  std::vector<std::string> Steps() const;
  std::vector<std::string> messageBoxes;
  std::vector<std::string> messageDetails;  // each box's detail, empty when it has none
  std::vector<FileDialogRequest> fileRequests;
  std::vector<std::string> assertionReports;
  std::vector<std::string> fatalTexts;
  int aboutBoxes = 0;
  // The pictures window: what ShowPictures showed, on which page, and what
  // UpdatePictures put into it; open from the first ShowPictures until the test
  // closes it (the user's Close).
  std::vector<std::pair<PictureSet, int>> shownPictures;
  std::vector<PictureSet> updatedPictures;
  bool picturesOpen = false;
  std::optional<int> endResult;

  // The scripted answers.
  std::deque<std::optional<std::string>> filePaths;
  AssertAnswer assertAnswer = AssertIgnore;

  int DoModal(DialogHandler& handler) override;
  void EndDialog(int result) override;
  std::string ControlText(int id) override;
  void SetControlText(int id, const std::string& text) override;
  int CheckedRadio(int firstId) override;
  void CheckRadio(int firstId, int index) override;
  void SetCaption(const std::string& text) override;
  bool SetControlFont(int id, const FontTemplate& font) override;
  void EnableCommand(int id, bool on) override;
  IconHandle LoadIcon(int resourceId) override;
  void SetIcon(IconHandle icon, bool bigIcon) override;
  bool HasSystemMenu() override;
  void AppendSystemMenuSeparator() override;
  void AppendSystemMenuItem(int id, const std::string& text) override;
  void DefaultSysCommand(int id) override;
  void MessageBox(const std::string& text, const std::string& detail) override;
  std::optional<std::string> AskFilePath(const FileDialogRequest& request) override;
  void ShowAboutBox() override;
  void ShowPictures(const PictureSet& pictures, int page) override;
  bool PicturesOpen() override;
  void UpdatePictures(const PictureSet& pictures) override;
  AssertAnswer AskAssertion(const std::string& reportText) override;
  void ShowFatalExit(const std::string& text) override;
};

#endif
