// The Windows-1252 boundary between the program's texts and the widgets.
#include <gtest/gtest.h>

#include <string>

#include "app/QtText.h"

namespace {

TEST(Windows1252Test, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
}

TEST(Windows1252Test, TheCodePagesOwnCharactersMapToTheirUnicodeForms) {
  EXPECT_EQ(FromWindows1252("Chr\xE9tien"), QString::fromUtf8("Chrétien"));
  EXPECT_EQ(FromWindows1252("\x80\x96\x99"), QString::fromUtf8("€–™"));
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("über €")), "\xFC" "ber \x80");
}

TEST(Windows1252Test, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("ł→😀x")), "???x");
}

}  // namespace
