// Best focus by the RMS wavefront error, and the focal surface through the best foci.
//
// Focus shifts are in the design's unit, signed as calc/SignConventions.h says. Moving
// the plane moves the reference
// sphere's centre along the axis, which adds to the wavefront a defocus of fixed shape
// times the shift, up to terms of order shift / R (R the reference sphere's radius);
// the RMS error squared is therefore a quadratic in the shift (Mahajan, "Optical
// Imaging and Aberrations" I, sec. 8.3: the variance of an aberration plus defocus),
// and three evaluations about a guess find its minimum. A second round about that
// minimum takes up the remainder.
#ifndef SPEKULOR_QUALITY_FOCUSSEARCH_H
#define SPEKULOR_QUALITY_FOCUSSEARCH_H

#include <vector>

#include "quality/PupilTrace.h"

namespace spekulor::quality {

// The plane where the rays' spot has its least mean square radius about its centroid
// (closed form for straight rays); the first guess for the searches below.
double GeometricBestFocus(const TracedPupil& pupil);

// The root mean square radius of the rays about their centroid in the plane
// `focusShift` (weighted by the cells' areas), design unit: the geometric spot's size.
double GeometricSpotRadius(const TracedPupil& pupil, double focusShift);

// The squared RMS wavefront error, waves^2, about a focus shift `centre`:
// value + slope (s - centre) + curvature (s - centre)^2 / 2.
struct FocusQuadratic {
  double centre = 0.0;
  double value = 0.0;
  double slope = 0.0;
  double curvature = 0.0;
  double At(double shift) const;
  // Its lowest point, or `centre` when it has none.
  double Lowest() const;
};

// Fits the quadratic from the errors at centre - step, centre and centre + step.
FocusQuadratic FitFocusQuadratic(const TracedPupil& pupil, double centre, double step,
                                 double wavelength);

// The step used: lambda N^2, the shift that adds an eighth of a wave of defocus.
double FocusStep(const TracedPupil& pupil, double wavelength);

// The field point's own best focus: the shift of least RMS wavefront error.
double OwnBestFocus(const TracedPupil& pupil, double wavelength);

// The one plane that minimises the mean of the fields' RMS wavefront errors (each the
// square root of its quadratic); it lies between their own best foci, `ownFoci`, since
// each error is convex in the shift.
double CommonBestFocus(const std::vector<const TracedPupil*>& pupils,
                       const std::vector<double>& ownFoci, double wavelength);

// Radius of the sphere with its centre on the axis through the points (heights[k],
// shifts[k]), fitted by least squares in (y^2 + dz^2) / (2 dz) = R with dz the shift
// from the first point, which lies on the axis (height 0). Signed as
// calc/SignConventions.h says; infinite for a flat field.
double FocalSurfaceRadius(const std::vector<double>& heights, const std::vector<double>& shifts);

}  // namespace spekulor::quality

#endif
