#include "camera/Sensor.h"

#include <cmath>

#include "calc/OpticalConstants.h"
#include "support/Units.h"

using namespace spekulor::support;

namespace spekulor::camera {

namespace {

constexpr double kArcminPerRadian = 60.0 * kDegreesPerRadian;

double FieldArcmin(double sideMm, double focalLengthMm) {
  return 2.0 * std::atan(sideMm / (2.0 * focalLengthMm)) * kArcminPerRadian;
}

}  // namespace

double ImageScale(double pixelUm, double focalLengthMm) {
  return kArcsecPerRadian * pixelUm / (focalLengthMm * kMicrometresPerMillimetre);
}

SensorScale ComputeSensorScale(const SensorOptions& sensor, double focalLengthMm, double focalRatio) {
  SensorScale scale;
  scale.arcsecPerPixel = ImageScale(sensor.pixelUm, focalLengthMm);
  scale.fieldWidthArcmin = FieldArcmin(sensor.widthMm, focalLengthMm);
  scale.fieldHeightArcmin = FieldArcmin(sensor.heightMm, focalLengthMm);
  const double diagonal = std::hypot(sensor.widthMm, sensor.heightMm);
  scale.diagonalArcmin = FieldArcmin(diagonal, focalLengthMm);
  scale.halfDiagonalMm = diagonal / 2.0;
  scale.cornerField = std::atan(scale.halfDiagonalMm / focalLengthMm);
  const double airyUm = 2.0 * calc::kAiryFactor * calc::kReferenceWavelengthNm /
                        kNanometresPerMicrometre * focalRatio;
  scale.airyDiameterPx = airyUm / sensor.pixelUm;
  scale.seeingFwhmPx = sensor.seeingArcsec / scale.arcsecPerPixel;
  return scale;
}

}  // namespace spekulor::camera
