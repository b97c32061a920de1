// The text helpers of the configuration file store and its in-memory rewrite.
#include "support/ConfigFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

using namespace spekulor::support;

namespace {

using namespace std::string_literals;

TEST(FoldChar, ClassesAtTheEdgesOfTheTable) {
  EXPECT_EQ(FoldChar(0x00), '_');
  EXPECT_EQ(FoldChar('\r'), '_');
  EXPECT_EQ(FoldChar(0x1F), '_');
  EXPECT_EQ(FoldChar(' '), ' ');
  EXPECT_EQ(FoldChar('a'), 'A');
  EXPECT_EQ(FoldChar('z'), 'Z');
  EXPECT_EQ(FoldChar('{'), '{');
  EXPECT_EQ(FoldChar(0x7F), 0x7F);
  EXPECT_EQ(FoldChar(0x80), '_');
  EXPECT_EQ(FoldChar(0xFC), 0x9A);
  EXPECT_EQ(FoldChar(0xE4), 0x8E);
  EXPECT_EQ(FoldChar(0x99), 0x99);
  EXPECT_EQ(FoldChar(0xDF), 0xE1);
  EXPECT_EQ(FoldChar(0xE9), '_');  // e acute has no class of its own
  EXPECT_EQ(FoldChar(0xFF), '_');
}

TEST(MatchFolded, CaseUmlautsAndTheEndOfTheText) {
  EXPECT_TRUE(MatchFolded("Diameter", "diameter = 8"));
  EXPECT_TRUE(MatchFolded("Diameter", "DIAMETERX"));       // the text may go on
  EXPECT_FALSE(MatchFolded("Diameter", "Diamete"));         // the end matches nothing
  EXPECT_FALSE(MatchFolded("a_", "a"));
  EXPECT_TRUE(MatchFolded("a_", "a\t"));                    // a control character is "_"
  EXPECT_TRUE(MatchFolded("a_", "a\xE9"));                  // so is an unlisted high byte
  EXPECT_TRUE(MatchFolded("Gr\xF6\xDF" "e", "GR\x99\xE1" "E"));  // Latin-1 against code page 437
  EXPECT_TRUE(MatchFolded("\xFC", "\x81"));
  EXPECT_FALSE(MatchFolded("\xFC", "\xE4"));
  EXPECT_TRUE(MatchFolded("", ""));
}

TEST(BlankHelpers, SkipAndTrimOnlySpacesAndTabs) {
  EXPECT_STREQ(SkipBlanks(" \t x \n"), "x \n");
  char text[] = "value \t \t";
  EXPECT_EQ(TrimBlanks(text), text);
  EXPECT_STREQ(text, "value");
  char keepsLineEnd[] = "value \n";
  EXPECT_STREQ(TrimBlanks(keepsLineEnd), "value \n");
}

TEST(CutComment, CutsOutsideQuotesOnly) {
  struct Case {
    const char* in;
    const char* out;  // null: nothing cut
  } cases[] = {
      {"=8 # inch\n", "=8"},
      {"= \"a # b\"  # c\n", "= \"a # b\""},
      {"= \"a # b\"\r\n", "= \"a # b\""},
      {"= \"abc # x\n", nullptr},  // an unclosed quote runs to the end
      {"=8", nullptr},
      {"=8  \r", "=8"},
      {"#", ""},
      {"= \"x\" \"y # z\"#w", "= \"x\" \"y # z\""},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    char* result = CutComment(&text[0]);
    if (c.out == nullptr) {
      EXPECT_EQ(result, nullptr) << c.in;
      EXPECT_STREQ(text.c_str(), c.in);
    } else {
      ASSERT_EQ(result, &text[0]) << c.in;
      EXPECT_STREQ(result, c.out) << c.in;
    }
  }
}

TEST(LineTests, SectionHeaders) {
  EXPECT_TRUE(IsSectionHeader("[Optics]\r\n", "Optics"));
  EXPECT_TRUE(IsSectionHeader("  [optics] trailing text\n", "Optics"));
  EXPECT_FALSE(IsSectionHeader("[ Optics ]\n", "Optics"));
  EXPECT_FALSE(IsSectionHeader("[Optics\n", "Optics"));
  EXPECT_FALSE(IsSectionHeader("[OpticsX]\n", "Optics"));
  EXPECT_FALSE(IsSectionHeader("x[Optics]\n", "Optics"));
  EXPECT_TRUE(IsHeaderLine(" \t[anything"));
  EXPECT_FALSE(IsHeaderLine("a=[b]"));
}

TEST(LineTests, EntriesAndTheirRawValues) {
  struct Case {
    const char* line;
    const char* value;  // null: not the entry Diameter
  } cases[] = {
      {"Diameter=8\r\n", "8"},
      {"  diameter = 8 # inch\n", "8"},
      {"Diameter\n", ""},
      {"Diameter   \n", ""},
      {"Diameter =\n", ""},
      {"Diameter # note\n", ""},
      {"Diameter=\"a # b\" # c\n", "\"a # b\""},
      {"Diameter=\"open # x\n", "\"open # x\n"},  // unclosed: the rest of the line
      {"DiameterX=5\n", nullptr},
      {"Diameter Old=5\n", nullptr},
      {"Diamete=5\n", nullptr},
      {"# Diameter=5\n", nullptr},
      {"Diameter\t=\t8\n", "8"},
  };
  for (const Case& c : cases) {
    std::string line = c.line;
    const char* value = EntryValue(&line[0], "Diameter");
    if (c.value == nullptr) {
      EXPECT_EQ(value, nullptr) << c.line;
    } else {
      ASSERT_NE(value, nullptr) << c.line;
      EXPECT_STREQ(value, c.value) << c.line;
    }
  }
}

// The lines of a text, each as "bytes|examined|" with "+" marking a line after a
// lone CR.
std::string ReadLines(std::string_view text) {
  ConfigLineReader lines(text);
  ConfigLine line;
  std::string out;
  while (lines.Next(line)) {
    out += (line.afterLoneCr ? "+" : "") + std::string(line.bytes) + "|" + line.examined + "|";
  }
  return out;
}

TEST(ConfigLineReader, SplitsOnRunsOfLineEnds) {
  // A run at the very start is one empty line; "\r\r\n" is one line end; the last
  // line has none, so nothing is added to its examined text.
  EXPECT_EQ(ReadLines("\r\n\nfirst\r\r\nsecond\nlast"),
            "|\n|first|first\n|second|second\n|last|last|");
  EXPECT_EQ(ReadLines(""), "");
  EXPECT_EQ(ReadLines("\n"), "|\n|");
  ConfigLineReader lines("z");
  ConfigLine line;
  ASSERT_TRUE(lines.Next(line));
  EXPECT_FALSE(lines.Next(line));
  EXPECT_FALSE(lines.Next(line));
}

TEST(ConfigLineReader, TextAfterALoneCarriageReturnIsMarked) {
  // As a file is read, everything from a lone CR to the next LF is the rest of one line.
  EXPECT_EQ(ReadLines("[Optics]\rUnit=1\r\rType=2\r\nNext\n\rHidden\r\nShown"),
            "[Optics]|[Optics]\n|+Unit=1|Unit=1\n|+Type=2|Type=2\n|Next|Next\n|"
            "+Hidden|Hidden\n|Shown|Shown|");
}

TEST(ConfigLineReader, ALongLineIsOneLineExaminedInItsFirstCharacters) {
  const std::string fits(kConfigExaminedLength - 1, 'a');
  const std::string exact(kConfigExaminedLength, 'b');
  const std::string longer = std::string(kConfigExaminedLength, 'c') + "Diameter=5";
  const std::string text = fits + "\n" + exact + "\n" + longer + "\r\nz";  // the reader views it
  ConfigLineReader lines(text);
  ConfigLine line;
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(std::string(line.examined), fits + "\n");
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(std::string(line.examined), exact);  // no room for the line end
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line.bytes, longer);
  EXPECT_EQ(std::string(line.examined), std::string(kConfigExaminedLength, 'c'));
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line.bytes, "z");
  EXPECT_FALSE(line.afterLoneCr);
  EXPECT_FALSE(lines.Next(line));
}

