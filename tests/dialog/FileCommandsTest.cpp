// The lens export and File New, Open and Save as, as the window runs them through the
// scripted platform: the steps each command takes, the bytes it writes, and what
// survives a cancelled dialog or a write that fails for real.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>

#include "calc/Calculate.h"
#include "files/DesignFile.h"
#include "tests/common/Golden.h"
#include "tests/dialog/ScriptedPlatform.h"
#include "dialog/TelescopeDlg.h"
#include "tests/common/TestFiles.h"

using namespace spekulor::calc;
using namespace spekulor::files;
using namespace spekulor::dialog;

namespace {

using Steps = std::vector<std::string>;

std::string FilesGolden(const std::string& name) { return Golden("files", name); }

// The one file dialog asked: a Save dialog proposing "untitled<ext>", with the
// extension's default, the Save flags and `filter`.
void ExpectSaveRequest(const ScriptedPlatform& platform, const std::string& ext,
                       const std::string& filter) {
  ASSERT_EQ(platform.fileRequests.size(), 1u);
  const FileDialogRequest& request = platform.fileRequests[0];
  EXPECT_FALSE(request.openFile);
  EXPECT_EQ(request.defaultExt, "*" + ext);
  EXPECT_EQ(request.fileName, "untitled" + ext);
  EXPECT_EQ(request.flags, 6u);
  EXPECT_EQ(request.flags, kHideReadOnly | kOverwritePrompt);
  EXPECT_EQ(request.filter, filter);
}

// The window opened with its start-up values, its log cleared.
class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dlg.OnInitDialog();
    platform.log.clear();
  }
  // A report in the member and in the control, as after an earlier command.
  void ShowReport(const std::string& report) {
    dlg.m_strReport = report;
    platform.texts[IDC_REPORT] = report;
  }

  TempDir folder;
  ScriptedPlatform platform;
  CTelescopeDlg dlg{platform};
};

TEST_F(FileCommandsTest, LensExportShowsAndWritesTheSameBytes) {
  ShowReport("old report");
  platform.filePaths.push_back(folder.File("scope.len"));
  dlg.OnCommand(IDC_CALC_OSLO);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "load", "ask:untitled.len"}));
  EXPECT_EQ(platform.texts[IDC_REPORT], FilesGolden("startup.len"));
  EXPECT_EQ(ReadFileBytes(folder.File("scope.len")), FilesGolden("startup.len"));
  ExpectSaveRequest(platform, ".len", "OSLO Lens Files (*.len)|*.len|All Files (*.*)|*.*||");

  // The menu item runs the same command; a cancelled dialog keeps the lens text and
  // writes nothing.
  TempDir other;
  platform.texts[IDC_REPORT] = "";
  platform.log.clear();
  dlg.OnCommand(IDM_CALCULATE_OSLO);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "load", "ask:untitled.len"}));
  EXPECT_EQ(platform.texts[IDC_REPORT], FilesGolden("startup.len"));
  EXPECT_EQ(platform.fileRequests.size(), 2u);
  EXPECT_TRUE(other.List().empty());

  // Calculate brings the report back.
  dlg.OnCommand(IDOK);
  EXPECT_EQ(platform.texts[IDC_REPORT], Calculate(dlg).report);
  EXPECT_NE(platform.texts[IDC_REPORT], FilesGolden("startup.len"));
}

TEST_F(FileCommandsTest, LensExportAgainReplacesTheFileWhole) {
  const std::string path = folder.File("scope.len");
  WriteFileBytes(path, std::string(4000, 'z'));
  platform.radios[IDC_TYPE_CLASSICAL] = 0;
  platform.filePaths.push_back(path);
  dlg.OnCommand(IDC_CALC_OSLO);
  EXPECT_EQ(ReadFileBytes(path), dlg.m_strReport);
  EXPECT_NE(dlg.m_strReport.find("Classical cassegrain"), std::string::npos);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"scope.len"});
}

