// The test page as the readable table of spekulor-cli: the primary, the zones with their
// radii and readings, the Ronchigrams' band edges and, with measured readings, their
// reduction. Windows-1252, LF line ends.
#ifndef SPEKULOR_MIRRORTESTS_MIRRORTESTTABLE_H
#define SPEKULOR_MIRRORTESTS_MIRRORTESTTABLE_H

#include <string>

#include "mirrortests/MirrorTestPage.h"

namespace spekulor::mirrortests {

// "moving" or "fixed", as the command line and the JSON name the source.
const char* TestSourceName(TestSource source);

// The decimals of the table's lengths (zone edges and radii) and of its readings.
int LengthDecimals(calc::LengthUnit unit);
int ReadingDecimals(calc::LengthUnit unit);

// The figures of a reduction under its table: the wavefront's RMS and PV, the Strehl
// ratio and the best-fit conic beside the design's, each line ended by a line feed.
std::string ReductionSummaryLines(const MirrorTestPage& page, const MirrorTestReduction& reduction);

// For a page whose problem is ok().
std::string FormatMirrorTestTable(const MirrorTestPage& page, calc::TelescopeType type);

}  // namespace spekulor::mirrortests

#endif
