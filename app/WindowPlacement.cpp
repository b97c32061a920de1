#include "app/WindowPlacement.h"

#include <algorithm>

namespace {

// The frame on `available` from x `left` to `right` (inclusive), at most `wanted` in
// size, at the top of the room.
QRect Column(int left, int right, const QRect& available, const QSize& wanted) {
  const int width = std::min(wanted.width(), right - left + 1);
  const int height = std::min(wanted.height(), available.height());
  return QRect(left, available.top(), width, height);
}

}  // namespace

PicturesPlacement PlacePictures(const QRect& main, const QRect& available, const QSize& wanted,
                                int fieldsHeight) {
  PicturesPlacement placement{QRect(), main.topLeft()};
  const int roomRight = available.right() - main.right();
  const int roomLeft = main.left() - available.left();
  if (std::max(roomRight, roomLeft) >= kLeastPicturesWidth) {
    if (roomRight >= roomLeft) {
      placement.pictures = Column(main.right() + 1, available.right(), available, wanted);
    } else {
      placement.pictures = Column(available.left(), main.left() - 1, available, wanted);
      placement.pictures.moveRight(main.left() - 1);
    }
    return placement;
  }
  if (available.width() - main.width() >= kLeastPicturesWidth) {
    placement.mainTo = QPoint(available.left(), main.top());
    placement.pictures = Column(available.left() + main.width(), available.right(), available, wanted);
    return placement;
  }
  const int top = std::min(main.top() + fieldsHeight, available.bottom() - 200);
  QRect room(available.left(), top, available.width(), available.bottom() - top + 1);
  placement.pictures = Column(room.left(), room.right(), room, wanted);
  placement.pictures.moveRight(available.right());
  return placement;
}
