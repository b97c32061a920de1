// The axis image with the secondary aligned and with it despaced, decentered and tilted
// by each tolerance: the rays' spot and the diffraction point image, each in its own
// best focal plane (refocused, as the tolerances assume), the spot about its centroid
// and the point image about the reference point fitted to its wavefront (re-pointed).
//
// The spot is where the pupil grid's rays (PupilTrace.h) cross that plane; the point
// image is the Fourier transform of the pupil function there (PointImage.h), relative
// to the peak of the same pupil without wavefront error.
#ifndef SPEKULOR_COLLIMATION_COLLIMATIONIMAGES_H
#define SPEKULOR_COLLIMATION_COLLIMATIONIMAGES_H

#include <array>
#include <string>
#include <vector>

#include "quality/ImageQuality.h"
#include "trace/SpotDiagram.h"
#include "collimation/Tolerances.h"

namespace spekulor::collimation {

// Pupil cells across the primary for the images; the point image is sampled every
// lambda N / kImagePadding and shown out to kImageWindowAiryRadii Airy radii.
constexpr int kCollimationImageGrid = 64;
constexpr double kImageWindowAiryRadii = 4.0;

struct CollimationImage {
  std::string heading;  // "Aligned", "Despaced", "Decentered", "Tilted"
  std::string amount;   // the misalignment ("+0.2124 mm"), "" when aligned; Windows-1252
  trace::SecondaryPerturbation secondary;
  double rmsWaves = 0.0;  // piston and tilt removed, in the best plane
  double strehl = 0.0;    // the point image's peak
  std::vector<trace::SpotPoint> spot;  // design unit, about the rays' centroid (a quarter of them)
  quality::PointImageWindow image;       // centred on the reference point
};

struct CollimationImageSet {
  std::array<CollimationImage, 1 + kMisalignments.size()> images;  // aligned first
  double airyRadius = 0.0;          // kAiryFactor lambda N, design unit
  double micrometresPerUnit = 0.0;  // MicrometresPerUnit
};

// The four images for an analysed design (ToleranceAnalysis::ok()).
CollimationImageSet ComputeCollimationImages(const calc::DesignResult& design,
                                             const ToleranceAnalysis& analysis);

}  // namespace spekulor::collimation

#endif
