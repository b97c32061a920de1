#include "collimation/CollimationImages.h"

#include <cmath>

#include "calc/SignConventions.h"
#include "collimation/AxisWavefront.h"
#include "quality/FourierPlans.h"
#include "quality/PointImageWindow.h"
#include "quality/PupilFunction.h"
#include "quality/PupilTrace.h"
#include "quality/Spider.h"
#include "support/SampleCount.h"
#include "collimation/ToleranceText.h"
#include "support/Units.h"
#include "quality/Wavefront.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::quality;

namespace spekulor::collimation {

namespace {

// Every second cell's ray in the spot: a quarter of the grid, some 750 rays, enough to
// show its shape.
constexpr int kSpotStride = 2;

const char* const kHeadings[] = {"Aligned", "Despaced", "Decentered", "Tilted"};

// The spot in the plane `focusShift` about the weighted centroid of all the rays,
// showing the rays of every kSpotStride-th cell along both axes.
std::vector<SpotPoint> SpotInPlane(const TracedPupil& pupil, double focusShift) {
  std::vector<SpotPoint> spot;
  const double planeZ = FocalPlaneZ(pupil.imageZ, focusShift);
  double sumWeight = 0.0;
  double sumX = 0.0;
  double sumY = 0.0;
  for (const PupilRay& ray : pupil.rays) {
    const double t = (planeZ - ray.onSecondary.z) / ray.direction.z;
    const SpotPoint point{ray.onSecondary.x + t * ray.direction.x,
                          ray.onSecondary.y + t * ray.direction.y};
    sumWeight += ray.weight;
    sumX += ray.weight * point.x;
    sumY += ray.weight * point.y;
    const int i = ray.cell % pupil.size;
    const int j = ray.cell / pupil.size;
    if (i % kSpotStride == 0 && j % kSpotStride == 0) spot.push_back(point);
  }
  if (sumWeight > 0.0) {
    for (SpotPoint& point : spot) {
      point.x -= sumX / sumWeight;
      point.y -= sumY / sumWeight;
    }
  }
  return spot;
}

}  // namespace

CollimationImageSet ComputeCollimationImages(const DesignResult& design,
                                             const ToleranceAnalysis& analysis) {
  CollimationImageSet set;
  const double lambdaN = analysis.wavelength * design.SysFoc / design.PriDia;
  set.airyRadius = kAiryFactor * lambdaN;
  set.micrometresPerUnit = MicrometresPerUnit(analysis.unit);

  const int grid = kCollimationImageGrid;
  FourierPlans plans(PointImageSize(grid), grid);
  PointImage image;
  const double spacing = lambdaN * grid / plans.Size();
  const int half =
      ClampedCeil(kImageWindowAiryRadii * set.airyRadius / spacing, 0, plans.Size() / 2 - 1);
  const Telescope aligned =
      ObstructedTelescope(BuildTelescope(design), design, analysis.options.obstruction);
  for (size_t i = 0; i < set.images.size(); ++i) {
    CollimationImage& shown = set.images[i];
    shown.heading = kHeadings[i];
    if (i > 0) {
      const Misalignment kind = kMisalignments[i - 1];
      const ToleranceFound& found = analysis.Tolerance(kind);
      shown.secondary = Misaligned(kind, found.amount);
      shown.amount = FormatMisalignment(found.amount, kind, analysis.unit);
      if (kind == Misalignment::Tilt) shown.amount += " about the vertex";
    }
    const TracedPupil pupil =
        TracePupil(PerturbSecondary(aligned, shown.secondary), 0.0, grid);
    const AxisWavefront axis = MeasureAxisWavefront(pupil, analysis.wavelength);
    const Wavefront front = EvaluateWavefront(pupil, axis.bestFocus, analysis.wavelength);
    shown.rmsWaves = front.rmsWaves;
    shown.spot = SpotInPlane(pupil, axis.bestFocus);
    PupilFunction function = TracedPupilFunction(pupil, front);
    BlockVanes(function, analysis.options.spider, design.PriDia);
    ComputePointImage(function, spacing, plans, image);
    shown.strehl = image.strehl;
    shown.image = CutPointImageWindow(image, half);
  }
  return set;
}

}  // namespace spekulor::collimation
