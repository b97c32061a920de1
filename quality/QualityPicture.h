// The image-quality picture: the three point images on a logarithmic scale, all to one
// scale, with the perfect aperture's first dark ring; the MTF curves (tangential and
// sagittal) beside the perfect aperture's closed form; the encircled energy curves
// beside the perfect aperture's; and the table of the figures (QualityTable.h).
#ifndef SPEKULOR_QUALITY_QUALITYPICTURE_H
#define SPEKULOR_QUALITY_QUALITYPICTURE_H

#include <array>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "trace/Drawing.h"
#include "quality/ImageQuality.h"

// The point images' intensity bands, relative to the perfect image's peak: half a
// decade each from 10^-4; below the first the paper stays white.
constexpr int kIntensityBands = 8;
constexpr double kLeastIntensity = 1e-4;

// The band of an intensity, -1 below the first.
int IntensityBand(double intensity);

// A point image shown as squares of at most kMostImageCells across: each square the
// mean of an odd number of samples along each side, so that the middle square stays
// centred on the reference point.
constexpr int kMostImageCells = 81;
struct ImageCells {
  int size = 0;          // squares across (odd)
  double spacing = 0.0;  // design unit
  std::vector<double> intensity;  // size * size, row (along y) after row
};
ImageCells ShownImageCells(const PointImageWindow& window);

Drawing BuildQualityPicture(const QualitySet& set, const DesignResult& design, TelescopeType type,
                            LengthUnit unit);

#endif
