// The plot maps its data to the frame's pixels, and the table drawer keeps its
// columns apart for the widest texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "drawing/Formats.h"
#include "drawing/PictureParts.h"
#include "drawing/Plot.h"
#include "drawing/Table.h"

using namespace spekulor::drawing;

namespace {

PlotAxes SomeAxes() {
  PlotAxes axes;
  axes.topLeft = {74.0, 300.0};
  axes.width = 316.0;
  axes.height = 200.0;
  axes.xLeft = -2.0;
  axes.xRight = 6.0;
  axes.yBottom = 0.5;
  axes.yTop = 3.0;
  return axes;
}

std::vector<TextBox> TextBoxes(const Drawing& drawing, const std::string& part) {
  std::vector<TextBox> boxes;
  for (const Shape* shape : PartShapes(drawing, part)) {
    if (const TextShape* text = std::get_if<TextShape>(shape)) boxes.push_back(EstimateTextBox(*text));
  }
  return boxes;
}

TEST(Plot, DataAtTheAxisEndsLandsOnTheFrameCorners) {
  const PlotAxes axes = SomeAxes();
  const DrawPoint bottomLeft = axes.Map(axes.xLeft, axes.yBottom);
  const DrawPoint topRight = axes.Map(axes.xRight, axes.yTop);
  EXPECT_DOUBLE_EQ(bottomLeft.x, 74.0);
  EXPECT_DOUBLE_EQ(bottomLeft.y, 500.0);
  EXPECT_DOUBLE_EQ(topRight.x, 390.0);
  EXPECT_DOUBLE_EQ(topRight.y, 300.0);
  // Linear between: the middle of both ranges is the frame's middle.
  const DrawPoint middle = axes.Map(2.0, 1.75);
  EXPECT_DOUBLE_EQ(middle.x, 232.0);
  EXPECT_DOUBLE_EQ(middle.y, 400.0);
}

// A curve is drawn through its data, clipped at the right edge and held to the frame;
// thinned to at most kMostCurvePoints with its last point kept.
TEST(Plot, CurveFollowsItsDataWithinTheFrame) {
  const PlotAxes axes = SomeAxes();
  std::vector<double> xs;
  std::vector<double> ys;
  for (int k = 0; k <= 1000; ++k) {
    xs.push_back(-2.0 + 0.01 * k);  // to 8, past the right edge at 6
    ys.push_back(0.5 + 0.25 * (xs.back() + 2.0));  // reaches the top, 3, at x = 8
  }
  Drawing drawing;
  AddPlotCurve(drawing, axes, xs, ys, {}, "line");
  const std::vector<const Shape*> shapes = PartShapes(drawing, "line");
  ASSERT_EQ(shapes.size(), 1u);
  const std::vector<DrawPoint>& points = std::get<PolylineShape>(*shapes[0]).points;
  ASSERT_LE(points.size(), kMostCurvePoints + 1);
  EXPECT_NEAR(points.front().x, 74.0, 1e-9);
  EXPECT_NEAR(points.front().y, 500.0, 1e-9);
  // The last sample inside the frame is x = 6, y = 2.5.
  EXPECT_NEAR(points.back().x, 390.0, 1e-9);
  EXPECT_NEAR(points.back().y, 300.0 + 200.0 * 0.5 / 2.5, 1e-9);
  for (const DrawPoint& p : points) {
    EXPECT_GE(p.x, 74.0 - 1e-9);
    EXPECT_LE(p.x, 390.0 + 1e-9);
    // On the straight line through the data.
    const double x = -2.0 + (p.x - 74.0) / 316.0 * 8.0;
    EXPECT_NEAR(p.y, 300.0 + 200.0 * (3.0 - (0.5 + 0.25 * (x + 2.0))) / 2.5, 1e-9);
  }
  // A value above the top is drawn on the frame's top edge.
  Drawing high;
  AddPlotCurve(high, axes, {0.0, 1.0}, {5.0, -5.0}, {}, "held");
  const std::vector<DrawPoint>& held = std::get<PolylineShape>(*PartShapes(high, "held")[0]).points;
  EXPECT_DOUBLE_EQ(held[0].y, 300.0);
  EXPECT_DOUBLE_EQ(held[1].y, 500.0);
}

TEST(Plot, RoundTicksEndAtOrPastTheRangeInRoundSteps) {
  for (double most : {0.37, 3.7, 12.0, 48.0, 250.0}) {
    double end = most;
    const std::vector<PlotTick> ticks = RoundTicks(end);
    ASSERT_GE(ticks.size(), 3u) << most;
    EXPECT_GE(end, most);
    EXPECT_DOUBLE_EQ(ticks.back().first, end);
    const double step = ticks[1].first;
    EXPECT_EQ(step, RoundScaleLength(step)) << most;
    // Each label reads back as its place.
    for (const PlotTick& tick : ticks) EXPECT_NEAR(std::stod(tick.second), tick.first, 1e-9) << most;
  }
}

// Columns as wide as their widest texts: with one very long text in each column,
// left- and right-aligned, no text reaches into the next column, and a text spanning
// columns widens the last of them rather than running over.
TEST(Table, ColumnsDoNotOverlapForTheWidestTexts) {
  Table table;
  table.anchors = {TextAnchor::Start, TextAnchor::End, TextAnchor::End, TextAnchor::Start};
  TableRow head;
  head.band = true;
  head.cells = {{"Label", true}, {"Value", true}, {"A much longer head", true}, {"Note", true}};
  table.rows.push_back(head);
  for (int k = 0; k < 6; ++k) {
    TableRow row;
    row.ruleAbove = true;
    row.cells = {{std::string(static_cast<size_t>(4 + 7 * k), 'W'), false, kInk, k % 2 ? 14.0 : 0.0},
                 {std::string(static_cast<size_t>(20 - 3 * k), '8')},
                 {"1.000"},
                 {std::string(static_cast<size_t>(3 + k), 'm')}};
    table.rows.push_back(row);
  }
  TableRow spanning;
  spanning.cells = {{}, {std::string(90, 'x'), false, kInk, 0.0, 2}};
  table.rows.push_back(spanning);

  Drawing drawing;
  std::vector<TextBox> placed;
  const double last = AddTable(drawing, placed, table, 40.0, 100.0, "table");
  EXPECT_DOUBLE_EQ(last, 100.0 + 7.0 * table.rowHeight);

  const TableColumns columns = LayOutTable(table, 40.0);
  ASSERT_EQ(columns.left.size(), 4u);
  EXPECT_DOUBLE_EQ(columns.left[0], 40.0);
  // Every text lies within its columns, and the columns follow one another apart.
  std::vector<TextBox> boxes = TextBoxes(drawing, "table");
  ASSERT_EQ(boxes.size(), 4u + 6u * 4u + 1u);
  for (size_t c = 0; c + 1 < columns.left.size(); ++c) {
    EXPECT_LE(columns.right[c] + table.columnGap, columns.left[c + 1] + 1e-9);
  }
  for (size_t i = 0; i < boxes.size(); ++i) {
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(BoxesOverlap(boxes[i], boxes[j])) << "texts " << i << ", " << j;
    }
    bool inside = false;
    for (size_t c = 0; c < columns.left.size(); ++c) {
      for (size_t end = c; end < columns.left.size(); ++end) {
        inside = inside || (boxes[i].left >= columns.left[c] - 1e-9 && boxes[i].right <= columns.right[end] + 1e-9);
      }
    }
    EXPECT_TRUE(inside) << "text " << i;
  }
  // The spanning text ends at the right edge of its last column: it set that width.
  EXPECT_NEAR(boxes.back().right, columns.right[2], 1e-9);
}

TEST(Formats, ScaleLengthsShowTheirRoundValueExactly) {
  for (double most : {0.013, 0.17, 0.9, 1.0, 3.3, 47.0, 180.0, 999.0}) {
    const double length = RoundScaleLength(most);
    const std::string text = FormatScaleLength(length);
    EXPECT_EQ(std::stod(text), std::stod(FormatShortest(length))) << most;
    EXPECT_EQ(text.find('e'), std::string::npos) << most;
    // No trailing zero after the point: just the digits it needs.
    if (text.find('.') != std::string::npos) {
      EXPECT_NE(text.back(), '0') << text;
    }
  }
  EXPECT_EQ(FormatMicrometres(2.414), "2.41 \xB5m");
  EXPECT_EQ(FormatMicrometres(12.44), "12.4 \xB5m");
}

}  // namespace
