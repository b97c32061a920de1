#include "mirrortests/MirrorTestProblem.h"

#include "drawing/Drawing.h"

using namespace spekulor::drawing;

namespace spekulor::mirrortests {

std::string FormatMirrorTestProblem(const MirrorTestProblem& problem) {
  using K = MirrorTestProblemKind;
  const std::string index = std::to_string(problem.index);
  const std::string value = FormatShortest(problem.value);
  switch (problem.kind) {
    case K::None:
      return "";
    case K::NoSurface:
      return "the primary's surface does not reach its rim: it cannot be tested as a conic";
    case K::ZoneCount:
      return std::to_string(problem.count) + " zones asked for: the zones are 2 to 20";
    case K::ZoneEdgesCount:
      return std::to_string(problem.count) +
             " zone edges given: give 3 to 21 edges for 2 to 20 zones";
    case K::ZoneEdgesNotIncreasing:
      return "zone edge " + index +
             " is not larger than the edge before it: the edges must increase";
    case K::ZoneEdgesOutsideMirror:
      return "zone edge " + value + " lies outside the mirror (0 to its radius)";
    case K::ReadingsCount:
      return std::to_string(problem.count) + " readings given for " +
             std::to_string(problem.expected) + " zones: give one reading a zone";
    case K::ReadingNotFinite:
      return "reading " + index + " is not a finite number";
    case K::RadiusOfCurvature:
      return "measured radius of curvature " + value + " is not positive";
    case K::GratingLines:
      return "grating of " + value + " lines per inch: the lines per inch must be positive";
    case K::GratingAtCentre:
      return "a grating at the centre of curvature with the source moving with it shows no bands";
    case K::NoBestFitConic:
      return "the readings fit no conic whose surface reaches the rim";
    case K::ReadingsTooFarApart:
      return "the readings differ too much from one another to be a mirror's: its error is "
             "not a finite number";
  }
  return "";
}

}  // namespace spekulor::mirrortests
