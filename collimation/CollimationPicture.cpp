#include "collimation/CollimationPicture.h"

#include <algorithm>
#include <cmath>

#include "trace/PictureParts.h"
#include "collimation/ToleranceText.h"

namespace {

const Colour kFrame{0xc0, 0xc0, 0xc0};
const Colour kCrossGrey{0x9a, 0x9a, 0x9a};
const Colour kDots{0x1f, 0x4f, 0x9f};
const Colour kAiry{0xc8, 0x3c, 0x1e};
const Colour kDarkest{0x0b, 0x1f, 0x4f};
const Colour kHeaderFill{0xee, 0xf2, 0xf7};

constexpr double kMargin = 28.0;
constexpr double kPanel = 200.0;
constexpr double kGap = 24.0;
constexpr double kHeadingBaseline = 82.0;
constexpr double kAmountBaseline = 98.0;
constexpr double kSpotTop = 112.0;
constexpr double kFigureGap = 40.0;
constexpr double kLineHeight = 17.0;

// The point images' ramp: kLevels steps of intensity, equal in its logarithm, from
// 10^kLowestDecade of the perfect peak to the peak.
constexpr int kLevels = 8;
constexpr double kLowestDecade = -3.0;

Colour Mix(const Colour& dark, double t) {
  auto channel = [t](unsigned char c) {
    return static_cast<unsigned char>(std::lround(255.0 + (c - 255.0) * t));
  };
  return {channel(dark.r), channel(dark.g), channel(dark.b)};
}

Colour LevelColour(int level) { return Mix(kDarkest, (level + 1.0) / kLevels); }

void AddPanelFrame(Drawing& drawing, double left, double top) {
  PolylineShape box;
  box.points = {{left, top}, {left + kPanel, top}, {left + kPanel, top + kPanel}, {left, top + kPanel}};
  box.closed = true;
  box.stroke = {kFrame, 1.0, false};
  drawing.shapes.emplace_back(box);
  const double cx = left + kPanel / 2.0;
  const double cy = top + kPanel / 2.0;
  drawing.shapes.emplace_back(LineShape{{left, cy}, {left + kPanel, cy}, {kCrossGrey, 0.5, true}});
  drawing.shapes.emplace_back(LineShape{{cx, top}, {cx, top + kPanel}, {kCrossGrey, 0.5, true}});
}

// "2.41 µm": a length in micrometres.
std::string Micrometres(double length, double micrometresPerUnit) {
  const double um = length * micrometresPerUnit;
  return FormatFixed(um, um < 10.0 ? 2 : 1) + " \xB5m";
}

}  // namespace

Drawing BuildToleranceTablePicture(const ToleranceAnalysis& analysis, TelescopeType type) {
  Drawing drawing;
  drawing.title = std::string("Collimation tolerances of the ") + TelescopeTypeName(type);
  // Wide enough for the table and for its title, which names the design.
  const std::string title = ToleranceTitle(analysis, type);
  const TextBox titleBox =
      EstimateTextBox(Label(0.0, 0.0, title, TextAnchor::Start, kTitleSize, kInk, true));
  drawing.width = std::max(760.0, titleBox.right - titleBox.left + 2.0 * kMargin);
  std::vector<TextBox> placed;
  AddTitleRows(drawing, placed, title, ToleranceBudgetLine(analysis));

  const double columns[] = {kMargin, kMargin + 100.0, kMargin + 440.0, kMargin + 580.0};
  const char* const heads[] = {"Secondary", "Sensitivity", "Tolerance", "Adds"};
  double y = 88.0;
  const size_t headFirst = drawing.shapes.size();
  PolylineShape band;
  band.points = {{kMargin - 8.0, y - 16.0}, {drawing.width - kMargin + 8.0, y - 16.0},
                 {drawing.width - kMargin + 8.0, y + 6.0}, {kMargin - 8.0, y + 6.0}};
  band.closed = true;
  band.filled = true;
  band.fill = kHeaderFill;
  band.stroke = {kHeaderFill, 0.5, false};
  drawing.shapes.emplace_back(band);
  for (size_t c = 0; c < 4; ++c) {
    AddTextAvoiding(drawing, placed,
                    {Label(columns[c], y, heads[c], TextAnchor::Start, kLabelSize, kInk, true)});
  }
  NamePart(drawing, "table header", headFirst);

  y += 26.0;
  for (const ToleranceRow& row : ToleranceRows(analysis)) {
    const size_t first = drawing.shapes.size();
    AddTextAvoiding(drawing, placed,
                    {Label(columns[0], y, row.name, TextAnchor::Start, kLabelSize, kInk, true)});
    AddTextAvoiding(drawing, placed, {Label(columns[1], y, row.sensitivity, TextAnchor::Start)});
    AddTextAvoiding(drawing, placed,
                    {Label(columns[2], y, row.tolerance, TextAnchor::Start, kLabelSize, kInk, true)});
    AddTextAvoiding(drawing, placed, {Label(columns[3], y, row.adds, TextAnchor::Start)});
    AddTextAvoiding(drawing, placed,
                    {Label(columns[1], y + kLineHeight, row.detail, TextAnchor::Start)});
    NamePart(drawing, std::string("row ") + MisalignmentName(row.kind), first);
    y += 2.0 * kLineHeight + 10.0;
    drawing.shapes.emplace_back(LineShape{{kMargin - 8.0, y - 20.0},
                                          {drawing.width - kMargin + 8.0, y - 20.0},
                                          {kFrame, 0.6, false}});
  }
  y += 6.0;
  AddTextAvoiding(drawing, placed, {Label(kMargin, y, ComaFreePivotLine(analysis), TextAnchor::Start)});
  for (const std::string& note : ToleranceNotes(analysis)) {
    y += kLineHeight;
    AddTextAvoiding(drawing, placed, {Label(kMargin, y, note, TextAnchor::Start)});
  }
  // The signs' note in two lines, split after its first clause.
  const std::string signs = kToleranceSigns;
  const size_t split = signs.find("; ");
  const std::string noteLines[] = {signs.substr(0, split + 1), signs.substr(split + 2)};
  for (const std::string& line : noteLines) {
    y += kLineHeight;
    AddTextAvoiding(drawing, placed, {Label(kMargin, y, line, TextAnchor::Start, 10.5, kLineGrey)});
  }
  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = y + 22.0;
  return drawing;
}

