#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef SPEKULOR_HAVE_LIBXML2
#include <libxml/parser.h>
#include <libxml/tree.h>
#endif

#include "BafflePicture.h"
#include "BafflePlan.h"
#include "BaffleTable.h"
#include "BaffleTestDesigns.h"
#include "SvgWriter.h"
#include "TestFiles.h"

namespace {

std::string GoldenPath(const char* name) { return std::string(SPEKULOR_BAFFLES_GOLDEN_DIR) + "/" + name; }

// Compares with the checked-in file; SPEKULOR_UPDATE_GOLDEN=1 rewrites it instead.
void ExpectGolden(const char* name, const std::string& text) {
  if (std::getenv("SPEKULOR_UPDATE_GOLDEN") != nullptr) WriteFileBytes(GoldenPath(name), text);
  bool ok = false;
  const std::string golden = ReadFileBytes(GoldenPath(name), &ok);
  ASSERT_TRUE(ok && !golden.empty()) << name;
  EXPECT_TRUE(text == golden) << name << " differs from its golden file";
}

struct Drawn {
  BaffleStudy study;
  Drawing picture;
};

Drawn Draw(const DesignFields& fields) {
  Drawn drawn;
  drawn.study = StudyBaffles(fields, BaffleOptions());
  EXPECT_TRUE(drawn.study.ok()) << drawn.study.refusal << drawn.study.plan.problem;
  if (drawn.study.ok()) {
    const Calculation& c = drawn.study.calculation;
    drawn.picture = BuildBafflePicture(drawn.study.plan, c.design, c.read.type, c.read.unit);
  }
  return drawn;
}

TEST(BafflePicture, StartupDesignMatchesGolden) {
  const Drawn drawn = Draw(DesignFields());
  ExpectGolden("startup_baffles.svg", WriteSvg(drawn.picture));
  const Calculation& c = drawn.study.calculation;
  ExpectGolden("startup_baffles.txt",
               FormatBaffleTable(drawn.study.plan, c.design, c.read.type, c.read.unit));
}

#ifdef SPEKULOR_HAVE_LIBXML2
// Parsed by libxml2 with no recovery: an unescaped "&", a byte that is not UTF-8 or an
// unclosed element fails.
bool IsWellFormedSvg(const std::string& text) {
  xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), "baffles.svg", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (doc == nullptr) return false;
  const xmlNode* root = xmlDocGetRootElement(doc);
  const bool svg = root != nullptr && std::string(reinterpret_cast<const char*>(root->name)) == "svg";
  xmlFreeDoc(doc);
  return svg;
}

TEST(BafflePicture, SvgIsWellFormedXml) {
  bool ok = false;
  EXPECT_TRUE(IsWellFormedSvg(ReadFileBytes(GoldenPath("startup_baffles.svg"), &ok)));
  EXPECT_TRUE(ok);
  for (const BaffleCase& c : BaffleSpread()) {
    EXPECT_TRUE(IsWellFormedSvg(WriteSvg(Draw(c.fields).picture))) << c.name;
  }
  EXPECT_FALSE(IsWellFormedSvg("<svg><text>\xD8 5</text></svg>"));  // Windows-1252, not UTF-8
}
#endif

// Every text inside the canvas, and no two overlapping, for designs of every shape.
TEST(BafflePicture, TextsStayInsideAndApart) {
  for (const BaffleCase& c : BaffleSpread()) {
    const Drawing picture = Draw(c.fields).picture;
    std::vector<TextBox> boxes;
    for (const Shape& shape : picture.shapes) {
      if (const TextShape* text = std::get_if<TextShape>(&shape)) boxes.push_back(EstimateTextBox(*text));
    }
    ASSERT_GE(boxes.size(), 30u) << c.name;
    for (size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_GE(boxes[i].left, 0.0) << c.name << " text " << i;
      EXPECT_GE(boxes[i].top, 0.0) << c.name << " text " << i;
      EXPECT_LE(boxes[i].right, picture.width) << c.name << " text " << i;
      EXPECT_LE(boxes[i].bottom, picture.height) << c.name << " text " << i;
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        EXPECT_FALSE(BoxesOverlap(boxes[i], boxes[j])) << c.name << " texts " << i << ", " << j;
      }
    }
  }
}

// To scale: the two dimension lines (the skirt's end below the secondary, the mouth in
// front of the primary) keep the ratio of the lengths they stand for, and the two
// diameter dimensions the ratio of the skirt to the tube.
TEST(BafflePicture, DimensionsAreToScale) {
  const Drawn drawn = Draw(F12Fields(2));
  const BafflePlan& plan = drawn.study.plan;
  std::vector<double> across, along;
  for (const Shape& shape : drawn.picture.shapes) {
    const LineShape* line = std::get_if<LineShape>(&shape);
    if (line == nullptr || line->stroke.width != 0.9) continue;
    if (line->from.y == line->to.y) along.push_back(std::fabs(line->to.x - line->from.x));
    if (line->from.x == line->to.x) across.push_back(std::fabs(line->to.y - line->from.y));
  }
  ASSERT_EQ(along.size(), 2u);
  ASSERT_EQ(across.size(), 2u);
  EXPECT_NEAR(along[0] / along[1], (plan.frame.spacing - plan.baffles.skirtZ) / plan.baffles.tubeZ, 1e-9);
  EXPECT_NEAR(across[0] / across[1], plan.baffles.skirtRadius / plan.baffles.tubeRadius, 1e-9);
}

}  // namespace
