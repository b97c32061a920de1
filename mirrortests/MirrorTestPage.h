// The whole test page of a completed design's primary: its Couder zones, the expected
// Foucault readings, the Couder mask, the Ronchigrams and, with measured readings,
// their reduction to the mirror's error and its best-fit conic.
#ifndef SPEKULOR_MIRRORTESTS_MIRRORTESTPAGE_H
#define SPEKULOR_MIRRORTESTS_MIRRORTESTPAGE_H

#include <optional>
#include <vector>

#include "calc/DesignResult.h"
#include "mirrortests/CouderZones.h"
#include "mirrortests/ExpectedReadings.h"
#include "mirrortests/MirrorTestProblem.h"
#include "mirrortests/PrimaryUnderTest.h"
#include "mirrortests/Ronchigram.h"

namespace spekulor::mirrortests {

struct MirrorTestOptions {
  TestSource source = TestSource::Moving;
  int zoneCount = 0;                     // 0 for round(D / 50 mm), 3 to 12
  std::vector<double> zoneEdges;         // when given, the zones between them (zoneCount unused)
  std::vector<double> readings;          // measured, one a zone; empty for none
  std::optional<double> measuredRadius;  // the maker's R, replacing the design's
  double linesPerInch = kDefaultGratingLinesPerInch;
  std::vector<double> gratingOffsets;  // empty for the four-pair offsets inside and outside
};

struct MirrorTestReduction {
  std::vector<double> measured;
  std::vector<double> surfaceErrorNm;  // at each zone, the best sphere removed
  double wavefrontRmsWaves = 0.0;      // at 550 nm
  double wavefrontPvWaves = 0.0;
  double strehl = 0.0;                 // Marechal
  std::optional<double> bestFitConic;  // none when no conic fits (fitProblem says why)
  MirrorTestProblem fitProblem;
  MirrorTestProblem problem;  // ReadingsTooFarApart when the figures above are not finite
};

struct MirrorTestPage {
  MirrorTestProblem problem;  // when not ok, nothing below is computed
  PrimaryUnderTest primary;   // R replaced by a measured radius
  TestSource source = TestSource::Moving;
  std::vector<CouderZone> zones;
  std::vector<double> readings;           // expected, at the zone radii
  std::vector<double> readingsFromFirst;  // the same less the first zone's
  std::vector<Ronchigram> ronchigrams;
  std::optional<MirrorTestReduction> reduction;
};

// The figures of the page; its pictures are drawn apart (DrawCouderMask, DrawRonchigrams),
// only where they are shown or written.
MirrorTestPage RunMirrorTests(const calc::DesignResult& design, calc::LengthUnit unit,
                              const MirrorTestOptions& options);

// The reduction of finite readings, one a zone of a page whose problem is ok(): what
// RunMirrorTests adds for them, without computing the rest of the page again.
MirrorTestReduction ReduceMirrorReadings(const MirrorTestPage& page,
                                         const std::vector<double>& measured);

}  // namespace spekulor::mirrortests

#endif
