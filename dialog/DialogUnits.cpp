#include "dialog/DialogUnits.h"

namespace spekulor::dialog {

namespace {

// value * numerator / denominator, rounded half away from zero (the window system's MulDiv).
int MulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

}  // namespace

int AverageCharWidth(int advanceOfAlphabet) { return (advanceOfAlphabet / 26 + 1) / 2; }

int DialogXToPixels(int x, const DialogBaseUnits& units) { return MulDiv(x, units.charWidth, 4); }

int DialogYToPixels(int y, const DialogBaseUnits& units) { return MulDiv(y, units.charHeight, 8); }

PixelRect DialogRectToPixels(int x, int y, int width, int height, const DialogBaseUnits& units) {
  // Width and height come from the mapped corners so adjacent controls stay adjacent.
  const int left = DialogXToPixels(x, units);
  const int top = DialogYToPixels(y, units);
  return {left, top, DialogXToPixels(x + width, units) - left,
          DialogYToPixels(y + height, units) - top};
}

}  // namespace spekulor::dialog
