#include "files/ZemaxLens.h"

#include <iterator>

#include "files/ExportText.h"

using namespace spekulor::calc;

namespace spekulor::files {

namespace {

using R = DesignResult;

using namespace export_table;

// A mirror: no glass, the medium's index is reversed (the values after the name are
// the unused catalogue placeholders OpticStudio itself writes for a mirror).
constexpr const char* kMirror = "  GLAS MIRROR 0 0 1.5 40 0 0 0 0 0 0";

const ExportPiece kZemaxPieces[] = {
    T("VERS 171115"), E(),
    T("MODE SEQ"), E(),
    T("NAME "), ExportName(), E(),
    T("UNIT "), ExportUnit(), T(" X W X CM MR CPMM"), E(),
    T("ENPD "), N([](const R& r) { return r.PriDia; }), E(),
    // Angle fields in degrees, three of them, one wavelength.
    T("FTYP 0 0 3 1 0 0 0 1"), E(),
    T("XFLN 0 0 0"), E(),
    T("YFLN "), Angle([](const R& r) { return ExportFieldAngle(r, 0); }),
    T(" "), Angle([](const R& r) { return ExportFieldAngle(r, 1); }),
    T(" "), Angle([](const R& r) { return ExportFieldAngle(r, 2); }), E(),
    T("FWGN 1 1 1"), E(),
    T("WAVM 1 "), N([](const R&) { return kExportWavelengthMicrometres; }), T(" 1"), E(),
    T("PWAV 1"), E(),
    // Surface 0: the object, at infinity.
    T("SURF 0"), E(),
    T("  TYPE STANDARD"), E(),
    T("  CURV 0"), E(),
    T("  DISZ INFINITY"), E(),
    // Surface 1: the secondary's shadow, d in front of the primary.
    T("SURF 1"), E(),
    T("  COMM Secondary shadow"), E(),
    T("  TYPE STANDARD"), E(),
    T("  CURV 0"), E(),
    T("  DISZ "), N(ExportShadowThickness), E(),
    T("  DIAM "), N(ExportSecondarySemiDiameter), T(" 1 0 0 1 \"\""), E(),
    T("  OBSC 0 "), N(ExportSecondarySemiDiameter), T(" 0"), E(),
    // Surface 2: the primary, the aperture stop.
    T("SURF 2"), E(),
    T("  COMM Primary mirror"), E(),
    T("  STOP"), E(),
    T("  TYPE STANDARD"), E(),
    T("  CURV "), N([](const R& r) { return 1.0 / ExportPrimaryRadius(r); }), E(),
    T("  DISZ "), N(ExportPrimaryThickness), E(),
    T(kMirror), E(),
    T("  CONI "), N([](const R& r) { return r.PriConic; }), E(),
    T("  DIAM "), N(ExportPrimarySemiDiameter), T(" 1 0 0 1 \"\""), E(),
    // Surface 3: the secondary.
    T("SURF 3"), E(),
    T("  COMM Secondary mirror"), E(),
    T("  TYPE STANDARD"), E(),
    T("  CURV "), N([](const R& r) { return 1.0 / ExportSecondaryRadius(r); }), E(),
    T("  DISZ "), N(ExportSecondaryThickness), E(),
    T(kMirror), E(),
    T("  CONI "), N([](const R& r) { return r.SecConic; }), E(),
    T("  DIAM "), N(ExportSecondarySemiDiameter), T(" 1 0 0 1 \"\""), E(),
    // Surface 4: the image, at the back focal length behind the primary.
    T("SURF 4"), E(),
    T("  COMM Focal plane"), E(),
    T("  TYPE STANDARD"), E(),
    T("  CURV 0"), E(),
    T("  DISZ 0"), E(),
};

}  // namespace

std::string FormatZemaxLens(const DesignResult& design, TelescopeType type, LengthUnit unit) {
  return WriteExportPieces(kZemaxPieces, std::size(kZemaxPieces), design, type, unit,
                           {"MM", "IN"});
}

}  // namespace spekulor::files
