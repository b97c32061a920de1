// The camera at the telescope's focus, the whole study in one top function: the
// sensor's scale (Sensor.h), the illumination along its diagonal with the baffle plan
// of baffles/BafflePlan.h or the secondary alone (Illumination.h), the corner's focus
// (CornerFocus.h) and the focus's run with the tube's temperature (ThermalFocus.h).
#ifndef SPEKULOR_CAMERA_CAMERAPAGE_H
#define SPEKULOR_CAMERA_CAMERAPAGE_H

#include <vector>

#include "baffles/BafflePlan.h"
#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "camera/CameraProblem.h"
#include "camera/CornerFocus.h"
#include "camera/Illumination.h"
#include "camera/Sensor.h"
#include "camera/ThermalFocus.h"

namespace spekulor::camera {

// The options' ranges, both ends included (the sensor's sides: above 0).
constexpr double kLeastPixelUm = 0.1;
constexpr double kMostPixelUm = 100.0;
constexpr double kMostSensorSideMm = 200.0;
constexpr double kLeastSeeingArcsec = 0.1;
constexpr double kMostSeeingArcsec = 20.0;
constexpr double kMostTemperatureChange = 100.0;  // kelvin, either way
// Farther off the axis the two mirrors' beams part from the secondary altogether.
constexpr double kMostCornerFieldDeg = 3.0;

// Points along the diagonal at which the illumination is given, the axis and the
// corner included.
constexpr int kIlluminationPoints = 9;

struct CameraOptions {
  SensorOptions sensor;
  TubeMaterial material = TubeMaterial::None;
  double temperatureChange = 0.0;              // kelvin
  double primaryThickness = calc::kNotGiven;   // as baffles::BaffleOptions
};

struct CameraPage {
  CameraProblem problem;
  CameraOptions options;
  calc::LengthUnit unit = calc::LengthUnit::Millimetre;
  double focalLength = 0.0;     // F, design unit
  double focalRatio = 0.0;      // N = F / D
  SensorScale scale;
  // The baffle plan was used; otherwise the secondary alone obstructs, and
  // baffleProblem says why the design cannot be baffled.
  bool baffled = false;
  baffles::BaffleProblem baffleProblem;
  double linearObstruction = 0.0;  // the skirt's (or the secondary's) diameter over D
  double holeDiameter = 0.0;       // bored through the blank, design unit; 0 for none
  double imageCircleRadius = 0.0;  // the design's fully illuminated field, F tan(theta)
  std::vector<IlluminationPoint> illumination;  // radii in the design unit
  CornerFocus corner;
  bool thermalKnown = false;       // a tube material was given
  ThermalFocus thermal;
  bool ok() const { return problem.ok(); }
};

// Why the options cannot be used with the completed design, or no problem; checked in
// the order of CameraProblemCode, the design's traceability last.
CameraProblem CameraInputsProblem(const calc::DesignResult& design, calc::LengthUnit unit,
                                  const CameraOptions& options);

// The study of a completed design, its lengths in `unit`. The first form makes its own
// point-image workspace; the second uses one made for kCornerGrid.
CameraPage ComputeCameraPage(const calc::DesignResult& design, calc::LengthUnit unit,
                             const CameraOptions& options);
CameraPage ComputeCameraPage(const calc::DesignResult& design, calc::LengthUnit unit,
                             const CameraOptions& options, quality::QualityWorkspace& workspace);

}  // namespace spekulor::camera

#endif