TEST_F(FileCommandsTest, LensExportRefusals) {
  // Inch comes first: only the unit message, even with inputs missing.
  ShowReport("earlier report");
  platform.radios[IDC_UNIT_INCH] = 0;
  platform.texts[IDC_PRI_DIA] = "";
  dlg.OnCommand(IDC_CALC_OSLO);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "box:Please use mm for OSLO Lens Files"}));
  EXPECT_TRUE(platform.fileRequests.empty());
  EXPECT_EQ(platform.texts[IDC_REPORT], "earlier report");

  // Refused inputs: the numbered box Calculate shows.
  platform.radios[IDC_UNIT_INCH] = 1;
  platform.log.clear();
  dlg.OnCommand(IDC_CALC_OSLO);
  const std::string refusal = Calculate(dlg).errorText;
  EXPECT_EQ(refusal.rfind("Error 1\r\n", 0), 0u);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "box:" + refusal}));
  EXPECT_TRUE(platform.fileRequests.empty());
  EXPECT_EQ(platform.texts[IDC_REPORT], "earlier report");
}

TEST_F(FileCommandsTest, LensExportWriteFailuresKeepTheOldFile) {
  const std::string path = folder.File("scope.len");
  WriteFileBytes(path, "previous lens\r\n");

  // A file-size limit below the lens text: the write itself fails.
  const int status = RunWithFileSizeLimit(100, [&] {
    platform.filePaths.push_back(path);
    dlg.OnCommand(IDC_CALC_OSLO);
    return platform.log.back() == "box:Error writing" ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(path), "previous lens\r\n");
  EXPECT_EQ(folder.List(), std::vector<std::string>{"scope.len"});

  // A folder that is a regular file: the file cannot be created.
  platform.filePaths.push_back(path + "/scope.len");
  dlg.OnCommand(IDC_CALC_OSLO);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "load", "ask:untitled.len", "box:Error writing"}));
  EXPECT_EQ(platform.texts[IDC_REPORT], FilesGolden("startup.len"));
}

TEST_F(FileCommandsTest, ExportCalculatesThenWritesTheDesignsFile) {
  ShowReport("old report");
  platform.filePaths.push_back(folder.File("scope.zmx"));
  dlg.OnCommand(IDM_EXPORT_ZEMAX);
  // Calculate's report in the window, the Zemax file on the disk.
  EXPECT_EQ(platform.texts[IDC_REPORT], Calculate(DesignFields()).report);
  EXPECT_EQ(ReadFileBytes(folder.File("scope.zmx")), FilesGolden("startup.zmx"));
  ASSERT_EQ(platform.fileRequests.size(), 1u);
  EXPECT_EQ(platform.fileRequests[0].fileName, "untitled.zmx");
  EXPECT_EQ(platform.fileRequests[0].defaultExt, "*.zmx");
  EXPECT_FALSE(platform.fileRequests[0].openFile);

  platform.filePaths.push_back(folder.File("scope.seq"));
  dlg.OnCommand(IDM_EXPORT_CODEV);
  EXPECT_EQ(ReadFileBytes(folder.File("scope.seq")), FilesGolden("startup.seq"));
  EXPECT_EQ(platform.fileRequests.at(1).fileName, "untitled.seq");
  EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(FileCommandsTest, ExportOfARefusedDesignShowsItsBoxAndAsksNothing) {
  platform.texts[IDC_PRI_DIA] = "-400";
  dlg.OnCommand(IDM_EXPORT_CODEV);
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0].rfind("Error 5\r\n", 0), 0u);
  EXPECT_TRUE(platform.fileRequests.empty());

  // A write that fails says so and leaves no file.
  platform.texts[IDC_PRI_DIA] = "400";
  WriteFileBytes(folder.File("plain"), "x");
  platform.filePaths.push_back(folder.File("plain") + "/scope.zmx");
  dlg.OnCommand(IDM_EXPORT_ZEMAX);
  ASSERT_EQ(platform.messageBoxes.size(), 2u);
  EXPECT_EQ(platform.messageBoxes[1], "Error writing");
  EXPECT_EQ(platform.messageDetails[0], "") << "a refusal has no file to tell of";
  EXPECT_EQ(platform.messageDetails[1], folder.File("plain") + "/scope.zmx: Not a directory");
  EXPECT_EQ(folder.List(), std::vector<std::string>{"plain"});
}

