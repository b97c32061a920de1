#include "quality/ImageQuality.h"

#include <algorithm>
#include <cmath>

#include "calc/Aberrations.h"
#include "quality/FocusSearch.h"
#include "quality/PerfectAperture.h"
#include "quality/PupilFunction.h"
#include "quality/PupilTrace.h"
#include "trace/RayTrace.h"
#include "support/SampleCount.h"
#include "quality/Wavefront.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::trace;

namespace spekulor::quality {

namespace {

// The fine encircled-energy curve reaches 1.5 times the radius holding 95 % of the
// light, and at least 12 lambda N.
constexpr double kEnergyReachFraction = 0.95;
constexpr double kEnergyReachFactor = 1.5;
constexpr double kLeastEnergyReach = 12.0;  // lambda N
// Point images are shown out to 5 Airy radii, or to 3 geometric RMS spot radii of the
// widest spot.
constexpr double kWindowAiryRadii = 5.0;
constexpr double kWindowSpotRadii = 3.0;
constexpr double kPerfectEnergyStep = 0.05;  // lambda N between the perfect curve's samples

QualitySet StartQualitySet(const DesignResult& design, LengthUnit unit,
                           const QualityOptions& options) {
  QualitySet set;
  set.options = options;
  set.micrometresPerUnit = MicrometresPerUnit(unit);
  set.wavelength = options.wavelengthNm * kMillimetresPerNanometre / MillimetresPerUnit(unit);
  set.focalRatio = design.SysFoc / design.PriDia;
  set.obstruction = ObstructionDiameter(design, options.obstruction) / design.PriDia;
  set.cutoffPerMm = 1.0 / (options.wavelengthNm * kMillimetresPerNanometre * set.focalRatio);
  set.depthOfFocus = 2.0 * set.wavelength * set.focalRatio * set.focalRatio;
  set.thirdOrderFieldRadius = design.FieldCurvRadius;
  for (size_t i = 0; i < set.fields.size(); ++i) {
    set.fields[i].fieldFraction = kSpotFieldFractions[i];
    set.fields[i].fieldAngle = kSpotFieldFractions[i] * design.FieldRad / 2.0;
  }
  return set;
}

std::vector<TracedPupil> TraceFieldPupils(const Telescope& telescope, QualitySet& set) {
  std::vector<TracedPupil> pupils;
  for (FieldQuality& field : set.fields) {
    pupils.push_back(TracePupil(telescope, field.fieldAngle, set.options.gridSize));
    field.raysPassing = pupils.back().launched - pupils.back().obstructed;
    field.raysImaged = pupils.back().imaged;
  }
  return pupils;
}

void FindOwnFoci(const std::vector<TracedPupil>& pupils, QualitySet& set) {
  std::vector<double> heights;
  std::vector<double> shifts;
  for (size_t i = 0; i < pupils.size(); ++i) {
    FieldQuality& field = set.fields[i];
    field.ownBestFocus = OwnBestFocus(pupils[i], set.wavelength);
    field.ownBestHeight = EvaluateWavefront(pupils[i], field.ownBestFocus, set.wavelength).imageY;
    heights.push_back(field.ownBestHeight);
    shifts.push_back(field.ownBestFocus);
  }
  set.focalSurfaceRadius = FocalSurfaceRadius(heights, shifts);
  set.focalSurfaceWithinDepth = true;
  for (double shift : shifts) {
    set.focalSurfaceWithinDepth =
        set.focalSurfaceWithinDepth && std::fabs(shift - shifts.front()) <= set.depthOfFocus;
  }
  if (set.focalSurfaceWithinDepth) set.focalSurfaceRadius = HUGE_VAL;
}

double ChooseFocus(const std::vector<TracedPupil>& pupils, const QualitySet& set) {
  if (set.options.focus == FocusMode::Paraxial) return 0.0;
  std::vector<const TracedPupil*> list;
  std::vector<double> ownFoci;
  for (size_t i = 0; i < pupils.size(); ++i) {
    list.push_back(&pupils[i]);
    ownFoci.push_back(set.fields[i].ownBestFocus);
  }
  return CommonBestFocus(list, ownFoci, set.wavelength);
}

// Half the side of the point-image windows, in samples of the point image; at most the
// point image's own half, which also stands for a width nothing bounds (NaN).
int WindowHalfWidth(const std::vector<TracedPupil>& pupils, const QualitySet& set, int imageSize) {
  const double lambdaN = set.wavelength * set.focalRatio;
  const double spacing = lambdaN / kImagePadding;
  double widest = kWindowAiryRadii * kAiryFactor * lambdaN;
  for (const TracedPupil& pupil : pupils) {
    widest = std::max(widest, kWindowSpotRadii * GeometricSpotRadius(pupil, set.focusShift));
  }
  return ClampedCeil(widest / spacing, 0, imageSize / 2 - 1);
}

// Everything measured in the plane set.focusShift for one field point, whose spider's
// shadow meets the pupil at (0, hubY).
void MeasureField(const TracedPupil& pupil, const QualitySet& set, int windowHalf, double hubY,
                  QualityWorkspace& workspace, FieldQuality& field) {
  const Wavefront front = EvaluateWavefront(pupil, set.focusShift, set.wavelength);
  field.imageHeight = front.imageY;
  field.rmsWaves = front.rmsWaves;
  field.pvWaves = front.pvWaves;
  field.strehlMarechal = MarechalStrehl(front.rmsWaves);
  PupilFunction function = TracedPupilFunction(pupil, front);
  field.largestWaveStep = LargestWaveStep(function);
  BlockVanes(function, set.options.spider, pupil.spacing * pupil.size, hubY);

  const double lambdaN = set.wavelength * set.focalRatio;
  PointImage& image = workspace.image;
  ComputePointImage(function, lambdaN * pupil.size / workspace.plans.Size(), workspace.plans,
                    image);
  field.strehl = image.strehl;
  field.mtf = ComputeMtf(image, pupil.size, workspace.plans);
  for (size_t k = 0; k < kMtfFractions.size(); ++k) {
    field.mtfTangential[k] = MtfAt(field.mtf.tangential, kMtfFractions[k]);
    field.mtfSagittal[k] = MtfAt(field.mtf.sagittal, kMtfFractions[k]);
  }
  const double reach =
      std::clamp(kEnergyReachFactor * RoughEnergyRadius(image, kEnergyReachFraction),
                 kLeastEnergyReach * lambdaN, (image.size / 2 - 2) * image.spacing);
  field.energy = ComputeEncircledEnergy(image, reach);
  field.ee80Diameter = 2.0 * RadiusForFraction(field.energy, kEncircledFraction);
  field.image = CutPointImageWindow(image, windowHalf);
}

PerfectQuality MeasurePerfectAperture(const QualitySet& set) {
  PerfectQuality perfect;
  const double lambdaN = set.wavelength * set.focalRatio;
  perfect.firstDarkRing = ObstructedFirstDarkRing(set.obstruction) * lambdaN;
  for (size_t k = 0; k < kMtfFractions.size(); ++k) {
    perfect.mtf[k] = ObstructedMtf(kMtfFractions[k], set.obstruction);
  }
  const int grid = set.options.gridSize;
  for (int k = 0; k <= grid; ++k) {
    perfect.mtfCurve.push_back(ObstructedMtf(static_cast<double>(k) / grid, set.obstruction));
  }
  // As far as the fields' curves reach.
  double reach = kLeastEnergyReach;
  for (const FieldQuality& field : set.fields) {
    if (!field.energy.radius.empty()) reach = std::max(reach, field.energy.radius.back() / lambdaN);
  }
  // The fields' curves end at kLeastEnergyReach or inside the point image, grid / 2
  // lambda N from its centre.
  const int most = static_cast<int>(
      std::ceil(std::max(kLeastEnergyReach, grid / 2.0) / kPerfectEnergyStep));
  perfect.energy = ObstructedEncircledEnergy(
      set.obstruction, reach, ClampedCeil(reach / kPerfectEnergyStep, 1, most) + 1);
  for (double& radius : perfect.energy.radius) radius *= lambdaN;
  perfect.ee80Diameter = 2.0 * RadiusForFraction(perfect.energy, kEncircledFraction);
  return perfect;
}

}  // namespace

int PointImageSize(int gridSize) { return kImagePadding * gridSize; }

QualityWorkspace::QualityWorkspace(int grid)
    : gridSize(grid), plans(PointImageSize(grid), grid) {}

QualitySet ComputeImageQuality(const DesignResult& design, LengthUnit unit,
                               const QualityOptions& options) {
  QualityWorkspace workspace(options.gridSize);
  return ComputeImageQuality(design, unit, options, workspace);
}

QualitySet ComputeImageQuality(const DesignResult& design, LengthUnit unit,
                               const QualityOptions& options, QualityWorkspace& workspace) {
  if (workspace.gridSize != options.gridSize) return ComputeImageQuality(design, unit, options);
  QualitySet set = StartQualitySet(design, unit, options);
  const Telescope telescope = ObstructedTelescope(BuildTelescope(design), design, options.obstruction);
  const std::vector<TracedPupil> pupils =
      TraceFieldPupils(PerturbSecondary(telescope, options.secondary), set);
  FindOwnFoci(pupils, set);
  set.focusShift = ChooseFocus(pupils, set);
  const int windowHalf = WindowHalfWidth(pupils, set, workspace.plans.Size());
  for (size_t i = 0; i < pupils.size(); ++i) {
    // The spider holds the secondary: its shadow on the primary moves with the
    // secondary's, the shadow plane's height times the field angle's tangent.
    const double hubY = telescope.shadowZ * std::tan(set.fields[i].fieldAngle);
    MeasureField(pupils[i], set, windowHalf, hubY, workspace, set.fields[i]);
  }
  set.perfect = MeasurePerfectAperture(set);
  set.spider = MeasureSpider(options.spider, design.PriDia, set.obstruction, options.gridSize);
  return set;
}

QualityProblem QualityOptionsProblem(const QualityOptions& options) {
  QualityProblem problem;
  if (options.gridSize < kLeastQualityGrid || options.gridSize > kMostQualityGrid) {
    problem.code = QualityProblemCode::GridOutOfRange;
  } else if (!(options.wavelengthNm >= kLeastWavelengthNm &&
               options.wavelengthNm <= kMostWavelengthNm)) {
    problem.code = QualityProblemCode::WavelengthOutOfRange;
  }
  return problem;
}

QualityProblem PupilStopsProblem(const DesignResult& design, const CentralObstruction& obstruction,
                                 const Spider& spider) {
  QualityProblem problem;
  if (!ObstructionFits(design, obstruction)) {
    problem.code = QualityProblemCode::ObstructionTooWide;
  } else if (!SpiderFits(spider, design.PriDia)) {
    problem.code = QualityProblemCode::SpiderOutOfRange;
  }
  return problem;
}

QualityProblem QualityInputsProblem(const DesignResult& design, const QualityOptions& options) {
  const TraceProblem untraceable = TelescopeProblem(design);
  if (!untraceable.ok()) return UntraceableQuality(untraceable);
  const QualityProblem unusable = QualityOptionsProblem(options);
  if (!unusable.ok()) return unusable;
  const QualityProblem stops = PupilStopsProblem(design, options.obstruction, options.spider);
  if (!stops.ok()) return stops;
  return UntraceableQuality(PerturbationProblem(BuildTelescope(design), options.secondary));
}

QualityProblem QualitySetProblem(const QualitySet& set) {
  for (const FieldQuality& field : set.fields) {
    if (field.raysPassing <= 0 || 2 * field.raysImaged < field.raysPassing) {
      return UntraceableQuality(
          LightLostProblem(field.raysImaged, field.raysPassing, field.fieldFraction));
    }
  }
  for (const FieldQuality& field : set.fields) {
    if (!(field.largestWaveStep <= kLargestWaveStep)) {
      QualityProblem problem;
      problem.code = QualityProblemCode::WavefrontTooSteep;
      problem.fieldFraction = field.fieldFraction;
      problem.waveStep = field.largestWaveStep;
      problem.gridSize = set.options.gridSize;
      return problem;
    }
  }
  return QualityProblem();
}

}  // namespace spekulor::quality
