// The three ways collimation can leave the secondary out of place, each as one number:
// a despace and a decenter in the design's unit, a tilt in degrees about the
// secondary's vertex (signs: calc/SignConventions.h).
#ifndef SPEKULOR_COLLIMATION_MISALIGNMENT_H
#define SPEKULOR_COLLIMATION_MISALIGNMENT_H

#include <array>

#include "trace/SecondaryPerturbation.h"

namespace spekulor::collimation {

enum class Misalignment { Despace, Decenter, Tilt };

constexpr std::array<Misalignment, 3> kMisalignments = {
    Misalignment::Despace, Misalignment::Decenter, Misalignment::Tilt};

// The secondary moved by `amount` of one kind, nothing else.
trace::SecondaryPerturbation Misaligned(Misalignment kind, double amount);

// "despace", "decenter", "tilt": the kind's name in texts and keys.
const char* MisalignmentName(Misalignment kind);

}  // namespace spekulor::collimation

#endif
