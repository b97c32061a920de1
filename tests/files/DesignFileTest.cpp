#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "DesignFile.h"
#include "FileTestKit.h"

namespace {

DesignFields SavedAndOpened(const DesignFields& typed, std::string* fileText = nullptr) {
  TempDir folder;
  const std::string path = folder.File("round.spekulor");
  EXPECT_EQ(SaveDesignFile(path, typed), DesignFileStatus::Ok);
  if (fileText != nullptr) *fileText = ReadFileBytes(path);
  DesignFields opened;
  opened.m_strPriDia = "typed before";
  EXPECT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
  return opened;
}

// The value of one entry line in a saved file.
std::string Entry(const std::string& text, const std::string& name) {
  const std::string key = "\r\n" + name + "=";
  const size_t at = text.find(key);
  if (at == std::string::npos) return "(missing)";
  const size_t start = at + key.size();
  return text.substr(start, text.find("\r\n", start) - start);
}

TEST(DesignFile, StartUpWindowSavesTheGoldenFileAndComesBack) {
  TempDir folder;
  const std::string path = folder.File("startup.spekulor");
  ASSERT_EQ(SaveDesignFile(path, DesignFields()), DesignFileStatus::Ok);
  EXPECT_EQ(ReadFileBytes(path), Golden("startup.spekulor"));

  DesignFields opened;
  opened.m_nUnits = 0;
  opened.m_nType = 4;
  opened.m_strSecCC = "1";
  ASSERT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
  EXPECT_EQ(opened.m_nUnits, 1);
  EXPECT_EQ(opened.m_nType, 2);
  EXPECT_EQ(opened.m_strPriDia, "400.00");
  EXPECT_EQ(opened.m_strPriFoc, "1000.00");
  EXPECT_EQ(opened.m_strField, "0.75");
  EXPECT_EQ(opened.m_strSysFoc, "3200.00");
  EXPECT_EQ(opened.m_strBackFocLen, "254.00");
  EXPECT_EQ(opened.m_strSecSysDist, "");
  EXPECT_EQ(opened.m_strSecPriDist, "");
  EXPECT_EQ(opened.m_strSecRadCur, "");
  EXPECT_EQ(opened.m_strPriCC, "");
  EXPECT_EQ(opened.m_strSecCC, "");
}

TEST(DesignFile, RoundTripsRoundAsTheWindowShows) {
  DesignFields typed;
  typed.m_strPriDia = "203.127";
  typed.m_strPriCC = "-1.23456";
  typed.m_strSecRadCur = "868.57142857";
  typed.m_strField = "abc";
  typed.m_strSysFoc = "   ";
  typed.m_strBackFocLen = "";
  typed.m_strSecCC = "2.5e1";
  std::string text;
  const DesignFields opened = SavedAndOpened(typed, &text);
  EXPECT_EQ(Entry(text, "Diameter"), "203.127000");
  EXPECT_EQ(opened.m_strPriDia, "203.13");
  EXPECT_EQ(Entry(text, "Primary CC"), "-1.234560");
  EXPECT_EQ(opened.m_strPriCC, "-1.2346");
  EXPECT_EQ(opened.m_strSecRadCur, "868.5714");
  // Text that is no number, and blanks, count as given and read as zero.
  EXPECT_EQ(Entry(text, "Field"), "0.000000");
  EXPECT_EQ(opened.m_strField, "0.00");
  EXPECT_EQ(Entry(text, "System Focal Length"), "0.000000");
  EXPECT_EQ(opened.m_strSysFoc, "0.00");
  // An empty field is not given: "NAN" and back to empty.
  EXPECT_EQ(Entry(text, "Back Focal Length"), "NAN");
  EXPECT_EQ(opened.m_strBackFocLen, "");
  EXPECT_EQ(Entry(text, "Secondary CC"), "25.000000");
  EXPECT_EQ(opened.m_strSecCC, "25.0000");
}

TEST(DesignFile, RadioIndexesAreStoredRawAndReadWithoutRangeCheck) {
  DesignFields typed;
  typed.m_nUnits = -1;
  typed.m_nType = -1;
  std::string text;
  const DesignFields opened = SavedAndOpened(typed, &text);
  EXPECT_EQ(Entry(text, "Unit"), "-1");
  EXPECT_EQ(Entry(text, "Type"), "-1");
  EXPECT_EQ(opened.m_nUnits, -1);
  EXPECT_EQ(opened.m_nType, -1);

  TempDir folder;
  const std::string path = folder.File("seven.spekulor");
  WriteFileBytes(path, "[Optics]\nType=7\nUnit=0\n");
  DesignFields seven;
  ASSERT_EQ(LoadDesignFile(path, seven), DesignFileStatus::Ok);
  EXPECT_EQ(seven.m_nType, 7);
  EXPECT_EQ(seven.m_nUnits, 0);
}

TEST(DesignFile, MissingEntriesGetTheGettersDefaults) {
  TempDir folder;
  const std::string path = folder.File("sparse.spekulor");
  WriteFileBytes(path, "[Optics]\r\nDiameter=150\r\nSecondary ROC=NAN\r\n");
  DesignFields opened;
  opened.m_nUnits = 0;
  opened.m_nType = 0;
  ASSERT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
  EXPECT_EQ(opened.m_nUnits, 1);
  EXPECT_EQ(opened.m_nType, 2);
  EXPECT_EQ(opened.m_strPriDia, "150.00");
  EXPECT_EQ(opened.m_strSecRadCur, "");
  EXPECT_EQ(opened.m_strPriFoc, "0.00");
  EXPECT_EQ(opened.m_strSecCC, "0.0000");

  // A readable file without the section at all: every entry its default.
  WriteFileBytes(path, "just some text\n");
  ASSERT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
  EXPECT_EQ(opened.m_strPriDia, "0.00");
  EXPECT_EQ(opened.m_strPriCC, "0.0000");
}

TEST(DesignFile, HandWrittenNamesMatchWithoutRegardToCase) {
  TempDir folder;
  const std::string path = folder.File("hand.spekulor");
  WriteFileBytes(path, "[optics]\n  diameter = 8\nFIELD=0.5 # degrees\n");
  DesignFields opened;
  ASSERT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
  EXPECT_EQ(opened.m_strPriDia, "8.00");
  EXPECT_EQ(opened.m_strField, "0.50");
}

TEST(DesignFile, SavingOverAKeptFileReplacesOnlyTheTwelveEntries) {
  TempDir folder;
  const std::string path = folder.File("kept.spekulor");
  WriteFileBytes(path, Golden("kept_before.spekulor"));
  ASSERT_EQ(SaveDesignFile(path, DesignFields()), DesignFileStatus::Ok);
  EXPECT_EQ(ReadFileBytes(path), Golden("kept_after.spekulor"));
}

TEST(DesignFile, AnyOtherTextFileGetsTheSectionAppended) {
  TempDir folder;
  const std::string path = folder.File("notes.txt");
  WriteFileBytes(path, "shopping list\n");
  ASSERT_EQ(SaveDesignFile(path, DesignFields()), DesignFileStatus::Ok);
  const std::string golden = Golden("startup.spekulor");
  const std::string withoutFirstLine = golden.substr(golden.find("\r\n") + 2);
  EXPECT_EQ(ReadFileBytes(path), "shopping list\r\n" + withoutFirstLine);
}

TEST(DesignFile, AnUnreadableFileChangesNothing) {
  TempDir folder;
  DesignFields typed;
  typed.m_strPriDia = "123";
  typed.m_nType = 4;
  const DesignFields before = typed;
  auto unchanged = [&] {
    return typed.m_strPriDia == before.m_strPriDia && typed.m_nType == before.m_nType &&
           typed.m_strSecCC == before.m_strSecCC;
  };
  EXPECT_EQ(LoadDesignFile(folder.File("missing.spekulor"), typed), DesignFileStatus::CannotRead);
  EXPECT_TRUE(unchanged());
  EXPECT_EQ(LoadDesignFile(folder.Path(), typed), DesignFileStatus::CannotRead);  // a folder
  EXPECT_TRUE(unchanged());
  const std::string fifo = folder.File("pipe.spekulor");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(LoadDesignFile(fifo, typed), DesignFileStatus::CannotRead);
  EXPECT_TRUE(unchanged());
  if (::geteuid() != 0) {
    const std::string locked = folder.File("locked.spekulor");
    WriteFileBytes(locked, "[Optics]\nDiameter=9\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    EXPECT_EQ(LoadDesignFile(locked, typed), DesignFileStatus::CannotRead);
    EXPECT_TRUE(unchanged());
  }
}

TEST(DesignFile, PathsTooLongForTheStoreAreRefusedBeforeItIsMade) {
  TempDir folder;
  std::string path = folder.Path() + "/";
  path += std::string(kMaxDesignPathLength + 1 - path.size(), 'a');
  ASSERT_EQ(path.size(), 1024u);
  DesignFields fields;
  EXPECT_EQ(SaveDesignFile(path, fields), DesignFileStatus::PathTooLong);
  EXPECT_EQ(LoadDesignFile(path, fields), DesignFileStatus::PathTooLong);
  EXPECT_EQ(SaveDesignFile(folder.File(std::string("a\0b", 3)), fields),
            DesignFileStatus::PathTooLong);
  EXPECT_TRUE(folder.List().empty());
}

TEST(DesignFile, AWriteThatFailsIsReportedAndLeavesTheFileIntact) {
  TempDir folder;
  const std::string path = folder.File("big.spekulor");
  // An existing design file larger than the limit: its first rewrite cannot fit.
  const std::string before = "# notes\r\n" + std::string(3000, '#') + "\r\n" +
                             Golden("startup.spekulor");
  WriteFileBytes(path, before);
  DesignFields changed;
  changed.m_strPriDia = "250";
  const int status = RunWithFileSizeLimit(1024, [&] {
    return SaveDesignFile(path, changed) == DesignFileStatus::WriteFailed ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(path), before);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"big.spekulor"});

  WriteFileBytes(folder.File("plain"), "x");
  EXPECT_EQ(SaveDesignFile(folder.File("plain") + "/d.spekulor", changed),
            DesignFileStatus::WriteFailed);
}

TEST(DesignFile, FieldTextIsFixedPointWithAPoint) {
  EXPECT_EQ(FieldTextOf(kNotGiven, "%0.2f"), "");
  EXPECT_EQ(FieldTextOf(0.125, "%0.2f"), "0.12");  // printf rounds the binary value
  EXPECT_EQ(FieldTextOf(-0.00001, "%0.4f"), "-0.0000");
  EXPECT_EQ(FieldTextOf(1e20, "%0.2f"), "100000000000000000000.00");
}

}  // namespace
