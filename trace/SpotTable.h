// The spot diagrams' figures as text: a readable table and CSV.
#ifndef SPEKULOR_TRACE_SPOTTABLE_H
#define SPEKULOR_TRACE_SPOTTABLE_H

#include <string>

#include "calc/DesignInput.h"
#include "trace/SpotDiagram.h"

namespace spekulor::trace {

// The CSV header: field_fraction,field_deg,rays,centroid_y_mm,rms_um,rms_arcsec,max_um,airy_um
extern const char* const kSpotCsvHeader;

// The header and one line per field point, LF line ends; the centroid in millimetres
// whatever the design's unit.
std::string FormatSpotCsv(const SpotSet& spots, calc::LengthUnit unit);

// A table of the three field points under a line naming the design, Windows-1252 with
// LF line ends.
std::string FormatSpotTable(const SpotSet& spots, calc::TelescopeType type, calc::LengthUnit unit);

// The same for spots traced under a stated condition, such as a moved secondary
// (DescribeSecondaryPerturbation): the first line ends with ", " and `condition`.
std::string FormatSpotTable(const SpotSet& spots, calc::TelescopeType type, calc::LengthUnit unit,
                            const std::string& condition);

}  // namespace spekulor::trace

#endif
