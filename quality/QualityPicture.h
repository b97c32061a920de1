// The image-quality picture: the three point images on a logarithmic scale, all to one
// scale, with the perfect aperture's first dark ring; the MTF curves (tangential and
// sagittal) beside the perfect aperture's closed form; the encircled energy curves
// beside the perfect aperture's; and the table of the figures (QualityTable.h).
#ifndef SPEKULOR_QUALITY_QUALITYPICTURE_H
#define SPEKULOR_QUALITY_QUALITYPICTURE_H

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "drawing/Drawing.h"
#include "quality/ImageQuality.h"

namespace spekulor::quality {

drawing::Drawing BuildQualityPicture(const QualitySet& set, const calc::DesignResult& design, calc::TelescopeType type,
                            calc::LengthUnit unit);

}  // namespace spekulor::quality

#endif
