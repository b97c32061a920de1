// Why the image-quality analysis cannot answer for a design, typed: the code and the
// figures that go with it. QualityRefusalText is the one place that words it.
#ifndef SPEKULOR_QUALITY_QUALITYPROBLEM_H
#define SPEKULOR_QUALITY_QUALITYPROBLEM_H

#include <string>

#include "trace/AnalysisWording.h"
#include "trace/TraceProblem.h"

namespace spekulor::quality {

enum class QualityProblemCode {
  None,
  Untraceable,           // `trace`: the design, the misalignment, or the light lost at a field point
  GridOutOfRange,        // the pupil grid outside kLeastQualityGrid to kMostQualityGrid
  WavelengthOutOfRange,  // outside kLeastWavelengthNm to kMostWavelengthNm
  WavefrontTooSteep,     // the wavefront changes faster than the pupil grid can follow
  ObstructionTooWide,    // the central obstruction as wide as the primary, or not finite
  SpiderOutOfRange,      // the spider's vanes, width or angle outside SpiderFits
};

struct QualityProblem {
  QualityProblemCode code = QualityProblemCode::None;
  trace::TraceProblem trace;          // Untraceable
  // WavefrontTooSteep: where, by how many waves from one pupil cell to the next, on a
  // grid of how many cells across.
  double fieldFraction = 0.0;
  double waveStep = 0.0;
  int gridSize = 0;
  bool ok() const { return code == QualityProblemCode::None; }
};

// The problem of a design the trace cannot follow (none for no trace problem).
QualityProblem UntraceableQuality(const trace::TraceProblem& trace);

// The refusal as its reader sees it: "Cannot trace this design: " and the trace's
// reason, or "Cannot analyse the image quality: " and why. A wavefront too steep names
// for the command line the grid it would need, for the window (which has no grid to
// set) the entries that smooth the wavefront. Empty for no problem.
std::string QualityRefusalText(const QualityProblem& problem,
                               trace::MessageReader reader = trace::MessageReader::CommandLine);

}  // namespace spekulor::quality

#endif