Drawing BuildCollimationImagesPicture(const CollimationImageSet& images,
                                      const ToleranceAnalysis& analysis,
                                      const DesignResult& design, TelescopeType type) {
  Drawing drawing;
  drawing.title = std::string("The axis image of the ") + TelescopeTypeName(type) +
                  " with its secondary at the tolerances";
  const double count = static_cast<double>(images.images.size());
  drawing.width = 2.0 * kMargin + count * kPanel + (count - 1.0) * kGap;
  std::vector<TextBox> placed;
  const std::string subtitle =
      "D " + FormatFixed(design.PriDia, 2) + UnitSuffix(analysis.unit) + ", F " +
      FormatFixed(design.SysFoc, 2) + UnitSuffix(analysis.unit) + " (f/" +
      FormatFixed(design.SysFoc / design.PriDia, 1) + "), " +
      FormatFixed(analysis.options.wavelengthNm, 0) +
      " nm, each refocused and re-pointed; spots and point images each to one scale";
  AddTitleRows(drawing, placed, drawing.title, subtitle);

  // One scale for the spots: the largest, or the Airy disk, fills 44 % of a panel.
  double extent = images.airyRadius;
  for (const CollimationImage& shown : images.images) {
    for (const SpotPoint& p : shown.spot) extent = std::max(extent, std::hypot(p.x, p.y));
  }
  const double spotScale = 0.44 * kPanel / extent;
  const double imageTop = kSpotTop + kPanel + kFigureGap;

  for (size_t i = 0; i < images.images.size(); ++i) {
    const CollimationImage& shown = images.images[i];
    const double left = kMargin + static_cast<double>(i) * (kPanel + kGap);
    const double centreX = left + kPanel / 2.0;
    AddTextAvoiding(drawing, placed,
                    {Label(centreX, kHeadingBaseline, shown.heading, TextAnchor::Middle, 13.0,
                           kInk, true)});
    if (!shown.amount.empty()) {
      AddTextAvoiding(drawing, placed,
                      {Label(centreX, kAmountBaseline, shown.amount, TextAnchor::Middle)});
    }

    // The spot.
    const size_t spotFirst = drawing.shapes.size();
    AddPanelFrame(drawing, left, kSpotTop);
    const DrawPoint spotCentre{centreX, kSpotTop + kPanel / 2.0};
    DotsShape dots;
    dots.radius = 0.8;
    dots.colour = kDots;
    dots.centres.reserve(shown.spot.size());
    for (const SpotPoint& p : shown.spot) {
      dots.centres.push_back({spotCentre.x + p.x * spotScale, spotCentre.y - p.y * spotScale});
    }
    drawing.shapes.emplace_back(std::move(dots));
    drawing.shapes.emplace_back(
        CircleShape{spotCentre, images.airyRadius * spotScale, {kAiry, 1.2, true}});
    NamePart(drawing, "spot " + shown.heading, spotFirst);
    AddTextAvoiding(drawing, placed,
                    {Label(left, kSpotTop + kPanel + 16.0,
                           "RMS " + FormatFixed(shown.rmsWaves, 3) + " waves, Strehl " +
                               FormatFixed(shown.strehl, 3),
                           TextAnchor::Start)});

    // The point image: each sample a dot of its level's colour, the faint ones first.
    const size_t imageFirst = drawing.shapes.size();
    AddPanelFrame(drawing, left, imageTop);
    const PointImageWindow& window = shown.image;
    if (window.size > 0) {
      const double pitch = kPanel / window.size;
      std::vector<DotsShape> levels(kLevels);
      for (int level = 0; level < kLevels; ++level) {
        levels[level].radius = 0.62 * pitch;
        levels[level].colour = LevelColour(level);
      }
      for (int row = 0; row < window.size; ++row) {
        for (int column = 0; column < window.size; ++column) {
          const double value =
              window.intensity[static_cast<size_t>(row) * window.size + column];
          if (!(value > 0.0 && value < HUGE_VAL)) continue;
          const double decade = std::log10(value);
          if (decade < kLowestDecade) continue;
          const int level = std::min(
              kLevels - 1, static_cast<int>((decade - kLowestDecade) / -kLowestDecade * kLevels));
          // Row 0 lies toward -y, drawn at the bottom: the image's +y is up.
          levels[level].centres.push_back(
              {left + (column + 0.5) * pitch, imageTop + kPanel - (row + 0.5) * pitch});
        }
      }
      for (DotsShape& level : levels) {
        if (!level.centres.empty()) drawing.shapes.emplace_back(std::move(level));
      }
      const double imageScale = kPanel / (window.size * window.spacing);
      drawing.shapes.emplace_back(CircleShape{{centreX, imageTop + kPanel / 2.0},
                                              images.airyRadius * imageScale,
                                              {kAiry, 1.0, true}});
    }
    NamePart(drawing, "point image " + shown.heading, imageFirst);
  }

  // Scale bars and the legend.
  const double legendY = imageTop + kPanel + 30.0;
  const double spotBar = RoundScaleLength(0.4 * kPanel / spotScale * images.micrometresPerUnit) /
                         images.micrometresPerUnit;
  const size_t barFirst = drawing.shapes.size();
  TextShape text = AddScaleBar(drawing, placed, kMargin, legendY, spotBar * spotScale,
                               Micrometres(spotBar, images.micrometresPerUnit) + " (spots)");
  NamePart(drawing, "spot scale bar", barFirst);
  double x = EstimateTextBox(text).right + 28.0;
  const PointImageWindow& window = images.images[0].image;
  if (window.size > 0) {
    const double imageScale = kPanel / (window.size * window.spacing);
    const double imageBar =
        RoundScaleLength(0.4 * kPanel / imageScale * images.micrometresPerUnit) /
        images.micrometresPerUnit;
    const size_t imageBarFirst = drawing.shapes.size();
    text = AddScaleBar(drawing, placed, x, legendY, imageBar * imageScale,
                       Micrometres(imageBar, images.micrometresPerUnit) + " (point images)");
    NamePart(drawing, "point image scale bar", imageBarFirst);
    x = EstimateTextBox(text).right + 28.0;
  }
  drawing.shapes.emplace_back(CircleShape{{x + 8.0, legendY - 4.0}, 7.0, {kAiry, 1.2, true}});
  AddTextAvoiding(drawing, placed,
                  {Label(x + 22.0, legendY,
                         "Airy disk, radius " + Micrometres(images.airyRadius, images.micrometresPerUnit),
                         TextAnchor::Start)});

  // The intensity ramp.
  const double rampY = legendY + 28.0;
  const size_t rampFirst = drawing.shapes.size();
  AddTextAvoiding(drawing, placed,
                  {Label(kMargin, rampY, "Point image intensity of the perfect peak:",
                         TextAnchor::Start)});
  double rampX = kMargin + 270.0;
  for (int level = 0; level < kLevels; ++level) {
    PolylineShape swatch;
    swatch.points = {{rampX, rampY - 11.0}, {rampX + 22.0, rampY - 11.0},
                     {rampX + 22.0, rampY + 1.0}, {rampX, rampY + 1.0}};
    swatch.closed = true;
    swatch.filled = true;
    swatch.fill = LevelColour(level);
    swatch.stroke = {LevelColour(level), 0.5, false};
    drawing.shapes.emplace_back(swatch);
    rampX += 22.0;
  }
  NamePart(drawing, "intensity ramp", rampFirst);
  AddTextAvoiding(drawing, placed, {Label(kMargin + 270.0, rampY + 16.0, "0.001",
                                          TextAnchor::Middle, 10.5)});
  AddTextAvoiding(drawing, placed,
                  {Label(rampX, rampY + 16.0, "1", TextAnchor::Middle, 10.5)});

  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = rampY + 30.0;
  return drawing;
}
