// The telescope in section, to scale: both mirrors with their blanks, rays from the
// axis and from the edge of the fully illuminated field traced exactly to the focal
// plane, and the mirror distance and back focal length as dimensions.
#ifndef SPEKULOR_TRACE_LAYOUTPICTURE_H
#define SPEKULOR_TRACE_LAYOUTPICTURE_H

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "drawing/Drawing.h"

namespace spekulor::trace {

// For a design that TelescopeProblem accepts.
drawing::Drawing BuildLayoutPicture(const calc::DesignResult& design, calc::TelescopeType type, calc::LengthUnit unit);

}  // namespace spekulor::trace

#endif
