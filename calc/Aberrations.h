// Third-order image errors and visual performance of a completed two-mirror design.
#ifndef SPEKULOR_CALC_ABERRATIONS_H
#define SPEKULOR_CALC_ABERRATIONS_H

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "support/Units.h"

namespace spekulor::calc {

// Sets the seven aberration fields from m, d, R1, K1, F, D and theta: the normalised
// Schwarzschild coefficients of coma, astigmatism and Petzval curvature, the field
// curvature coefficient (Petzval - 2 astigmatism) and radius (F / coefficient), and
// the blur at the field edge in arc seconds (coma 77349 h a^2, astigmatism
// 103132 h^2 a, with a = D / F and h = theta / 2; 77349 and 103132 are 3/8 and 1/2
// of 206265 arc seconds per radian, cut to whole numbers). The secondary conic does
// not enter. Classical third-order theory of two-mirror telescopes (Schwarzschild).
DesignResult ComputeAberrations(DesignResult design);

// True when the report calls the field curved "from" the sky: a radius above zero.
bool FieldCurvedFromSky(double fieldCurvRadius);

// The visual performance of an aperture D with focal length F, both in millimetres.
struct Performance {
  double LightGain;       // times a 7 mm eye pupil
  double SparrowLimit;    // 115 / D arc seconds
  double RayleighLimit;   // 138 / D arc seconds
  double DawesLimit;      // 116 / D arc seconds
  double MinMag;          // D / 7, the magnification for a 7 mm exit pupil
  double MinMagEyepiece;  // F / MinMag, mm
  double MaxMag;          // D / 0.5, the magnification for a 0.5 mm exit pupil
  double MaxMagEyepiece;  // F / MaxMag, mm
};

// Performance from D and F in millimetres.
Performance ComputePerformance(double diameterMm, double focalLengthMm);

// Performance of a completed design, whose lengths are in `unit`: inch designs are
// converted to millimetres first. Also stores the figures in the design.
DesignResult ComputePerformance(DesignResult design, LengthUnit unit);

}  // namespace spekulor::calc

#endif
