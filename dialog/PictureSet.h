// What the pictures window shows: pages (tabs), each a column of drawings or, for a
// design its analysis cannot handle, the reason, above what the analysis could still
// draw (the baffles' focus travel).
#ifndef SPEKULOR_DIALOG_PICTURESET_H
#define SPEKULOR_DIALOG_PICTURESET_H

#include <memory>
#include <string>
#include <vector>

#include "drawing/Drawing.h"
#include "mirrortests/MirrorTestPage.h"

namespace spekulor::dialog {

struct PicturePage {
  std::string title;              // the tab's title, Windows-1252
  std::string refusal;            // when not empty, shown first, in place of the
                                  // drawings where there are none
  // When not empty, shown above everything in a colour that stands out: the pictures
  // are not of the design as it is (a miscollimated secondary).
  std::string notice;
  std::vector<drawing::Drawing> drawings;  // top to bottom, each with room for its height
  // The "Mirror tests" page only: the primary's test figures its zone table shows.
  std::shared_ptr<const mirrortests::MirrorTestPage> mirrorTests;
};

struct PictureSet {
  std::vector<PicturePage> pages;
};

// The page index of each View item, in the order of the tabs.
enum PicturePageIndex : int {
  kLayoutPage = 0,
  kQualityPage = 1,
  kBafflesPage = 2,
  kCollimationPage = 3,
  kMirrorTestsPage = 4,
  kCameraPage = 5
};

}  // namespace spekulor::dialog

#endif
