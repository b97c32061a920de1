// The lens file for the OSLO optical design program: the completed two-mirror design
// as 46 lines of OSLO 6.3 commands.
//
// Surfaces: 0 the object at a practically infinite distance; 1 an air surface d in
// front of the primary, carrying the secondary's shadow as a special aperture of
// +-Ds/2; 2 the primary (radius -2 f1, conic K1, aperture stop, thickness -d back to
// the secondary); 3 the secondary (radius -R2, conic K2, thickness picked up from
// surface 1 with the sign reversed); 4 air, b to the focus; 5 the image. The design
// holds every distance and radius as a positive magnitude, so the signs of the
// radii and of the reflected thickness are set here.
#ifndef SPEKULOR_FILES_OSLOLENS_H
#define SPEKULOR_FILES_OSLOLENS_H

#include <string>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"

namespace spekulor::files {

// Number of lines in every lens file.
constexpr int kOsloLensLineCount = 46;

// The one line of our own in the file's system notes (line 9), without double quotes.
extern const char kOsloAuthorNote[];

// The lens text of a design completed by the solver (geometry, conics and secondary
// size): Windows-1252, each of the 46 lines ended by CR LF, numbers with "." as the
// decimal point. Values that are not finite are written as the C library prints
// them. Cannot fail.
std::string FormatOsloLens(const calc::DesignResult& design, calc::TelescopeType type);

}  // namespace spekulor::files

#endif
