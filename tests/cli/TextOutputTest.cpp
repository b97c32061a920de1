#include <gtest/gtest.h>

#include <string>

#include "cli/DesignOptions.h"
#include "cli/TextOutput.h"
#include "support/TerminalText.h"
#include "support/Windows1252.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::cli;

namespace {

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
  EXPECT_EQ(Windows1252ToUtf8("Chr\xE9tien \x80 \x93q\x94"),
            "Chr\xC3\xA9tien \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D");
}

TEST(Windows1252, UnknownAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x88\x9E"), "?");          // infinity sign, not in the page
  EXPECT_EQ(Utf8ToWindows1252("a\xC3"), "a?");                // cut sequence
  EXPECT_EQ(Utf8ToWindows1252("\xC3(x"), "?(x");             // bad continuation
  EXPECT_EQ(Utf8ToWindows1252("\xC0\xAF"), "?");              // overlong slash
  EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80"), "?");          // surrogate
  EXPECT_EQ(Utf8ToWindows1252("\xF0\x9F\x94\xAD!"), "?!");    // telescope emoji
  EXPECT_EQ(Utf8ToWindows1252("\xFF"), "?");
}

TEST(TextOutput, TerminalTextDropsCarriageReturnsBeforeLineFeedsOnly) {
  EXPECT_EQ(ToTerminalText("a\r\nb"), "a\nb\n");
  EXPECT_EQ(ToTerminalText("a\rb\r\n"), "a\rb\n");
  EXPECT_EQ(ToTerminalText(""), "\n");
  EXPECT_EQ(ToTerminalText("\xE9"), "\xC3\xA9\n");
}

TEST(DesignOptions, UnitAndTypeNames) {
  EXPECT_EQ(ParseUnitIndex("inch"), 0);
  EXPECT_EQ(ParseUnitIndex("mm"), 1);
  EXPECT_EQ(ParseUnitIndex("0"), 0);
  EXPECT_THROW(ParseUnitIndex("-1"), CLI::ValidationError);  // outside the two buttons
  EXPECT_THROW(ParseUnitIndex("2"), CLI::ValidationError);
  EXPECT_THROW(ParseUnitIndex("Inch"), CLI::ValidationError);
  EXPECT_THROW(ParseUnitIndex("1x"), CLI::ValidationError);
  EXPECT_THROW(ParseUnitIndex(""), CLI::ValidationError);
  const char* names[] = {"classical", "dall-kirkham", "ritchey-chretien", "pressmann-camichel",
                         "stigmatic"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ParseTypeIndex(names[i]), i);
  EXPECT_EQ(ParseTypeIndex("4"), 4);
  EXPECT_THROW(ParseTypeIndex("7"), CLI::ValidationError);  // outside the five buttons
  EXPECT_THROW(ParseTypeIndex("-1"), CLI::ValidationError);
  EXPECT_THROW(ParseTypeIndex("99999999999"), CLI::ValidationError);
}

TEST(DesignOptions, FieldTextsAreConvertedAndTheLastOneWins) {
  CLI::App app;
  DesignOptions options;
  AddDesignOptions(app, options);
  const char* argv[] = {"x", "--diameter", "1", "--diameter", "2\xC3\xA9", "--field", ""};
  app.parse(7, const_cast<char**>(argv));
  DesignFields fields;
  ApplyDesignOptions(options, fields);
  EXPECT_EQ(fields.m_strPriDia, "2\xE9");
  EXPECT_EQ(fields.m_strField, "");
  EXPECT_EQ(fields.m_strPriFoc, "1000.0");  // untouched
  EXPECT_EQ(fields.m_nType, 2);
}

}  // namespace
