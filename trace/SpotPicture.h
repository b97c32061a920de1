// The three spot diagrams side by side, each centred on its centroid, drawn to one
// common scale with the Airy disk, their figures underneath and a scale bar.
#ifndef SPEKULOR_TRACE_SPOTPICTURE_H
#define SPEKULOR_TRACE_SPOTPICTURE_H

#include <string>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "drawing/Drawing.h"
#include "trace/SpotDiagram.h"

namespace spekulor::trace {

drawing::Drawing BuildSpotPicture(const SpotSet& spots, const calc::DesignResult& design, calc::TelescopeType type,
                         calc::LengthUnit unit);

// The same for spots traced under a stated condition, such as a moved secondary
// (DescribeSecondaryPerturbation): the title ends with ", " and `condition`.
drawing::Drawing BuildSpotPicture(const SpotSet& spots, const calc::DesignResult& design, calc::TelescopeType type,
                         calc::LengthUnit unit, const std::string& condition);

// "On axis", "0.7 of the field", "Edge of the field": the heading of field point i.
const char* SpotFieldName(size_t index);

}  // namespace spekulor::trace

#endif
