// The sensor's corner against its centre: how far the corner's own best focus lies from
// the axis', and how sharp the corner is in the one flat plane the sensor can take.
//
// Given the telescope, the corner's field angle and the wavelength; returned:
//  - each point's own best focus, the plane of least RMS wavefront error
//    (quality/FocusSearch.h), for the axis, 0.7 of the corner's field and the corner;
//    the corner's less the axis' is the field's curvature seen by the sensor, to third
//    order y^2 / (2 R) with R the medial surface's radius (Schroeder, "Astronomical
//    Optics", sec. 5.4);
//  - the critical focus zone +-2 lambda N^2, the shift that adds a quarter wave of
//    defocus (W. J. Smith, "Modern Optical Engineering", on depth of focus): a corner
//    whose best focus lies outside it cannot be sharp with the centre on a flat sensor
//    and needs a field flattener;
//  - in the flat plane of least mean RMS wavefront error over the three points
//    (quality/FocusSearch.h, CommonBestFocus), the corner's geometric RMS spot radius
//    about its centroid and its Strehl ratio from the point image (quality/PointImage.h)
//    with the telescope's central obstruction (the caller's: the skirt baffle's where the
//    design is baffled, quality/CentralObstruction.h), or from Marechal's exp(-(2 pi rms)^2) where the
//    wavefront is too steep for the pupil grid (and the ratio near nought).
// Focus shifts as calc/SignConventions.h: positive away from the primary.
#ifndef SPEKULOR_CAMERA_CORNERFOCUS_H
#define SPEKULOR_CAMERA_CORNERFOCUS_H

#include "quality/ImageQuality.h"
#include "trace/RayTrace.h"

namespace spekulor::camera {

// Pupil cells across the primary for the corner's wavefront and point image.
constexpr int kCornerGrid = 64;
// The middle point of the three, as a fraction of the corner's field.
constexpr double kMiddleFieldFraction = 0.7;

struct CornerFocus {
  double axisFocus = 0.0;      // own best focus shifts from the paraxial plane, design unit
  double middleFocus = 0.0;
  double cornerFocus = 0.0;
  double defocus = 0.0;        // cornerFocus - axisFocus
  double criticalZone = 0.0;   // 2 lambda N^2, the zone's half width
  bool needsFlattener = false;  // |defocus| > criticalZone
  double planeShift = 0.0;     // the flat plane's shift from the paraxial plane
  double spotRms = 0.0;        // the corner's RMS spot radius there, design unit
  double rmsWaves = 0.0;       // the corner's RMS wavefront error there
  double strehl = 0.0;
  int raysPassing = 0;         // the corner's pupil cells passing the central obstruction
  int raysImaged = 0;          // and of those, reaching the image
};

// `wavelength` in the design's unit; `workspace` made for kCornerGrid.
CornerFocus ComputeCornerFocus(const trace::Telescope& telescope, double cornerField, double wavelength,
                               quality::QualityWorkspace& workspace);

}  // namespace spekulor::camera

#endif
