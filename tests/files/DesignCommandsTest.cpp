#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "Calculate.h"
#include "DesignCommands.h"
#include "FileTestKit.h"

namespace {

// A window without a display: its controls are a second copy of the values, the
// exchange copies between the two, and the answers of dialogs are scripted.
class ScriptedWindow : public DesignCommandWindow {
 public:
  DesignFields members;
  std::string report;
  DesignFields controls;
  std::string reportControl;

  std::vector<std::string> log;  // "save", "load", "box:<text>", "ask:<name>"
  std::vector<FileDialogSpec> dialogs;
  std::deque<std::optional<std::string>> answers;

  DesignFields& Fields() override { return members; }
  std::string& Report() override { return report; }
  void UpdateData(bool saveAndValidate) override {
    log.push_back(saveAndValidate ? "save" : "load");
    if (saveAndValidate) {
      members = controls;
      report = reportControl;
    } else {
      controls = members;
      reportControl = report;
    }
  }
  void MessageBox(const std::string& text) override { log.push_back("box:" + text); }
  std::optional<std::string> AskFilePath(const FileDialogSpec& dialog) override {
    log.push_back(std::string("ask:") + dialog.fileName);
    dialogs.push_back(dialog);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

using Log = std::vector<std::string>;

bool SameFields(const DesignFields& a, const DesignFields& b) {
  return a.m_nUnits == b.m_nUnits && a.m_nType == b.m_nType && a.m_strField == b.m_strField &&
         a.m_strPriDia == b.m_strPriDia && a.m_strPriFoc == b.m_strPriFoc &&
         a.m_strBackFocLen == b.m_strBackFocLen && a.m_strSecCC == b.m_strSecCC &&
         a.m_strPriCC == b.m_strPriCC && a.m_strSecPriDist == b.m_strSecPriDist &&
         a.m_strSecSysDist == b.m_strSecSysDist && a.m_strSysFoc == b.m_strSysFoc &&
         a.m_strSecRadCur == b.m_strSecRadCur;
}

TEST(CalculateOslo, WritesTheLensAndShowsTheSameBytes) {
  TempDir folder;
  ScriptedWindow window;
  window.reportControl = "old report";
  window.answers.push_back(folder.File("scope.len"));
  RunCalculateOslo(window);
  EXPECT_EQ(window.log, (Log{"save", "load", "ask:untitled.len"}));
  EXPECT_EQ(window.reportControl, Golden("startup.len"));
  EXPECT_EQ(ReadFileBytes(folder.File("scope.len")), window.reportControl);

  const FileDialogSpec& dialog = window.dialogs.at(0);
  EXPECT_FALSE(dialog.openFile);
  EXPECT_STREQ(dialog.defaultExt, "*.len");
  EXPECT_EQ(dialog.flags, 6u);
  EXPECT_STREQ(dialog.filter, "OSLO Lens Files (*.len)|*.len|All Files (*.*)|*.*||");
}

TEST(CalculateOslo, ExportingAgainReplacesTheFileWhole) {
  TempDir folder;
  const std::string path = folder.File("scope.len");
  WriteFileBytes(path, std::string(4000, 'z'));
  ScriptedWindow window;
  window.controls.m_nType = 0;
  window.answers.push_back(path);
  RunCalculateOslo(window);
  EXPECT_EQ(ReadFileBytes(path), window.report);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"scope.len"});
}

TEST(CalculateOslo, CancellingTheDialogKeepsTheLensTextAndWritesNothing) {
  TempDir folder;
  ScriptedWindow window;
  window.answers.push_back(std::nullopt);
  RunCalculateOslo(window);
  EXPECT_EQ(window.log, (Log{"save", "load", "ask:untitled.len"}));
  EXPECT_EQ(window.reportControl, Golden("startup.len"));
  EXPECT_TRUE(folder.List().empty());

  // Calculate afterwards brings the report back.
  const CalculateOutcome outcome = Calculate(window.members);
  ASSERT_TRUE(outcome.ok());
  EXPECT_NE(outcome.report, window.report);
}

TEST(CalculateOslo, InchShowsOnlyTheUnitMessage) {
  ScriptedWindow window;
  window.controls.m_nUnits = 0;
  window.controls.m_strPriDia.clear();
  window.reportControl = "earlier report";
  RunCalculateOslo(window);
  EXPECT_EQ(window.log, (Log{"save", "box:Please use mm for OSLO Lens Files"}));
  EXPECT_EQ(window.reportControl, "earlier report");
}

TEST(CalculateOslo, RefusedInputsShowTheNumberedBox) {
  ScriptedWindow window;
  window.controls.m_strSysFoc.clear();
  window.reportControl = "earlier report";
  RunCalculateOslo(window);
  ASSERT_EQ(window.log.size(), 2u);
  EXPECT_EQ(window.log[1], "box:" + Calculate(window.members).errorText);
  EXPECT_EQ(window.reportControl, "earlier report");
}

TEST(CalculateOslo, AFailedWriteSaysErrorWritingAndKeepsTheOldFile) {
  TempDir folder;
  const std::string path = folder.File("scope.len");
  WriteFileBytes(path, "previous lens\r\n");

  // A file-size limit below the lens text: the write itself fails.
  const int status = RunWithFileSizeLimit(100, [&] {
    ScriptedWindow window;
    window.answers.push_back(path);
    RunCalculateOslo(window);
    return window.log.back() == "box:Error writing" ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(path), "previous lens\r\n");
  EXPECT_EQ(folder.List(), std::vector<std::string>{"scope.len"});

  // A folder that is a regular file: the file cannot be created.
  ScriptedWindow window;
  window.answers.push_back(path + "/scope.len");
  RunCalculateOslo(window);
  EXPECT_EQ(window.log, (Log{"save", "load", "ask:untitled.len", "box:Error writing"}));
  EXPECT_EQ(window.reportControl, Golden("startup.len"));
}

TEST(FileNew, SetsTheStartUpValuesAndKeepsTheReport) {
  ScriptedWindow window;
  window.members.m_nUnits = 0;
  window.members.m_nType = 4;
  window.members.m_strSecCC = "3";
  window.members.m_strPriDia = "1";
  window.report = "a report";
  RunFileNew(window);
  EXPECT_EQ(window.log, (Log{"load"}));
  EXPECT_EQ(window.controls.m_nUnits, 1);
  EXPECT_EQ(window.controls.m_nType, 2);
  EXPECT_EQ(window.controls.m_strPriDia, "400.0");
  EXPECT_EQ(window.controls.m_strPriFoc, "1000.0");
  EXPECT_EQ(window.controls.m_strField, "0.75");
  EXPECT_EQ(window.controls.m_strSysFoc, "3200.0");
  EXPECT_EQ(window.controls.m_strBackFocLen, "254");
  EXPECT_EQ(window.controls.m_strSecCC, "");
  EXPECT_EQ(window.reportControl, "a report");
}

TEST(FileSaveAs, TakesTheControlsAndWritesTheFile) {
  TempDir folder;
  ScriptedWindow window;
  window.answers.push_back(folder.File("new.spekulor"));
  window.report = window.reportControl = "report stays";
  RunFileSaveAs(window);
  EXPECT_EQ(window.log, (Log{"save", "ask:untitled.spekulor"}));
  EXPECT_EQ(ReadFileBytes(folder.File("new.spekulor")), Golden("startup.spekulor"));
  EXPECT_EQ(window.reportControl, "report stays");
  const FileDialogSpec& dialog = window.dialogs.at(0);
  EXPECT_FALSE(dialog.openFile);
  EXPECT_STREQ(dialog.defaultExt, "*.spekulor");
  EXPECT_EQ(dialog.flags, 6u);
  EXPECT_STREQ(dialog.filter, "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||");
}

TEST(FileSaveAs, CancellingTouchesNoFile) {
  TempDir folder;
  ScriptedWindow window;
  window.answers.push_back(std::nullopt);
  RunFileSaveAs(window);
  EXPECT_EQ(window.log, (Log{"save", "ask:untitled.spekulor"}));
  EXPECT_TRUE(folder.List().empty());
}

TEST(FileSaveAs, FailuresSayErrorWritingOnce) {
  TempDir folder;
  WriteFileBytes(folder.File("plain"), "x");
  ScriptedWindow window;
  window.answers.push_back(folder.File("plain") + "/d.spekulor");
  RunFileSaveAs(window);
  EXPECT_EQ(window.log, (Log{"save", "ask:untitled.spekulor", "box:Error writing"}));

  ScriptedWindow longPath;
  longPath.answers.push_back(folder.Path() + "/" + std::string(1100, 'n'));
  RunFileSaveAs(longPath);
  EXPECT_EQ(longPath.log, (Log{"save", "ask:untitled.spekulor", "box:Error writing"}));

  const std::string path = folder.File("kept.spekulor");
  WriteFileBytes(path, std::string(2000, '#') + "\r\n[Optics]\r\nUnit=0\r\n");
  const std::string before = ReadFileBytes(path);
  const int status = RunWithFileSizeLimit(1000, [&] {
    ScriptedWindow full;
    full.answers.push_back(path);
    RunFileSaveAs(full);
    return full.log == Log{"save", "ask:untitled.spekulor", "box:Error writing"} ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(path), before);
}

TEST(FileOpen, ShowsTheFilesValuesAndKeepsTheReport) {
  TempDir folder;
  const std::string path = folder.File("d.spekulor");
  WriteFileBytes(path, "[Optics]\nUnit=0\nType=1\nDiameter=203.127\nSecondary CC=NAN\n");
  ScriptedWindow window;
  window.report = window.reportControl = "report stays";
  window.answers.push_back(path);
  RunFileOpen(window);
  EXPECT_EQ(window.log, (Log{"ask:untitled.spekulor", "load"}));
  EXPECT_EQ(window.controls.m_nUnits, 0);
  EXPECT_EQ(window.controls.m_nType, 1);
  EXPECT_EQ(window.controls.m_strPriDia, "203.13");
  EXPECT_EQ(window.controls.m_strSecCC, "");
  EXPECT_EQ(window.controls.m_strPriFoc, "0.00");
  EXPECT_EQ(window.reportControl, "report stays");
  const FileDialogSpec& dialog = window.dialogs.at(0);
  EXPECT_TRUE(dialog.openFile);
  EXPECT_STREQ(dialog.defaultExt, "*.spekulor");
  EXPECT_EQ(dialog.flags, 6u);
}

TEST(FileOpen, CancelAndUnreadableFilesChangeNothing) {
  TempDir folder;
  ScriptedWindow window;
  window.members.m_strPriDia = "typed";
  const DesignFields before = window.members;
  window.answers.push_back(std::nullopt);
  RunFileOpen(window);
  EXPECT_EQ(window.log, (Log{"ask:untitled.spekulor"}));

  window.log.clear();
  window.answers.push_back(folder.File("absent.spekulor"));
  RunFileOpen(window);
  EXPECT_EQ(window.log, (Log{"ask:untitled.spekulor", "box:Error reading"}));
  EXPECT_TRUE(SameFields(window.members, before));

  window.log.clear();
  window.answers.push_back(folder.Path() + "/" + std::string(1100, 'n'));
  RunFileOpen(window);
  EXPECT_EQ(window.log, (Log{"ask:untitled.spekulor", "box:Error reading"}));
  EXPECT_TRUE(SameFields(window.members, before));
}

TEST(DesignFileCommands, SaveNewOpenGivesTheRoundedStartUpValues) {
  TempDir folder;
  const std::string path = folder.File("startup.spekulor");
  ScriptedWindow window;
  window.answers.push_back(path);
  RunFileSaveAs(window);
  window.controls.m_strPriDia = "1";
  RunFileNew(window);
  window.answers.push_back(path);
  RunFileOpen(window);
  DesignFields expected;
  expected.m_strPriDia = "400.00";
  expected.m_strPriFoc = "1000.00";
  expected.m_strSysFoc = "3200.00";
  expected.m_strBackFocLen = "254.00";
  EXPECT_TRUE(SameFields(window.controls, expected));
}

}  // namespace
