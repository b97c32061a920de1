#include "collimation/Misalignment.h"

using namespace spekulor::trace;

namespace spekulor::collimation {

SecondaryPerturbation Misaligned(Misalignment kind, double amount) {
  SecondaryPerturbation perturbation;
  switch (kind) {
    case Misalignment::Despace:
      perturbation.despace = amount;
      break;
    case Misalignment::Decenter:
      perturbation.decenter = amount;
      break;
    case Misalignment::Tilt:
      perturbation.tiltDeg = amount;
      break;
  }
  return perturbation;
}

const char* MisalignmentName(Misalignment kind) {
  switch (kind) {
    case Misalignment::Despace:
      return "despace";
    case Misalignment::Decenter:
      return "decenter";
    case Misalignment::Tilt:
      return "tilt";
  }
  return "";
}

}  // namespace spekulor::collimation
