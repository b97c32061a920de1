// The image-quality figures as a table: one row per quantity, one column per field
// point and one for the perfect aperture. The picture and spekulor-cli show the same
// rows; texts are Windows-1252.
#ifndef SPEKULOR_QUALITY_QUALITYTABLE_H
#define SPEKULOR_QUALITY_QUALITYTABLE_H

#include <array>
#include <string>
#include <vector>

#include "calc/DesignInput.h"
#include "quality/ImageQuality.h"

namespace spekulor::quality {

struct QualityTableRow {
  std::string label;
  // The three field points in order, then the perfect aperture ("" where it has none).
  std::array<std::string, calc::kSpotFieldFractions.size() + 1> cells;
};

std::vector<QualityTableRow> QualityTableRows(const QualitySet& set, calc::LengthUnit unit);

// The lines above the table: the chosen focal plane, the focal surface through the
// best foci beside the third-order one, the cutoff and the perfect aperture's first
// dark ring.
std::vector<std::string> QualitySummaryLines(const QualitySet& set, calc::LengthUnit unit);

// A heading naming the design, the summary lines and the table, Windows-1252 with LF
// line ends.
std::string FormatQualityTable(const QualitySet& set, calc::TelescopeType type, calc::LengthUnit unit);

}  // namespace spekulor::quality

#endif
