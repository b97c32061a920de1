// The completed two-mirror design as a CODE V sequence file (.seq): the commands
// that enter the lens in CODE V's lens database, as the open-source packages that
// read such files (ray-optics, optiland) read them too.
//
// Radius mode (RDM) and a new lens (LEN); the title; the entrance pupil diameter =
// D; the dimension (DIM M or DIM I); one wavelength, 550 nm, the reference; three
// angle fields on y (0, 0.7 and 1.0 of the half field, in degrees). Surfaces: the
// object at infinity (SO, thickness 1e13, which CODE V takes as infinite); a flat
// dummy surface at the secondary with a circular obscuration (CIR OBS) of radius
// SecDia / 2, d to the primary; the primary, reflecting (REFL), the stop (STO),
// radius -2 f1, conic K1 (CON, K), clear aperture radius D / 2 (CIR), thickness -d
// back to the secondary; the secondary, reflecting, radius -R2, conic K2, clear
// aperture SecDia / 2, thickness d + b to the image; the image (SI) b behind the
// primary; GO. Signs as in ExportText.h. Every number is written exactly.
//
// The commands and their layout follow sequence files written by CODE V itself and
// shipped with ray-optics (src/rayoptics/codev/tests: CODV_32327.seq for RDM;LEN,
// TITLE, EPD, DIM, WL, REF, WTW, XAN/YAN, WTF, SO 0.1e14, SLB, STO, CIR, SI and GO;
// CODV_35571.seq for a conic mirror, "S radius thickness REFL", CON and K;
// questar35.seq for DIM I and CIR OBS; rc_f16.seq, a Ritchey-Chretien, for the signs
// of both mirrors), as ray-optics' codev reader and optiland's CODE V parser read them.
#ifndef SPEKULOR_FILES_CODEVSEQUENCE_H
#define SPEKULOR_FILES_CODEVSEQUENCE_H

#include <string>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"

namespace spekulor::files {

// Number of lines in every CODE V sequence file.
constexpr int kCodeVSequenceLineCount = 27;

// The sequence file of a design completed by the solver (geometry, conics and
// secondary size), lengths in the design's unit: Windows-1252, each line ended by
// CR LF. Values that are not finite are written as "inf" or "nan". Cannot fail.
std::string FormatCodeVSequence(const calc::DesignResult& design, calc::TelescopeType type, calc::LengthUnit unit);

}  // namespace spekulor::files

#endif
