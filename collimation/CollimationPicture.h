// The collimation pictures: the tolerance table, and the axis image aligned beside it
// despaced, decentered and tilted by each tolerance, as spots (one scale for the four,
// with the Airy disk) and as point images (one scale, in the intensity bands of every
// point image, IntensityBands.h). Coordinates as in Drawing.h.
#ifndef SPEKULOR_COLLIMATION_COLLIMATIONPICTURE_H
#define SPEKULOR_COLLIMATION_COLLIMATIONPICTURE_H

#include "collimation/CollimationImages.h"
#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "drawing/Drawing.h"
#include "collimation/Tolerances.h"

namespace spekulor::collimation {

drawing::Drawing BuildToleranceTablePicture(const ToleranceAnalysis& analysis, calc::TelescopeType type);

drawing::Drawing BuildCollimationImagesPicture(const CollimationImageSet& images,
                                      const ToleranceAnalysis& analysis,
                                      const calc::DesignResult& design, calc::TelescopeType type);

}  // namespace spekulor::collimation

#endif
