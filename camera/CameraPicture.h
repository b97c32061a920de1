// The camera's picture: the illumination along the sensor's diagonal, the sensor's
// outline over the field's rings of equal illumination and the design's image circle,
// drawn to scale, and the table of figures (CameraTable.h).
#ifndef SPEKULOR_CAMERA_CAMERAPICTURE_H
#define SPEKULOR_CAMERA_CAMERAPICTURE_H

#include <array>

#include "calc/DesignInput.h"
#include "camera/CameraPage.h"
#include "drawing/Drawing.h"

namespace spekulor::camera {

// The illumination levels whose rings are drawn over the field.
constexpr std::array<double, 4> kRingLevels = {0.95, 0.9, 0.75, 0.5};

// The distance from the axis at which the profile falls to `level`, linear between its
// points; negative when it stays above it out to the corner.
double RadiusAtLevel(const std::vector<IlluminationPoint>& profile, double level);

// For a page that succeeded (page.ok()).
drawing::Drawing BuildCameraPicture(const CameraPage& page, calc::TelescopeType type);

}  // namespace spekulor::camera

#endif
