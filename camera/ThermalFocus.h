// How far the focus runs when the tube that holds the mirrors apart warms or cools.
//
// Given the tube's linear expansion alpha (per kelvin), the mirror distance d and the
// back focus gained per unit of spacing lost, m^2 + 1 (baffles/FocusTravel.h, from the
// secondary's mirror equation; m the secondary's magnification F / f1); returned the
// focus shift per kelvin, (m^2 + 1) alpha d (Schroeder, "Astronomical Optics", sec. 6.2,
// the despace sensitivity of a two-mirror telescope), and the temperature change that
// moves the focus across the critical focus zone's half width 2 lambda N^2. A warmer
// tube parts the mirrors and brings the focus toward the primary. The expansions are
// the handbook values near room temperature (CRC Handbook of Chemistry and Physics,
// "Thermal expansion of solids"; carbon fibre tubes as their makers quote them).
#ifndef SPEKULOR_CAMERA_THERMALFOCUS_H
#define SPEKULOR_CAMERA_THERMALFOCUS_H

namespace spekulor::camera {

enum class TubeMaterial { None, Aluminium, Steel, Carbon, Invar };

// The materials a tube is made of, None left out, in the enum's order.
constexpr TubeMaterial kTubeMaterials[] = {TubeMaterial::Aluminium, TubeMaterial::Steel,
                                           TubeMaterial::Carbon, TubeMaterial::Invar};

// Linear expansion per kelvin: 23, 12, 0.5 and 1.2 x 10^-6; 0 for None.
double ExpansionPerKelvin(TubeMaterial material);

// "aluminium", "steel", "carbon", "invar"; "" for None.
const char* TubeMaterialName(TubeMaterial material);

struct ThermalFocus {
  double shiftPerKelvin = 0.0;    // design unit per kelvin, a magnitude
  double kelvinPerZone = 0.0;     // the change moving the focus by the critical zone's half width
  double shiftForChange = 0.0;    // for the temperature change asked for, a magnitude
};

ThermalFocus ComputeThermalFocus(double expansion, double spacing, double backFocusPerSpacing,
                                 double criticalZone, double temperatureChange);

}  // namespace spekulor::camera

#endif
