// The point image (point spread function) of a pupil function by the discrete Fourier
// transform of the zero-padded pupil grid (Goodman, "Introduction to Fourier Optics",
// sec. 6.2; the sampling as in Mahajan, "Optical Imaging and Aberrations" II, sec. 1.5).
//
// With cells of width h on the primary, a transform of M samples across and the system
// focal length F, the image is sampled every lambda F / (M h) = lambda N size / M in the
// focal plane, and spans N size lambda (size the pupil's cells across). The image's +x
// and +y are the pupil's (calc/SignConventions.h). The transform takes the
// grid on the primary (the entrance pupil) for one uniform in the direction sines of
// the rays leaving for the image, y / F: exact where the sine condition holds (the
// aplanatic designs), and otherwise off by the offence against it, a fraction of a
// percent at the rim for these slow beams.
#ifndef SPEKULOR_QUALITY_POINTIMAGE_H
#define SPEKULOR_QUALITY_POINTIMAGE_H

#include <vector>

#include "quality/FourierPlans.h"
#include "quality/PupilFunction.h"

namespace spekulor::quality {

struct PointImage {
  int size = 0;           // samples across, the transform's size
  double spacing = 0.0;   // between samples, design unit
  // size * size, row (along y) after row, sample (size / 2, size / 2) on the reference
  // point; relative to the peak of the same pupil without wavefront error.
  std::vector<double> intensity;
  double strehl = 0.0;     // the Strehl ratio: the largest sample, which is at least
                           // the sample on the reference point
  double centroidX = 0.0;  // the light's centre from the reference point, design unit
  double centroidY = 0.0;
  double total = 0.0;      // the sum of all samples
  // The light the pupil passes in the samples' measure, at least `total`: a cell lit
  // over a fraction f of its area has the amplitude f, which carries f^2 of the light
  // into the frame; the rest, f - f^2, is what its hard edge diffracts far outside the
  // frame. Fractions of the light (encircled energy) and the transfer at zero frequency
  // (MTF) are taken of this.
  double energy = 0.0;
};

// The point image of `pupil` with `spacing` between its samples, transformed in
// `plans`, whose size must be at least twice the pupil's and whose filled columns at
// least the pupil's (otherwise an empty image), written into `image`, whose storage is
// reused when it has the size already.
void ComputePointImage(const PupilFunction& pupil, double spacing, FourierPlans& plans,
                       PointImage& image);

// The Strehl ratio estimated from the RMS wavefront error, exp(-(2 pi rms)^2): Mahajan,
// "Strehl ratio for primary aberrations: some analytical results for circular and
// annular pupils", JOSA 72 (1982) 1258, the exponential form of Marechal's.
double MarechalStrehl(double rmsWaves);

}  // namespace spekulor::quality

#endif
