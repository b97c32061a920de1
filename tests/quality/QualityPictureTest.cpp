// The image-quality picture: its golden SVG, its texts, and that what it draws is to
// the scales it states.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/common/Golden.h"
#include "tests/common/SvgCheck.h"
#include "quality/PerfectAperture.h"
#include "drawing/PictureParts.h"
#include "quality/QualityPicture.h"
#include "quality/QualityPictures.h"
#include "quality/QualityTable.h"
#include "trace/SpotPicture.h"
#include "drawing/SvgWriter.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::quality;

namespace {

constexpr int kPictureGrid = 32;        // where a coarse grid will do
constexpr int kSpreadGrid = 64;  // fine enough for most of the spread of designs

QualityPictures Draw(const DesignFields& fields, int grid) {
  QualityOptions options;
  options.gridSize = grid;
  return DrawQualityPictures(CompleteDesign(fields), options);
}

// The first zero of J1(v) - e J1(e v), in lambda N, by stepping and halving: the dark
// ring of the annulus's point image [2 J1(v) / v - e^2 2 J1(e v) / (e v)]^2.
double FirstZeroLambdaN(double e) {
  auto f = [e](double v) { return std::cyl_bessel_j(1.0, v) - e * std::cyl_bessel_j(1.0, e * v); };
  double low = 1.0;
  while (f(low + 0.01) > 0.0) low += 0.01;
  double high = low + 0.01;
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (low + high);
    (f(mid) > 0.0 ? low : high) = mid;
  }
  return low / 3.14159265358979323846;
}

TEST(QualityPicture, StartupDesignMatchesGoldenSvg) {
  const QualityPictures pictures = DrawQualityPictures(CompleteDesign(DesignFields()), QualityOptions());
  ASSERT_TRUE(pictures.ok()) << pictures.errorText;
  ExpectGolden("quality", "startup_quality.svg", WriteSvg(pictures.drawings.front()));
}

// Every text inside the canvas and none over another, and the SVG well-formed XML, for
// designs of every shape; a design the analysis refuses says why instead.
TEST(QualityPicture, TextsStayInsideAndApart) {
  int drawn = 0;
  for (const DesignCase& c : DesignSpread()) {
    const QualityPictures pictures = Draw(c.fields, kSpreadGrid);
    if (!pictures.ok()) {
      EXPECT_EQ(pictures.errorText.rfind("Cannot analyse the image quality: ", 0), 0u) << c.name;
      EXPECT_TRUE(pictures.drawings.empty()) << c.name;
      continue;
    }
    ++drawn;
    ASSERT_EQ(pictures.drawings.size(), 1u) << c.name;
#ifdef SPEKULOR_HAVE_LIBXML2
    EXPECT_TRUE(IsWellFormedSvg(WriteSvg(pictures.drawings.front()))) << c.name;
#endif
    std::vector<TextBox> boxes;
    for (const Shape& shape : pictures.drawings.front().shapes) {
      if (const TextShape* text = std::get_if<TextShape>(&shape)) boxes.push_back(EstimateTextBox(*text));
    }
    ASSERT_GE(boxes.size(), 40u) << c.name;
    for (size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_GE(boxes[i].left, 0.0) << c.name << " text " << i;
      EXPECT_GE(boxes[i].top, 0.0) << c.name << " text " << i;
      EXPECT_LE(boxes[i].right, pictures.drawings.front().width) << c.name << " text " << i;
      EXPECT_LE(boxes[i].bottom, pictures.drawings.front().height) << c.name << " text " << i;
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        EXPECT_FALSE(BoxesOverlap(boxes[i], boxes[j])) << c.name << " texts " << i << ", " << j;
      }
    }
  }
  EXPECT_GE(drawn, 12);
}

