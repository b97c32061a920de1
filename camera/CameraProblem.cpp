#include "camera/CameraProblem.h"

#include "camera/CameraPage.h"
#include "drawing/Drawing.h"

using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace spekulor::camera {

namespace {

constexpr char kCannotAnalyse[] = "Cannot analyse the camera: ";

std::string Range(double least, double most, int decimals) {
  return "from " + FormatFixed(least, decimals) + " to " + FormatFixed(most, decimals);
}

}  // namespace

bool CameraProblem::InOptions() const {
  return code != CameraProblemCode::None && code != CameraProblemCode::Untraceable &&
         code != CameraProblemCode::CornerLightLost;
}

std::string DescribeCameraProblem(const CameraProblem& problem) {
  switch (problem.code) {
    case CameraProblemCode::None:
      return std::string();
    case CameraProblemCode::PixelOutOfRange:
      return "the pixel size must be " + Range(kLeastPixelUm, kMostPixelUm, 1) + " um";
    case CameraProblemCode::SensorOutOfRange:
      return "the sensor's sides must be more than 0 and at most " +
             FormatFixed(kMostSensorSideMm, 0) + " mm";
    case CameraProblemCode::SeeingOutOfRange:
      return "the seeing must be " + Range(kLeastSeeingArcsec, kMostSeeingArcsec, 1) + " arcsec";
    case CameraProblemCode::TemperatureOutOfRange:
      return "the temperature change must be " +
             Range(-kMostTemperatureChange, kMostTemperatureChange, 0) + " K";
    case CameraProblemCode::ThicknessOutOfRange:
      return "the primary's thickness must be from zero to its diameter";
    case CameraProblemCode::CornerTooFar:
      return "the sensor's corner lies " + FormatFixed(problem.cornerFieldDeg, 2) +
             "\xB0 off the axis, more than the " + FormatFixed(kMostCornerFieldDeg, 0) +
             "\xB0 a two-mirror telescope can be traced to";
    case CameraProblemCode::Untraceable:
      return DescribeTraceProblem(problem.trace);
    case CameraProblemCode::CornerLightLost:
      return "only " + std::to_string(problem.raysImaged) + " of the " +
             std::to_string(problem.raysPassing) +
             " rays that pass the secondary reach the image at the sensor's corner, " +
             FormatFixed(problem.cornerFieldDeg, 3) + "\xB0 off the axis: choose a smaller sensor";
  }
  return std::string();
}

std::string CameraRefusalText(const CameraProblem& problem) {
  if (problem.code == CameraProblemCode::Untraceable) return TraceRefusalText(problem.trace);
  return kCannotAnalyse + DescribeCameraProblem(problem);
}

}  // namespace spekulor::camera
