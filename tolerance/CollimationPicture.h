// The collimation pictures: the tolerance table, and the axis image aligned beside it
// despaced, decentered and tilted by each tolerance, as spots (one scale for the four,
// with the Airy disk) and as point images (one scale, intensity on a logarithmic ramp
// from a thousandth of the perfect peak to the peak). Coordinates as in Drawing.h.
#ifndef SPEKULOR_TOLERANCE_COLLIMATIONPICTURE_H
#define SPEKULOR_TOLERANCE_COLLIMATIONPICTURE_H

#include "CollimationImages.h"
#include "DesignInput.h"
#include "DesignResult.h"
#include "Drawing.h"
#include "Tolerances.h"

Drawing BuildToleranceTablePicture(const ToleranceAnalysis& analysis, TelescopeType type);

Drawing BuildCollimationImagesPicture(const CollimationImageSet& images,
                                      const ToleranceAnalysis& analysis,
                                      const DesignResult& design, TelescopeType type);

#endif
