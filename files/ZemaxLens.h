// The completed two-mirror design as a Zemax lens file: the text (.zmx) form of a
// sequential system, as OpticStudio and the open-source packages that read its files
// (ray-optics, optiland) open it.
//
// Header: the version stamp, sequential mode, the name, the lens unit (MM or IN),
// the entrance pupil diameter = D, three angle fields on y (0, 0.7 and 1.0 of the
// half field, in degrees), one wavelength 0.55 um, the primary one. Surfaces:
// 0 the object at infinity; 1 a flat dummy surface at the secondary carrying the
// secondary's shadow as a circular obscuration of radius SecDia / 2, d to the
// primary; 2 the primary, a mirror and the aperture stop, curvature -1 / (2 f1),
// conic K1, semi-diameter D / 2, thickness -d back to the secondary; 3 the
// secondary, a mirror, curvature -1 / R2, conic K2, semi-diameter SecDia / 2,
// thickness d + b to the image; 4 the image plane, b behind the primary. Signs as
// in ExportText.h. Every number is written exactly (shortest round-trip text).
//
// The cards and their layout follow files written by OpticStudio itself: the ones
// shipped with ray-optics (src/rayoptics/zemax/tests: HoO-V2C18Ex03.zmx, a
// Cassegrain with the same dummy surface, for MODE, UNIT, STOP, TYPE, CURV, DISZ,
// GLAS MIRROR, CONI; US05331467-1.zmx for OBSC; zmax_55278.zmx, version 171115, for
// VERS, NAME, ENPD, FTYP, XFLN/YFLN/FWGN with one value a field, WAVM, PWAV, COMM and
// a fixed DIAM), read as ray-optics' zmxread.py and optiland's Zemax reader read them.
#ifndef SPEKULOR_FILES_ZEMAXLENS_H
#define SPEKULOR_FILES_ZEMAXLENS_H

#include <string>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"

namespace spekulor::files {

// Number of lines in every Zemax lens file.
constexpr int kZemaxLensLineCount = 44;

// The lens file of a design completed by the solver (geometry, conics and secondary
// size), lengths in the design's unit: Windows-1252, each line ended by CR LF.
// Values that are not finite are written as "inf" or "nan". Cannot fail.
std::string FormatZemaxLens(const calc::DesignResult& design, calc::TelescopeType type, calc::LengthUnit unit);

}  // namespace spekulor::files

#endif
