#include "files/CodeVSequence.h"

#include <iterator>

#include "files/ExportText.h"

using namespace spekulor::calc;

namespace spekulor::files {

namespace {

using R = DesignResult;

using namespace export_table;

const ExportPiece kCodeVPieces[] = {
    T("RDM;LEN"), E(),
    T("TITLE '"), ExportName(), T("'"), E(),
    T("EPD   "), N([](const R& r) { return r.PriDia; }), E(),
    T("DIM   "), ExportUnit(), E(),
    // Wavelengths are given in nanometres.
    T("WL    "), N([](const R&) { return kReferenceWavelengthNm; }), E(),
    T("REF   1"), E(),
    T("WTW   1"), E(),
    T("XAN   0 0 0"), E(),
    T("YAN   "), Angle([](const R& r) { return ExportFieldAngle(r, 0); }),
    T(" "), Angle([](const R& r) { return ExportFieldAngle(r, 1); }),
    T(" "), Angle([](const R& r) { return ExportFieldAngle(r, 2); }), E(),
    T("WTF   1 1 1"), E(),
    // The object, at infinity.
    T("SO    0 0.1e14"), E(),
    // The secondary's shadow, d in front of the primary.
    T("S     0 "), N(ExportShadowThickness), E(),
    T("  SLB \"Secondary shadow\""), E(),
    T("  CIR OBS "), N(ExportSecondarySemiDiameter), E(),
    // The primary, the aperture stop.
    T("S     "), N(ExportPrimaryRadius), T(" "), N(ExportPrimaryThickness), T(" REFL"), E(),
    T("  SLB \"Primary mirror\""), E(),
    T("  STO"), E(),
    T("  CON"), E(),
    T("  K   "), N([](const R& r) { return r.PriConic; }), E(),
    T("  CIR "), N(ExportPrimarySemiDiameter), E(),
    // The secondary.
    T("S     "), N(ExportSecondaryRadius), T(" "), N(ExportSecondaryThickness), T(" REFL"), E(),
    T("  SLB \"Secondary mirror\""), E(),
    T("  CON"), E(),
    T("  K   "), N([](const R& r) { return r.SecConic; }), E(),
    T("  CIR "), N(ExportSecondarySemiDiameter), E(),
    // The image, at the back focal length behind the primary.
    T("SI    0 0"), E(),
    T("GO"), E(),
};

}  // namespace

std::string FormatCodeVSequence(const DesignResult& design, TelescopeType type, LengthUnit unit) {
  return WriteExportPieces(kCodeVPieces, std::size(kCodeVPieces), design, type, unit, {"M", "I"});
}

}  // namespace spekulor::files
