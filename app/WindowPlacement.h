// Where the pictures window opens: beside the main window, never over its fields.
#ifndef SPEKULOR_APP_WINDOWPLACEMENT_H
#define SPEKULOR_APP_WINDOWPLACEMENT_H

#include <QRect>

struct PicturesPlacement {
  QRect pictures;  // the pictures window's frame
  QPoint mainTo;   // where the main window's frame moves (its own place when it stays)
};

// The narrowest pictures window worth opening beside the main window.
constexpr int kLeastPicturesWidth = 480;

// Places a pictures window of frame size `wanted` on `available` (the screen less its
// panels) beside the main window's frame `main`: on the side with more room when that
// side has kLeastPicturesWidth, as wide as it allows; otherwise the main window moves
// to the screen's left edge when that makes the room; otherwise (a screen narrower
// than both) the pictures go to the right edge, offset down by `fieldsHeight` so the
// main window's fields above stay reachable.
PicturesPlacement PlacePictures(const QRect& main, const QRect& available, const QSize& wanted,
                                int fieldsHeight);

#endif
