#include "drawing/IntensityBands.h"

#include <cmath>

#include "drawing/Formats.h"
#include "drawing/Palette.h"
#include "drawing/PictureParts.h"

namespace spekulor::drawing {

static_assert(sizeof kBandColours / sizeof kBandColours[0] == kIntensityBands,
              "one colour a band");

int IntensityBand(double intensity) {
  if (!(intensity >= kLeastIntensity)) return -1;
  // Floored, then held to the bands (an infinite intensity in the brightest).
  const double band = std::floor(kBandsPerDecade * std::log10(intensity / kLeastIntensity));
  return band < kIntensityBands - 1 ? static_cast<int>(band) : kIntensityBands - 1;
}

double BandFloor(int band) { return kLeastIntensity * std::pow(10.0, band / kBandsPerDecade); }

Colour BandColour(int band) {
  return kBandColours[band < 0 ? 0 : (band < kIntensityBands ? band : kIntensityBands - 1)];
}

double AddIntensityLegend(Drawing& drawing, std::vector<TextBox>& placed, double x, double y) {
  constexpr double kBox = 24.0;
  const TextShape caption =
      Label(x, y, "Intensity relative to the perfect peak, logarithmic", TextAnchor::Start);
  AddTextAvoiding(drawing, placed, {caption});
  const size_t first = drawing.shapes.size();
  for (int band = 0; band < kIntensityBands; ++band) {
    PolylineShape box;
    const double left = x + band * kBox;
    box.points = {{left, y + 8.0}, {left + kBox, y + 8.0}, {left + kBox, y + 20.0}, {left, y + 20.0}};
    box.closed = true;
    box.filled = true;
    box.fill = BandColour(band);
    box.stroke = {BandColour(band), 0.5, false};
    drawing.shapes.emplace_back(box);
  }
  NamePart(drawing, "intensity bands", first);
  // A label at every whole decade: every kBandsPerDecade-th edge.
  const int step = static_cast<int>(kBandsPerDecade);
  for (int edge = 0; edge <= kIntensityBands; edge += step) {
    const double at = x + edge * kBox;
    drawing.shapes.emplace_back(LineShape{{at, y + 20.0}, {at, y + 24.0}, {kInk, 0.8, false}});
    AddTextAvoiding(drawing, placed,
                    {Label(at, y + 36.0, FormatScaleLength(BandFloor(edge)), TextAnchor::Middle, 11.0)});
  }
  return x + kIntensityBands * kBox;
}

}  // namespace spekulor::drawing
