// The Collimation page: golden pictures of the start-up design, and the axis images
// against diffraction theory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>

#include "collimation/CollimationPictures.h"
#include "tests/common/Golden.h"
#include "tests/common/SvgCheck.h"
#include "drawing/PictureParts.h"
#include "drawing/SvgWriter.h"
#include "tests/common/TestDesigns.h"
#include "drawing/IntensityBands.h"
#include "quality/QualityPictures.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::quality;
using namespace spekulor::collimation;

namespace {

// The Strehl ratio of a small RMS error sigma: exp(-(2 pi sigma)^2) (Mahajan, "Strehl
// ratio for primary aberrations: some analytical results for circular and annular
// pupils", JOSA 72 (1982) 1258), 0.906 at the budget of 0.05 waves.
double MarechalStrehlOf(double sigma) {
  const double phase = 2.0 * 3.14159265358979323846 * sigma;
  return std::exp(-phase * phase);
}

const CollimationPictures& Startup() {
  static const CollimationPictures pictures =
      DrawCollimationPictures(CompleteDesign(DesignFields()), ToleranceOptions{});
  return pictures;
}

TEST(CollimationPictures, StartupDesignMatchesGoldenSvg) {
  ASSERT_TRUE(Startup().ok()) << Startup().errorText;
  ExpectGolden("collimation", "startup_collimation_table.svg", WriteSvg(Startup().table));
  ExpectGolden("collimation", "startup_collimation_images.svg", WriteSvg(Startup().axisImages));
}

#ifdef SPEKULOR_HAVE_LIBXML2
// Both pages are well-formed XML for every type, fast and slow.
TEST(CollimationPictures, SvgIsWellFormedXml) {
  ToleranceOptions options;
  options.gridSize = 32;
  int drawn = 0;
  for (const NamedDesign& named : MisalignmentDesigns()) {
    DesignFields fields;
    fields.m_nType = named.type;
    Calculation calculation;
    calculation.read = ReadDesignInput(fields);
    calculation.design = named.design;
    const CollimationPictures pictures = DrawCollimationPictures(calculation, options);
    if (!pictures.ok()) continue;
    ++drawn;
    EXPECT_TRUE(IsWellFormedSvg(WriteSvg(pictures.table))) << named.name;
    EXPECT_TRUE(IsWellFormedSvg(WriteSvg(pictures.axisImages))) << named.name;
  }
  EXPECT_GE(drawn, 5);
}
#endif

// Every column has its spot and its point image; the point images' Airy disk circle is
// 1.22 lambda N across the window's scale.
TEST(CollimationPictures, EveryColumnHasItsSpotAndPointImage) {
  const CollimationPictures& pictures = Startup();
  for (const char* heading : {"Aligned", "Despaced", "Decentered", "Tilted"}) {
    EXPECT_FALSE(PartShapes(pictures.axisImages, std::string("spot ") + heading).empty())
        << heading;
    const std::vector<const Shape*> image =
        PartShapes(pictures.axisImages, std::string("point image ") + heading);
    ASSERT_FALSE(image.empty()) << heading;
    const auto* airy = std::get_if<CircleShape>(image.back());
    ASSERT_NE(airy, nullptr) << heading;
    const PointImageWindow& window = pictures.images.images[0].image;
    const double lambdaN = 550e-6 * 3200.0 / 400.0;
    EXPECT_NEAR(airy->radius, 200.0 * 1.22 * lambdaN / (window.size * window.spacing), 1e-9);
  }
  EXPECT_EQ(pictures.images.images[2].amount.find("+0."), 0u);
  EXPECT_EQ(pictures.tableText.rfind("Collimation tolerances of the Ritchey-Chr\xE9tien's", 0), 0u);
}

// The point images are painted as on the Image quality tab: the same legend of bands,
// and nothing filled in them but the bands' colours.
TEST(CollimationPictures, PointImagesShareTheImageQualityBands) {
  QualityOptions options;
  options.gridSize = 32;
  const QualityPictures quality = DrawQualityPictures(CompleteDesign(DesignFields()), options);
  ASSERT_TRUE(quality.ok()) << quality.errorText;
  auto fills = [](const Drawing& drawing, const std::string& part) {
    std::vector<std::string> colours;
    for (const Shape* shape : PartShapes(drawing, part)) {
      const PolylineShape* box = std::get_if<PolylineShape>(shape);
      if (box != nullptr && box->filled) {
        colours.push_back(std::to_string(box->fill.r) + "," + std::to_string(box->fill.g) + "," +
                          std::to_string(box->fill.b));
      }
    }
    return colours;
  };
  const std::vector<std::string> legend = fills(Startup().axisImages, "intensity bands");
  ASSERT_EQ(legend.size(), static_cast<size_t>(kIntensityBands));
  EXPECT_EQ(legend, fills(quality.drawings.front(), "intensity bands"));
  for (const char* heading : {"Aligned", "Despaced", "Decentered", "Tilted"}) {
    const std::vector<std::string> painted =
        fills(Startup().axisImages, std::string("point image ") + heading);
    ASSERT_FALSE(painted.empty()) << heading;
    for (const std::string& colour : painted) {
      EXPECT_NE(std::find(legend.begin(), legend.end(), colour), legend.end()) << heading << " " << colour;
    }
  }
}

// The aligned classical Cassegrain is perfect on the axis: its point image peaks at the
// perfect aperture's. At each tolerance the error added is the budget, so the peak drops
// to Marechal's exp(-(2 pi 0.05)^2).
TEST(CollimationPictures, PeaksFollowTheWavefrontError) {
  const CollimationPictures pictures = DrawCollimationPictures(
      CompleteDesign([] {
        DesignFields fields;
        fields.m_nType = kClassical;
        return fields;
      }()),
      ToleranceOptions{});
  ASSERT_TRUE(pictures.ok()) << pictures.errorText;
  const auto& images = pictures.images.images;
  EXPECT_NEAR(images[0].strehl, 1.0, 1e-3);
  for (size_t i = 1; i < images.size(); ++i) {
    EXPECT_NEAR(images[i].rmsWaves, 0.05, 0.002) << images[i].heading;
    EXPECT_NEAR(images[i].strehl, MarechalStrehlOf(0.05), 0.01) << images[i].heading;
    // The window is centred on the reference point, where the peak is.
    const PointImageWindow& window = images[i].image;
    const int centre = window.size / 2;
    double peak = 0.0;
    int peakRow = 0;
    int peakColumn = 0;
    for (int row = 0; row < window.size; ++row) {
      for (int column = 0; column < window.size; ++column) {
        const double value = window.intensity[static_cast<size_t>(row) * window.size + column];
        if (value > peak) {
          peak = value;
          peakRow = row;
          peakColumn = column;
        }
      }
    }
    EXPECT_LE(std::abs(peakRow - centre), 1) << images[i].heading;
    EXPECT_LE(std::abs(peakColumn - centre), 1) << images[i].heading;
  }
}

// Ray and wave optics agree about where coma puts its flare: the spot's and the point
// image's third moments along y have the same sign, and opposite for decenter and tilt
// (their coma coefficients have opposite signs).
TEST(CollimationPictures, SpotAndPointImageFlareTheSameWay) {
  const CollimationPictures& pictures = Startup();
  double spotSkew[2] = {0.0, 0.0};
  double imageSkew[2] = {0.0, 0.0};
  for (int k = 0; k < 2; ++k) {
    const CollimationImage& shown = pictures.images.images[2 + k];
    for (const SpotPoint& p : shown.spot) spotSkew[k] += p.y * p.y * p.y;
    const PointImageWindow& window = shown.image;
    double total = 0.0;
    double meanY = 0.0;
    for (int row = 0; row < window.size; ++row) {
      for (int column = 0; column < window.size; ++column) {
        const double value = window.intensity[static_cast<size_t>(row) * window.size + column];
        total += value;
        meanY += value * (row - window.size / 2);
      }
    }
    meanY /= total;
    for (int row = 0; row < window.size; ++row) {
      for (int column = 0; column < window.size; ++column) {
        const double value = window.intensity[static_cast<size_t>(row) * window.size + column];
        const double dy = row - window.size / 2 - meanY;
        imageSkew[k] += value * dy * dy * dy;
      }
    }
    EXPECT_GT(spotSkew[k] * imageSkew[k], 0.0) << shown.heading;
  }
  EXPECT_LT(spotSkew[0] * spotSkew[1], 0.0);
}

TEST(CollimationPictures, RefusedAndUntraceableDesignsSaySo) {
  DesignFields refused;
  refused.m_strPriDia = "";
  const CollimationPictures none = DrawCollimationPictures(CompleteDesign(refused), ToleranceOptions{});
  EXPECT_EQ(none.errorText.rfind("Error 1", 0), 0u) << none.errorText;
  ToleranceOptions noBudget;
  noBudget.budgetWaves = -1.0;
  EXPECT_EQ(DrawCollimationPictures(CompleteDesign(DesignFields()), noBudget).errorText,
            "Cannot analyse this design: the wavefront error budget must lie above 0 and at "
            "most 1 wave");
}

}  // namespace
