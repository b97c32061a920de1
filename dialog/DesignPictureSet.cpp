#include "dialog/DesignPictureSet.h"

#include <utility>

#include "baffles/BafflePictures.h"
#include "collimation/CollimationPictures.h"
#include "dialog/CameraTab.h"
#include "dialog/MirrorTestsPage.h"
#include "trace/DesignPictures.h"
#include "quality/QualityPictures.h"
#include "trace/SpotDiagram.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::quality;
using namespace spekulor::baffles;
using namespace spekulor::collimation;

namespace spekulor::dialog {

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

const char* PicturePageTitle(int page) {
  static const char* const kTitles[] = {"Layout and spot diagrams", "Image quality",
                                        "Baffles and hole", "Collimation", "Mirror tests",
                                        "Camera"};
  return page >= kLayoutPage && page <= kCameraPage ? kTitles[page] : "";
}

PicturePage DrawPicturePage(const Calculation& calculation, int page,
                            const PictureOptions& options) {
  const char* title = PicturePageTitle(page);
  const LengthUnit unit = calculation.read.unit;
  switch (page) {
    case kLayoutPage: {
      const SecondaryPerturbation secondary = SecondaryFor(options, unit);
      DesignPictures layout = DrawDesignPictures(calculation, kDefaultSpotRays, secondary);
      std::vector<Drawing> drawings;
      if (layout.ok()) {
        drawings.push_back(std::move(layout.layout));
        drawings.push_back(std::move(layout.spotDrawing));
      }
      PicturePage drawn = Page(title, std::move(layout.errorText), std::move(drawings));
      if (!IsAligned(secondary)) {
        drawn.notice = "Miscollimated: the spot diagrams are traced with the " +
                       DescribeSecondaryPerturbation(secondary, unit) +
                       "; the layout shows the design as it is.";
      }
      return drawn;
    }
    case kQualityPage: {
      QualityPictures quality =
          DrawQualityPictures(calculation, QualityOptionsFor(options, calculation.design, unit),
                              MessageReader::Window);
      return Page(title, std::move(quality.errorText), std::move(quality.drawings));
    }
    case kBafflesPage: {
      BafflePictures baffles = DrawBafflePictures(calculation, BaffleOptionsFor(options, unit));
      return Page(title, std::move(baffles.errorText), std::move(baffles.drawings));
    }
    case kCollimationPage: {
      CollimationPictures collimation = DrawCollimationPictures(
          calculation, ToleranceOptionsFor(options, calculation.design, unit));
      std::vector<Drawing> drawings;
      if (collimation.ok()) {
        drawings.push_back(std::move(collimation.table));
        drawings.push_back(std::move(collimation.axisImages));
      }
      return Page(title, std::move(collimation.errorText), std::move(drawings));
    }
    case kMirrorTestsPage:
      return DrawMirrorTestsPage(calculation, title);
    case kCameraPage:
      return DrawCameraPage(calculation, DefaultCameraOptions(), title);
    default:
      return PicturePage();
  }
}

PictureSet DrawPictureSet(const Calculation& calculation) {
  PictureSet set;
  for (int page = kLayoutPage; page <= kCameraPage; ++page) {
    set.pages.push_back(DrawPicturePage(calculation, page));
  }
  return set;
}

}  // namespace spekulor::dialog
