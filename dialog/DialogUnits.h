// Dialog units to pixels, the window system's way: the horizontal base unit is the
// dialog font's average character width, the vertical one its character height; a
// dialog unit is a quarter of the first and an eighth of the second, rounded to
// the nearest pixel.
#ifndef SPEKULOR_DIALOG_DIALOGUNITS_H
#define SPEKULOR_DIALOG_DIALOGUNITS_H

namespace spekulor::dialog {

struct DialogBaseUnits {
  int charWidth;   // average width of the letters A-Z and a-z, in pixels
  int charHeight;  // height of the character cell, in pixels
};

struct PixelRect {
  int x, y, width, height;
};

// The average width as the window system computes it from the advance of the 52
// letters A-Z a-z set in one line: (advance / 26 + 1) / 2.
int AverageCharWidth(int advanceOfAlphabet);

int DialogXToPixels(int x, const DialogBaseUnits& units);
int DialogYToPixels(int y, const DialogBaseUnits& units);
PixelRect DialogRectToPixels(int x, int y, int width, int height, const DialogBaseUnits& units);

}  // namespace spekulor::dialog

#endif
