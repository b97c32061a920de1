#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "trace/LayoutPicture.h"
#include "drawing/PictureParts.h"
#include "trace/SpotPicture.h"
#include "tests/common/Golden.h"
#include "tests/common/SvgCheck.h"
#include "drawing/SvgWriter.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace {

struct Pictures {
  Drawing layout;
  Drawing spots;
};

Pictures Draw(const DesignFields& fields, int rays = kDefaultSpotRays) {
  const Calculation calculation = CompleteDesign(fields);
  const DesignResult& design = calculation.design;
  const SpotSet set = ComputeSpotSet(design, calculation.read.unit, rays);
  return {BuildLayoutPicture(design, calculation.read.type, calculation.read.unit),
          BuildSpotPicture(set, design, calculation.read.type, calculation.read.unit)};
}

TEST(Pictures, StartupDesignMatchesGoldenSvg) {
  const Pictures pictures = Draw(DesignFields());
  ExpectGolden("trace", "startup_layout.svg", WriteSvg(pictures.layout));
  ExpectGolden("trace", "startup_spots.svg", WriteSvg(pictures.spots));
}

#ifdef SPEKULOR_HAVE_LIBXML2
TEST(Pictures, SvgIsWellFormedXml) {
  EXPECT_TRUE(IsWellFormedSvg(Golden("trace", "startup_layout.svg")));
  EXPECT_TRUE(IsWellFormedSvg(Golden("trace", "startup_spots.svg")));
  for (const DesignCase& c : DesignSpread()) {
    const Pictures pictures = Draw(c.fields, 300);
    EXPECT_TRUE(IsWellFormedSvg(WriteSvg(pictures.layout))) << c.name;
    EXPECT_TRUE(IsWellFormedSvg(WriteSvg(pictures.spots))) << c.name;
  }
  // The checker itself tells broken documents apart.
  EXPECT_FALSE(IsWellFormedSvg("<svg><text>a & b</text></svg>"));
  EXPECT_FALSE(IsWellFormedSvg("<svg><text>Chr\xE9tien</text></svg>"));
}
#endif

// Every text inside the canvas, and no two overlapping, for designs of every shape:
// short and long back focal lengths, slow and fast, inch.
TEST(Pictures, TextsStayInsideAndApart) {
  std::vector<DesignCase> cases = DesignSpread();
  DesignFields shortBack = StartupFields(kRitcheyChretien);
  shortBack.m_strBackFocLen = "40";
  cases.push_back({"short back focal length", shortBack});
  DesignFields longBack = StartupFields(kRitcheyChretien);
  longBack.m_strBackFocLen = "600";
  cases.push_back({"long back focal length", longBack});
  for (const DesignCase& c : cases) {
    const Pictures pictures = Draw(c.fields, 300);
    for (const Drawing* drawing : {&pictures.layout, &pictures.spots}) {
      std::vector<TextBox> boxes;
      for (const Shape& shape : drawing->shapes) {
        if (const TextShape* text = std::get_if<TextShape>(&shape)) {
          boxes.push_back(EstimateTextBox(*text));
        }
      }
      ASSERT_GE(boxes.size(), 5u) << c.name;
      for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_GE(boxes[i].left, 0.0) << c.name << " text " << i;
        EXPECT_GE(boxes[i].top, 0.0) << c.name << " text " << i;
        EXPECT_LE(boxes[i].right, drawing->width) << c.name << " text " << i;
        EXPECT_LE(boxes[i].bottom, drawing->height) << c.name << " text " << i;
        for (size_t j = i + 1; j < boxes.size(); ++j) {
          EXPECT_FALSE(BoxesOverlap(boxes[i], boxes[j])) << c.name << " texts " << i << ", " << j;
        }
      }
    }
  }
}

// The layout is to scale: the mirror distance, the back focal length and the scale
// bar keep their ratios on the picture.
TEST(Pictures, LayoutIsToScale) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const Drawing layout = BuildLayoutPicture(design, TelescopeType::RitcheyChretien, LengthUnit::Millimetre);
  const double mirrorDistance = PartHorizontalSpan(layout, "mirror distance");
  const double backFocus = PartHorizontalSpan(layout, "back focal length");
  ASSERT_GT(backFocus, 0.0);
  EXPECT_NEAR(mirrorDistance / backFocus, design.PriSecDist / design.BackFocLen, 1e-9);
  // The scale bar's label says how long it is: 100 mm, at the same scale.
  const std::vector<const Shape*> bar = PartShapes(layout, "scale bar");
  ASSERT_FALSE(bar.empty());
  const TextShape* label = std::get_if<TextShape>(bar.back());
  ASSERT_NE(label, nullptr);
  const double barLength = std::stod(label->text);
  EXPECT_NEAR(PartHorizontalSpan(layout, "scale bar") / mirrorDistance, barLength / design.PriSecDist,
              1e-9);
}

// The Airy disk of each panel is drawn at the scale of its scale bar: 1.22 lambda F/D.
TEST(Pictures, AiryDisksMatchTheScaleBar) {
  const Calculation calculation = CompleteDesign(StartupFields(kRitcheyChretien));
  const DesignResult& design = calculation.design;
  const SpotSet set = ComputeSpotSet(design, calculation.read.unit, 300);
  const Drawing spots = BuildSpotPicture(set, design, calculation.read.type, calculation.read.unit);
  const std::vector<const Shape*> airy = PartShapes(spots, "Airy disk");
  ASSERT_EQ(airy.size(), 3u);
  const std::vector<const Shape*> bar = PartShapes(spots, "scale bar");
  ASSERT_FALSE(bar.empty());
  const double barMicrometres = std::stod(std::get<TextShape>(*bar.back()).text);
  const double pixelsPerMicrometre = PartHorizontalSpan(spots, "scale bar") / barMicrometres;
  const double airyMicrometres = 1.22 * 0.55 * design.SysFoc / design.PriDia;
  for (const Shape* shape : airy) {
    EXPECT_NEAR(std::get<CircleShape>(*shape).radius / pixelsPerMicrometre, airyMicrometres,
                1e-9 * airyMicrometres);
  }
}

TEST(Pictures, SvgTextIsEscapedUtf8) {
  EXPECT_EQ(SvgText("a<b & \"c\"> Chr\xE9tien 0.5\xB0 5 \xB5m"),
            "a&lt;b &amp; &quot;c&quot;&gt; Chr\xC3\xA9tien 0.5\xC2\xB0 5 \xC2\xB5m");
  EXPECT_EQ(SvgText(std::string("bell\x07") + "\x01"), "bell??");
}

TEST(Pictures, RoundScaleLengths) {
  EXPECT_DOUBLE_EQ(RoundScaleLength(173.0), 100.0);
  EXPECT_DOUBLE_EQ(RoundScaleLength(260.0), 200.0);
  EXPECT_DOUBLE_EQ(RoundScaleLength(0.7), 0.5);
  EXPECT_DOUBLE_EQ(RoundScaleLength(5.0), 5.0);
  EXPECT_EQ(RoundScaleLength(0.0), 0.0);
}

}  // namespace
