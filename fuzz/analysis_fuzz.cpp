// The analyses of a completed design with arbitrary window values and options: the
// input is the calculation fuzzer's (two bytes for the unit and type radio indexes, then
// the ten field texts one a line, fields past the last line keeping the start-up
// values), and up to nineteen more lines give the analyses' options as numbers: the
// secondary's despace, decenter, tilt and pivot, the primary's thickness and the focus
// clearance for the baffles, the wavelength in nanometres, the tolerance budget in
// waves, for the mirror tests the Hindle sphere's radius, the secondary's conic error
// and the primary's measured radius, for the camera the pixel size, the sensor's sides
// in millimetres, the seeing and the temperature change (the tube's material from the
// type's byte), and the spider's vanes (rounded), width and angle. A line that is not a
// whole number leaves its option at its default; the mirror tests' options outside the
// command line's ranges are taken as not given.
//
// The first byte's upper six bits choose the one analysis a completed design goes
// through (their value modulo six): the spot diagrams, the baffle plan, the image
// quality (pupil grid 32, which follows the aberrations of the usual designs), the
// tolerance analysis (grid 16) with its axis images, both with the skirt baffle's
// obstruction when the design can be baffled, the mirror tests (the primary's page with
// its pictures and the reduction of its own readings, the secondary's Hindle test with
// its picture, and the refit to the measured radius), or the camera page with its
// picture, the primary's thickness the baffles'. All of them for every input took over a
// second an input under the sanitizers: too slow for the fuzzer to learn from its runs.
// Every analysis must end with a result or a refusal; a result holds no NaN, and no
// infinity but where its struct says one stands for "none" (a flat focal surface, a
// decenter that adds no coma).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "baffles/BafflePlan.h"
#include "calc/Calculate.h"
#include "calc/OpticalConstants.h"
#include "camera/CameraPage.h"
#include "camera/CameraPicture.h"
#include "collimation/CollimationImages.h"
#include "quality/ImageQuality.h"
#include "quality/QualityPictures.h"
#include "trace/RayTrace.h"
#include "trace/SpotDiagram.h"
#include "collimation/Tolerances.h"
#include "mirrortests/CouderMask.h"
#include "mirrortests/HindlePicture.h"
#include "mirrortests/MirrorTestPage.h"
#include "mirrortests/Refit.h"
#include "mirrortests/RonchiPicture.h"
#include "mirrortests/SecondaryTest.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::quality;
using namespace spekulor::baffles;
using namespace spekulor::collimation;
using namespace spekulor::mirrortests;
using namespace spekulor::camera;

