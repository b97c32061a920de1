// What the Zemax lens file and the CODE V sequence file share: the prescription in
// the sign convention of both programs, exact number text, the system name, and the
// piece tables the two files are written from.
//
// Sign convention of OpticStudio and CODE V (sequential mode): light enters along +z;
// a radius is negative when its centre of curvature lies toward -z, whatever way the
// light travels; a thickness is negative while the light travels toward -z, that is
// between the two reflections. The design holds magnitudes (calc/DesignResult.h), so
// the concave primary has radius -2 f1, the convex secondary -R2, the primary's
// thickness back to the secondary is -d, and the secondary's thickness to the image
// is +(d + b). The same signs appear in the two-mirror examples that those programs'
// users exchange, e.g. a paraboloid-plus-hyperboloid Cassegrain with its dummy
// surface at the secondary: CURV -0.0219 DISZ -16 for the primary, CURV -0.0521
// DISZ 24.035 for the secondary.
#ifndef SPEKULOR_FILES_EXPORTTEXT_H
#define SPEKULOR_FILES_EXPORTTEXT_H

#include <array>
#include <cstddef>
#include <string>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "calc/OpticalConstants.h"

namespace spekulor::files {

// The one wavelength both files carry, in micrometres: the reference wavelength, that
// of the spot diagrams.
constexpr double kExportWavelengthMicrometres = calc::kReferenceWavelengthNm / support::kNanometresPerMicrometre;

// The shortest decimal text that reads back as exactly `value` (std::to_chars), with
// "." whatever the locale; "inf", "-inf" and "nan" as the C library spells them.
// With `digits` > 0, the shortest text of the value rounded to that many significant
// digits instead.
std::string FormatExactNumber(double value, int digits = 0);

// The system's name, Windows-1252: the design type, the primary's diameter to one
// decimal with the unit, and the focal ratio to one decimal, e.g.
// "Ritchey-Chr\xE9tien 400.0 mm f/8.0".
std::string ExportSystemName(const calc::DesignResult& design, calc::TelescopeType type, calc::LengthUnit unit);

// The prescription quantities, in the design's unit and the convention above.
double ExportPrimaryRadius(const calc::DesignResult& design);          // -2 f1
double ExportPrimaryThickness(const calc::DesignResult& design);       // -d
double ExportSecondaryRadius(const calc::DesignResult& design);        // -R2
double ExportSecondaryThickness(const calc::DesignResult& design);     // d + b
double ExportShadowThickness(const calc::DesignResult& design);        // d, the dummy surface to the primary
double ExportPrimarySemiDiameter(const calc::DesignResult& design);    // D / 2
double ExportSecondarySemiDiameter(const calc::DesignResult& design);  // SecDia / 2
double ExportFieldAngle(const calc::DesignResult& design, size_t field);  // degrees, fraction * FieldAng / 2

// One piece of an export line; a line is the run of pieces up to its End piece.
struct ExportPiece {
  enum Kind { Text, Number, Name, Unit, End } kind;
  const char* text;                             // Text: the literal, blanks included
  double (*value)(const calc::DesignResult& design);  // Number: the quantity
  int digits;  // Number: 0 writes it exactly, otherwise to this many significant digits
};

constexpr ExportPiece ExportText(const char* text) {
  return {ExportPiece::Text, text, nullptr, 0};
}
constexpr ExportPiece ExportNumber(double (*value)(const calc::DesignResult&), int digits = 0) {
  return {ExportPiece::Number, nullptr, value, digits};
}
constexpr ExportPiece ExportName() { return {ExportPiece::Name, nullptr, nullptr, 0}; }
constexpr ExportPiece ExportUnit() { return {ExportPiece::Unit, nullptr, nullptr, 0}; }
constexpr ExportPiece ExportEnd() { return {ExportPiece::End, nullptr, nullptr, 0}; }

// Field angles are written to twelve significant digits, so that 0.7 of 0.375 reads
// 0.2625 rather than the binary neighbour 0.26249999999999996.
constexpr int kFieldAngleDigits = 12;

// Short names for writing the formats' tables.
namespace export_table {
constexpr ExportPiece T(const char* text) { return ExportText(text); }
constexpr ExportPiece N(double (*value)(const calc::DesignResult&)) { return ExportNumber(value); }
constexpr ExportPiece Angle(double (*value)(const calc::DesignResult&)) {
  return ExportNumber(value, kFieldAngleDigits);
}
constexpr ExportPiece E() { return ExportEnd(); }
}  // namespace export_table

// How a file spells the two length units.
struct ExportUnitWords {
  const char* millimetre;
  const char* inch;
};

// Writes the pieces in order: numbers through FormatExactNumber (with their digits), the name through
// ExportSystemName, the unit word of `unit`, and CR LF for each End piece.
std::string WriteExportPieces(const ExportPiece* pieces, size_t count, const calc::DesignResult& design,
                              calc::TelescopeType type, calc::LengthUnit unit, ExportUnitWords words);

}  // namespace spekulor::files

#endif
