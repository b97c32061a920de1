#include "dialog/MirrorTestSheet.h"

#include <cmath>
#include <utility>

#include "calc/OpticalConstants.h"
#include "drawing/SvgWriter.h"
#include "files/FileMessages.h"
#include "mirrortests/CouderMask.h"
#include "mirrortests/MirrorTestTable.h"
#include "mirrortests/SecondaryTestText.h"
#include "support/DecimalText.h"
#include "support/FileReplace.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::files;
using namespace spekulor::mirrortests;

namespace spekulor::dialog {

bool ReadTypedNumber(const std::string& text, double& value) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return false;
  const std::string number = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  if (DecimalPrefixLength(number.c_str()) != number.size()) return false;
  const double read = ReadDecimalPrefix(number.c_str());
  if (!std::isfinite(read)) return false;
  value = read;
  return true;
}

MirrorTestSheet::MirrorTestSheet(std::shared_ptr<const Calculation> design,
                                 std::shared_ptr<const MirrorTestPage> figures)
    : m_design(std::move(design)),
      m_figures(std::move(figures)),
      m_readings(m_figures->problem.ok() ? m_figures->zones.size() : 0) {}

std::string MirrorTestSheet::TableTitle() const {
  return std::string("Couder zones and Foucault readings (") + UnitName(m_figures->primary.unit) +
         "), surface error (nm)";
}

const char* MirrorTestSheet::ColumnTitle(int column) {
  static const char* const kTitles[] = {"Zone",   "Inner",       "Outer",    "Radius",
                                        "Reading", "From zone 1", "Measured", "Surface"};
  return column >= 0 && column < kMirrorTestColumnCount ? kTitles[column] : "";
}

std::string MirrorTestSheet::Cell(size_t zone, int column) const {
  if (zone >= m_readings.size()) return "";
  const LengthUnit unit = m_figures->primary.unit;
  const CouderZone& ring = m_figures->zones[zone];
  switch (column) {
    case kZoneColumn: return std::to_string(zone + 1);
    case kInnerColumn: return FormatFixed(ring.inner, LengthDecimals(unit));
    case kOuterColumn: return FormatFixed(ring.outer, LengthDecimals(unit));
    case kRadiusColumn: return FormatFixed(ring.radius, LengthDecimals(unit));
    case kExpectedColumn: return FormatFixed(m_figures->readings[zone], ReadingDecimals(unit));
    case kFromFirstColumn:
      return FormatFixed(m_figures->readingsFromFirst[zone], ReadingDecimals(unit));
    case kMeasuredColumn: return m_readings[zone];
    case kSurfaceColumn:
      return m_reduction ? FormatFixed(m_reduction->surfaceErrorNm[zone], 1) : "";
    default: return "";
  }
}

void MirrorTestSheet::SetReading(size_t zone, const std::string& text) {
  if (zone >= m_readings.size()) return;
  m_readings[zone] = text;
  m_reduction.reset();
  m_readingProblem = MirrorTestProblem();
  std::vector<double> measured;
  bool everyZone = true;
  for (size_t i = 0; i < m_readings.size(); ++i) {
    double value = 0.0;
    if (m_readings[i].find_first_not_of(" \t") == std::string::npos) {
      everyZone = false;
    } else if (!ReadTypedNumber(m_readings[i], value)) {
      if (m_readingProblem.ok()) {
        m_readingProblem.kind = MirrorTestProblemKind::ReadingNotFinite;
        m_readingProblem.index = static_cast<int>(i) + 1;
      }
    } else {
      measured.push_back(value);
    }
  }
  if (everyZone && m_readingProblem.ok()) {
    m_reduction = ReduceMirrorReadings(*m_figures, measured);
    if (!m_reduction->problem.ok()) {
      m_readingProblem = m_reduction->problem;
      m_reduction.reset();
    }
  }
}

std::string MirrorTestSheet::ReductionText() const {
  if (!CanTest()) return "";
  if (m_reduction) return ReductionSummaryLines(*m_figures, *m_reduction);
  if (!m_readingProblem.ok()) {
    return "Cannot reduce the readings: " + FormatMirrorTestProblem(m_readingProblem) + "\n";
  }
  return "Type the measured reading of every zone: the surface error, the wavefront and "
         "the best-fit conic follow.\n";
}

Drawing MirrorTestSheet::Mask() const {
  return DrawCouderMask(m_figures->primary, m_figures->zones);
}

std::string MirrorTestSheet::SaveMask(const std::string& path) const {
  const int error = ReplaceFileContents(path, WriteSvg(Mask()));
  return error == 0 ? std::string() : FileProblemDetail(path, SystemFileProblem(error));
}

RefitFields MirrorTestSheet::DesignRefitFields() const {
  const PrimaryUnderTest& primary = m_figures->primary;
  RefitFields fields;
  fields.primaryRoc = FormatFixed(primary.radius, LengthDecimals(primary.unit));
  fields.primaryConic = FormatFixed(primary.conic, 4);
  return fields;
}

std::string MirrorTestSheet::RefitText(const Calculation& design, const RefitFields& fields) {
  const LengthUnit unit = design.read.unit;
  const auto read = [](const std::string& text) {
    double value = std::nan("");
    ReadTypedNumber(text, value);
    return value;
  };
  RefitRequest request;
  request.primaryRoc = read(fields.primaryRoc);
  request.primaryConic = read(fields.primaryConic);
  request.secondaryRoc =
      fields.secondaryRoc.find_first_not_of(" \t") == std::string::npos ? 0.0
                                                                         : read(fields.secondaryRoc);
  request.keep = fields.keep;
  const RefitResult refit =
      RefitTelescope(design.design, request, kWavelengthMm / MillimetresPerUnit(unit));
  if (refit.problem != RefitProblem::None) {
    return RefitProblemText(refit.problem, refit.problemDetail, unit) + "\n";
  }
  return JoinLines(RefitLines(design.design, request, refit, design.read.type, unit,
                              kReferenceWavelengthNm));
}

}  // namespace spekulor::dialog
