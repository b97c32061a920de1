// The modulation transfer function from the point image: along one direction it is
// the modulus of the Fourier transform of the line spread function, the point image
// summed across that direction (the projection-slice theorem; Goodman, "Introduction to
// Fourier Optics", sec. 7.2 and 2.1), normalised by the pupil's area (PointImage::
// energy), which is its value at zero frequency.
//
// Tangential: frequencies along y, the direction of the field point's image height;
// sagittal: along x. A transform of M samples spaced lambda N size / M gives frequencies
// k / (lambda N size), so sample k is the fraction k / size of the cutoff 1 / (lambda N).
#ifndef SPEKULOR_QUALITY_MTF_H
#define SPEKULOR_QUALITY_MTF_H

#include <vector>

#include "quality/FourierPlans.h"
#include "quality/PointImage.h"

namespace spekulor::quality {

struct MtfCurves {
  std::vector<double> tangential;  // at fractions k / pupilSize of the cutoff, k = 0..pupilSize
  std::vector<double> sagittal;
};

// The two curves of `image`, made from a pupil `pupilSize` cells across; `plans` must be
// of the image's size (otherwise empty curves).
MtfCurves ComputeMtf(const PointImage& image, int pupilSize, FourierPlans& plans);

// A curve sampled at k / (curve.size() - 1) read at `fraction` of the cutoff, linearly
// interpolated; 0 from the cutoff on.
double MtfAt(const std::vector<double>& curve, double fraction);

}  // namespace spekulor::quality

#endif
