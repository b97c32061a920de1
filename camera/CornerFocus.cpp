#include "camera/CornerFocus.h"

#include <cmath>
#include <vector>

#include "quality/FocusSearch.h"
#include "quality/PointImage.h"
#include "quality/PupilFunction.h"
#include "quality/PupilTrace.h"
#include "quality/Wavefront.h"

using namespace spekulor::quality;
using namespace spekulor::trace;

namespace spekulor::camera {

CornerFocus ComputeCornerFocus(const Telescope& telescope, double cornerField, double wavelength,
                               QualityWorkspace& workspace) {
  CornerFocus corner;
  const int grid = workspace.gridSize;
  const std::vector<TracedPupil> pupils = {
      TracePupil(telescope, 0.0, grid),
      TracePupil(telescope, kMiddleFieldFraction * cornerField, grid),
      TracePupil(telescope, cornerField, grid)};
  const TracedPupil& edge = pupils.back();
  corner.raysPassing = edge.launched - edge.obstructed;
  corner.raysImaged = edge.imaged;
  if (corner.raysPassing <= 0 || 2 * corner.raysImaged < corner.raysPassing) return corner;

  std::vector<double> own;
  std::vector<const TracedPupil*> list;
  for (const TracedPupil& pupil : pupils) {
    own.push_back(OwnBestFocus(pupil, wavelength));
    list.push_back(&pupil);
  }
  corner.axisFocus = own[0];
  corner.middleFocus = own[1];
  corner.cornerFocus = own[2];
  corner.defocus = corner.cornerFocus - corner.axisFocus;
  corner.criticalZone = 2.0 * wavelength * edge.focalRatio * edge.focalRatio;
  corner.needsFlattener = std::fabs(corner.defocus) > corner.criticalZone;

  corner.planeShift = CommonBestFocus(list, own, wavelength);
  corner.spotRms = GeometricSpotRadius(edge, corner.planeShift);
  const Wavefront front = EvaluateWavefront(edge, corner.planeShift, wavelength);
  corner.rmsWaves = front.rmsWaves;
  const PupilFunction function = TracedPupilFunction(edge, front);
  if (LargestWaveStep(function) <= kLargestWaveStep && workspace.plans.Size() >= 2 * grid) {
    const double lambdaN = wavelength * edge.focalRatio;
    ComputePointImage(function, lambdaN * grid / workspace.plans.Size(), workspace.plans,
                      workspace.image);
    corner.strehl = workspace.image.strehl;
  } else {
    corner.strehl = MarechalStrehl(front.rmsWaves);
  }
  return corner;
}

}  // namespace spekulor::camera
