// Dialog units and the window's templates: the window's fixed layout, checked
// without a widget.
#include <gtest/gtest.h>

#include "dialog/DialogTemplate.h"
#include "dialog/DialogUnits.h"

using namespace spekulor::dialog;

namespace {

TEST(DialogUnitsTest, AverageWidthRoundsTheWayTheWindowSystemDoes) {
  // 52 letters of 6.5 px on average: 338 px -> 13 -> 7; of 6.4 px: 333 -> 12 -> 6.
  EXPECT_EQ(AverageCharWidth(338), 7);
  EXPECT_EQ(AverageCharWidth(333), 6);
  EXPECT_EQ(AverageCharWidth(0), 0);
}

TEST(DialogUnitsTest, UnitsMapToPixelsRoundedToNearest) {
  const DialogBaseUnits units{6, 13};
  EXPECT_EQ(DialogXToPixels(397, units), 596);  // 595.5 rounds up
  EXPECT_EQ(DialogYToPixels(356, units), 579);  // 578.5 rounds up
  EXPECT_EQ(DialogXToPixels(1, units), 2);      // 1.5
  EXPECT_EQ(DialogYToPixels(3, units), 5);      // 4.875
  EXPECT_EQ(DialogXToPixels(-1, units), -2);
}

TEST(DialogUnitsTest, AdjacentRectanglesStayAdjacent) {
  const DialogBaseUnits units{7, 15};
  // Two controls that touch in dialog units touch in pixels, whatever the rounding.
  for (int x = 0; x < 40; ++x) {
    const PixelRect left = DialogRectToPixels(x, 0, 13, 8, units);
    const PixelRect right = DialogRectToPixels(x + 13, 0, 13, 8, units);
    EXPECT_EQ(left.x + left.width, right.x) << x;
  }
}

TEST(DialogTemplateTest, EveryControlLiesInsideItsDialog) {
  for (const DialogTemplate* dialog : {&MainDialogTemplate(), &AboutDialogTemplate()}) {
    for (std::size_t i = 0; i < dialog->controlCount; ++i) {
      const ControlTemplate& c = dialog->controls[i];
      EXPECT_GE(c.x, 0);
      EXPECT_GE(c.y, 0);
      EXPECT_LE(c.x + c.width, dialog->width) << c.text;
      EXPECT_LE(c.y + c.height, dialog->height) << c.text;
    }
  }
}

TEST(DialogTemplateTest, ExactlyOneDefaultButtonPerDialog) {
  for (const DialogTemplate* dialog : {&MainDialogTemplate(), &AboutDialogTemplate()}) {
    int defaults = 0;
    for (std::size_t i = 0; i < dialog->controlCount; ++i) {
      if ((dialog->controls[i].style & kDefault) != 0) {
        ++defaults;
        EXPECT_EQ(dialog->controls[i].id, IDOK);
      }
    }
    EXPECT_EQ(defaults, 1);
  }
}

}  // namespace
