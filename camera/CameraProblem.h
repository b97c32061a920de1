// Why the camera analysis cannot answer, typed: the code and the figures that go with
// it. DescribeCameraProblem is the one place that words it.
#ifndef SPEKULOR_CAMERA_CAMERAPROBLEM_H
#define SPEKULOR_CAMERA_CAMERAPROBLEM_H

#include <string>

#include "trace/TraceProblem.h"

namespace spekulor::camera {

enum class CameraProblemCode {
  None,
  // The options, each outside its range (CameraPage.h):
  PixelOutOfRange,
  SensorOutOfRange,
  SeeingOutOfRange,
  TemperatureOutOfRange,
  ThicknessOutOfRange,   // the primary's thickness outside baffles::ThicknessRange
  CornerTooFar,          // the sensor's corner beyond kMostCornerFieldDeg off the axis
  // The design:
  Untraceable,           // `trace`: the design cannot be traced
  CornerLightLost,       // fewer than half of the corner's rays past the secondary are imaged
};

struct CameraProblem {
  CameraProblemCode code = CameraProblemCode::None;
  trace::TraceProblem trace;   // Untraceable
  double cornerFieldDeg = 0.0;  // CornerTooFar, CornerLightLost
  int raysImaged = 0;          // CornerLightLost
  int raysPassing = 0;
  bool ok() const { return code == CameraProblemCode::None; }
  // An option outside its range rather than a design the analysis cannot take.
  bool InOptions() const;
};

// The reason in plain words: "the pixel size must be from 0.1 to 100 um"; empty for no
// problem.
std::string DescribeCameraProblem(const CameraProblem& problem);

// The refusal of a design: "Cannot trace this design: " and the trace's reason, or
// "Cannot analyse the camera: " and the reason.
std::string CameraRefusalText(const CameraProblem& problem);

}  // namespace spekulor::camera

#endif