TEST_F(FileCommandsTest, NewSetsTheStartUpValuesAndKeepsTheReport) {
  dlg.m_nUnits = 0;
  dlg.m_nType = 4;
  dlg.m_strSecCC = "3";
  dlg.m_strPriDia = "1";
  dlg.m_strReport = "a report";
  dlg.OnCommand(ID_FILE_NEW);
  EXPECT_EQ(platform.Steps(), (Steps{"load"}));
  ExpectStartUpShown(platform, {"400.0", "1000.0", "0.75", "3200.0", "254"});
  EXPECT_EQ(platform.texts[IDC_REPORT], "a report");
}

TEST_F(FileCommandsTest, SaveAsWritesTheStartUpGoldenFile) {
  ShowReport("report stays");
  platform.filePaths.push_back(folder.File("new.spekulor"));
  dlg.OnCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "ask:untitled.spekulor"}));
  EXPECT_EQ(ReadFileBytes(folder.File("new.spekulor")), FilesGolden("startup.spekulor"));
  EXPECT_EQ(platform.texts[IDC_REPORT], "report stays");
  ExpectSaveRequest(platform, ".spekulor",
                    "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||");
}

TEST_F(FileCommandsTest, SaveAsTakesWhatIsTypedNewAndOpenBringItBack) {
  platform.texts[IDC_PRI_DIA] = "203.127";
  platform.texts[IDC_PRI_CC] = "-1.23456";
  platform.texts[IDC_REPORT] = "a report";
  platform.filePaths.push_back(folder.File("typed.spekulor"));
  dlg.OnCommand(ID_FILE_SAVE_AS);
  const std::string saved = ReadFileBytes(folder.File("typed.spekulor"));
  EXPECT_NE(saved.find("\r\nDiameter=203.127000\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\r\nPrimary CC=-1.234560\r\n"), std::string::npos) << saved;

  dlg.OnCommand(ID_FILE_NEW);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "400.0");
  EXPECT_EQ(platform.texts[IDC_PRI_CC], "");
  EXPECT_EQ(platform.texts[IDC_REPORT], "a report");

  platform.log.clear();
  platform.filePaths.push_back(folder.File("typed.spekulor"));
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.Steps(), (Steps{"ask:untitled.spekulor", "load"}));
  const FileDialogRequest& request = platform.fileRequests.at(1);
  EXPECT_TRUE(request.openFile);
  EXPECT_EQ(request.defaultExt, "*.spekulor");
  EXPECT_EQ(request.flags, 6u);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "203.127");
  EXPECT_EQ(platform.texts[IDC_PRI_CC], "-1.23456");
  EXPECT_EQ(platform.texts[IDC_FIELD], "0.75");
  EXPECT_EQ(platform.texts[IDC_SEC_CC], "");
  EXPECT_EQ(platform.texts[IDC_REPORT], "a report");
  EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(FileCommandsTest, SaveAsNamesAValueTheFileCannotHoldAndWritesNothing) {
  const std::string path = folder.File("kept.spekulor");
  WriteFileBytes(path, "[Optics]\r\nDiameter=150\r\n");
  platform.texts[IDC_FIELD] = "0.1234567";
  platform.filePaths.push_back(path);
  dlg.OnCommand(ID_FILE_SAVE_AS);
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0],
            "A design file cannot hold the \"fully illuminated field\" as it is: please give it "
            "with at most six decimals.");
  EXPECT_EQ(ReadFileBytes(path), "[Optics]\r\nDiameter=150\r\n");
}

TEST_F(FileCommandsTest, OpenOfWhatIsNoDesignFileKeepsTheWindow) {
  platform.texts[IDC_PRI_DIA] = "123";
  platform.texts[IDC_REPORT] = "a report";
  const std::string noDesigns[] = {"", std::string("\x7F" "ELF\0\0\x01", 7), "notes\n"};
  for (const std::string& bytes : noDesigns) {
    const std::string path = folder.File("other");
    WriteFileBytes(path, bytes);
    platform.filePaths.push_back(path);
    platform.messageBoxes.clear();
    dlg.OnCommand(ID_FILE_OPEN);
    EXPECT_EQ(platform.messageBoxes, std::vector<std::string>{"Error reading"});
    EXPECT_EQ(platform.messageDetails.back(), path + ": not a design file");
    EXPECT_EQ(platform.texts[IDC_PRI_DIA], "123");
    EXPECT_EQ(platform.texts[IDC_REPORT], "a report");
  }
}

