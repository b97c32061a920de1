#include "DesignPictureSet.h"

#include "DesignPictures.h"
#include "SpotDiagram.h"

PictureSet DrawPictureSet(const Calculation& calculation) {
  PictureSet set;
  PicturePage layout;
  layout.title = "Layout and spot diagrams";
  DesignPictures pictures = DrawDesignPictures(calculation, kDefaultSpotRays);
  if (pictures.ok()) {
    layout.drawings.push_back(std::move(pictures.layout));
    layout.drawings.push_back(std::move(pictures.spotDrawing));
  } else {
    layout.refusal = pictures.errorText;
  }
  set.pages.push_back(std::move(layout));
  return set;
}
