// The secondary's spider: straight vanes, evenly spaced about the axis, from the
// central obstruction's edge out to the primary's rim, in the pupil of the point
// image. A vane is a strip `width` wide along a half-line from the pupil's centre: the
// part inside the obstruction is dark already, so the strip may start at the centre.
//
// Each vane diffracts light across its length: a spike through the point image at
// right angles to it (Goodman, "Introduction to Fourier Optics", sec. 4.4, the
// transform of a long narrow rectangle is long and narrow the other way). Opposite
// vanes of an even number share their spike's line, so N even vanes give N spikes,
// N odd vanes 2 N. The perfect point image's peak falls as the square of the light
// passed, (1 - a)^2 for vanes covering a fraction a of the clear area (Harvey and
// Ftaclas, "Diffraction effects of telescope secondary mirror spiders on various
// image-quality criteria", Appl. Opt. 34 (1995) 6337).
#ifndef SPEKULOR_QUALITY_SPIDER_H
#define SPEKULOR_QUALITY_SPIDER_H

#include <string>

#include "calc/DesignInput.h"
#include "quality/PupilFunction.h"

namespace spekulor::quality {

constexpr int kMostSpiderVanes = 8;
// A vane wider than this fraction of the primary's diameter is no spider's.
constexpr double kMostSpiderWidthFraction = 0.1;

struct Spider {
  int vanes = 0;          // 0 for none
  double width = 0.0;     // each vane's, design unit
  double angleDeg = 0.0;  // the first vane's direction, from the pupil's +x (across the
                          // field) toward +y (along it); the others follow 360 / vanes apart
};

// Whether the spider blocks any light: a vane and a width.
bool HasVanes(const Spider& spider);

// Whether the spider can stand before a primary of that diameter: 0 to
// kMostSpiderVanes vanes, a width from 0 to kMostSpiderWidthFraction of it, a finite
// angle.
bool SpiderFits(const Spider& spider, double diameter);

// Weights each cell of `pupil`, laid over a primary `diameter` across as PupilTrace.h
// lays its grid, by the part of the cell's area the vanes leave open, the cell's
// square clipped exactly to each vane's strip. The vanes meet at (0, hubY) from the
// primary's centre: where the secondary's shadow falls for the field point. A cell
// the obstruction or the rim cuts keeps its weight times that part.
void BlockVanes(PupilFunction& pupil, const Spider& spider, double diameter, double hubY = 0.0);

// What the vanes cost the perfect aperture with the central obstruction `obstruction`
// (ratio of diameters) on a pupil grid of `gridSize` cells across.
struct SpiderFigures {
  double areaFraction = 0.0;  // of the clear annulus' area the vanes cover
  double peakRatio = 1.0;     // the perfect point image's peak with the vanes, over without
};
SpiderFigures MeasureSpider(const Spider& spider, double diameter, double obstruction, int gridSize);

// " of 4 vanes 2.00 mm wide at 45.0\xB0", Windows-1252, for the figures that name the
// spider; empty without vanes.
std::string SpiderWords(const Spider& spider, calc::LengthUnit unit);

}  // namespace spekulor::quality

#endif
