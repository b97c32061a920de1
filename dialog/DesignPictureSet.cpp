#include "DesignPictureSet.h"

#include <utility>

#include "BafflePictures.h"
#include "CollimationPictures.h"
#include "DesignPictures.h"
#include "QualityPictures.h"
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

  QualityPictures quality = DrawQualityPictures(calculation, QualityOptions(), MessageReader::Window);
  set.pages.push_back(
      Page("Image quality", std::move(quality.errorText), std::move(quality.drawings)));

  BafflePictures baffles = DrawBafflePictures(calculation);
  set.pages.push_back(
      Page("Baffles and hole", std::move(baffles.errorText), std::move(baffles.drawings)));

  CollimationPictures collimation = DrawCollimationPictures(calculation, ToleranceOptions());
  std::vector<Drawing> collimationDrawings;
  collimationDrawings.push_back(std::move(collimation.table));
  collimationDrawings.push_back(std::move(collimation.axisImages));
  set.pages.push_back(Page("Collimation", std::move(collimation.errorText),
                           std::move(collimationDrawings)));
  return set;
}