namespace {

constexpr int kQualityGrid = 32;
constexpr int kToleranceGrid = 16;
constexpr int kFuzzRays = 200;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void Finite(double value) { Require(std::isfinite(value)); }

// Infinite stands for "none" here; NaN never does.
void FiniteOrNone(double value) { Require(!std::isnan(value)); }

void Finite(const std::vector<double>& values) {
  for (double value : values) Finite(value);
}

template <size_t N>
void Finite(const std::array<double, N>& values) {
  for (double value : values) Finite(value);
}

std::string DesignFields::*const kFieldOrder[] = {
    &DesignFields::m_strPriDia,     &DesignFields::m_strPriFoc,     &DesignFields::m_strField,
    &DesignFields::m_strSysFoc,     &DesignFields::m_strBackFocLen, &DesignFields::m_strSecSysDist,
    &DesignFields::m_strSecPriDist, &DesignFields::m_strSecRadCur,  &DesignFields::m_strPriCC,
    &DesignFields::m_strSecCC};

enum class Analysis { Spots, Baffles, Quality, Tolerances, MirrorTests, Camera };
constexpr int kAnalysisCount = 6;

struct AnalysisInput {
  Analysis analysis = Analysis::Spots;
  DesignFields fields;
  SecondaryPerturbation secondary;
  BaffleOptions baffles;
  QualityOptions quality;
  ToleranceOptions tolerances;
  double sphereRadius = 0.0;  // 0: the default sphere
  double conicError = 0.0;
  double measuredRoc = 0.0;   // 0: the design's radius
  CameraOptions camera;
  double spiderVanes = 0.0;   // rounded, when it is a whole number of vanes at all
};

void ReadNumber(const std::string& line, double& value) {
  if (line.empty()) return;
  char* end = nullptr;
  const double read = std::strtod(line.c_str(), &end);
  if (end != nullptr && *end == '\0') value = read;
}

AnalysisInput InputFrom(const std::uint8_t* data, std::size_t size) {
  AnalysisInput input;
  input.camera.sensor = {3.76, 23.5, 15.7, kDefaultSeeingArcsec};
  input.quality.gridSize = kQualityGrid;
  input.tolerances.gridSize = kToleranceGrid;
  if (size < 2) return input;
  input.fields.m_nUnits = data[0] % 4 - 1;  // -1 .. 2
  input.analysis = static_cast<Analysis>(data[0] / 4 % kAnalysisCount);
  input.fields.m_nType = data[1] % 8 - 1;   // -1 .. 6
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const size_t fields = sizeof kFieldOrder / sizeof kFieldOrder[0];
  for (size_t k = 0; k < lines.size() && k < fields; ++k) input.fields.*kFieldOrder[k] = lines[k];
  double* const options[] = {&input.secondary.despace,        &input.secondary.decenter,
                             &input.secondary.tiltDeg,        &input.secondary.pivot,
                             &input.baffles.primaryThickness, &input.baffles.focusClearance,
                             &input.quality.wavelengthNm,     &input.tolerances.budgetWaves,
                             &input.sphereRadius,             &input.conicError,
                             &input.measuredRoc,              &input.camera.sensor.pixelUm,
                             &input.camera.sensor.widthMm,    &input.camera.sensor.heightMm,
                             &input.camera.sensor.seeingArcsec, &input.camera.temperatureChange,
                             &input.spiderVanes,              &input.quality.spider.width,
                             &input.quality.spider.angleDeg};
  for (size_t k = 0; k < sizeof options / sizeof options[0] && fields + k < lines.size(); ++k) {
    ReadNumber(lines[fields + k], *options[k]);
  }
  // As the command line's options take them.
  if (!(input.sphereRadius >= 1e-9 && input.sphereRadius <= 1e9)) input.sphereRadius = 0.0;
  if (!(input.conicError >= -1.0 && input.conicError <= 1.0)) input.conicError = 0.0;
  if (!(input.measuredRoc >= 1e-9 && input.measuredRoc <= 1e9)) input.measuredRoc = 0.0;
  input.quality.secondary = input.secondary;
  input.camera.material = static_cast<TubeMaterial>(data[1] / 8 % 5);
  input.camera.primaryThickness = input.baffles.primaryThickness;
  // Counts far outside the analyses' range stand for themselves (the analyses refuse
  // them) without overflowing an int.
  if (std::fabs(input.spiderVanes) <= 1000.0) {
    input.quality.spider.vanes = static_cast<int>(std::lround(input.spiderVanes));
  }
  input.tolerances.wavelengthNm = input.quality.wavelengthNm;
  input.tolerances.spider = input.quality.spider;
  return input;
}

void CheckSpots(const Calculation& calculation, const SecondaryPerturbation& secondary) {
  if (!TelescopeProblem(calculation.design).ok()) return;
  if (!PerturbationProblem(BuildTelescope(calculation.design), secondary).ok()) return;
  const SpotSet set =
      ComputeSpotSet(calculation.design, calculation.read.unit, kFuzzRays, secondary);
  if (!SpotSetProblem(set).ok()) return;
  Finite(set.airyRadius);
  Finite(set.arcsecPerUnit);
  for (const SpotDiagram& spot : set.spots) {
    Require(!spot.points.empty());
    for (const SpotPoint& p : spot.points) {
      Finite(p.x);
      Finite(p.y);
    }
    Finite(spot.stats.centroidX);
    Finite(spot.stats.centroidY);
    Finite(spot.stats.rmsRadius);
    Finite(spot.stats.maxRadius);
    Finite(spot.stats.thirdMomentY);
  }
}

void CheckBaffles(const Calculation& calculation, const BaffleOptions& options) {
  const BafflePlan plan = PlanBaffles(calculation.design, options);
  if (!plan.ok()) return;
  for (double value : {plan.frame.imageRadius, plan.firstOrderHole, plan.hole,
                       plan.baffles.skirtRadius, plan.baffles.skirtZ, plan.baffles.tubeRadius,
                       plan.baffles.tubeZ, plan.firstOrder.skirtRadius, plan.firstOrder.skirtZ,
                       plan.firstOrder.tubeRadius, plan.firstOrder.tubeZ, plan.parts.skirtRadius,
                       plan.parts.skirtTopZ, plan.parts.tubeRadius, plan.parts.tubeBottomZ,
                       plan.parts.boreRadius, plan.parts.boreZ, plan.linearObstruction,
                       plan.areaObstruction, plan.firstOrderLinearObstruction,
                       plan.focus.backFocusPerSpacing, plan.focus.primaryBackZ,
                       plan.focus.clearance, plan.focus.largestSpacing,
                       plan.focus.focusAtInfinity, plan.focus.spacingSlack}) {
    Finite(value);
  }
  Require(plan.fieldRays.blocked == 0 && plan.skyLines.reaching == 0);
}

void CheckQuality(const Calculation& calculation, const QualityOptions& options) {
  const QualityPictures pictures = DrawQualityPictures(calculation, options);
  if (!pictures.ok()) return;
  const QualitySet& set = pictures.quality;
  for (double value : {set.wavelength, set.micrometresPerUnit, set.focalRatio, set.obstruction,
                       set.cutoffPerMm, set.focusShift}) {
    Finite(value);
  }
  FiniteOrNone(set.focalSurfaceRadius);
  FiniteOrNone(set.thirdOrderFieldRadius);
  for (const FieldQuality& field : set.fields) {
    for (double value : {field.fieldAngle, field.ownBestFocus, field.ownBestHeight,
                         field.imageHeight, field.rmsWaves, field.pvWaves, field.strehl,
                         field.strehlMarechal, field.ee80Diameter, field.largestWaveStep}) {
      Finite(value);
    }
    Finite(field.mtfTangential);
    Finite(field.mtfSagittal);
    Finite(field.mtf.tangential);
    Finite(field.mtf.sagittal);
    Finite(field.energy.radius);
    Finite(field.energy.fraction);
    Finite(field.image.spacing);
    Finite(field.image.intensity);
    Require(field.image.size > 0 &&
            field.image.intensity.size() ==
                static_cast<size_t>(field.image.size) * static_cast<size_t>(field.image.size));
  }
  Finite(set.perfect.firstDarkRing);
  Finite(set.perfect.ee80Diameter);
  Finite(set.perfect.mtf);
  Finite(set.perfect.mtfCurve);
  Finite(set.perfect.energy.radius);
  Finite(set.perfect.energy.fraction);
  Require(set.spider.areaFraction >= 0.0 && set.spider.areaFraction < 1.0);
  Require(set.spider.peakRatio > 0.0 && set.spider.peakRatio <= 1.0);
  Require(!pictures.drawings.empty());
}

void CheckAxis(const AxisWavefront& axis) {
  if (!axis.traced) return;
  for (double value :
       {axis.bestFocus, axis.paraxialFocus, axis.imageX, axis.imageY, axis.rmsWaves}) {
    Finite(value);
  }
  for (double term : axis.terms) Finite(term);
}

void CheckTolerances(const Calculation& calculation, const ToleranceOptions& options) {
  const ToleranceAnalysis analysis =
      AnalyseTolerances(calculation.design, calculation.read.unit, options);
  if (!analysis.ok()) return;
  Finite(analysis.wavelength);
  Require(analysis.aligned.traced);
  CheckAxis(analysis.aligned);
  const Sensitivities& s = analysis.sensitivities;
  for (double value : {s.backFocusPerUnit, s.w040NmPerUnit, s.w131NmPerUnit,
                       s.imageShiftPerUnit, s.w131NmPerDegree}) {
    Finite(value);
  }
  FiniteOrNone(s.comaFreePivot);
  for (const MisalignmentProbe& probe : s.probes) {
    Finite(probe.step);
    CheckAxis(probe.minus);
    CheckAxis(probe.plus);
  }
  for (const ToleranceFound& found : analysis.tolerances) {
    Finite(found.amount);
    Finite(found.addedWaves);
    CheckAxis(found.axis);
  }
  const CollimationImageSet images = ComputeCollimationImages(calculation.design, analysis);
  Finite(images.airyRadius);
  for (const CollimationImage& image : images.images) {
    Finite(image.rmsWaves);
    Finite(image.strehl);
    for (const SpotPoint& p : image.spot) {
      Finite(p.x);
      Finite(p.y);
    }
    Finite(image.image.spacing);
    Finite(image.image.intensity);
  }
}

void CheckMirrorTests(const Calculation& calculation, const AnalysisInput& input) {
  const DesignResult& design = calculation.design;
  const LengthUnit unit = calculation.read.unit;
  MirrorTestOptions options;
  if (input.measuredRoc > 0.0) options.measuredRadius = input.measuredRoc;
  const MirrorTestPage page = RunMirrorTests(design, unit, options);
  if (page.problem.ok()) {
    Finite(page.readings);
    Finite(page.readingsFromFirst);
    for (const Ronchigram& gram : page.ronchigrams) Finite(gram.bandEdges);
    Require(!DrawCouderMask(page.primary, page.zones).shapes.empty());
    Require(!DrawRonchigrams(page.primary, page.ronchigrams).shapes.empty());
    // The mirror's own readings are a perfect mirror's.
    const MirrorTestReduction reduction = ReduceMirrorReadings(page, page.readings);
    if (reduction.problem.ok()) {
      Finite(reduction.surfaceErrorNm);
      Finite(reduction.wavefrontRmsWaves);
      Finite(reduction.wavefrontPvWaves);
      Finite(reduction.strehl);
      if (reduction.bestFitConic) Finite(*reduction.bestFitConic);
    }
  }

  if (!TelescopeProblem(design).ok()) return;
  const double wavelength = kWavelengthMm / MillimetresPerUnit(unit);
  const SecondaryTest test =
      TestSecondary(design, {input.sphereRadius, input.conicError, wavelength});
  if (test.layout.problem == HindleProblem::None && test.null.traced) {
    const HindleLayout& l = test.layout;
    for (double value : {l.nearFocus, l.farFocus, l.sphereRadius, l.sphereDiameter,
                         l.sphereToSecondary, l.holeDiameter, l.untestedDiameter,
                         test.null.rmsWaves}) {
      Finite(value);
    }
    if (test.withError.traced) Finite(test.withError.rmsWaves);
    if (test.telescopeTraced) Finite(test.telescopeRmsWaves);
    Require(!BuildHindlePicture(test, calculation.read.type, unit).shapes.empty());
  }

  const double roc = input.measuredRoc > 0.0 ? input.measuredRoc : design.PriRadCur;
  const RefitResult refit =
      RefitTelescope(design, {roc, design.PriConic, 0.0, RefitKeep::BackFocus}, wavelength);
  if (refit.problem == RefitProblem::None) {
    for (double value : {refit.design.PriSecDist, refit.design.SecRadCur, refit.design.SecConic,
                         refit.design.SysFoc, refit.design.BackFocLen, refit.axisRmsWaves,
                         refit.edgeRmsWaves, refit.designEdgeRmsWaves}) {
      Finite(value);
    }
  }
}

void CheckCamera(const Calculation& calculation, const CameraOptions& options) {
  const CameraPage page = ComputeCameraPage(calculation.design, calculation.read.unit, options);
  if (!page.ok()) return;
  const SensorScale& s = page.scale;
  const CornerFocus& c = page.corner;
  for (double value : {s.arcsecPerPixel, s.fieldWidthArcmin, s.fieldHeightArcmin, s.diagonalArcmin,
                       s.halfDiagonalMm, s.cornerField, s.airyDiameterPx, s.seeingFwhmPx,
                       page.linearObstruction, page.holeDiameter, page.imageCircleRadius, c.defocus,
                       c.criticalZone, c.planeShift, c.spotRms, c.rmsWaves, c.strehl,
                       page.thermal.shiftPerKelvin, page.thermal.shiftForChange}) {
    Finite(value);
  }
  FiniteOrNone(page.thermal.kelvinPerZone);
  for (const IlluminationPoint& point : page.illumination) {
    Finite(point.radius);
    Require(point.relative >= 0.0 && std::isfinite(point.relative));
  }
  Require(!BuildCameraPicture(page, calculation.read.type).shapes.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const AnalysisInput input = InputFrom(data, size);
  const CalculateOutcome outcome = Calculate(input.fields);
  if (!outcome.ok()) return 0;
  const Calculation& calculation = outcome.calculation;
  switch (input.analysis) {
    case Analysis::Spots: CheckSpots(calculation, input.secondary); break;
    case Analysis::Baffles: CheckBaffles(calculation, input.baffles); break;
    case Analysis::Quality:
    case Analysis::Tolerances: {
      QualityOptions quality = input.quality;
      ToleranceOptions tolerances = input.tolerances;
      const BaffleObstruction baffled = PlanObstruction(calculation.design);
      if (baffled.ok()) {
        quality.obstruction = {ObstructionSource::Baffles, baffled.diameter};
        tolerances.obstruction = quality.obstruction;
      }
      if (input.analysis == Analysis::Quality) CheckQuality(calculation, quality);
      else CheckTolerances(calculation, tolerances);
      break;
    }
    case Analysis::MirrorTests: CheckMirrorTests(calculation, input); break;
    case Analysis::Camera: CheckCamera(calculation, input.camera); break;
  }
  return 0;
}
