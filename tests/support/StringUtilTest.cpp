// TextBuffer and the text formatter with its size estimate.
#include "support/StringUtil.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdlib>
#include <string>

using namespace spekulor::support;

namespace {

FormatEstimate Estimate(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const FormatEstimate estimate = EstimateFormat(format, args);
  va_end(args);
  return estimate;
}

std::size_t Size(const FormatEstimate& estimate) {
  EXPECT_TRUE(estimate.accepted);
  return estimate.size;
}

// Formats through a non-literal format, so that deliberately odd formats reach the
// formatter as they stand.
std::string Format(const char* format, ...) {
  TextBuffer target;
  va_list args;
  va_start(args, format);
  FormatTextV(target, format, args);
  va_end(args);
  return target.Text();
}

TEST(TextBuffer, HoldsACopyAndGrows) {
  TextBuffer text;
  EXPECT_STREQ(text.Text(), "");
  char source[] = "Optics";
  text.Set(source);
  source[0] = 'X';
  EXPECT_STREQ(text.Text(), "Optics");
  text.Append("=");
  text.AppendChar('1');
  text.Append(nullptr);
  EXPECT_STREQ(text.Text(), "Optics=1");
  EXPECT_EQ(text.Length(), 8u);
  text.Set(text.Text() + 7);  // its own text
  EXPECT_STREQ(text.Text(), "1");
  text.Set(nullptr);
  EXPECT_STREQ(text.Text(), "");
}

TEST(FormatEstimate, OrdinaryCharactersAndPercentPairs) {
  EXPECT_EQ(Size(Estimate("abc")), 4u);
  EXPECT_EQ(Size(Estimate("")), 1u);
  EXPECT_EQ(Size(Estimate("100%%")), 5u);
  EXPECT_EQ(Size(Estimate("%5%")), 7u);   // a percent sign after a width counts the width
  EXPECT_EQ(Size(Estimate("%-%")), 3u);   // ... and after a flag, the flag
}

TEST(FormatEstimate, ConversionAllowances) {
  EXPECT_EQ(Size(Estimate("%d", 1)), 34u);
  EXPECT_EQ(Size(Estimate("%40d", 1)), 42u);
  EXPECT_EQ(Size(Estimate("%05d", 1)), 34u);    // the zero belongs to the width
  EXPECT_EQ(Size(Estimate("%.40d", 1)), 34u);   // precision not added for integers
  EXPECT_EQ(Size(Estimate("%+ d", 1)), 36u);
  EXPECT_EQ(Size(Estimate("%#x", 1)), 36u);
  EXPECT_EQ(Size(Estimate("%ld %hd", 1L, 2)), 33u + 1u + 33u + 1u);
  EXPECT_EQ(Size(Estimate("%p", nullptr)), 34u);
  EXPECT_EQ(Size(Estimate("%f", 1.0)), 319u);
  EXPECT_EQ(Size(Estimate("%.2f", 1.0)), 321u);
  EXPECT_EQ(Size(Estimate("%400.2e", 1.0)), 404u);
  EXPECT_EQ(Size(Estimate("%#G", 1.0)), 321u);
  EXPECT_EQ(Size(Estimate("%c", 'x')), 4u);
  EXPECT_EQ(Size(Estimate("%-5c", 'x')), 8u);   // flags do not count for characters
  EXPECT_EQ(Size(Estimate("%n", nullptr)), 2u);
}

TEST(FormatEstimate, TextsCountTheirLength) {
  EXPECT_EQ(Size(Estimate("%s", "abcdef")), 8u);
  EXPECT_EQ(Size(Estimate("%3s", "abcdef")), 8u);
  EXPECT_EQ(Size(Estimate("%10s", "abcdef")), 12u);
  EXPECT_EQ(Size(Estimate("%.3s", "abcdef")), 11u);
  EXPECT_EQ(Size(Estimate("%s", static_cast<const char*>(nullptr))), 7u);
  EXPECT_EQ(Size(Estimate("%-10s", static_cast<const char*>(nullptr))), 7u);
  // The arguments are taken in order, so the second text is the one measured.
  EXPECT_EQ(Size(Estimate("%d%s", 5, "abcdefghij")), 33u + 11u + 1u);
  EXPECT_EQ(Size(Estimate("Assertation (%s) failed File %s Line %d", "x", "ConfigFile", 12)),
            80u);
}

TEST(FormatEstimate, StopsAtLettersItDoesNotAccept) {
  struct Case {
    const char* format;
    char offending;
  } cases[] = {{"%y", 'y'}, {"a%*d", '*'}, {"%.*f", '*'}, {"%lld", 'l'}, {"%Lf", 'L'},
               {"%a", 'a'}, {"%r", 'r'},   {"%F", 'F'},   {"ab%", '\0'}, {"%5", '\0'}};
  for (const Case& c : cases) {
    const FormatEstimate estimate = Estimate(c.format, 1, 2);
    EXPECT_FALSE(estimate.accepted) << c.format;
    EXPECT_EQ(estimate.offending, c.offending) << c.format;
  }
}

TEST(FormatText, FormatsIntoTheTarget) {
  TextBuffer target;
  target.Set("old text");
  FormatText(target, "Assertation (%s) failed File %s Line %d", "psz", "ConfigFile", 211);
  EXPECT_STREQ(target.Text(), "Assertation (psz) failed File ConfigFile Line 211");
  EXPECT_EQ(Format("%s|%8.1f|%c|%%", "a", 2.25, 'z'), "a|     2.2|z|%");
  EXPECT_EQ(Format("%s", static_cast<const char*>(nullptr)), "(null)");
  EXPECT_EQ(Format("%.*f", 2, 1.0), "Fehlerhaftes Zeichen im Format-String: *");
}

TEST(FormatText, UnacceptedLetterLeavesTheExplanation) {
  TextBuffer target;
  target.Set("previous");
  const char* format = "value %y";
  FormatText(target, format, 5);
  EXPECT_STREQ(target.Text(), "Fehlerhaftes Zeichen im Format-String: y");
  // An argument to spare, so that no compiler takes the format for an unchecked one.
  const char* truncated = "100 %";
  FormatText(target, truncated, 0);
  EXPECT_STREQ(target.Text(), "Fehlerhaftes Zeichen im Format-String: ");
}

// FormatText of a "%.<precision>d" format in a child process, which exits with 0 when
// the target holds `precision` digits and 2 when it holds another count.
ChildResult FormatDigitsInChild(const char* format, int value) {
  return RunInChild([format, value] {
    TextBuffer target;
    FormatText(target, format, value);
    return target.Length() == std::strtoul(format + 2, nullptr, 10) ? 0 : 2;
  });
}

TEST(FormatText, ResultBeyondTheEstimateEndsTheProcessWithStatusOne) {
  // An integer precision beyond its allowance is not covered by the estimate.
  const ChildResult child = FormatDigitsInChild("%.40d", 5);
  EXPECT_EQ(child.exitStatus, 1);
  EXPECT_EQ(child.errorText, "%.40d\nthelen < nMaxLen: 40 <> 34\n");

  const ChildResult nullWidth = RunInChild([] {
    Format("%10s", static_cast<const char*>(nullptr));
    return 0;
  });
  EXPECT_EQ(nullWidth.exitStatus, 1);
  EXPECT_EQ(nullWidth.errorText, "%10s\nthelen < nMaxLen: 10 <> 7\n");
}

TEST(FormatText, ResultAsLongAsTheEstimateIsAStop) {
  // "%.33d" is estimated at 34 bytes: 33 digits fit with the terminator, 34 do not.
  const ChildResult fits = FormatDigitsInChild("%.33d", 7);
  EXPECT_EQ(fits.exitStatus, 0);
  EXPECT_EQ(fits.errorText, "");
  const ChildResult stops = FormatDigitsInChild("%.34d", 7);
  EXPECT_EQ(stops.exitStatus, 1);
  EXPECT_EQ(stops.errorText, "%.34d\nthelen < nMaxLen: 34 <> 34\n");
}

}  // namespace
