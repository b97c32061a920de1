// The Couder mask of a primary drawn at 1:1 scale, to print and cut: one user unit of
// the SVG is one unit of the design, its width and height written in mm or inches.
//
// Given: the primary and its zones. Returned: a drawing with the mirror's rim, the
// secondary's shadow (dashed), each zone's two openings (annular windows on both sides
// of the vertical diameter, alternately above and below the horizontal one so that
// neighbouring zones do not run into each other), their numbers, and a check bar of
// 100 mm (4 inches) to measure on the print.
// Source: the screen of A. Couder as built in J. Texereau, "How to Make a Telescope",
// 2nd English ed. (1984).
#ifndef SPEKULOR_MIRRORTESTS_COUDERMASK_H
#define SPEKULOR_MIRRORTESTS_COUDERMASK_H

#include <vector>

#include "mirrortests/CouderZones.h"
#include "mirrortests/PrimaryUnderTest.h"
#include "drawing/Drawing.h"

namespace spekulor::mirrortests {

// The check bar's length in the design's unit: 100 mm or 4 inches.
double CheckBarLength(calc::LengthUnit unit);

drawing::Drawing DrawCouderMask(const PrimaryUnderTest& primary, const std::vector<CouderZone>& zones);

}  // namespace spekulor::mirrortests

#endif
