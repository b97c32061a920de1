// The lens export and the design-file commands as the window runs them, through the
// scripted platform: no display involved.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <string>

#include "AppCore.h"
#include "Calculate.h"
#include "ScriptedPlatform.h"
#include "TelescopeDlg.h"
#include "WindowFileCommands.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Golden(const char* name) {
  return ReadAll(std::string(SPEKULOR_FILES_GOLDEN_DIR) + "/" + name);
}

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetProgramName() == nullptr) InitAppCore("spekulor_app_tests", "Spekulor");
    ASSERT_TRUE(folder.isValid());
    dlg.OnInitDialog();
    platform.log.clear();
  }
  std::string File(const char* name) const { return folder.filePath(name).toStdString(); }

  QTemporaryDir folder;
  ScriptedPlatform platform;
  WindowFileCommands commands;
  CTelescopeDlg dlg{platform, &commands};
};

TEST_F(FileCommandsTest, CommandsAreEnabledWithTheirImplementation) {
  ScriptedPlatform fresh;
  CTelescopeDlg withCommands(fresh, &commands);
  withCommands.OnInitDialog();
  for (int id : {IDC_CALC_OSLO, IDM_CALCULATE_OSLO, ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE_AS}) {
    EXPECT_EQ(fresh.enabled.count(id), 0u) << id;  // never disabled
  }
}

TEST_F(FileCommandsTest, LensExportShowsAndWritesTheSameBytes) {
  platform.filePaths.push_back(File("scope.len"));
  dlg.OnCommand(IDC_CALC_OSLO);
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(platform.texts[IDC_REPORT], Golden("startup.len"));
  EXPECT_EQ(ReadAll(File("scope.len")), Golden("startup.len"));
  ASSERT_EQ(platform.fileRequests.size(), 1u);
  const FileDialogRequest& request = platform.fileRequests[0];
  EXPECT_FALSE(request.openFile);
  EXPECT_EQ(request.defaultExt, "*.len");
  EXPECT_EQ(request.fileName, "untitled.len");
  EXPECT_EQ(request.flags, kHideReadOnly | kOverwritePrompt);
  EXPECT_EQ(request.filter, "OSLO Lens Files (*.len)|*.len|All Files (*.*)|*.*||");

  // The menu item runs the same command; a cancelled dialog keeps the lens text.
  platform.texts[IDC_REPORT] = "";
  dlg.OnCommand(IDM_CALCULATE_OSLO);
  EXPECT_EQ(platform.texts[IDC_REPORT], Golden("startup.len"));
  EXPECT_EQ(platform.fileRequests.size(), 2u);

  // Calculate brings the report back.
  dlg.OnCommand(IDOK);
  EXPECT_EQ(platform.texts[IDC_REPORT], Calculate(dlg).report);
}

TEST_F(FileCommandsTest, LensExportRefusalsAndWriteErrors) {
  platform.radios[IDC_UNIT_INCH] = 0;
  platform.texts[IDC_PRI_DIA] = "";
  dlg.OnCommand(IDC_CALC_OSLO);
  EXPECT_EQ(platform.messageBoxes, std::vector<std::string>{"Please use mm for OSLO Lens Files"});
  EXPECT_TRUE(platform.fileRequests.empty());
  EXPECT_EQ(platform.texts[IDC_REPORT], "");

  platform.radios[IDC_UNIT_INCH] = 1;
  platform.messageBoxes.clear();
  dlg.OnCommand(IDC_CALC_OSLO);
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0].rfind("Error 1\r\n", 0), 0u);
  EXPECT_TRUE(platform.fileRequests.empty());

  platform.texts[IDC_PRI_DIA] = "400.0";
  platform.messageBoxes.clear();
  WriteAll(File("plain"), "x");
  platform.filePaths.push_back(File("plain") + "/scope.len");
  dlg.OnCommand(IDC_CALC_OSLO);
  EXPECT_EQ(platform.messageBoxes, std::vector<std::string>{"Error writing"});
  EXPECT_EQ(platform.texts[IDC_REPORT], Golden("startup.len"));
}

