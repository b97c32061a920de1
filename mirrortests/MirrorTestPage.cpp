#include "mirrortests/MirrorTestPage.h"

#include <cmath>

#include "mirrortests/BestFitConic.h"
#include "mirrortests/ReadingReduction.h"
#include "quality/PointImage.h"

using namespace spekulor::calc;

namespace spekulor::mirrortests {

namespace {

MirrorTestProblem Problem(MirrorTestProblemKind kind) {
  MirrorTestProblem problem;
  problem.kind = kind;
  return problem;
}

MirrorTestProblem CheckPrimary(const PrimaryUnderTest& primary) {
  if (!(primary.radius > 0.0) ||
      !std::isfinite(ConicSag(primary.radius, primary.conic, primary.diameter / 2.0))) {
    return Problem(MirrorTestProblemKind::NoSurface);
  }
  return {};
}

MirrorTestProblem CheckOptions(const MirrorTestOptions& options) {
  MirrorTestProblem problem;
  if (options.measuredRadius && !(*options.measuredRadius > 0.0)) {
    problem.kind = MirrorTestProblemKind::RadiusOfCurvature;
    problem.value = *options.measuredRadius;
  } else if (!(options.linesPerInch > 0.0)) {
    problem.kind = MirrorTestProblemKind::GratingLines;
    problem.value = options.linesPerInch;
  } else if (options.source == TestSource::Moving) {
    for (double offset : options.gratingOffsets) {
      if (offset == 0.0) problem.kind = MirrorTestProblemKind::GratingAtCentre;
    }
  }
  for (size_t i = 0; problem.ok() && i < options.readings.size(); ++i) {
    if (!std::isfinite(options.readings[i])) {
      problem.kind = MirrorTestProblemKind::ReadingNotFinite;
      problem.index = static_cast<int>(i) + 1;
    }
  }
  return problem;
}

ZoneSet ChooseZones(const PrimaryUnderTest& primary, const MirrorTestOptions& options) {
  const double rim = primary.diameter / 2.0;
  if (!options.zoneEdges.empty()) return ZonesFromEdges(options.zoneEdges, rim);
  const int count =
      options.zoneCount > 0 ? options.zoneCount : DefaultZoneCount(primary.diameter, primary.unit);
  return EqualAreaZones(primary.shadowRadius, rim, count);
}

}  // namespace

MirrorTestReduction ReduceMirrorReadings(const MirrorTestPage& page,
                                         const std::vector<double>& measured) {
  const PrimaryUnderTest& primary = page.primary;
  const SurfaceErrorFit fit =
      ReduceReadings(page.zones, measured, page.readings, primary.radius, page.source);
  const double nm = NanometresPerUnit(primary.unit);
  MirrorTestReduction reduction;
  reduction.measured = measured;
  for (double value : fit.surface) reduction.surfaceErrorNm.push_back(value * nm);
  reduction.wavefrontRmsWaves = fit.wavefrontRms * nm / kReductionWavelengthNm;
  reduction.wavefrontPvWaves = fit.wavefrontPv * nm / kReductionWavelengthNm;
  reduction.strehl = quality::MarechalStrehl(reduction.wavefrontRmsWaves);
  bool finite = std::isfinite(reduction.wavefrontRmsWaves) &&
                std::isfinite(reduction.wavefrontPvWaves);
  for (double value : reduction.surfaceErrorNm) finite = finite && std::isfinite(value);
  if (!finite) {
    reduction.problem.kind = MirrorTestProblemKind::ReadingsTooFarApart;
    return reduction;
  }
  const ConicFit conic = FitConic(page.zones, measured, primary.radius, page.source, primary.conic);
  reduction.fitProblem = conic.problem;
  if (conic.problem.ok()) reduction.bestFitConic = conic.conic;
  return reduction;
}

MirrorTestPage RunMirrorTests(const DesignResult& design, LengthUnit unit,
                              const MirrorTestOptions& options) {
  MirrorTestPage page;
  page.source = options.source;
  page.primary = MakePrimaryUnderTest(design, unit);
  if (options.measuredRadius) page.primary.radius = *options.measuredRadius;
  page.problem = CheckOptions(options);
  if (!page.problem.ok()) return page;
  page.problem = CheckPrimary(page.primary);
  if (!page.problem.ok()) return page;

  ZoneSet zones = ChooseZones(page.primary, options);
  page.problem = zones.problem;
  if (!page.problem.ok()) return page;
  page.zones = std::move(zones.zones);
  if (!options.readings.empty() && options.readings.size() != page.zones.size()) {
    page.problem.kind = MirrorTestProblemKind::ReadingsCount;
    page.problem.count = static_cast<int>(options.readings.size());
    page.problem.expected = static_cast<int>(page.zones.size());
    return page;
  }

  const PrimaryUnderTest& primary = page.primary;
  page.readings = ExpectedReadings(primary.radius, primary.conic, page.source, page.zones);
  for (double reading : page.readings)
    page.readingsFromFirst.push_back(reading - page.readings.front());

  std::vector<double> offsets = options.gratingOffsets;
  if (offsets.empty()) {
    const double nu = LinesPerUnit(options.linesPerInch, primary.unit);
    const double offset = FourPairOffset(primary.radius, primary.diameter, nu, page.source);
    offsets = {-offset, offset};
  }
  for (double offset : offsets) {
    page.ronchigrams.push_back(
        ComputeRonchigram(primary, {options.linesPerInch, offset, page.source}));
  }

  if (!options.readings.empty()) {
    page.reduction = ReduceMirrorReadings(page, options.readings);
    if (!page.reduction->problem.ok()) {
      page.problem = page.reduction->problem;
      page.reduction.reset();
    }
  }
  return page;
}

}  // namespace spekulor::mirrortests
