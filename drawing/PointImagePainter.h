// The one painter of point images: a square raster of intensities (relative to the
// perfect peak) drawn in the intensity bands (IntensityBands.h) with smooth edges.
//
// Samples finer than kLeastSamplePixels are first averaged in odd blocks about the
// middle sample, which stays on the reference point. The logarithm of the intensity
// is then interpolated bilinearly between the samples' centres (held constant in the
// outer half sample), so that the band edges follow the light rather than the
// transform's grid; each band's region, where the intensity reaches its floor, is
// traced on rows at most kMostRowPixels apart, the ends of its runs on a row found
// where the interpolated logarithm crosses the floor, and the runs of consecutive rows
// joined into filled polygons. The bands are painted faint to bright, each over the
// last, which keeps the picture to a few polygons a band.
#ifndef SPEKULOR_DRAWING_POINTIMAGEPAINTER_H
#define SPEKULOR_DRAWING_POINTIMAGEPAINTER_H

#include <vector>

#include "drawing/Drawing.h"

namespace spekulor::drawing {

constexpr double kLeastSamplePixels = 2.5;
constexpr double kMostRowPixels = 2.5;

// A square raster: size * size samples (size odd), row after row, the first row at
// the image's -y, drawn at the bottom (the image's +y is up on the page).
struct IntensityRaster {
  int size = 0;
  std::vector<double> intensity;
};

// The raster averaged in blocks of block * block samples (block odd) about its middle
// sample, keeping only whole blocks.
IntensityRaster BinRaster(const IntensityRaster& raster, int block);

// Paints `raster` centred at `centre`, `samplePixels` pixels between its samples;
// returns the pixels between the rows it traced.
double AddPointImage(Drawing& drawing, const IntensityRaster& raster, DrawPoint centre,
                     double samplePixels);

}  // namespace spekulor::drawing

#endif
