#include "DesignPictureSet.h"

#include <utility>

#include "BafflePictures.h"
#include "DesignPictures.h"
#include "SpotDiagram.h"

namespace {

PicturePage Page(const char* title, std::string refusal, std::vector<Drawing> drawings) {
  PicturePage page;
  page.title = title;
  if (refusal.empty()) {
    page.drawings = std::move(drawings);
  } else {
    page.refusal = std::move(refusal);
  }
  return page;
}

}  // namespace

PictureSet DrawPictureSet(const Calculation& calculation) {
  PictureSet set;
  DesignPictures layout = DrawDesignPictures(calculation, kDefaultSpotRays);
  std::vector<Drawing> layoutDrawings;
  layoutDrawings.push_back(std::move(layout.layout));
  layoutDrawings.push_back(std::move(layout.spotDrawing));
  set.pages.push_back(
      Page("Layout and spot diagrams", std::move(layout.errorText), std::move(layoutDrawings)));

  BafflePictures baffles = DrawBafflePictures(calculation);
  set.pages.push_back(
      Page("Baffles and hole", std::move(baffles.errorText), std::move(baffles.drawings)));
  return set;
}
