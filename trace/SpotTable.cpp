#include "trace/SpotTable.h"

#include <cstddef>

#include "drawing/Drawing.h"
#include "trace/SpotPicture.h"
#include "support/Units.h"
#include "support/TextColumns.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::trace {

const char* const kSpotCsvHeader =
    "field_fraction,field_deg,rays,centroid_y_mm,rms_um,rms_arcsec,max_um,airy_um";

std::string FormatSpotCsv(const SpotSet& spots, LengthUnit unit) {
  const double mmPerUnit = MillimetresPerUnit(unit);
  std::string out = std::string(kSpotCsvHeader) + "\n";
  for (const SpotDiagram& spot : spots.spots) {
    out += FormatFixed(spot.fieldFraction, 1) + "," +
           FormatFixed(spot.fieldAngle * kDegreesPerRadian, 6) + "," +
           std::to_string(spot.points.size()) + "," +
           FormatFixed(spot.stats.centroidY * mmPerUnit, 6) + "," +
           FormatFixed(spot.stats.rmsRadius * spots.micrometresPerUnit, 4) + "," +
           FormatFixed(spot.stats.rmsRadius * spots.arcsecPerUnit, 4) + "," +
           FormatFixed(spot.stats.maxRadius * spots.micrometresPerUnit, 4) + "," +
           FormatFixed(spots.airyRadius * spots.micrometresPerUnit, 4) + "\n";
  }
  return out;
}

std::string FormatSpotTable(const SpotSet& spots, TelescopeType type, LengthUnit unit) {
  return FormatSpotTable(spots, type, unit, std::string());
}

std::string FormatSpotTable(const SpotSet& spots, TelescopeType type, LengthUnit unit,
                            const std::string& condition) {
  const std::string unitName = UnitName(unit);
  std::string out = std::string("Spot diagrams of the ") + TelescopeTypeName(type) +
                    " in the paraxial image plane, 550 nm" +
                    (condition.empty() ? std::string() : ", " + condition) + "\n";
  out += "Airy disk radius " + FormatFixed(spots.airyRadius * spots.micrometresPerUnit, 2) +
         " \xB5m (" + FormatFixed(spots.airyRadius * spots.arcsecPerUnit, 2) + "\")\n\n";
  const size_t widths[] = {18, 9, 7, 14, 20, 20, 10};
  const std::string heads[] = {"Field",
                               "Angle",
                               "Rays",
                               "Centroid " + unitName,
                               "RMS radius",
                               "Largest radius",
                               "Vignetted"};
  std::string header = PadRight(heads[0], widths[0]);
  for (size_t i = 1; i < 7; ++i) header += PadLeft(heads[i], widths[i]);
  out += header + "\n";
  for (size_t i = 0; i < spots.spots.size(); ++i) {
    const SpotDiagram& spot = spots.spots[i];
    std::string line = PadRight(SpotFieldName(i), widths[0]);
    line += PadLeft(FormatFixed(spot.fieldAngle * kDegreesPerRadian, 3) + "\xB0", widths[1]);
    line += PadLeft(std::to_string(spot.points.size()), widths[2]);
    line += PadLeft(FormatFixed(spot.stats.centroidY, 4), widths[3]);
    line += PadLeft(FormatFixed(spot.stats.rmsRadius * spots.micrometresPerUnit, 2) + " \xB5m " +
                        PadLeft(FormatFixed(spot.stats.rmsRadius * spots.arcsecPerUnit, 2) + "\"", 6),
                    widths[4]);
    line += PadLeft(FormatFixed(spot.stats.maxRadius * spots.micrometresPerUnit, 2) + " \xB5m " +
                        PadLeft(FormatFixed(spot.stats.maxRadius * spots.arcsecPerUnit, 2) + "\"", 6),
                    widths[5]);
    line += PadLeft(std::to_string(spot.vignetted), widths[6]);
    out += line + "\n";
  }
  return out;
}

}  // namespace spekulor::trace
