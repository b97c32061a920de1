#include "tests/dialog/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include "dialog/DialogTemplate.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::dialog;

int ScriptedPlatform::DoModal(DialogHandler& handler) {
  log.push_back("DoModal");
  handler.OnInitDialog();
  return endResult.value_or(0);
}

void ScriptedPlatform::EndDialog(int result) {
  log.push_back("EndDialog " + std::to_string(result));
  endResult = result;
}

std::string ScriptedPlatform::ControlText(int id) {
  log.push_back("get " + std::to_string(id));
  return texts[id];
}

void ScriptedPlatform::SetControlText(int id, const std::string& text) {
  log.push_back("set " + std::to_string(id));
  texts[id] = text;
}

int ScriptedPlatform::CheckedRadio(int firstId) {
  log.push_back("get radio " + std::to_string(firstId));
  const auto found = radios.find(firstId);
  return found != radios.end() ? found->second : -1;
}

void ScriptedPlatform::CheckRadio(int firstId, int index) {
  log.push_back("set radio " + std::to_string(firstId));
  radios[firstId] = index;
}

void ScriptedPlatform::SetCaption(const std::string& text) {
  log.push_back("caption");
  caption = text;
}

bool ScriptedPlatform::SetControlFont(int id, const FontTemplate& font) {
  log.push_back("font " + std::to_string(id));
  fonts[id] = std::string(font.faceName) + " " + std::to_string(font.height);
  return true;
}

void ScriptedPlatform::EnableCommand(int id, bool on) { enabled[id] = on; }

IconHandle ScriptedPlatform::LoadIcon(int resourceId) {
  log.push_back("load icon " + std::to_string(resourceId));
  return resourceId;
}

void ScriptedPlatform::SetIcon(IconHandle icon, bool bigIcon) {
  log.push_back(bigIcon ? "big icon" : "small icon");
  iconsSet.emplace_back(icon, bigIcon);
}

bool ScriptedPlatform::HasSystemMenu() { return hasSystemMenu; }

void ScriptedPlatform::AppendSystemMenuSeparator() { systemMenu.emplace_back(0, ""); }

void ScriptedPlatform::AppendSystemMenuItem(int id, const std::string& text) {
  systemMenu.emplace_back(id, text);
}

void ScriptedPlatform::DefaultSysCommand(int id) {
  log.push_back("default syscommand " + std::to_string(id));
}

void ScriptedPlatform::MessageBox(const std::string& text, const std::string& detail) {
  log.push_back("box:" + text);
  messageBoxes.push_back(text);
  messageDetails.push_back(detail);
}

std::optional<std::string> ScriptedPlatform::AskFilePath(const FileDialogRequest& request) {
  log.push_back("ask:" + request.fileName);
  fileRequests.push_back(request);
  if (filePaths.empty()) return std::nullopt;
  std::optional<std::string> path = filePaths.front();
  filePaths.pop_front();
  return path;
}

void ScriptedPlatform::ShowAboutBox() { ++aboutBoxes; }

void ScriptedPlatform::ShowPictures(std::shared_ptr<const Calculation> design, int page) {
  log.push_back("show pictures " + std::to_string(page));
  openedOn.push_back(page);
  picturesOpen = true;
  pages.SetDesign(std::move(design));
  tab = page;
  RefreshPictures();
}

bool ScriptedPlatform::PicturesOpen() { return picturesOpen; }

void ScriptedPlatform::UpdatePictures(std::shared_ptr<const Calculation> design) {
  log.push_back("update pictures");
  ++updates;
  pages.SetDesign(std::move(design));
  RefreshPictures();
}

void ScriptedPlatform::OpenTab(int page) {
  tab = page;
  RefreshPictures();
}

void ScriptedPlatform::FinishComputation(size_t index) {
  const PicturePageJob job = computing.at(index);
  computing.erase(computing.begin() + static_cast<std::ptrdiff_t>(index));
  ++computations;
  pages.Finish(job, ComputePicturePage(job));
  RefreshPictures();
}

const PicturePage* ScriptedPlatform::ShownPage() const {
  if (tab < 0 || m_drawnGeneration[static_cast<size_t>(tab)] != pages.Generation()) return nullptr;
  for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) {
    if (it->page == tab) return &it->content;
  }
  return nullptr;
}

void ScriptedPlatform::RefreshPictures() {
  if (tab < 0) return;
  pages.SetShown(tab);
  const PicturePage* kept = pages.Kept(tab);
  if (kept != nullptr && m_drawnGeneration[static_cast<size_t>(tab)] != pages.Generation()) {
    m_drawnGeneration[static_cast<size_t>(tab)] = pages.Generation();
    drawn.push_back({pages.Generation(), tab, *kept});
  }
  while (std::optional<PicturePageJob> job = pages.NextJob()) {
    computing.push_back(*job);
    if (computeAtOnce) {
      FinishComputation(computing.size() - 1);
      return;  // FinishComputation refreshed
    }
  }
}

AssertAnswer ScriptedPlatform::AskAssertion(const std::string& reportText) {
  assertionReports.push_back(reportText);
  return assertAnswer;
}

void ScriptedPlatform::ShowFatalExit(const std::string& text) { fatalTexts.push_back(text); }

std::vector<std::string> ScriptedPlatform::Steps() const {
  std::vector<std::string> steps;
  for (const std::string& entry : log) {
    // Each exchange starts with the units group.
    if (entry == "get radio " + std::to_string(IDC_UNIT_INCH)) {
      steps.push_back("save");
    } else if (entry == "set radio " + std::to_string(IDC_UNIT_INCH)) {
      steps.push_back("load");
    } else if (entry.rfind("box:", 0) == 0 || entry.rfind("ask:", 0) == 0) {
      steps.push_back(entry);
    }
  }
  return steps;
}

void ExpectStartUpShown(ScriptedPlatform& platform, const std::array<const char*, 5>& given) {
  EXPECT_EQ(platform.radios[IDC_UNIT_INCH], 1);
  EXPECT_EQ(platform.radios[IDC_TYPE_CLASSICAL], 2);
  const int givenIds[] = {IDC_PRI_DIA, IDC_PRI_FOC, IDC_FIELD, IDC_SYS_FOC, IDC_BACK_FOC_LEN};
  for (size_t k = 0; k < given.size(); ++k) {
    EXPECT_EQ(platform.texts[givenIds[k]], given[k]) << givenIds[k];
  }
  for (int id : {IDC_SEC_SYS_DIST, IDC_SEC_PRI_DIST, IDC_SEC_RAD_CUR, IDC_PRI_CC, IDC_SEC_CC}) {
    EXPECT_EQ(platform.texts[id], "") << id;
  }
}
