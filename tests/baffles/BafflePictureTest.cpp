#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "baffles/BafflePictures.h"
#include "baffles/BaffleTable.h"
#include "tests/common/TestDesigns.h"
#include "baffles/FocusTravel.h"
#include "tests/common/Golden.h"
#include "tests/common/SvgCheck.h"
#include "drawing/PictureParts.h"
#include "drawing/SvgWriter.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::baffles;

namespace {

constexpr double kPixelTolerance = 1e-6;

struct Drawn {
  Calculation calculation;
  BafflePictures pictures;
};

Drawn Draw(const DesignFields& fields) {
  Drawn drawn;
  drawn.calculation = CompleteDesign(fields);
  drawn.pictures = DrawBafflePictures(drawn.calculation);
  EXPECT_TRUE(drawn.pictures.ok()) << drawn.pictures.errorText;
  return drawn;
}

TEST(BafflePicture, StartupDesignMatchesGolden) {
  const Drawn drawn = Draw(DesignFields());
  ASSERT_EQ(drawn.pictures.drawings.size(), 2u);
  ExpectGolden("baffles", "startup_baffles.svg", WriteSvg(drawn.pictures.drawings[0]));
  ExpectGolden("baffles", "startup_baffles_table.svg", WriteSvg(drawn.pictures.drawings[1]));
  const Calculation& c = drawn.calculation;
  ExpectGolden("baffles", "startup_baffles.txt",
               FormatBaffleTable(drawn.pictures.plan, c.design, c.read.type, c.read.unit));
}

std::vector<std::string> TextsOf(const Drawing& drawing) {
  std::vector<std::string> texts;
  for (const Shape& shape : drawing.shapes) {
    if (const TextShape* text = std::get_if<TextShape>(&shape)) texts.push_back(text->text);
  }
  return texts;
}

// The number that follows `label` among the drawing's texts (the value of its row).
double RowValue(const Drawing& drawing, const std::string& label) {
  const std::vector<std::string> texts = TextsOf(drawing);
  for (size_t i = 0; i + 1 < texts.size(); ++i) {
    if (texts[i] == label) return std::stod(texts[i + 1]);
  }
  ADD_FAILURE() << "no row " << label;
  return std::nan("");
}

// Every text inside the canvas, and no two overlapping.
void ExpectTextsInsideAndApart(const Drawing& drawing, const std::string& name) {
  std::vector<TextBox> boxes;
  for (const Shape& shape : drawing.shapes) {
    if (const TextShape* text = std::get_if<TextShape>(&shape)) boxes.push_back(EstimateTextBox(*text));
  }
  ASSERT_GE(boxes.size(), 10u) << name;
  for (size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_GE(boxes[i].left, 0.0) << name << " text " << i;
    EXPECT_GE(boxes[i].top, 0.0) << name << " text " << i;
    EXPECT_LE(boxes[i].right, drawing.width) << name << " text " << i;
    EXPECT_LE(boxes[i].bottom, drawing.height) << name << " text " << i;
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(BoxesOverlap(boxes[i], boxes[j])) << name << " texts " << i << ", " << j;
    }
  }
}

// A refused design gives its refusal box's text and no drawings.
TEST(BafflePicture, ARefusedDesignGivesItsBoxTextAndNoDrawings) {
  DesignFields empty;
  empty.m_strPriDia = "";
  const BafflePictures refused = DrawBafflePictures(CompleteDesign(empty));
  EXPECT_EQ(refused.errorText.rfind("Error 1\r\n", 0), 0u) << refused.errorText;
  EXPECT_TRUE(refused.drawings.empty());
  EXPECT_FALSE(refused.plan.focusKnown);
}