TEST_F(FileCommandsTest, SaveNewOpenGivesTheStartUpValuesWithTwoDecimals) {
  const std::string path = folder.File("startup.spekulor");
  platform.filePaths.push_back(path);
  dlg.OnCommand(ID_FILE_SAVE_AS);
  platform.texts[IDC_PRI_DIA] = "1";
  dlg.OnCommand(ID_FILE_NEW);
  platform.filePaths.push_back(path);
  dlg.OnCommand(ID_FILE_OPEN);
  ExpectStartUpShown(platform, {"400.00", "1000.00", "0.75", "3200.00", "254.00"});
}

TEST_F(FileCommandsTest, SaveAsFailuresSayErrorWritingOnceAndKeepTheOldFile) {
  WriteFileBytes(folder.File("plain"), "x");
  platform.filePaths.push_back(folder.File("plain") + "/d.spekulor");
  dlg.OnCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "ask:untitled.spekulor", "box:Error writing"}));
  EXPECT_EQ(platform.messageDetails.back(), folder.File("plain") + "/d.spekulor: Not a directory");

  // A path longer than the store takes: refused before the store is made.
  platform.log.clear();
  platform.filePaths.push_back(folder.Path() + "/" + std::string(1100, 'n'));
  dlg.OnCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "ask:untitled.spekulor", "box:Error writing"}));

  const std::string path = folder.File("kept.spekulor");
  WriteFileBytes(path, std::string(2000, '#') + "\r\n[Optics]\r\nUnit=0\r\n");
  const std::string before = ReadFileBytes(path);
  const int status = RunWithFileSizeLimit(1000, [&] {
    platform.log.clear();
    platform.filePaths.push_back(path);
    dlg.OnCommand(ID_FILE_SAVE_AS);
    return platform.Steps() == Steps{"save", "ask:untitled.spekulor", "box:Error writing"} ? 0
                                                                                          : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(path), before);
}

TEST_F(FileCommandsTest, OpenShowsTheFilesValuesAndKeepsTheReport) {
  const std::string path = folder.File("d.spekulor");
  WriteFileBytes(path, "[Optics]\nUnit=0\nType=1\nDiameter=203.127\nSecondary CC=NAN\n");
  ShowReport("report stays");
  platform.filePaths.push_back(path);
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.Steps(), (Steps{"ask:untitled.spekulor", "load"}));
  EXPECT_EQ(platform.radios[IDC_UNIT_INCH], 0);
  EXPECT_EQ(platform.radios[IDC_TYPE_CLASSICAL], 1);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "203.127");
  EXPECT_EQ(platform.texts[IDC_SEC_CC], "");
  EXPECT_EQ(platform.texts[IDC_PRI_FOC], "0.00");  // missing: the getter's default
  EXPECT_EQ(platform.texts[IDC_REPORT], "report stays");
}

TEST_F(FileCommandsTest, CancelledAndUnreadableOpensChangeNothing) {
  platform.texts[IDC_PRI_DIA] = "typed";
  dlg.UpdateData(true);
  platform.log.clear();
  platform.filePaths.push_back(std::nullopt);
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.Steps(), (Steps{"ask:untitled.spekulor"}));

  platform.filePaths.push_back(std::nullopt);
  dlg.OnCommand(ID_FILE_SAVE_AS);
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_TRUE(folder.List().empty());

  platform.log.clear();
  platform.filePaths.push_back(folder.File("absent.spekulor"));
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.Steps(), (Steps{"ask:untitled.spekulor", "box:Error reading"}));
  EXPECT_EQ(platform.messageDetails.back(),
            folder.File("absent.spekulor") + ": No such file or directory");
  EXPECT_EQ(dlg.m_strPriDia, "typed");
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "typed");

  // A path longer than the store takes.
  platform.log.clear();
  platform.filePaths.push_back(folder.Path() + "/" + std::string(1100, 'n'));
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.Steps(), (Steps{"ask:untitled.spekulor", "box:Error reading"}));
  EXPECT_EQ(dlg.m_strPriDia, "typed");
}

