// What the tests of a primary cannot be computed for, as a kind and its detail, and
// the one place that words them.
#ifndef SPEKULOR_MIRRORTESTS_MIRRORTESTPROBLEM_H
#define SPEKULOR_MIRRORTESTS_MIRRORTESTPROBLEM_H

#include <string>

namespace spekulor::mirrortests {

enum class MirrorTestProblemKind {
  None = 0,
  NoSurface,               // the primary's conic does not reach its rim, or R is not positive
  ZoneCount,               // count: the number of zones asked for
  ZoneEdgesCount,          // count: the number of edges given, not 3 to 21
  ZoneEdgesNotIncreasing,  // index: the first edge not beyond the one before it
  ZoneEdgesOutsideMirror,  // value: the edge beyond the rim or below zero
  ReadingsCount,           // count: readings given, expected: zones
  ReadingNotFinite,        // index: the reading
  RadiusOfCurvature,       // value: a measured radius that is not positive
  GratingLines,            // value: the lines per inch
  GratingAtCentre,         // the grating offset is zero with the source moving with it
  NoBestFitConic,          // the readings fit no conic whose surface reaches the rim
  ReadingsTooFarApart      // the readings differ too much for the reduction to stay finite
};

struct MirrorTestProblem {
  MirrorTestProblemKind kind = MirrorTestProblemKind::None;
  int index = 0;  // 1-based, where the kind names one
  int count = 0;
  int expected = 0;
  double value = 0.0;
  bool ok() const { return kind == MirrorTestProblemKind::None; }
};

// One sentence without a final line end, Windows-1252, e.g. "5 readings given for 6
// zones: give one reading a zone".
std::string FormatMirrorTestProblem(const MirrorTestProblem& problem);

}  // namespace spekulor::mirrortests

#endif
