#include "mirrortests/MirrorTestTable.h"

#include <cmath>

#include "mirrortests/RonchiPicture.h"
#include "support/TextColumns.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::support;

namespace spekulor::mirrortests {

namespace {

constexpr size_t kColumn = 12;

std::string Row(const std::vector<std::string>& cells) {
  std::string row = PadLeft(cells.front(), 4);
  for (size_t i = 1; i < cells.size(); ++i) row += PadLeft(cells[i], kColumn);
  return row + "\n";
}

std::string RonchiLines(const MirrorTestPage& page) {
  const LengthUnit unit = page.primary.unit;
  std::string text;
  for (const Ronchigram& gram : page.ronchigrams) {
    text += "Ronchigram, " + FormatFixed(gram.setup.linesPerInch, 0) + " lines per inch, " +
            RonchiCaption(gram.setup, unit) + "\n  band edges on the horizontal diameter (" +
            UnitName(unit) + "):";
    for (size_t i = 0; i < gram.bandEdges.size(); ++i) {
      text += (i % 8 == 0 ? "\n   " : "") +
              PadLeft(FormatFixed(gram.bandEdges[i], LengthDecimals(unit)), 9);
    }
    text += "\n";
  }
  return text;
}

std::string ReductionLines(const MirrorTestPage& page, const MirrorTestReduction& reduction) {
  const LengthUnit unit = page.primary.unit;
  std::string text = "\nReduction of the measured readings (best reference sphere removed)\n";
  text += Row({"Zone", "Radius", "Measured", "Expected", "Surface nm"});
  for (size_t i = 0; i < page.zones.size(); ++i) {
    text += Row({std::to_string(i + 1), FormatFixed(page.zones[i].radius, LengthDecimals(unit)),
                 FormatFixed(reduction.measured[i], ReadingDecimals(unit)),
                 FormatFixed(page.readings[i], ReadingDecimals(unit)),
                 FormatFixed(reduction.surfaceErrorNm[i], 1)});
  }
  return text + ReductionSummaryLines(page, reduction);
}

}  // namespace

int LengthDecimals(LengthUnit unit) { return unit == LengthUnit::Inch ? 3 : 2; }
int ReadingDecimals(LengthUnit unit) { return unit == LengthUnit::Inch ? 4 : 3; }

std::string ReductionSummaryLines(const MirrorTestPage& page,
                                  const MirrorTestReduction& reduction) {
  std::string text;
  text += "Wavefront error RMS ..... " + FormatFixed(reduction.wavefrontRmsWaves, 4) +
          " waves at 550 nm\n";
  text += "Wavefront error PV ...... " + FormatFixed(reduction.wavefrontPvWaves, 4) +
          " waves at 550 nm\n";
  text +=
      "Strehl ratio (Mar\xE9"
      "chal) . " +
      FormatFixed(reduction.strehl, 4) + "\n";
  if (reduction.bestFitConic) {
    text += "Best-fit conic .......... " + FormatFixed(*reduction.bestFitConic, 4) + " (" +
            (*reduction.bestFitConic - page.primary.conic >= 0.0 ? "+" : "") +
            FormatFixed(*reduction.bestFitConic - page.primary.conic, 4) + " from the design's)\n";
  } else {
    text +=
        "Best-fit conic .......... none: " + FormatMirrorTestProblem(reduction.fitProblem) + "\n";
  }
  return text;
}

const char* TestSourceName(TestSource source) {
  return source == TestSource::Moving ? "moving" : "fixed";
}

std::string FormatMirrorTestTable(const MirrorTestPage& page, TelescopeType type) {
  const PrimaryUnderTest& p = page.primary;
  const LengthUnit unit = p.unit;
  std::string text = std::string("Tests of the primary of the ") + TelescopeTypeName(type) + "\n";
  text += "Radius of curvature " + FormatFixed(p.radius, LengthDecimals(unit)) + UnitSuffix(unit) +
          ", conic " + FormatFixed(p.conic, 4) + ", diameter " +
          FormatFixed(p.diameter, LengthDecimals(unit)) + UnitSuffix(unit) + "\n";
  text += std::string("Foucault readings with the source ") +
          (page.source == TestSource::Moving ? "moving with the knife-edge"
                                             : "fixed at the centre of curvature") +
          ", from the paraxial centre of curvature, positive away from the mirror\n";
  text += "Couder zones of equal area from the secondary's shadow (" +
          FormatFixed(p.shadowRadius, LengthDecimals(unit)) + UnitSuffix(unit) +
          ") to the rim; a zone's radius is the mean of its edges (Texereau)\n\n";
  text += Row({"Zone", "Inner", "Outer", "Radius", "Reading", "From zone 1"});
  for (size_t i = 0; i < page.zones.size(); ++i) {
    const CouderZone& zone = page.zones[i];
    text += Row({std::to_string(i + 1), FormatFixed(zone.inner, LengthDecimals(unit)),
                 FormatFixed(zone.outer, LengthDecimals(unit)),
                 FormatFixed(zone.radius, LengthDecimals(unit)),
                 FormatFixed(page.readings[i], ReadingDecimals(unit)),
                 FormatFixed(page.readingsFromFirst[i], ReadingDecimals(unit))});
  }
  text += "\n" + RonchiLines(page);
  if (page.reduction) text += ReductionLines(page, *page.reduction);
  return text;
}

}  // namespace spekulor::mirrortests
