#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "calc/Calculate.h"
#include "files/DesignFile.h"
#include "tests/common/Golden.h"
#include "tests/common/TestDesigns.h"
#include "tests/common/TestFiles.h"

using namespace spekulor::calc;
using namespace spekulor::files;

namespace {

// What Open makes of a file of `bytes` (written to `path`) over the entries `shown`.
DesignFields Opened(const std::string& path, const std::string& bytes,
                    DesignFields shown = DesignFields()) {
  WriteFileBytes(path, bytes);
  EXPECT_EQ(LoadDesignFile(path, shown), DesignFileStatus::Ok) << bytes;
  return shown;
}

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
  EXPECT_EQ(ReadFileBytes(path), Golden("files", "startup.spekulor"));

  DesignFields shown;
  shown.m_nUnits = 0;
  shown.m_nType = 4;
  shown.m_strSecCC = "1";
  ASSERT_EQ(LoadDesignFile(path, shown), DesignFileStatus::Ok);
  // Every one of the twelve entries: the five given with two decimals, the rest empty.
  EXPECT_EQ(FormatDesignEntries(shown),
            FormatDesignEntries(TypedFields(kMillimetreUnits, kRitcheyChretien,
                                            {"400.00", "1000.00", "0.75", "3200.00", "254.00",
                                             "", "", "", "", ""})));
}

TEST(DesignFile, OpenGivesBackWhatWasSaved) {
  DesignFields typed;
  typed.m_strPriDia = "203.127";
  typed.m_strPriCC = "-1.23456";
  typed.m_strSecRadCur = "868.571429";
  typed.m_strField = "abc";
  typed.m_strSysFoc = "   ";
  typed.m_strBackFocLen = "";
  typed.m_strSecCC = "2.5e1";
  typed.m_strSecPriDist = "0.125";
  std::string text;
  const DesignFields opened = SavedAndOpened(typed, &text);
  EXPECT_EQ(Entry(text, "Diameter"), "203.127000");
  EXPECT_EQ(opened.m_strPriDia, "203.127");
  EXPECT_EQ(Entry(text, "Primary CC"), "-1.234560");
  EXPECT_EQ(opened.m_strPriCC, "-1.23456");
  EXPECT_EQ(opened.m_strSecRadCur, "868.571429");
  // Once shown as 0.12, which is another design.
  EXPECT_EQ(opened.m_strSecPriDist, "0.125");
  // Text that is no number, and blanks, count as given and read as zero.
  EXPECT_EQ(Entry(text, "Field"), "0.000000");
  EXPECT_EQ(opened.m_strField, "0.00");
  EXPECT_EQ(Entry(text, "System Focal Length"), "0.000000");
  EXPECT_EQ(opened.m_strSysFoc, "0.00");
  // An empty field is not given: "NAN" and back to empty.
  EXPECT_EQ(Entry(text, "Back Focal Length"), "NAN");
  EXPECT_EQ(opened.m_strBackFocLen, "");
  // Values that need no more decimals than two (four) show with exactly that many.
  EXPECT_EQ(Entry(text, "Secondary CC"), "25.000000");
  EXPECT_EQ(opened.m_strSecCC, "25.0000");
}

TEST(DesignFile, SavedAndOpenedDesignsGiveTheSameReport) {
  // Values as users type them, with up to six decimals, over the ranges telescope
  // makers use; every design the calculation accepts must come back to the same report.
  std::mt19937 random(20261207);
  auto typed = [&](double low, double high) {
    const int decimals = std::uniform_int_distribution<int>(0, 6)(random);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals,
                  std::uniform_real_distribution<double>(low, high)(random));
    return std::string(text);
  };
  TempDir folder;
  const std::string path = folder.File("random.spekulor");
  int compared = 0;
  for (int attempt = 0; compared < 200 && attempt < 2000; ++attempt) {
    DesignFields fields;
    fields.m_nUnits = std::uniform_int_distribution<int>(0, 1)(random);
    fields.m_nType = std::uniform_int_distribution<int>(0, 3)(random);
    fields.m_strPriDia = typed(50, 1000);
    fields.m_strPriFoc = typed(1.5 * std::stod(fields.m_strPriDia), 5 * std::stod(fields.m_strPriDia));
    fields.m_strField = typed(0.05, 1.5);
    fields.m_strSysFoc = typed(2.5 * std::stod(fields.m_strPriFoc), 5 * std::stod(fields.m_strPriFoc));
    fields.m_strBackFocLen = typed(0.05 * std::stod(fields.m_strPriFoc), 0.4 * std::stod(fields.m_strPriFoc));
    const CalculateOutcome typedOutcome = Calculate(fields);
    if (!typedOutcome.ok()) continue;
    ASSERT_EQ(SaveDesignFile(path, fields), DesignFileStatus::Ok);
    DesignFields opened;
    ASSERT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
    ASSERT_EQ(Calculate(opened).report, typedOutcome.report)
        << fields.m_strPriDia << " " << fields.m_strPriFoc << " " << fields.m_strField << " "
        << fields.m_strSysFoc << " " << fields.m_strBackFocLen;
    ++compared;
  }
  EXPECT_EQ(compared, 200);
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
  const DesignFields seven = Opened(folder.File("seven.spekulor"), "[Optics]\nType=7\nUnit=0\n");
  EXPECT_EQ(seven.m_nType, 7);
  EXPECT_EQ(seven.m_nUnits, 0);
}

