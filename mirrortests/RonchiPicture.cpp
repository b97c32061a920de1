#include "mirrortests/RonchiPicture.h"

#include <cmath>

#include "support/Units.h"
#include "drawing/PictureParts.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::mirrortests {

namespace {

constexpr double kRonchiMargin = 40.0;
constexpr double kGap = 60.0;
constexpr double kRonchiTop = 70.0;
constexpr int kDiscSegments = 96;
const Colour kDark{0x30, 0x30, 0x30};
const Colour kLit{0xf4, 0xf0, 0xd8};
const Colour kShadow{0xd0, 0x40, 0x20};

PolylineShape Rectangle(double left, double top, double right, double bottom, Colour fill) {
  PolylineShape box;
  box.points = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  box.closed = true;
  box.filled = true;
  box.fill = fill;
  box.stroke = {fill, 0.0, false};
  return box;
}

// One Ronchigram with its top left corner at (left, top), `size` pixels across.
void AddPanel(Drawing& drawing, const PrimaryUnderTest& primary, const Ronchigram& gram,
              double left, double top) {
  const double size = gram.samples;
  const DrawPoint centre{left + size / 2.0, top + size / 2.0};
  size_t first = drawing.shapes.size();
  PolylineShape disc;
  for (int k = 0; k < kDiscSegments; ++k) {
    const double angle = 2.0 * kPi * k / kDiscSegments;
    disc.points.push_back(
        {centre.x + size / 2.0 * std::cos(angle), centre.y + size / 2.0 * std::sin(angle)});
  }
  disc.closed = true;
  disc.filled = true;
  disc.fill = kDark;
  disc.stroke = {kInk, 1.0, false};
  drawing.shapes.emplace_back(disc);
  // The lit runs of each row, a run that repeats the one above it lengthening its
  // rectangle rather than adding one: straight bands become one rectangle each.
  struct Run {
    int start = 0;
    int end = 0;
    int top = 0;
  };
  std::vector<Run> open;
  auto close = [&](const Run& run, int bottom) {
    drawing.shapes.emplace_back(
        Rectangle(left + run.start, top + run.top, left + run.end, top + bottom, kLit));
  };
  for (int row = 0; row < gram.samples; ++row) {
    const char* cells = &gram.lit[static_cast<size_t>(row) * gram.samples];
    std::vector<Run> runs;
    for (int column = 0; column < gram.samples;) {
      if (!cells[column]) {
        ++column;
        continue;
      }
      Run run{column, column, row};
      while (column < gram.samples && cells[column]) ++column;
      run.end = column;
      for (const Run& above : open) {
        if (above.start == run.start && above.end == run.end) run.top = above.top;
      }
      runs.push_back(run);
    }
    for (const Run& above : open) {
      bool continued = false;
      for (const Run& run : runs)
        continued =
            continued || (run.top == above.top && run.start == above.start && run.end == above.end);
      if (!continued) close(above, row);
    }
    open = std::move(runs);
  }
  for (const Run& run : open) close(run, gram.samples);
  NamePart(drawing, "ronchigram", first);
  if (primary.shadowRadius > 0.0) {
    first = drawing.shapes.size();
    drawing.shapes.emplace_back(
        CircleShape{centre, primary.shadowRadius / primary.diameter * size, {kShadow, 1.2, true}});
    NamePart(drawing, "shadow", first);
  }
  drawing.shapes.emplace_back(Label(centre.x, top + size + 20.0,
                                    FormatFixed(gram.setup.linesPerInch, 0) + " lines per inch",
                                    TextAnchor::Middle));
  drawing.shapes.emplace_back(Label(centre.x, top + size + 36.0,
                                    RonchiCaption(gram.setup, primary.unit), TextAnchor::Middle,
                                    10.0));
}

}  // namespace

std::string RonchiCaption(const RonchiSetup& setup, LengthUnit unit) {
  const std::string where = setup.offset >= 0.0 ? " outside" : " inside";
  return FormatFixed(std::fabs(setup.offset), unit == LengthUnit::Inch ? 4 : 3) + UnitSuffix(unit) +
         where + " the centre of curvature, source " +
         (setup.source == TestSource::Moving ? "moving with the grating" : "fixed");
}

Drawing DrawRonchigrams(const PrimaryUnderTest& primary, const std::vector<Ronchigram>& grams) {
  Drawing drawing;
  drawing.title = "Ronchigrams of the primary";
  double size = 0.0;
  for (const Ronchigram& gram : grams) size = std::fmax(size, gram.samples);
  // Wide enough for the captions under each panel.
  const double panel = std::fmax(size, 330.0);
  const double count = static_cast<double>(grams.size());
  drawing.width = 2.0 * kRonchiMargin + count * panel + (grams.empty() ? 0.0 : (count - 1.0) * kGap);
  drawing.height = kRonchiTop + size + 50.0;
  std::vector<TextBox> placed;
  AddTitleRows(drawing, placed, "Ronchigrams of the primary",
               "as seen through the grating; the secondary's shadow dashed");
  for (size_t i = 0; i < grams.size(); ++i) {
    const double left =
        kRonchiMargin + static_cast<double>(i) * (panel + kGap) + (panel - grams[i].samples) / 2.0;
    AddPanel(drawing, primary, grams[i], left, kRonchiTop);
  }
  return drawing;
}

}  // namespace spekulor::mirrortests