// The dashed rings are the perfect annulus's first dark ring at the scale bar's scale.
TEST(QualityPicture, DarkRingsMatchTheScaleBar) {
  const Calculation calculation = CompleteDesign(StartupFields(kRitcheyChretien));
  const QualityPictures pictures = Draw(StartupFields(kRitcheyChretien), kPictureGrid);
  ASSERT_TRUE(pictures.ok());
  const std::vector<const Shape*> rings = PartShapes(pictures.drawings.front(), "first dark ring");
  ASSERT_EQ(rings.size(), 3u);
  const std::vector<const Shape*> bar = PartShapes(pictures.drawings.front(), "scale bar");
  ASSERT_FALSE(bar.empty());
  const double barMicrometres = std::stod(std::get<TextShape>(*bar.back()).text);
  const double pixelsPerMicrometre = PartHorizontalSpan(pictures.drawings.front(), "scale bar") / barMicrometres;
  const DesignResult& design = calculation.design;
  const double lambdaN = 0.55 * design.SysFoc / design.PriDia;  // micrometres
  const double expected = FirstZeroLambdaN(design.SecDia / design.PriDia) * lambdaN;
  for (const Shape* ring : rings) {
    EXPECT_NEAR(std::get<CircleShape>(*ring).radius / pixelsPerMicrometre, expected, 1e-6 * expected);
  }
}

// The perfect aperture's MTF curve is drawn through O'Neill's values: the plot runs
// from 1 at zero frequency (top left) to 0 at the cutoff (bottom right).
TEST(QualityPicture, PerfectMtfCurveIsDrawnToItsAxes) {
  const Calculation calculation = CompleteDesign(StartupFields(kRitcheyChretien));
  const QualityPictures pictures = Draw(StartupFields(kRitcheyChretien), kPictureGrid);
  ASSERT_TRUE(pictures.ok());
  const std::vector<const Shape*> curve = PartShapes(pictures.drawings.front(), "perfect MTF");
  ASSERT_EQ(curve.size(), 1u);
  const std::vector<DrawPoint>& points = std::get<PolylineShape>(*curve[0]).points;
  ASSERT_EQ(points.size(), static_cast<size_t>(kPictureGrid) + 1);
  const DrawPoint topLeft = points.front();
  const DrawPoint bottomRight = points.back();
  const double e = calculation.design.SecDia / calculation.design.PriDia;
  for (size_t k = 1; k < points.size(); k += 8) {
    const double fraction = (points[k].x - topLeft.x) / (bottomRight.x - topLeft.x);
    const double value = (bottomRight.y - points[k].y) / (bottomRight.y - topLeft.y);
    EXPECT_NEAR(fraction, static_cast<double>(k) / kPictureGrid, 1e-9);
    EXPECT_NEAR(value, ObstructedMtf(fraction, e), 1e-9);
  }
  // And the three field points' curves, tangential and sagittal, are there.
  for (size_t i = 0; i < 3; ++i) {
    for (const char* kind : {" tangential MTF", " sagittal MTF", " encircled energy"}) {
      EXPECT_EQ(PartShapes(pictures.drawings.front(), SpotFieldName(i) + std::string(kind)).size(), 1u);
    }
  }
}

TEST(QualityPicture, TableRowsFollowTheFigures) {
  const Calculation calculation = CompleteDesign(StartupFields(kClassical));
  QualityOptions options;
  options.gridSize = kPictureGrid;
  options.focus = FocusMode::Paraxial;
  const QualitySet set = ComputeImageQuality(calculation.design, LengthUnit::Millimetre, options);
  const std::vector<QualityTableRow> rows = QualityTableRows(set, LengthUnit::Millimetre);
  ASSERT_EQ(rows.size(), 7u + kMtfFractions.size());
  EXPECT_EQ(rows[0].label, "Field angle");
  EXPECT_EQ(rows[0].cells[2], "0.375\xB0");
  EXPECT_EQ(rows[4].label, "Strehl ratio");
  EXPECT_EQ(rows[4].cells[0], "1.000");
  EXPECT_EQ(rows[7].label, "MTF 0.10 (22.7/mm) T/S");
  const std::string text = FormatQualityTable(set, TelescopeType::Classical, LengthUnit::Millimetre);
  EXPECT_EQ(text.rfind("Image quality of the Classical cassegrain, 550 nm, f/8.0", 0), 0u) << text;
  EXPECT_NE(text.find("\nParaxial focus: the paraxial image plane\n"), std::string::npos);
}

}  // namespace
