// The completed design of one calculation: every input quantity solved, plus the
// layout, the secondary's size, obstruction, sagittas, third-order image errors and
// the visual performance figures.
//
// Sign conventions: all distances and both radii are positive magnitudes. The
// secondary stands p before the prime focus and d = f1 - p from the primary; the
// system focus lies q behind the secondary and b behind the primary, so q = d + b
// and p + q = f1 + b = e. The secondary's mirror equation in these magnitudes is
// R2 (q - p) = 2 p q, and m = q / p.
#ifndef SPEKULOR_CALC_DESIGNRESULT_H
#define SPEKULOR_CALC_DESIGNRESULT_H

#include "calc/DesignInput.h"

namespace spekulor::calc {

struct DesignResult {
  // The input quantities; the geometry ones end up holding the solved values.
  double PriDia = kNotGiven;         // D
  double FieldAng = kNotGiven;       // degrees
  double PriFoc = kNotGiven;         // f1
  double SysFoc = kNotGiven;         // F
  double BackFocLen = kNotGiven;     // b
  double SecSysFocDist = kNotGiven;  // q
  double SecPriFocDist = kNotGiven;  // p
  double SecRadCur = kNotGiven;      // R2
  double PriConic = kNotGiven;       // K1
  double SecConic = kNotGiven;       // K2

  // Layout.
  double FieldRad = kNotGiven;         // theta, full field angle in radians
  double SecMag = kNotGiven;           // m = F / f1
  double PriRadCur = kNotGiven;        // R1 = 2 f1
  double PriSecDist = kNotGiven;       // d = f1 - p
  double PriSysFocDist = kNotGiven;    // e = f1 + b (set on the back-focal-length path only)
  double ClassicSecConic = kNotGiven;  // C = ((m + 1) / (m - 1))^2

  // Secondary size, obstruction and sagittas.
  double SecMinDia = kNotGiven;        // secondary diameter for a point on the axis
  double SecDia = kNotGiven;           // secondary diameter for the fully illuminated field
  double LinObstruction = kNotGiven;   // percent of the primary diameter
  double AreaObstruction = kNotGiven;  // percent of the primary area
  double PriSag = kNotGiven;           // depth of the primary
  double SecSag = kNotGiven;           // height of the secondary

  // Third-order image errors.
  double ComaCoef = kNotGiven;
  double AstigCoef = kNotGiven;
  double PetzvalCoef = kNotGiven;
  double FieldCurvCoef = kNotGiven;
  double FieldCurvRadius = kNotGiven;  // length
  double ComaArcsec = kNotGiven;       // coma blur at the field edge
  double AstigArcsec = kNotGiven;      // astigmatic blur at the field edge

  // Visual performance (millimetres and arc seconds).
  double LightGain = kNotGiven;
  double SparrowLimit = kNotGiven;
  double RayleighLimit = kNotGiven;
  double DawesLimit = kNotGiven;
  double MinMag = kNotGiven;
  double MinMagEyepiece = kNotGiven;
  double MaxMag = kNotGiven;
  double MaxMagEyepiece = kNotGiven;
};

}  // namespace spekulor::calc

#endif