TEST_F(FileCommandsTest, SaveAsTakesWhatIsTypedNewAndOpenBringItBack) {
  platform.texts[IDC_PRI_DIA] = "203.127";
  platform.texts[IDC_PRI_CC] = "-1.23456";
  platform.texts[IDC_REPORT] = "a report";
  platform.filePaths.push_back(File("typed.spekulor"));
  dlg.OnCommand(ID_FILE_SAVE_AS);
  ASSERT_EQ(platform.fileRequests.size(), 1u);
  EXPECT_FALSE(platform.fileRequests[0].openFile);
  EXPECT_EQ(platform.fileRequests[0].defaultExt, "*.spekulor");
  EXPECT_EQ(platform.fileRequests[0].fileName, "untitled.spekulor");
  EXPECT_EQ(platform.fileRequests[0].filter,
            "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||");
  const std::string saved = ReadAll(File("typed.spekulor"));
  EXPECT_NE(saved.find("\r\nDiameter=203.127000\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\r\nPrimary CC=-1.234560\r\n"), std::string::npos) << saved;

  dlg.OnCommand(ID_FILE_NEW);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "400.0");
  EXPECT_EQ(platform.texts[IDC_PRI_CC], "");
  EXPECT_EQ(platform.texts[IDC_REPORT], "a report");

  platform.filePaths.push_back(File("typed.spekulor"));
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_TRUE(platform.fileRequests[1].openFile);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "203.13");
  EXPECT_EQ(platform.texts[IDC_PRI_CC], "-1.2346");
  EXPECT_EQ(platform.texts[IDC_FIELD], "0.75");
  EXPECT_EQ(platform.texts[IDC_SEC_CC], "");
  EXPECT_EQ(platform.texts[IDC_REPORT], "a report");
  EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(FileCommandsTest, StartUpWindowSavesTheGoldenFile) {
  platform.filePaths.push_back(File("startup.spekulor"));
  dlg.OnCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(ReadAll(File("startup.spekulor")), Golden("startup.spekulor"));
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing) {
  platform.texts[IDC_PRI_DIA] = "typed, not saved";
  platform.filePaths.push_back(std::nullopt);
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "typed, not saved");
  platform.filePaths.push_back(std::nullopt);
  dlg.OnCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(platform.fileRequests.size(), 2u);
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(FileCommandsTest, OpenOfAnUnreadableFileSaysSoAndKeepsTheInput) {
  platform.texts[IDC_PRI_DIA] = "typed";
  dlg.UpdateData(true);
  platform.filePaths.push_back(File("absent.spekulor"));
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.messageBoxes, std::vector<std::string>{"Error reading"});
  EXPECT_EQ(dlg.m_strPriDia, "typed");
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "typed");

  // A path longer than the store takes: refused before the store is made.
  platform.filePaths.push_back(File("") + std::string(1100, 'x'));
  dlg.OnCommand(ID_FILE_OPEN);
  platform.filePaths.push_back(File("") + std::string(1100, 'x'));
  dlg.OnCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(platform.messageBoxes,
            (std::vector<std::string>{"Error reading", "Error reading", "Error writing"}));
}

TEST_F(FileCommandsTest, AStoredTypeOutsideTheButtonsChecksNone) {
  WriteAll(File("seven.spekulor"), "[Optics]\r\nType=7\r\n");
  platform.filePaths.push_back(File("seven.spekulor"));
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.radios[IDC_TYPE_CLASSICAL], 7);
  EXPECT_EQ(platform.radios[IDC_UNIT_INCH], 1);
}

TEST(FileCommandsStartUpTest, TheStartUpArgumentOpensTheDesign) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("club.spekulor").toStdString();
  WriteAll(path, "[Optics]\nUnit=1\nType=0\nDiameter=254\nField=0.5\n");
  ScriptedPlatform platform;
  WindowFileCommands commands(path);
  CTelescopeDlg dlg(platform, &commands);
  dlg.DoModal();
  EXPECT_EQ(platform.radios[IDC_TYPE_CLASSICAL], 0);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "254.00");
  EXPECT_EQ(platform.texts[IDC_FIELD], "0.50");
  EXPECT_EQ(platform.texts[IDC_SYS_FOC], "0.00");
  EXPECT_TRUE(platform.messageBoxes.empty());

  ScriptedPlatform missing;
  WindowFileCommands badCommands(folder.filePath("gone.spekulor").toStdString());
  CTelescopeDlg startValues(missing, &badCommands);
  startValues.DoModal();
  EXPECT_EQ(missing.messageBoxes, std::vector<std::string>{"Error reading"});
  EXPECT_EQ(missing.texts[IDC_PRI_DIA], "400.0");
  EXPECT_EQ(missing.radios[IDC_TYPE_CLASSICAL], 2);
}

}  // namespace