TEST(DesignFile, MissingEntriesGetTheGettersDefaults) {
  TempDir folder;
  const std::string path = folder.File("sparse.spekulor");
  DesignFields shown;
  shown.m_nUnits = 0;
  shown.m_nType = 0;
  DesignFields opened =
      Opened(path, "[Optics]\r\nDiameter=150\r\nSecondary ROC=NAN\r\n", shown);
  EXPECT_EQ(opened.m_nUnits, 1);
  EXPECT_EQ(opened.m_nType, 2);
  EXPECT_EQ(opened.m_strPriDia, "150.00");
  EXPECT_EQ(opened.m_strSecRadCur, "");
  EXPECT_EQ(opened.m_strPriFoc, "0.00");
  EXPECT_EQ(opened.m_strSecCC, "0.0000");

  // The section alone: every entry its default.
  opened = Opened(path, "[Optics]\n", opened);
  EXPECT_EQ(opened.m_strPriDia, "0.00");
  EXPECT_EQ(opened.m_strPriCC, "0.0000");
}

TEST(DesignFile, WhatIsNoDesignFileIsNotOpened) {
  TempDir folder;
  const std::string path = folder.File("other");
  DesignFields typed;
  typed.m_strPriDia = "123";
  const std::string cases[] = {
      "",                                         // empty
      "just some text\n",                         // no section "Optics"
      "[Other]\nDiameter=5\n",                    // another program's settings
      "[Optics]\nDiameter=5\n" + std::string("\0\x89PNG", 5),  // NUL bytes: not text
  };
  for (const std::string& bytes : cases) {
    WriteFileBytes(path, bytes);
    EXPECT_EQ(LoadDesignFile(path, typed), DesignFileStatus::NotADesignFile) << bytes;
    EXPECT_EQ(typed.m_strPriDia, "123");
    EXPECT_EQ(ReadFileBytes(path), bytes);
  }
}

TEST(DesignFile, SaveAsRefusesValuesTheFileCannotHold) {
  TempDir folder;
  const std::string path = folder.File("kept.spekulor");
  ASSERT_EQ(SaveDesignFile(path, DesignFields()), DesignFileStatus::Ok);
  const std::string before = ReadFileBytes(path);
  for (const char* text : {"0.1234567", "1e300"}) {
    DesignFields typed;
    typed.m_strSecCC = text;
    const DesignFileEntry* refused = nullptr;
    EXPECT_EQ(SaveDesignFile(path, typed, &refused), DesignFileStatus::ValueNotStorable) << text;
    ASSERT_NE(refused, nullptr);
    EXPECT_STREQ(refused->name, "Secondary CC");
    EXPECT_NE(std::string(refused->notStorableMessage).find("secondary mirror conic constant"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), before);
  }
  // Six decimals, and large values whose text the store takes, are held exactly.
  EXPECT_TRUE(DesignFileHolds(0.123456));
  EXPECT_TRUE(DesignFileHolds(1e20));
  EXPECT_TRUE(DesignFileHolds(kNotGiven));
  EXPECT_FALSE(DesignFileHolds(1e300));
}

TEST(DesignFile, HandWrittenNamesMatchWithoutRegardToCase) {
  TempDir folder;
  const DesignFields opened =
      Opened(folder.File("hand.spekulor"), "[optics]\n  diameter = 8\nFIELD=0.5 # degrees\n");
  EXPECT_EQ(opened.m_strPriDia, "8.00");
  EXPECT_EQ(opened.m_strField, "0.50");
}

TEST(DesignFile, SavingOverAKeptFileReplacesOnlyTheTwelveEntries) {
  TempDir folder;
  const std::string path = folder.File("kept.spekulor");
  WriteFileBytes(path, Golden("files", "kept_before.spekulor"));
  ASSERT_EQ(SaveDesignFile(path, DesignFields()), DesignFileStatus::Ok);
  EXPECT_EQ(ReadFileBytes(path), Golden("files", "kept_after.spekulor"));
}

TEST(DesignFile, AnyOtherTextFileGetsTheSectionAppended) {
  TempDir folder;
  const std::string path = folder.File("notes.txt");
  WriteFileBytes(path, "shopping list\n");
  ASSERT_EQ(SaveDesignFile(path, DesignFields()), DesignFileStatus::Ok);
  const std::string golden = Golden("files", "startup.spekulor");
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
                             Golden("files", "startup.spekulor");
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

TEST(DesignFile, FieldTextIsTheShortestThatGivesTheValueBack) {
  EXPECT_EQ(FieldTextOf(kNotGiven, 2), "");
  EXPECT_EQ(FieldTextOf(400.0, 2), "400.00");
  EXPECT_EQ(FieldTextOf(0.125, 2), "0.125");  // "%.2f" would give 0.12: another value
  EXPECT_EQ(FieldTextOf(-2.78, 4), "-2.7800");
  EXPECT_EQ(FieldTextOf(-0.00001, 4), "-0.00001");
  EXPECT_EQ(FieldTextOf(1e20, 2), "100000000000000000000.00");
  // Beyond the file's six decimals: six, as the file holds it.
  EXPECT_EQ(FieldTextOf(0.1234567, 2), "0.123457");
}

}  // namespace