TEST(Rewrite, ReplacesInPlaceAndKeepsEveryOtherLine) {
  const std::string text = "# generated by X\n[Other]\nDiameter=1\n[Optics]\nDiameter = 8 # inch\nUnit=0\n";
  EXPECT_EQ(RewriteConfigText(text, "Optics", "Diameter", "10"),
            "# generated by X\r\n[Other]\r\nDiameter=1\r\n[Optics]\r\nDiameter=10\r\nUnit=0\r\n");
  EXPECT_EQ(RewriteConfigText(text, "Optics", "Diameter", nullptr),
            "# generated by X\r\n[Other]\r\nDiameter=1\r\n[Optics]\r\nUnit=0\r\n");
  EXPECT_EQ(RewriteConfigText(text, "Other", "Type", "2"),
            "# generated by X\r\n[Other]\r\nDiameter=1\r\nType=2\r\n[Optics]\r\nDiameter = 8 # inch\r\nUnit=0\r\n");
  EXPECT_EQ(RewriteConfigText(text, nullptr, "Top", "1"),
            "# generated by X\r\nTop=1\r\n[Other]\r\nDiameter=1\r\n[Optics]\r\nDiameter = 8 # inch\r\nUnit=0\r\n");
}

TEST(Rewrite, LongLinesAndNulBytesAreCopiedWhole) {
  const std::string longComment = "# " + std::string(5000, 'x') + "[Optics]" + std::string(3000, 'y');
  const std::string withNul = "note\0[Optics]\0Diameter=3"s;
  const std::string text = longComment + "\n" + withNul + "\n[Optics]\nDiameter=8\n";
  const std::string expected = longComment + "\r\n" + withNul + "\r\n[Optics]\r\nDiameter=9\r\n";
  EXPECT_EQ(RewriteConfigText(text, "Optics", "Diameter", "9"), expected);
}

TEST(Rewrite, LoneCarriageReturnsEndLines) {
  EXPECT_EQ(RewriteConfigText("[Optics]\rUnit=1\r\rType=2", "Optics", "Unit", "0"),
            "[Optics]\r\nUnit=0\r\nType=2\r\n");
  // A run of line ends at the very start becomes one empty line.
  EXPECT_EQ(RewriteConfigText("\r\n\r\n[Optics]\n", "Optics", "Unit", "0"),
            "\r\n[Optics]\r\nUnit=0\r\n");
}

}  // namespace
