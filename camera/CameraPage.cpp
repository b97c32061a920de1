#include "camera/CameraPage.h"

#include <algorithm>
#include <cmath>

#include "baffles/BaffleTrace.h"
#include "baffles/FocusTravel.h"
#include "calc/OpticalConstants.h"
#include "quality/CentralObstruction.h"
#include "support/Units.h"
#include "trace/ConicMirror.h"

using namespace spekulor::baffles;
using namespace spekulor::calc;
using namespace spekulor::support;
using namespace spekulor::trace;

namespace spekulor::camera {

namespace {

CameraProblem Problem(CameraProblemCode code) {
  CameraProblem problem;
  problem.code = code;
  return problem;
}

bool InRange(double value, double least, double most) { return value >= least && value <= most; }

double FocalLengthMm(const DesignResult& design, LengthUnit unit) {
  return design.SysFoc * MillimetresPerUnit(unit);
}

BaffleOptions PlanOptions(const CameraOptions& options) {
  BaffleOptions baffles;
  baffles.primaryThickness = options.primaryThickness;
  return baffles;
}

// The light's stops: the baffle plan's, or the secondary alone and the hole the field's
// light needs, bored through the blank.
LightStops ChooseStops(const DesignResult& design, const BafflePlan& plan, double thickness) {
  LightStops stops;
  if (plan.ok()) {
    stops.baffled = true;
    stops.parts = plan.parts;
    stops.hole = {plan.parts.boreRadius, plan.parts.boreZ, -thickness};
    return stops;
  }
  if (!(design.BackFocLen > 0.0)) return stops;  // the focus in front of the primary: no hole
  const Telescope bare = BareTelescope(design);
  const double radius =
      HoleRadius(bare, TraceRimRays(bare, design.FieldRad / 2.0, baffles::kHoleRimAzimuths));
  stops.hole = {radius, MirrorSag(bare.primary, radius), -thickness};
  return stops;
}

}  // namespace

CameraProblem CameraInputsProblem(const DesignResult& design, LengthUnit unit, const CameraOptions& options) {
  const SensorOptions& sensor = options.sensor;
  if (!InRange(sensor.pixelUm, kLeastPixelUm, kMostPixelUm)) return Problem(CameraProblemCode::PixelOutOfRange);
  if (!(sensor.widthMm > 0.0 && sensor.widthMm <= kMostSensorSideMm && sensor.heightMm > 0.0 &&
        sensor.heightMm <= kMostSensorSideMm)) {
    return Problem(CameraProblemCode::SensorOutOfRange);
  }
  if (!InRange(sensor.seeingArcsec, kLeastSeeingArcsec, kMostSeeingArcsec)) {
    return Problem(CameraProblemCode::SeeingOutOfRange);
  }
  if (!InRange(options.temperatureChange, -kMostTemperatureChange, kMostTemperatureChange)) {
    return Problem(CameraProblemCode::TemperatureOutOfRange);
  }
  const TraceProblem untraceable = TelescopeProblem(design);
  if (untraceable.ok()) {
    if (!ThicknessRange(design).Holds(PrimaryThickness(design, PlanOptions(options)))) {
      return Problem(CameraProblemCode::ThicknessOutOfRange);
    }
    const double corner =
        std::atan(std::hypot(sensor.widthMm, sensor.heightMm) / 2.0 / FocalLengthMm(design, unit)) *
        kDegreesPerRadian;
    if (!(corner <= kMostCornerFieldDeg)) {
      CameraProblem problem = Problem(CameraProblemCode::CornerTooFar);
      problem.cornerFieldDeg = corner;
      return problem;
    }
    return CameraProblem();
  }
  CameraProblem problem = Problem(CameraProblemCode::Untraceable);
  problem.trace = untraceable;
  return problem;
}

CameraPage ComputeCameraPage(const DesignResult& design, LengthUnit unit, const CameraOptions& options) {
  quality::QualityWorkspace workspace(kCornerGrid);
  return ComputeCameraPage(design, unit, options, workspace);
}

CameraPage ComputeCameraPage(const DesignResult& design, LengthUnit unit, const CameraOptions& options,
                             quality::QualityWorkspace& workspace) {
  CameraPage page;
  page.options = options;
  page.unit = unit;
  page.problem = CameraInputsProblem(design, unit, options);
  if (!page.ok()) return page;
  page.focalLength = design.SysFoc;
  page.focalRatio = design.SysFoc / design.PriDia;
  page.scale = ComputeSensorScale(options.sensor, FocalLengthMm(design, unit), page.focalRatio);

  const Telescope telescope = BuildTelescope(design);
  const BaffleOptions planOptions = PlanOptions(options);
  const double thickness = PrimaryThickness(design, planOptions);
  const BafflePlan plan = PlanBaffles(design, planOptions);
  const LightStops stops = ChooseStops(design, plan, thickness);
  // The corner's star is imaged through the pupil the baffles leave: the skirt's
  // shadow where the plan has one, as the image-quality analysis takes it.
  quality::CentralObstruction obstruction;
  if (stops.baffled) {
    obstruction.source = quality::ObstructionSource::Baffles;
    obstruction.diameter = plan.linearObstruction * design.PriDia;
  }
  const double wavelength = kReferenceWavelengthNm * kMillimetresPerNanometre / MillimetresPerUnit(unit);
  page.corner = ComputeCornerFocus(quality::ObstructedTelescope(telescope, design, obstruction),
                                   page.scale.cornerField, wavelength, workspace);
  if (page.corner.raysPassing <= 0 || 2 * page.corner.raysImaged < page.corner.raysPassing) {
    page.problem.code = CameraProblemCode::CornerLightLost;
    page.problem.cornerFieldDeg = page.scale.cornerField * kDegreesPerRadian;
    page.problem.raysImaged = page.corner.raysImaged;
    page.problem.raysPassing = page.corner.raysPassing;
    return page;
  }

  page.baffled = stops.baffled;
  page.baffleProblem = plan.problem;
  page.linearObstruction = stops.baffled ? plan.linearObstruction : design.SecDia / design.PriDia;
  page.holeDiameter = 2.0 * stops.hole.radius;
  page.imageCircleRadius = design.SysFoc * std::tan(design.FieldRad / 2.0);
  page.illumination =
      IlluminationProfile(telescope, stops, page.scale.cornerField, kIlluminationPoints);

  page.thermalKnown = options.material != TubeMaterial::None;
  if (page.thermalKnown) {
    const double perSpacing = ComputeFocusTravel(design, thickness, 0.0).backFocusPerSpacing;
    page.thermal = ComputeThermalFocus(ExpansionPerKelvin(options.material), design.PriSecDist,
                                       perSpacing, page.corner.criticalZone, options.temperatureChange);
  }
  return page;
}

}  // namespace spekulor::camera
