#include "mirrortests/ExpectedReadings.h"

#include <cmath>

#include "mirrortests/PrimaryUnderTest.h"

namespace spekulor::mirrortests {

double ReflectedAxisCrossing(double radius, double conic, double source, double h) {
  const double z = ConicSag(radius, conic, h);
  const double phi = std::atan2(h, radius - (1.0 + conic) * z);
  const double alpha = std::atan2(h, source - z);
  return z + h / std::tan(2.0 * phi - alpha);
}

double ExpectedReading(double radius, double conic, TestSource source, double h) {
  if (source == TestSource::Moving) return -conic * ConicSag(radius, conic, h);
  return ReflectedAxisCrossing(radius, conic, radius, h) - radius;
}

std::vector<double> ExpectedReadings(double radius, double conic, TestSource source,
                                     const std::vector<CouderZone>& zones) {
  std::vector<double> readings;
  readings.reserve(zones.size());
  for (const CouderZone& zone : zones)
    readings.push_back(ExpectedReading(radius, conic, source, zone.radius));
  return readings;
}

}  // namespace spekulor::mirrortests
