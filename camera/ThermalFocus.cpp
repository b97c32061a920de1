#include "camera/ThermalFocus.h"

#include <cmath>

namespace spekulor::camera {

double ExpansionPerKelvin(TubeMaterial material) {
  switch (material) {
    case TubeMaterial::None: return 0.0;
    case TubeMaterial::Aluminium: return 23e-6;
    case TubeMaterial::Steel: return 12e-6;
    case TubeMaterial::Carbon: return 0.5e-6;
    case TubeMaterial::Invar: return 1.2e-6;
  }
  return 0.0;
}

const char* TubeMaterialName(TubeMaterial material) {
  switch (material) {
    case TubeMaterial::None: return "";
    case TubeMaterial::Aluminium: return "aluminium";
    case TubeMaterial::Steel: return "steel";
    case TubeMaterial::Carbon: return "carbon";
    case TubeMaterial::Invar: return "invar";
  }
  return "";
}

ThermalFocus ComputeThermalFocus(double expansion, double spacing, double backFocusPerSpacing,
                                 double criticalZone, double temperatureChange) {
  ThermalFocus thermal;
  thermal.shiftPerKelvin = std::fabs(backFocusPerSpacing * expansion * spacing);
  thermal.kelvinPerZone = thermal.shiftPerKelvin > 0.0 ? criticalZone / thermal.shiftPerKelvin : HUGE_VAL;
  thermal.shiftForChange = thermal.shiftPerKelvin * std::fabs(temperatureChange);
  return thermal;
}

}  // namespace spekulor::camera
