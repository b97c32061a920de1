#include "trace/SecondaryPerturbation.h"

#include <cmath>

#include "calc/SignConventions.h"
#include "drawing/Drawing.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::trace {

bool IsAligned(const SecondaryPerturbation& perturbation) {
  return perturbation.despace == 0.0 && perturbation.decenter == 0.0 &&
         perturbation.tiltDeg == 0.0;
}

Telescope PerturbSecondary(const Telescope& aligned, const SecondaryPerturbation& perturbation) {
  Telescope telescope = aligned;
  if (IsAligned(perturbation)) return telescope;
  const double turn = kTiltAboutX * perturbation.tiltDeg / kDegreesPerRadian;
  MirrorPose& pose = telescope.secondaryPose;
  pose.moved = true;
  pose.cosTurn = std::cos(turn);
  pose.sinTurn = std::sin(turn);
  pose.pivotZ = aligned.secondary.vertexZ + kPivotAlongZ * perturbation.pivot;
  pose.shiftY = kDecenterAlongY * perturbation.decenter;
  pose.shiftZ = kDespaceAlongZ * perturbation.despace;
  return telescope;
}

TraceProblem PerturbationProblem(const Telescope& aligned,
                                const SecondaryPerturbation& perturbation) {
  if (!std::isfinite(perturbation.despace) || !std::isfinite(perturbation.decenter) ||
      !std::isfinite(perturbation.tiltDeg) || !std::isfinite(perturbation.pivot)) {
    return TraceProblem{TraceProblemCode::DisplacementNotFinite};
  }
  if (!(std::fabs(perturbation.tiltDeg) <= kMostTraceableTiltDeg)) {
    return TraceProblem{TraceProblemCode::TiltTooLarge};
  }
  if (!(perturbation.despace < aligned.secondary.vertexZ)) {
    return TraceProblem{TraceProblemCode::DespacedNotInFront};
  }
  return TraceProblem();
}

std::string DescribeSecondaryPerturbation(const SecondaryPerturbation& perturbation,
                                          LengthUnit unit) {
  if (IsAligned(perturbation)) return "secondary aligned";
  const std::string unitText = UnitSuffix(unit);
  std::string text = "secondary";
  const char* separator = " ";
  if (perturbation.despace != 0.0) {
    text += separator + std::string("despaced ") + FormatShortest(perturbation.despace) + unitText;
    separator = ", ";
  }
  if (perturbation.decenter != 0.0) {
    text += separator + std::string("decentered ") + FormatShortest(perturbation.decenter) +
            unitText;
    separator = ", ";
  }
  if (perturbation.tiltDeg != 0.0) {
    text += separator + std::string("tilted ") + FormatShortest(perturbation.tiltDeg) + "\xB0 about ";
    text += perturbation.pivot == 0.0
                ? std::string("its vertex")
                : "the point " + FormatShortest(perturbation.pivot) + unitText +
                      " from its vertex toward the sky";
  }
  return text;
}

std::string SecondaryCondition(const SecondaryPerturbation& perturbation, LengthUnit unit) {
  return IsAligned(perturbation) ? std::string()
                                 : DescribeSecondaryPerturbation(perturbation, unit);
}

}  // namespace spekulor::trace