// Save as into a file Open would refuse as binary says so and leaves it; so does
// Open of a file far too large for a design.
TEST_F(FileCommandsTest, SaveAsRefusesABinaryFileAndOpenAHugeOne) {
  const std::string binary = folder.File("program");
  const std::string bytes("\x7F" "ELF\x02\x01\x01\0\0\0[Optics]\r\n", 20);
  WriteFileBytes(binary, bytes);
  platform.filePaths.push_back(binary);
  dlg.OnCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(platform.Steps(), (Steps{"save", "ask:untitled.spekulor", "box:Error writing"}));
  EXPECT_EQ(platform.messageDetails.back(), binary + ": not a design file");
  EXPECT_EQ(ReadFileBytes(binary), bytes);

  const std::string huge = folder.File("huge.spekulor");
  WriteFileBytes(huge, "[Optics]\r\nDiameter=5\r\n" + std::string(kMaxDesignFileBytes, '#'));
  platform.texts[IDC_PRI_DIA] = "typed";
  platform.log.clear();
  platform.filePaths.push_back(huge);
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.Steps(), (Steps{"ask:untitled.spekulor", "box:Error reading"}));
  EXPECT_EQ(platform.messageDetails.back(), huge + ": larger than 1 MiB");
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "typed");
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"huge.spekulor", "program"}));
}

// An ordinary user's lens export, Zemax export and Save as over files made read-only
// are refused with the reason; the files stay as they were.
TEST_F(FileCommandsTest, ReadOnlyFilesAreNotReplacedForAnOrdinaryUser) {
  OpenFolderToEveryone(folder.Path());
  const std::string names[] = {"scope.len", "scope.zmx", "scope.spekulor"};
  const int status = RunAsOrdinaryUser([&] {
    for (const std::string& name : names) {
      WriteFileBytes(folder.File(name), "kept\r\n");
      if (::chmod(folder.File(name).c_str(), 0444) != 0) return 90;
    }
    const int commands[] = {IDC_CALC_OSLO, IDM_EXPORT_ZEMAX, ID_FILE_SAVE_AS};
    for (int i = 0; i < 3; ++i) {
      platform.filePaths.push_back(folder.File(names[i]));
      dlg.OnCommand(commands[i]);
      if (platform.messageBoxes.size() != static_cast<size_t>(i + 1)) return 10 + i;
      if (platform.messageBoxes.back() != "Error writing") return 20 + i;
      if (platform.messageDetails.back() != folder.File(names[i]) + ": Permission denied") {
        return 30 + i;
      }
    }
    return 0;
  });
  if (status == kNoOrdinaryUser) GTEST_SKIP() << "cannot run as a user other than root";
  EXPECT_EQ(status, 0);
  for (const std::string& name : names) EXPECT_EQ(ReadFileBytes(folder.File(name)), "kept\r\n") << name;
  EXPECT_EQ(folder.List().size(), 3u) << "temporary file left";
}

TEST_F(FileCommandsTest, AStoredTypeOutsideTheButtonsChecksNone) {
  WriteFileBytes(folder.File("seven.spekulor"), "[Optics]\r\nType=7\r\n");
  platform.filePaths.push_back(folder.File("seven.spekulor"));
  dlg.OnCommand(ID_FILE_OPEN);
  EXPECT_EQ(platform.radios[IDC_TYPE_CLASSICAL], 7);
  EXPECT_EQ(platform.radios[IDC_UNIT_INCH], 1);
}

TEST(StartUpDesignTest, TheStartUpArgumentOpensTheDesign) {
  TempDir folder;
  const std::string path = folder.File("club.spekulor");
  WriteFileBytes(path, "[Optics]\nUnit=1\nType=0\nDiameter=254\nField=0.5\n");
  ScriptedPlatform platform;
  CTelescopeDlg dlg(platform, path);
  dlg.DoModal();
  EXPECT_EQ(platform.radios[IDC_TYPE_CLASSICAL], 0);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "254.00");
  EXPECT_EQ(platform.texts[IDC_FIELD], "0.50");
  EXPECT_EQ(platform.texts[IDC_SYS_FOC], "0.00");
  EXPECT_TRUE(platform.messageBoxes.empty());

  ScriptedPlatform missing;
  CTelescopeDlg startValues(missing, folder.File("gone.spekulor"));
  startValues.DoModal();
  EXPECT_EQ(missing.messageBoxes, std::vector<std::string>{"Error reading"});
  EXPECT_EQ(missing.texts[IDC_PRI_DIA], "400.0");
  EXPECT_EQ(missing.radios[IDC_TYPE_CLASSICAL], 2);
}

}  // namespace
