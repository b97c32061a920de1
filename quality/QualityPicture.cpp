#include "quality/QualityPicture.h"

#include <algorithm>
#include <cmath>

#include "trace/PictureParts.h"
#include "quality/QualityTable.h"
#include "trace/SpotPicture.h"
#include "support/Units.h"

namespace {

// Faint to bright: the 'inferno' colour map of matplotlib (N. Smith and S. van der
// Walt, 2015) read from its bright end, so that the faintest light lies palest on the
// paper and the core darkest.
const Colour kBandColours[kIntensityBands] = {
    {0xfc, 0xff, 0xa4}, {0xf7, 0xd1, 0x3d}, {0xfb, 0x9b, 0x06}, {0xed, 0x69, 0x25},
    {0xcf, 0x44, 0x46}, {0xa5, 0x2c, 0x60}, {0x78, 0x1c, 0x6d}, {0x1b, 0x0c, 0x41}};
const Colour kFieldColours[] = {{0x1f, 0x4f, 0x9f}, {0x2e, 0x8b, 0x57}, {0xc8, 0x3c, 0x1e}};
const Colour kFrame{0xc0, 0xc0, 0xc0};
const Colour kGridGrey{0xe4, 0xe4, 0xe4};
const Colour kRing{0x00, 0x96, 0xc7};

constexpr double kMargin = 28.0;
constexpr double kPanel = 240.0;
constexpr double kGap = 28.0;
constexpr double kPanelTop = 102.0;
constexpr double kLine = 17.0;  // between rows of text

constexpr double kPlotLeft = 74.0;
constexpr double kPlotWidth = 316.0;
constexpr double kPlotGap = 96.0;
constexpr double kPlotHeight = 200.0;
constexpr int kMostCurvePoints = 240;

constexpr double kTableLabelWidth = 260.0;
constexpr double kTableCellWidth = 125.0;

const char* const kTableHeads[] = {"On axis", "0.7 of the field", "Edge of the field",
                                   "Perfect aperture"};

std::string Micrometres(double length, const QualitySet& set, int decimals = 2) {
  return FormatFixed(length * set.micrometresPerUnit, decimals) + " \xB5m";
}

// A plot's frame: x from 0 to xMost and y from 0 to 1 over the pixels given.
struct Plot {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
  double xMost = 1.0;
  DrawPoint operator()(double x, double y) const {
    return {left + width * x / xMost, top + height * (1.0 - y)};
  }
  double Bottom() const { return top + height; }
};

// The frame, the grid at every fifth of y and at `xTicks`, with their labels, and the
// axis title under it.
void AddPlotFrame(Drawing& drawing, std::vector<TextBox>& placed, const Plot& plot,
                  const std::vector<std::pair<double, std::string>>& xTicks,
                  const std::string& xTitle, const std::string& title) {
  AddTextAvoiding(drawing, placed,
                  {Label(plot.left - 40.0, plot.top - 12.0, title, TextAnchor::Start, 13.0, kInk,
                         true)});
  for (int k = 0; k <= 5; ++k) {
    const double y = 0.2 * k;
    drawing.shapes.emplace_back(LineShape{plot(0.0, y), plot(plot.xMost, y), {kGridGrey, 0.8, false}});
    AddTextAvoiding(drawing, placed,
                    {Label(plot.left - 6.0, plot(0.0, y).y + 4.0, FormatFixed(y, 1), TextAnchor::End)});
  }
  for (const auto& tick : xTicks) {
    drawing.shapes.emplace_back(
        LineShape{plot(tick.first, 0.0), plot(tick.first, 1.0), {kGridGrey, 0.8, false}});
    AddTextAvoiding(drawing, placed,
                    {Label(plot(tick.first, 0.0).x, plot.Bottom() + 16.0, tick.second,
                           TextAnchor::Middle)});
  }
  PolylineShape frame;
  frame.points = {plot(0.0, 1.0), plot(plot.xMost, 1.0), plot(plot.xMost, 0.0), plot(0.0, 0.0)};
  frame.closed = true;
  frame.stroke = {kLineGrey, 1.0, false};
  drawing.shapes.emplace_back(frame);
  AddTextAvoiding(drawing, placed,
                  {Label(plot.left + plot.width / 2.0, plot.Bottom() + 34.0, xTitle,
                         TextAnchor::Middle)});
}

// A curve y(x) sampled at x = k * step, drawn up to the plot's right edge with at
// most kMostCurvePoints points.
void AddCurve(Drawing& drawing, const Plot& plot, const std::vector<double>& xs,
              const std::vector<double>& ys, const Stroke& stroke, const std::string& name) {
  const size_t first = drawing.shapes.size();
  PolylineShape curve;
  curve.stroke = stroke;
  size_t shown = 0;
  while (shown < xs.size() && xs[shown] <= plot.xMost * (1.0 + 1e-12)) ++shown;
  const size_t every = std::max<size_t>(1, (shown + kMostCurvePoints - 1) / kMostCurvePoints);
  for (size_t k = 0; k < shown; k += every) {
    curve.points.push_back(plot(xs[k], std::clamp(ys[k], 0.0, 1.0)));
  }
  if (shown > 0 && (shown - 1) % every != 0) {
    curve.points.push_back(plot(xs[shown - 1], std::clamp(ys[shown - 1], 0.0, 1.0)));
  }
  drawing.shapes.emplace_back(std::move(curve));
  NamePart(drawing, name, first);
}

// The fractions of the cutoff at which an MTF curve of `count` samples lies.
std::vector<double> CurveFractions(size_t count) {
  std::vector<double> xs(count);
  for (size_t k = 0; k < count; ++k) xs[k] = static_cast<double>(k) / static_cast<double>(count - 1);
  return xs;
}

// Draws the squares of one point image, centred at `centre`, `scale` pixels per
// design unit: in each row, every run of squares in one band is one thick line.
void AddPointImage(Drawing& drawing, const ImageCells& cells, DrawPoint centre, double scale) {
  const double side = cells.spacing * scale;
  const int half = cells.size / 2;
  for (int row = 0; row < cells.size; ++row) {
    const double* values = &cells.intensity[static_cast<size_t>(row) * cells.size];
    const double y = centre.y - (row - half) * side;  // the image's +y upward
    int column = 0;
    while (column < cells.size) {
      const int band = IntensityBand(values[column]);
      int end = column + 1;
      while (end < cells.size && IntensityBand(values[end]) == band) ++end;
      if (band >= 0) {
        // A little thicker than a row, so that no seam shows between rows.
        drawing.shapes.emplace_back(LineShape{{centre.x + (column - half - 0.5) * side, y},
                                              {centre.x + (end - half - 0.5) * side, y},
                                              {kBandColours[band], side + 0.4, false}});
      }
      column = end;
    }
  }
}

// The colour bar of the bands with its decades, from x on the caption's baseline y.
void AddBandLegend(Drawing& drawing, std::vector<TextBox>& placed, double x, double y) {
  constexpr double kBox = 24.0;
  AddTextAvoiding(drawing, placed,
                  {Label(x, y, "Intensity relative to the perfect peak, logarithmic", TextAnchor::Start)});
  const size_t first = drawing.shapes.size();
  for (int band = 0; band < kIntensityBands; ++band) {
    PolylineShape box;
    const double left = x + band * kBox;
    box.points = {{left, y + 8.0}, {left + kBox, y + 8.0}, {left + kBox, y + 20.0}, {left, y + 20.0}};
    box.closed = true;
    box.filled = true;
    box.fill = kBandColours[band];
    box.stroke = {kBandColours[band], 0.5, false};
    drawing.shapes.emplace_back(box);
  }
  NamePart(drawing, "intensity bands", first);
  const char* const decades[] = {"0.0001", "0.001", "0.01", "0.1", "1"};
  for (int k = 0; k < 5; ++k) {
    const double at = x + 2 * k * kBox;
    drawing.shapes.emplace_back(LineShape{{at, y + 20.0}, {at, y + 24.0}, {kInk, 0.8, false}});
    AddTextAvoiding(drawing, placed, {Label(at, y + 36.0, decades[k], TextAnchor::Middle, 11.0)});
  }
}

// One run of legend entries: a short line in each stroke and its name, left to right.
void AddLineLegend(Drawing& drawing, std::vector<TextBox>& placed, double x, double y,
                   const std::vector<std::pair<Stroke, std::string>>& entries) {
  for (const auto& entry : entries) {
    drawing.shapes.emplace_back(LineShape{{x, y - 4.0}, {x + 24.0, y - 4.0}, entry.first});
    const TextShape text = Label(x + 30.0, y, entry.second, TextAnchor::Start);
    AddTextAvoiding(drawing, placed, {text});
    x = EstimateTextBox(text).right + 18.0;
  }
}

// Round ticks from 0 to at least `most`: returns the ticks' step; `most` becomes the
// last tick.
double RoundTicks(double& most) {
  const double step = RoundScaleLength(most / 4.0);
  if (!(step > 0.0)) return most = 1.0;
  most = step * std::ceil(most / step - 1e-9);
  return step;
}

}  // namespace

