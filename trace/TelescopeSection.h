// The pieces of a telescope drawn in section (SectionFrame.h), shared by the layout
// and the baffle pictures: the mirrors with their blanks, the rays' paths, the legend
// of strokes and the scale bar in the design's unit.
#ifndef SPEKULOR_TRACE_TELESCOPESECTION_H
#define SPEKULOR_TRACE_TELESCOPESECTION_H

#include <string>
#include <vector>

#include "calc/DesignInput.h"
#include "drawing/Drawing.h"
#include "drawing/SectionFrame.h"
#include "trace/ConicMirror.h"
#include "trace/RayTrace.h"

namespace spekulor::trace {

// A mirror's blank between radii r1 and r2, its surface's profile closed by a flat
// back at z = backZ, and over it the surface itself.
void AddMirrorInSection(drawing::Drawing& drawing, const drawing::SectionFrame& frame, const ConicMirror& mirror,
                        double r1, double r2, double backZ);

// A ray's path through its points, in the meridional section.
void AddRayPath(drawing::Drawing& drawing, const drawing::SectionFrame& frame, const std::vector<Vec3>& points,
                drawing::Colour colour);

// A scale bar of a round length about 120 pixels long, labelled in the design's
// unit, named "scale bar".
void AddSectionScaleBar(drawing::Drawing& drawing, std::vector<drawing::TextBox>& placed, double x, double y,
                        const drawing::SectionFrame& frame, calc::LengthUnit unit);

}  // namespace spekulor::trace

#endif
