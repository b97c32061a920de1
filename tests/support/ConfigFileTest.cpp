// CConfigFile through its operations: the lookup layer and its states, result codes,
// the typed getters, the lists and the library checks of bad arguments.
#include "support/ConfigFile.h"
#include "support/StringUtil.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

using namespace spekulor::support;

namespace {

class ConfigFileTest : public ::testing::Test {
 protected:
  std::string Make(const std::string& content) {
    const std::string path = m_dir.File("design.spekulor");
    WriteFileBytes(path, content);
    return path;
  }
  TempDir m_dir;
};

TEST_F(ConfigFileTest, MissingFileGivesDefaultsAndCreatesNothing) {
  const std::string path = m_dir.File("missing.spekulor");
  CConfigFile file(path.c_str());
  int n = 0;
  double d = 0;
  char text[16] = "junk";
  EXPECT_EQ(file.GetInt("Optics", "Unit", &n, 7), kConfigCannotOpen);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(file.GetDouble("Optics", "Diameter", &d, 2.5), kConfigCannotOpen);
  EXPECT_EQ(d, 2.5);
  EXPECT_EQ(file.GetString("Optics", "Name", text, sizeof text), kConfigCannotOpen);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(file.GetSectionNames(text, sizeof text), kConfigCannotOpen);
  EXPECT_TRUE(m_dir.List().empty());
}

TEST_F(ConfigFileTest, LookupLayerStates) {
  CConfigFile file(Make("top=1\n[Optics]\nUnit=1\nType = 3\n[Other]\nUnit=2\n").c_str());
  EXPECT_EQ(file.Close(), kConfigNotOpen);
  ASSERT_EQ(file.Open(), kConfigOk);
  EXPECT_EQ(file.Open(), kConfigAlreadyOpen);  // two lookups cannot nest
  char value[2040];
  EXPECT_EQ(file.FindSection(nullptr), kConfigOk);  // stays in the preamble
  EXPECT_EQ(file.FindName("top", value), kConfigOk);
  EXPECT_STREQ(value, "1");
  EXPECT_EQ(file.FindName("Unit", value), kConfigNextSection);  // stops at [Optics]
  EXPECT_EQ(file.FindName("Unit", value), kConfigOk);           // reads on from there
  EXPECT_STREQ(value, "1");
  EXPECT_EQ(file.FindName("Missing", value), kConfigNextSection);
  EXPECT_EQ(file.FindName("Missing", value), kConfigEndOfFile);
  EXPECT_EQ(file.FindSection("Optics"), kConfigSectionNotFound);
  EXPECT_EQ(file.Close(), kConfigOk);
  EXPECT_EQ(file.Close(), kConfigNotOpen);
  // A getter while a lookup is open reports the nesting and leaves the lookup open.
  ASSERT_EQ(file.Open(), kConfigOk);
  int n = 0;
  EXPECT_EQ(file.GetInt("Optics", "Unit", &n, -1), kConfigAlreadyOpen);
  EXPECT_EQ(n, -1);
  EXPECT_EQ(file.Close(), kConfigOk);
}

TEST_F(ConfigFileTest, ChangesBetweenCallsAreSeen) {
  const std::string path = Make("[Optics]\nUnit=1\n");
  CConfigFile file(path.c_str());
  int n = 0;
  EXPECT_EQ(file.GetInt("Optics", "Unit", &n, -1), kConfigOk);
  EXPECT_EQ(n, 1);
  WriteFileBytes(path, "[Optics]\nUnit=0\n");
  EXPECT_EQ(file.GetInt("Optics", "Unit", &n, -1), kConfigOk);
  EXPECT_EQ(n, 0);
}

TEST_F(ConfigFileTest, ValueLengthLimits) {
  const std::string v255(255, '7');
  const std::string v256(256, '7');
  CConfigFile file(Make("[Optics]\nA=" + v255 + "\nB=" + v256 + "\nC=\"" + std::string(254, 'q') +
                        "\"\nD=12   ")
                       .c_str());
  char text[256];
  EXPECT_EQ(file.GetString("Optics", "A", text, sizeof text), kConfigOk);
  EXPECT_EQ(std::string(text), v255);
  int n = 0;
  EXPECT_EQ(file.GetInt("Optics", "A", &n, -1), kConfigOk);
  EXPECT_EQ(n, 2147483647);  // clamped, not wrapped
  EXPECT_EQ(file.GetInt("Optics", "B", &n, -1), kConfigValueTooLong);
  EXPECT_EQ(n, -1);
  EXPECT_EQ(file.GetString("Optics", "B", text, sizeof text), kConfigValueTooLong);
  EXPECT_STREQ(text, "");
  // The limit applies to the raw value, quotes included.
  EXPECT_EQ(file.GetString("Optics", "C", text, sizeof text), kConfigValueTooLong);
  char big[257];
  EXPECT_EQ(file.GetString("Optics", "C", big, sizeof big), kConfigOk);
  EXPECT_EQ(std::string(big), std::string(254, 'q'));
  // The last line has no line end, so its trailing blanks are still in the raw value.
  char small[6];
  EXPECT_EQ(file.GetString("Optics", "D", small, 5), kConfigValueTooLong);
  EXPECT_EQ(file.GetString("Optics", "D", small, 6), kConfigOk);
  EXPECT_STREQ(small, "12");
  TextBuffer buffer;
  EXPECT_EQ(file.GetString("Optics", "B", buffer), kConfigOk);
  EXPECT_EQ(std::string(buffer.Text()), v256);
}

TEST_F(ConfigFileTest, UnclosedQuoteDoesNotCarryTheLineEnd) {
  CConfigFile file(Make("[Optics]\r\nName=ab\"c # d\r\nOpen=\"abc # x\r\n").c_str());
  char text[64];
  EXPECT_EQ(file.GetString("Optics", "Name", text, sizeof text), kConfigOk);
  EXPECT_STREQ(text, "ab\"c # d");
  EXPECT_EQ(file.GetString("Optics", "Open", text, sizeof text), kConfigOpenQuote);
  EXPECT_STREQ(text, "");
}

TEST_F(ConfigFileTest, DefaultsAndStringVariants) {
  CConfigFile file(Make("[Optics]\nName=Newton\nEmpty=\n").c_str());
  char text[8] = "x";
  EXPECT_EQ(file.GetStringDefault("Optics", "Missing", text, sizeof text, "fallback-too-long"), 0);
  EXPECT_STREQ(text, "fallbac");  // cut to len - 1
  EXPECT_EQ(file.GetStringDefault("Optics", "Name", text, sizeof text, "x"), 0);
  EXPECT_STREQ(text, "Newton");
  TextBuffer buffer;
  buffer.Set("old");
  EXPECT_EQ(file.GetString("Optics", "Missing", buffer), kConfigEndOfFile);
  EXPECT_STREQ(buffer.Text(), "");
  EXPECT_EQ(file.GetStringDefault("Nowhere", "Name", buffer, "dflt"), 0);
  EXPECT_STREQ(buffer.Text(), "dflt");
  EXPECT_EQ(file.GetStringDefault("Optics", "Empty", buffer, "dflt"), 0);
  EXPECT_STREQ(buffer.Text(), "");  // found, and empty, is not a failure
}

TEST_F(ConfigFileTest, SectionAndNameLists) {
  CConfigFile file(Make("pre=1\n[Optics]\n# c=1\nUnit = 1\nnoequals\n  Type\t=2\n"
                        "[ Spaced ]\n[Other]x\n[Unclosed\n")
                       .c_str());
  char list[64];
  EXPECT_EQ(file.GetSectionNames(list, sizeof list), kConfigOk);
  EXPECT_STREQ(list, "Optics= Spaced =Other=Unclosed=");
  EXPECT_EQ(file.GetNames("Optics", list, sizeof list), kConfigOk);
  EXPECT_STREQ(list, "Unit=Type=");
  EXPECT_EQ(file.GetNames(nullptr, list, sizeof list), kConfigOk);
  EXPECT_STREQ(list, "pre=");
  EXPECT_EQ(file.GetNames("Missing", list, sizeof list), kConfigSectionNotFound);
  // The list plus the next name plus 10 must stay below the size.
  // "Unclosed" comes after 22 characters: 22 + 8 + 10 = 40.
  EXPECT_EQ(file.GetSectionNames(list, 41), kConfigOk);
  EXPECT_EQ(file.GetSectionNames(list, 40), kConfigListTooLong);
  EXPECT_STREQ(list, "Optics= Spaced =Other=");  // what fitted
  EXPECT_EQ(file.GetNames("Optics", list, 20), kConfigOk);          // 5 + 4 + 10 = 19 < 20
  EXPECT_EQ(file.GetNames("Optics", list, 19), kConfigListTooLong);
  TextBuffer names;
  EXPECT_EQ(file.GetSectionNames(names), kConfigOk);
  EXPECT_STREQ(names.Text(), "Optics= Spaced =Other=Unclosed=");

  ASSERT_EQ(file.Open(), kConfigOk);
  char name[4];
  EXPECT_EQ(file.NextSectionName(name, sizeof name), kConfigOk);
  EXPECT_STREQ(name, "Opt");
  EXPECT_EQ(file.NextSectionName(name, sizeof name), kConfigOk);
  EXPECT_STREQ(name, " Sp");
  EXPECT_EQ(file.NextSectionName(name, sizeof name), kConfigOk);
  EXPECT_EQ(file.NextSectionName(name, sizeof name), kConfigOk);
  EXPECT_EQ(file.NextSectionName(name, sizeof name), kConfigSectionNotFound);
  EXPECT_EQ(file.Close(), kConfigOk);
}

TEST_F(ConfigFileTest, WritersFormatTheirValues) {
  const std::string path = Make("");
  CConfigFile file(path.c_str());
  EXPECT_EQ(file.WriteDouble("Optics", "Huge", HUGE_VAL), 0);
  EXPECT_EQ(file.WriteDouble("Optics", "NaN", std::nan("")), 0);
  EXPECT_EQ(file.WriteDouble("Optics", "Plain", 400.0), 0);
  EXPECT_EQ(file.WriteDouble("Optics", "TinyNeg", -0.0000004), 0);
  EXPECT_EQ(file.WriteDouble("Optics", "Tiny", 0.0000004), 0);
  EXPECT_EQ(file.WriteDouble("Optics", "Round", 2.0000005), 0);
  EXPECT_EQ(file.WriteInt("Optics", "Int", -2147483647 - 1), 0);
  EXPECT_EQ(file.WriteBool("Optics", "Bool", true), 0);
  EXPECT_EQ(ReadFileBytes(path),
            "[Optics]\r\nHuge=NAN\r\nNaN=NAN\r\nPlain=400.000000\r\nTinyNeg=-0.000000\r\n"
            "Tiny=0.000000\r\nRound=2.000001\r\nInt=-2147483648\r\nBool=1\r\n");
  double d = 0;
  EXPECT_EQ(file.GetDouble("Optics", "Huge", &d, 0), 0);
  EXPECT_EQ(d, HUGE_VAL);
  bool b = false;
  EXPECT_EQ(file.GetBool("Optics", "Bool", &b, false), 0);
  EXPECT_TRUE(b);
}

TEST_F(ConfigFileTest, WhatALookupFindsIsWhatAWriteReplaces) {
  // A comment line longer than what a lookup examines, ending in an entry's text: it
  // is a comment, whole, for the lookups and the write alike.
  const std::string comment = "# " + std::string(kConfigExaminedLength, 'x') + "Diameter=5";
  const std::string path = Make("[Optics]\n" + comment + "\nUnit=1\n");
  CConfigFile file(path.c_str());
  char text[16];
  EXPECT_EQ(file.GetString("Optics", "Diameter", text, sizeof text), kConfigEndOfFile);
  EXPECT_EQ(file.WriteString("Optics", "Diameter", "9"), kConfigOk);
  EXPECT_EQ(file.GetString("Optics", "Diameter", text, sizeof text), kConfigOk);
  EXPECT_STREQ(text, "9");
  EXPECT_EQ(ReadFileBytes(path), "[Optics]\r\n" + comment + "\r\nUnit=1\r\nDiameter=9\r\n");
  char list[64];
  EXPECT_EQ(file.GetNames("Optics", list, sizeof list), kConfigOk);
  EXPECT_STREQ(list, "Unit=Diameter=");

  // A long entry line is found by its first characters, and replaced whole.
  const std::string longValue = "Diameter=" + std::string(3000, '7');
  WriteFileBytes(path, "[Optics]\n" + longValue + "\n");
  EXPECT_EQ(file.GetString("Optics", "Diameter", text, sizeof text), kConfigValueTooLong);
  EXPECT_EQ(file.WriteString("Optics", "Diameter", "9"), kConfigOk);
  EXPECT_EQ(ReadFileBytes(path), "[Optics]\r\nDiameter=9\r\n");

  // A header hidden behind more blanks than a lookup examines is no header for either.
  const std::string hidden = std::string(kConfigExaminedLength, ' ') + "[Optics]";
  WriteFileBytes(path, hidden + "\nDiameter=5\n");
  EXPECT_EQ(file.GetString("Optics", "Diameter", text, sizeof text), kConfigSectionNotFound);
  EXPECT_EQ(file.WriteString("Optics", "Diameter", "9"), kConfigOk);
  EXPECT_EQ(ReadFileBytes(path), hidden + "\r\nDiameter=5\r\n[Optics]\r\nDiameter=9\r\n");
  EXPECT_EQ(file.GetString("Optics", "Diameter", text, sizeof text), kConfigOk);
  EXPECT_STREQ(text, "9");
}

TEST_F(ConfigFileTest, WriteEntriesIsTheWritesInOrderInOneReplacement) {
  const std::string before = "# notes\n[Optics]\nUnit=0\nKeep=me\n[Other]\nx=1\n";
  const std::string one = Make(before);
  {
    CConfigFile file(one.c_str());
    EXPECT_EQ(file.WriteString("Optics", "Unit", "1"), kConfigOk);
    EXPECT_EQ(file.WriteString("Optics", "Keep", nullptr), kConfigOk);
    EXPECT_EQ(file.WriteString("Optics", "New", "a b"), kConfigOk);
    EXPECT_EQ(file.WriteString("Optics", "New", "c"), kConfigOk);
  }
  const std::string all = m_dir.File("all.spekulor");
  WriteFileBytes(all, before);
  CConfigFile file(all.c_str());
  EXPECT_EQ(file.WriteEntries("Optics", {{"Unit", "1"}, {"Keep", nullptr}, {"New", "a b"},
                                         {"New", "c"}}),
            kConfigOk);
  EXPECT_EQ(ReadFileBytes(all), "# notes\r\n[Optics]\r\nUnit=1\r\nNew=c\r\n[Other]\r\nx=1\r\n");
  EXPECT_EQ(ReadFileBytes(all), ReadFileBytes(one));
  EXPECT_EQ(file.WriteEntries("Optics", {}), kConfigOk);  // nothing to change: rewritten as is
  EXPECT_EQ(ReadFileBytes(all), ReadFileBytes(one));
}

// ---- Library checks: each ends the process with status 1 and one debug line ----

void ExpectCheck(const std::function<int()>& body, const std::string& expression) {
  const ChildResult child = RunInChild(body);
  EXPECT_EQ(child.exitStatus, 1) << expression;
  std::string escaped;
  for (char c : expression) {
    if (std::string("()[]{}.*+?^$|\\").find(c) != std::string::npos) escaped += '\\';
    escaped += c;
  }
  const std::regex line("Assertation \\(" + escaped + "\\) failed File ConfigFile Line [0-9]+\n");
  EXPECT_TRUE(std::regex_match(child.errorText, line)) << child.errorText;
}

TEST_F(ConfigFileTest, BadArgumentsFailTheLibraryCheck) {
  const std::string path = Make("[Optics]\nUnit=1\n");
  const std::string longText(2048, 'n');
  ExpectCheck([] { CConfigFile file(nullptr); return 0; }, "psz");
  ExpectCheck([] { const std::string p(1024, 'p'); CConfigFile file(p.c_str()); return 0; },
              "strlen(psz) < sizeof(m_szFilename)");
  ExpectCheck([&] { CConfigFile file(path.c_str()); file.Open(); return 0; }, "m_pf == NULL");
  ExpectCheck([&] { CConfigFile file(path.c_str()); char v[4]; file.GetString("a", "b", v, 2048); return 0; },
              "len < 2048");
  ExpectCheck([&] { CConfigFile file(path.c_str()); file.GetString("a", "b", nullptr, 4); return 0; },
              "dest");
  ExpectCheck([&] { CConfigFile file(path.c_str()); file.FindSection("Optics"); return 0; }, "m_pf");
  ExpectCheck([&] { CConfigFile file(path.c_str()); char v[2040]; file.FindName("Unit", v); return 0; },
              "m_pf");
  ExpectCheck([&] { CConfigFile file(path.c_str()); char v[8]; file.NextSectionName(v, 8); return 0; },
              "m_pf");
  ExpectCheck([&] { CConfigFile file(path.c_str()); int n; file.GetInt(longText.c_str(), "b", &n, 0); return 0; },
              "strlen(section) < 2048");
  ExpectCheck([&] { CConfigFile file(path.c_str()); int n; file.GetInt(nullptr, longText.c_str(), &n, 0); return 0; },
              "strlen(name) < 2048");
  ExpectCheck([&] {
    CConfigFile file(path.c_str());
    file.Open();
    file.FindName("Unit", nullptr);
    return 0;
  }, "xvalue");
  // A null name is a broken precondition too, for the getters and the writer alike.
  ExpectCheck([&] { CConfigFile file(path.c_str()); int n; file.GetInt("Optics", nullptr, &n, 0); return 0; },
              "name");
  ExpectCheck([&] { CConfigFile file(path.c_str()); file.WriteString("Optics", nullptr, "1"); return 0; },
              "name");
  // The writer checks its names before it changes anything.
  ExpectCheck([&] { CConfigFile file(path.c_str()); file.WriteString(longText.c_str(), "b", "c"); return 0; },
              "strlen(section) < 2048");
  ExpectCheck([&] { CConfigFile file(path.c_str()); file.WriteString("a", longText.c_str(), "c"); return 0; },
              "strlen(name) < 2048");
  EXPECT_EQ(ReadFileBytes(path), "[Optics]\nUnit=1\n");
  ExpectCheck([&] { CConfigFile file(m_dir.File("new").c_str()); file.WriteString("a", longText.c_str(), "c"); return 0; },
              "strlen(name) < 2048");
  EXPECT_FALSE(FileExists(m_dir.File("new").c_str()));
}

}  // namespace