int IntensityBand(double intensity) {
  if (!(intensity >= kLeastIntensity)) return -1;
  // Floored, then held to the bands (an infinite intensity in the brightest).
  const double band = std::floor(2.0 * std::log10(intensity / kLeastIntensity));
  return band < kIntensityBands - 1 ? static_cast<int>(band) : kIntensityBands - 1;
}

ImageCells ShownImageCells(const PointImageWindow& window) {
  ImageCells cells;
  if (window.size < 1) return cells;
  const int half = window.size / 2;
  int block = 1;
  auto halfCells = [&](int b) { return (half - (b - 1) / 2) / b; };
  while (2 * halfCells(block) + 1 > kMostImageCells) block += 2;
  const int shownHalf = halfCells(block);
  cells.size = 2 * shownHalf + 1;
  cells.spacing = window.spacing * block;
  cells.intensity.assign(static_cast<size_t>(cells.size) * cells.size, 0.0);
  const double share = 1.0 / (block * block);
  for (int row = -shownHalf; row <= shownHalf; ++row) {
    for (int column = -shownHalf; column <= shownHalf; ++column) {
      double sum = 0.0;
      for (int sj = -(block - 1) / 2; sj <= (block - 1) / 2; ++sj) {
        for (int si = -(block - 1) / 2; si <= (block - 1) / 2; ++si) {
          const int sampleRow = half + row * block + sj;
          const int sampleColumn = half + column * block + si;
          sum += window.intensity[static_cast<size_t>(sampleRow) * window.size + sampleColumn];
        }
      }
      cells.intensity[static_cast<size_t>(row + shownHalf) * cells.size + column + shownHalf] =
          sum * share;
    }
  }
  return cells;
}