// A design that cannot be baffled says why plainly and still shows its focus travel:
// the mirror distance change the table gives puts the focus where it is wanted, the
// primary's back of the default 1:6 blank (to the table's rounding of 0.01).
TEST(BafflePicture, ADesignThatCannotBeBaffledStillShowsItsFocusTravel) {
  DesignFields wide;
  wide.m_strField = "3";
  DesignFields inFront;
  inFront.m_strBackFocLen = "-30";
  struct Case {
    const char* name;
    DesignFields fields;
    BaffleProblemCode reason;
    const char* slackRow;
    double sign;  // + the secondary may move away, - it must come closer
  };
  const Case cases[] = {
      {"too wide to baffle", wide, BaffleProblemCode::TooMuchObstruction, "the secondary may move away by", 1.0},
      {"focus in front of the primary", inFront, BaffleProblemCode::FocusNotBehind,
       "the secondary must come closer by", -1.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Calculation calculation = CompleteDesign(c.fields);
    ASSERT_EQ(calculation.rules.error, CalcError::None);
    const BafflePictures pictures = DrawBafflePictures(calculation);
    EXPECT_FALSE(pictures.ok());
    EXPECT_EQ(pictures.plan.problem.code, c.reason) << pictures.errorText;
    EXPECT_EQ(pictures.errorText, BaffleRefusalText(pictures.plan.problem));
    EXPECT_TRUE(pictures.plan.focusKnown);
    ASSERT_EQ(pictures.drawings.size(), 1u);
    const Drawing& travel = pictures.drawings[0];
    const std::vector<std::string> texts = TextsOf(travel);
    EXPECT_EQ(texts.at(0), "Focus travel of the Ritchey-Chr\xE9tien");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Focus travel"), texts.end());

    ExpectTextsInsideAndApart(travel, c.name);
    const DesignResult& design = calculation.design;
    const double back = design.PriDia / 6.0;
    EXPECT_NEAR(RowValue(travel, "Primary's back behind its vertex"), back, 0.005);
    EXPECT_NEAR(RowValue(travel, "Focus behind the primary's back"), design.BackFocLen - back,
                0.005);
    const double move = c.sign * RowValue(travel, c.slackRow);
    const double rate = RowValue(travel, "Back focus gained per unit of spacing lost");
    EXPECT_NEAR(BackFocusAtSpacing(design, design.PriSecDist + move), back, rate * 0.005 + 1e-9);
  }
}

#ifdef SPEKULOR_HAVE_LIBXML2
TEST(BafflePicture, SvgIsWellFormedXml) {
  EXPECT_TRUE(IsWellFormedSvg(Golden("baffles", "startup_baffles.svg")));
  EXPECT_TRUE(IsWellFormedSvg(Golden("baffles", "startup_baffles_table.svg")));
  for (const DesignCase& c : BaffleSpread()) {
    const Drawn drawn = Draw(c.fields);
    for (const Drawing& drawing : drawn.pictures.drawings) {
      EXPECT_TRUE(IsWellFormedSvg(WriteSvg(drawing))) << c.name << ": " << drawing.title;
    }
  }
  EXPECT_FALSE(IsWellFormedSvg("<svg><text>\xD8 5</text></svg>"));  // Windows-1252, not UTF-8
}
#endif

// Texts inside and apart for designs of every shape.
TEST(BafflePicture, TextsStayInsideAndApart) {
  for (const DesignCase& c : BaffleSpread()) {
    const Drawn drawn = Draw(c.fields);
    for (const Drawing& drawing : drawn.pictures.drawings) ExpectTextsInsideAndApart(drawing, c.name);
  }
}

std::vector<LineShape> PartLines(const Drawing& drawing, const std::string& part) {
  std::vector<LineShape> lines;
  for (const Shape* shape : PartShapes(drawing, part)) {
    if (const LineShape* line = std::get_if<LineShape>(shape)) lines.push_back(*line);
  }
  return lines;
}

// The dimension's line: the one drawn in ink, between the two arrows.
double DimensionLength(const Drawing& drawing, const std::string& part) {
  for (const LineShape& line : PartLines(drawing, part)) {
    if (line.stroke.width == 0.9) return std::hypot(line.to.x - line.from.x, line.to.y - line.from.y);
  }
  return 0.0;
}

// To scale: the skirt's end below the secondary and the mouth in front of the primary
// keep the ratio of the lengths they stand for, and so do the two diameters.
TEST(BafflePicture, DimensionsAreToScale) {
  const Drawn drawn = Draw(F12Fields(kRitcheyChretien));
  const BafflePlan& plan = drawn.pictures.plan;
  const Drawing& section = drawn.pictures.drawings.at(0);
  const double skirtEnd = DimensionLength(section, "skirt end");
  const double mouth = DimensionLength(section, "tube mouth");
  const double skirt = DimensionLength(section, "skirt diameter");
  const double tube = DimensionLength(section, "tube diameter");
  ASSERT_GT(mouth, 0.0);
  ASSERT_GT(tube, 0.0);
  EXPECT_NEAR(skirtEnd / mouth, (plan.frame.spacing - plan.baffles.skirtZ) / plan.baffles.tubeZ, 1e-9);
  EXPECT_NEAR(skirt / tube, plan.baffles.skirtRadius / plan.baffles.tubeRadius, 1e-9);
  // The same scale along and across the axis.
  EXPECT_NEAR(skirt / mouth, 2.0 * plan.baffles.skirtRadius / plan.baffles.tubeZ, 1e-9);
}

// The extreme skylight lines run from the image circle's edge, across the axis, to the
// skirt's open end and meet it inside its rim: the picture shows the light stopped.
TEST(BafflePicture, SkylightLinesEndInsideTheSkirt) {
  for (const DesignCase& c : BaffleSpread()) {
    const Drawn drawn = Draw(c.fields);
    const Drawing& section = drawn.pictures.drawings.at(0);
    const std::vector<LineShape> sky = PartLines(section, "skylight lines");
    const std::vector<LineShape> skirt = PartLines(section, "secondary baffle");
    ASSERT_EQ(sky.size(), 2u) << c.name;
    ASSERT_EQ(skirt.size(), 3u) << c.name;  // both walls and the cell across them
    const double skirtEndX = skirt[0].from.x;
    const double upper = std::fmin(skirt[0].from.y, skirt[1].from.y);
    const double lower = std::fmax(skirt[0].from.y, skirt[1].from.y);
    const double axisY = (upper + lower) / 2.0;
    for (const LineShape& line : sky) {
      EXPECT_NEAR(line.to.x, skirtEndX, kPixelTolerance) << c.name;
      EXPECT_GE(line.to.y, upper) << c.name;
      EXPECT_LE(line.to.y, lower) << c.name;
      EXPECT_LT((line.from.y - axisY) * (line.to.y - axisY), 0.0) << c.name;  // crosses the axis
    }
  }
}

}  // namespace
