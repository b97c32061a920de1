#include "DesignPictureSet.h"

#include <utility>

#include "BafflePictures.h"
#include "CollimationPictures.h"
#include "DesignPictures.h"
#include "QualityPictures.h"
#include "SpotDiagram.h"

namespace {

// A page of what an analysis gave: its drawings, and its refusal where it has one.
// Most analyses give no drawings with a refusal; the baffles still give the focus
// travel.
PicturePage Page(const char* title, std::string refusal, std::vector<Drawing> drawings) {
  PicturePage page;
  page.title = title;
  page.refusal = std::move(refusal);
  page.drawings = std::move(drawings);
  return page;
}

}  // namespace

PictureSet DrawPictureSet(const Calculation& calculation) {
  PictureSet set;
  DesignPictures layout = DrawDesignPictures(calculation, kDefaultSpotRays);
  std::vector<Drawing> layoutDrawings;
  if (layout.ok()) {
    layoutDrawings.push_back(std::move(layout.layout));
    layoutDrawings.push_back(std::move(layout.spotDrawing));
  }
  set.pages.push_back(
      Page("Layout and spot diagrams", std::move(layout.errorText), std::move(layoutDrawings)));

  QualityPictures quality = DrawQualityPictures(calculation, QualityOptions(), MessageReader::Window);
  set.pages.push_back(
      Page("Image quality", std::move(quality.errorText), std::move(quality.drawings)));

  BafflePictures baffles = DrawBafflePictures(calculation);
  set.pages.push_back(
      Page("Baffles and hole", std::move(baffles.errorText), std::move(baffles.drawings)));

  CollimationPictures collimation = DrawCollimationPictures(calculation, ToleranceOptions());
  std::vector<Drawing> collimationDrawings;
  if (collimation.ok()) {
    collimationDrawings.push_back(std::move(collimation.table));
    collimationDrawings.push_back(std::move(collimation.axisImages));
  }
  set.pages.push_back(Page("Collimation", std::move(collimation.errorText),
                           std::move(collimationDrawings)));
  return set;
}