Drawing BuildQualityPicture(const QualitySet& set, const DesignResult& design, TelescopeType type,
                            LengthUnit unit) {
  Drawing drawing;
  drawing.title = std::string("Image quality of the ") + TelescopeTypeName(type);
  drawing.width = 2.0 * kMargin + 3.0 * kPanel + 2.0 * kGap;
  std::vector<TextBox> placed;
  AddTitleRows(drawing, placed, drawing.title,
               "D " + FormatFixed(design.PriDia, 2) + UnitSuffix(unit) + ", f/" +
                   FormatFixed(set.focalRatio, 1) + ", central obstruction " +
                   FormatFixed(100.0 * set.obstruction, 1) + " %, " +
                   FormatFixed(set.options.wavelengthNm, 0) + " nm, pupil grid " +
                   std::to_string(set.options.gridSize) + ", point images to one scale");

  // The point images.
  const double extent = set.fields[0].image.size * set.fields[0].image.spacing;
  const double scale = extent > 0.0 ? kPanel / extent : 1.0;  // pixels per design unit
  const double textTop = kPanelTop + kPanel + 20.0;
  for (size_t i = 0; i < set.fields.size(); ++i) {
    const FieldQuality& field = set.fields[i];
    const double left = kMargin + static_cast<double>(i) * (kPanel + kGap);
    const DrawPoint centre{left + kPanel / 2.0, kPanelTop + kPanel / 2.0};
    AddTextAvoiding(drawing, placed,
                    {Label(centre.x, kPanelTop - 24.0, SpotFieldName(i), TextAnchor::Middle, 13.0,
                           kInk, true)});
    AddTextAvoiding(drawing, placed,
                    {Label(centre.x, kPanelTop - 8.0,
                           FormatFixed(field.fieldAngle * kDegreesPerRadian, 3) + "\xB0 off the axis",
                           TextAnchor::Middle)});
    const size_t imageFirst = drawing.shapes.size();
    AddPointImage(drawing, ShownImageCells(field.image), centre, scale);
    NamePart(drawing, "point image", imageFirst);
    PolylineShape box;
    box.points = {{left, kPanelTop}, {left + kPanel, kPanelTop}, {left + kPanel, kPanelTop + kPanel},
                  {left, kPanelTop + kPanel}};
    box.closed = true;
    box.stroke = {kFrame, 1.0, false};
    drawing.shapes.emplace_back(box);
    const size_t ringFirst = drawing.shapes.size();
    drawing.shapes.emplace_back(
        CircleShape{centre, set.perfect.firstDarkRing * scale, {kRing, 1.2, true}});
    NamePart(drawing, "first dark ring", ringFirst);

    const std::string lines[] = {
        "Strehl " + FormatFixed(field.strehl, 3) + ", Mar\xE9" "chal " +
            FormatFixed(field.strehlMarechal, 3),
        "RMS " + FormatFixed(field.rmsWaves, 3) + ", P-V " + FormatFixed(field.pvWaves, 3) +
            " waves",
        "80 % within " + Micrometres(field.ee80Diameter, set) + " diameter",
    };
    double y = textTop;
    for (const std::string& line : lines) {
      AddTextAvoiding(drawing, placed, {Label(left, y, line, TextAnchor::Start)});
      y += kLine;
    }
  }

  // Their legend: the bands, a scale bar and the ring.
  const double legendY = textTop + 3.0 * kLine + 16.0;
  AddBandLegend(drawing, placed, kMargin, legendY);
  const double legendX = kMargin + kIntensityBands * 24.0 + 48.0;
  const double most = 0.3 * kPanel / scale * set.micrometresPerUnit;
  const double barMicrometres = RoundScaleLength(most);
  const size_t barFirst = drawing.shapes.size();
  AddScaleBar(drawing, placed, legendX, legendY + 18.0,
              barMicrometres / set.micrometresPerUnit * scale,
              FormatFixed(barMicrometres, barMicrometres < 1.0 ? 2 : 0) + " \xB5m");
  NamePart(drawing, "scale bar", barFirst);
  drawing.shapes.emplace_back(
      CircleShape{{legendX + 8.0, legendY + 32.0}, 7.0, {kRing, 1.2, true}});
  AddTextAvoiding(drawing, placed,
                  {Label(legendX + 22.0, legendY + 36.0,
                         "first dark ring of the perfect aperture, radius " +
                             Micrometres(set.perfect.firstDarkRing, set),
                         TextAnchor::Start)});

  // The MTF and the encircled energy.
  const double plotTop = legendY + 86.0;
  Plot mtf;
  mtf.left = kPlotLeft;
  mtf.top = plotTop;
  mtf.width = kPlotWidth;
  mtf.height = kPlotHeight;
  mtf.xMost = 1.0;
  std::vector<std::pair<double, std::string>> mtfTicks;
  for (double fraction : {0.0, 0.25, 0.5, 0.75, 1.0}) {
    mtfTicks.push_back({fraction, FormatFixed(fraction * set.cutoffPerMm, 0)});
  }
  AddPlotFrame(drawing, placed, mtf, mtfTicks,
               "cycles per mm, cutoff 1/(lambda\xB7N) " + FormatFixed(set.cutoffPerMm, 1),
               "Modulation transfer function");

  Plot energy = mtf;
  energy.left = kPlotLeft + kPlotWidth + kPlotGap;
  // Out to half again the widest 80 % radius, and three dark rings at least.
  double reach = 3.0 * set.perfect.firstDarkRing * set.micrometresPerUnit;
  for (const FieldQuality& field : set.fields) {
    reach = std::max(reach, 0.75 * field.ee80Diameter * set.micrometresPerUnit);
  }
  const double tick = RoundTicks(reach);
  energy.xMost = reach;
  std::vector<std::pair<double, std::string>> energyTicks;
  for (int k = 0; k * tick <= reach * (1.0 + 1e-9); ++k) {
    energyTicks.push_back({k * tick, FormatFixed(k * tick, tick < 1.0 ? 1 : 0)});
  }
  AddPlotFrame(drawing, placed, energy, energyTicks, "radius about the centroid, \xB5m",
               "Encircled energy");
  drawing.shapes.emplace_back(
      LineShape{energy(0.0, kEncircledFraction), energy(reach, kEncircledFraction),
                {kLineGrey, 0.8, true}});

  const std::vector<double> perfectX = CurveFractions(set.perfect.mtfCurve.size());
  AddCurve(drawing, mtf, perfectX, set.perfect.mtfCurve, {kInk, 1.8, false}, "perfect MTF");
  auto inMicrometres = [&](const EnergyCurve& curve) {
    std::vector<double> xs;
    for (double r : curve.radius) xs.push_back(r * set.micrometresPerUnit);
    return xs;
  };
  AddCurve(drawing, energy, inMicrometres(set.perfect.energy), set.perfect.energy.fraction,
           {kInk, 1.8, false}, "perfect encircled energy");
  for (size_t i = 0; i < set.fields.size(); ++i) {
    const FieldQuality& field = set.fields[i];
    const std::string name = SpotFieldName(i);
    AddCurve(drawing, mtf, CurveFractions(field.mtf.tangential.size()), field.mtf.tangential,
             {kFieldColours[i], 1.3, false}, name + " tangential MTF");
    AddCurve(drawing, mtf, CurveFractions(field.mtf.sagittal.size()), field.mtf.sagittal,
             {kFieldColours[i], 1.3, true}, name + " sagittal MTF");
    AddCurve(drawing, energy, inMicrometres(field.energy), field.energy.fraction,
             {kFieldColours[i], 1.3, false}, name + " encircled energy");
  }
  const double legendRow = mtf.Bottom() + 60.0;
  std::vector<std::pair<Stroke, std::string>> entries;
  for (size_t i = 0; i < set.fields.size(); ++i) {
    entries.push_back({{kFieldColours[i], 1.6, false}, SpotFieldName(i)});
  }
  entries.push_back({{kInk, 1.8, false}, "Perfect aperture"});
  AddLineLegend(drawing, placed, kMargin, legendRow, entries);
  AddLineLegend(drawing, placed, kMargin, legendRow + kLine + 2.0,
                {{{kInk, 1.3, false}, "MTF tangential (along the field)"},
                 {{kInk, 1.3, true}, "MTF sagittal"}});

  // The figures.
  double y = legendRow + 2.0 * kLine + 24.0;
  for (const std::string& line : QualitySummaryLines(set, unit)) {
    AddTextAvoiding(drawing, placed, {Label(kMargin, y, line, TextAnchor::Start)});
    y += kLine;
  }
  y += 10.0;
  const size_t tableFirst = drawing.shapes.size();
  for (size_t k = 0; k < 4; ++k) {
    AddTextAvoiding(drawing, placed,
                    {Label(kMargin + kTableLabelWidth + static_cast<double>(k + 1) * kTableCellWidth, y,
                           kTableHeads[k], TextAnchor::End, kLabelSize, kInk, true)});
  }
  for (const QualityTableRow& row : QualityTableRows(set, unit)) {
    y += kLine;
    drawing.shapes.emplace_back(LineShape{{kMargin, y - kLine + 5.0},
                                          {kMargin + kTableLabelWidth + 4.0 * kTableCellWidth, y - kLine + 5.0},
                                          {kGridGrey, 0.8, false}});
    AddTextAvoiding(drawing, placed, {Label(kMargin, y, row.label, TextAnchor::Start)});
    for (size_t k = 0; k < row.cells.size(); ++k) {
      if (row.cells[k].empty()) continue;
      AddTextAvoiding(drawing, placed,
                      {Label(kMargin + kTableLabelWidth + static_cast<double>(k + 1) * kTableCellWidth, y, row.cells[k],
                             TextAnchor::End)});
    }
  }
  NamePart(drawing, "table", tableFirst);

  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = y + 24.0;
  return drawing;
}
