#include "quality/QualityProblem.h"

#include <cmath>

#include "quality/QualityConstants.h"
#include "quality/Spider.h"
#include "support/SampleCount.h"
#include "drawing/Drawing.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace spekulor::quality {

namespace {

std::string TooSteepText(const QualityProblem& problem, MessageReader reader) {
  const std::string steep = "Cannot analyse the image quality: " +
                            FieldPlace(problem.fieldFraction) + " the wavefront changes by " +
                            FormatFixed(problem.waveStep, 2) +
                            " waves from one pupil cell to the next, too fast for ";
  const std::string farOff = "The image is far from the diffraction limit: see the spot diagrams.";
  if (reader == MessageReader::Window) {
    // The window's grid is fixed; what its user can change is the design. The
    // aberrations off the axis, and on it the defocus of the one flat plane that
    // serves the whole field, grow with the field; a slower primary lessens them.
    return steep + "the analysis to follow. " + farOff +
           " A narrower fully illuminated field or a longer primary mirror focal length "
           "brings it closer.";
  }
  // The grid that brings the step down to the largest, in steps of 32 cells.
  const double needed = problem.gridSize * problem.waveStep / kLargestWaveStep;
  const int grid = 32 * ClampedCeil(needed / 32.0, 1, kMostQualityGrid / 32 + 1);
  const std::string need = std::isfinite(needed) && grid <= kMostQualityGrid
                               ? "a pupil grid of " + std::to_string(grid) + " or more"
                               : "a pupil grid finer than " + std::to_string(kMostQualityGrid);
  return steep + "a pupil grid of " + std::to_string(problem.gridSize) + "; it needs " + need +
         ". " + farOff;
}

}  // namespace

QualityProblem UntraceableQuality(const TraceProblem& trace) {
  QualityProblem problem;
  if (!trace.ok()) {
    problem.code = QualityProblemCode::Untraceable;
    problem.trace = trace;
  }
  return problem;
}

std::string QualityRefusalText(const QualityProblem& problem, MessageReader reader) {
  const std::string cannot = "Cannot analyse the image quality: ";
  switch (problem.code) {
    case QualityProblemCode::None:
      return std::string();
    case QualityProblemCode::Untraceable:
      return TraceRefusalText(problem.trace);
    case QualityProblemCode::GridOutOfRange:
      return cannot + "the pupil grid must be from " + std::to_string(kLeastQualityGrid) +
             " to " + std::to_string(kMostQualityGrid) + " cells across";
    case QualityProblemCode::WavelengthOutOfRange:
      return cannot + "the wavelength must be from " + FormatFixed(kLeastWavelengthNm, 0) +
             " to " + FormatFixed(kMostWavelengthNm, 0) + " nm";
    case QualityProblemCode::WavefrontTooSteep:
      return TooSteepText(problem, reader);
    case QualityProblemCode::ObstructionTooWide:
      return cannot + "the central obstruction must be narrower than the primary";
    case QualityProblemCode::SpiderOutOfRange:
      return cannot + "the spider must have 0 to " + std::to_string(kMostSpiderVanes) +
             " vanes, each at most " + FormatFixed(100.0 * kMostSpiderWidthFraction, 0) +
             " % of the primary's diameter wide";
  }
  return std::string();
}

}  // namespace spekulor::quality
