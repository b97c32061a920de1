// A DialogPlatform without a display: controls are a map of texts and radio
// indexes, every call is logged, and the answers of boxes and file dialogs are
// scripted in advance.
#ifndef SPEKULOR_TESTS_DIALOG_SCRIPTEDPLATFORM_H
#define SPEKULOR_TESTS_DIALOG_SCRIPTEDPLATFORM_H

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialog/DialogPlatform.h"
#include "dialog/PicturePages.h"

class ScriptedPlatform : public spekulor::dialog::DialogPlatform {
 public:
  // The state of the controls.
  std::map<int, std::string> texts;
  std::map<int, int> radios;  // first id of the group -> checked index
  std::map<int, bool> enabled;
  std::map<int, std::string> fonts;  // control id -> face name and height
  std::string caption;
  bool hasSystemMenu = true;
  std::vector<std::pair<int, std::string>> systemMenu;  // id 0: separator
  std::vector<std::pair<spekulor::dialog::IconHandle, bool>> iconsSet;

  // What was shown or asked, in order: "get <id>", "set <id>", "box:<text>",
  // "ask:<proposed name>", ...
  std::vector<std::string> log;
  // The log as a command's steps: "save" for an exchange from the controls, "load"
  // for one to the controls, and the boxes and file dialogs; other entries dropped.
  std::vector<std::string> Steps() const;
  std::vector<std::string> messageBoxes;
  std::vector<std::string> messageDetails;  // each box's detail, empty when it has none
  std::vector<spekulor::dialog::FileDialogRequest> fileRequests;
  std::vector<std::string> assertionReports;
  std::vector<std::string> fatalTexts;
  int aboutBoxes = 0;
  // The configuration store's file; empty: the window remembers nothing.
  std::string storePath;
  int recentFilesChanges = 0;
  // The pictures window, as the Qt window behaves: open from the first ShowPictures
  // until the test closes it (the user's Close), one tab shown (`tab`), the pages kept
  // in `pages`. A computation started for the shown page waits in `computing` until
  // the test finishes it (FinishComputation), or runs at once when computeAtOnce.
  struct DrawnPage {
    unsigned generation;  // of pages: which design it belongs to
    int page;
    spekulor::dialog::PicturePage content;
  };
  spekulor::dialog::PicturePages pages;
  int tab = -1;
  bool picturesOpen = false;
  bool computeAtOnce = true;
  std::deque<spekulor::dialog::PicturePageJob> computing;
  int computations = 0;           // pages computed, kept or dropped
  std::vector<int> openedOn;      // the page of each ShowPictures
  int updates = 0;                // UpdatePictures calls
  std::vector<DrawnPage> drawn;   // each page the window drew, in order
  // The user opens another tab.
  void OpenTab(int page);
  // The computation computing[index] ends: its page comes back to the window.
  void FinishComputation(size_t index = 0);
  // What the shown tab has drawn for the current design; null while it waits.
  const spekulor::dialog::PicturePage* ShownPage() const;
  std::optional<int> endResult;

  // The scripted answers.
  std::deque<std::optional<std::string>> filePaths;
  spekulor::support::AssertAnswer assertAnswer = spekulor::support::AssertIgnore;

  int DoModal(spekulor::dialog::DialogHandler& handler) override;
  void EndDialog(int result) override;
  std::string ControlText(int id) override;
  void SetControlText(int id, const std::string& text) override;
  int CheckedRadio(int firstId) override;
  void CheckRadio(int firstId, int index) override;
  void SetCaption(const std::string& text) override;
  bool SetControlFont(int id, const spekulor::dialog::FontTemplate& font) override;
  void EnableCommand(int id, bool on) override;
  spekulor::dialog::IconHandle LoadIcon(int resourceId) override;
  void SetIcon(spekulor::dialog::IconHandle icon, bool bigIcon) override;
  bool HasSystemMenu() override;
  void AppendSystemMenuSeparator() override;
  void AppendSystemMenuItem(int id, const std::string& text) override;
  void DefaultSysCommand(int id) override;
  void MessageBox(const std::string& text, const std::string& detail) override;
  std::string StorePath() override { return storePath; }
  void RecentFilesChanged() override { ++recentFilesChanges; }
  std::optional<std::string> AskFilePath(const spekulor::dialog::FileDialogRequest& request) override;
  void ShowAboutBox() override;
  void ShowPictures(std::shared_ptr<const spekulor::calc::Calculation> design, int page) override;
  bool PicturesOpen() override;
  void UpdatePictures(std::shared_ptr<const spekulor::calc::Calculation> design) override;
  spekulor::support::AssertAnswer AskAssertion(const std::string& reportText) override;
  void ShowFatalExit(const std::string& text) override;

 private:
  // Draws the shown tab when its page is kept and not drawn yet, and starts what
  // PicturePages says is to be computed.
  void RefreshPictures();
  std::vector<unsigned> m_drawnGeneration = std::vector<unsigned>(spekulor::dialog::kPicturePageCount, 0);
};

// The start-up design shown in the controls: millimetres, Ritchey-Chretien, the five
// given entries as `given` (diameter, primary focal length, field, system focal length,
// back focal length) and the other five empty.
void ExpectStartUpShown(ScriptedPlatform& platform, const std::array<const char*, 5>& given);

#endif
