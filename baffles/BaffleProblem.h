// Why a completed design cannot be baffled, typed: the code and the figures that go
// with it. BaffleRefusalText is the one place that words it.
#ifndef SPEKULOR_BAFFLES_BAFFLEPROBLEM_H
#define SPEKULOR_BAFFLES_BAFFLEPROBLEM_H

#include <string>

#include "trace/TraceProblem.h"

namespace spekulor::baffles {

// The first words of the text of a design that cannot be baffled.
extern const char* const kCannotBaffle;

enum class BaffleProblemCode {
  None,
  Untraceable,          // `trace`: the design cannot be traced
  ThicknessOutOfRange,  // the primary's thickness outside ThicknessRange
  ClearanceOutOfRange,  // the focus clearance outside FocusClearanceRange
  FocusNotBehind,       // the focus does not lie behind the primary
  NoFirstOrderPair,     // even to first order no pair of baffles does
  NoExactPair,          // the exact trace finds no pair of baffles that does
  TooMuchObstruction,   // the skirt would obstruct more than kMostBaffleObstruction
  CheckFailed,          // the exact check found rays blocked or skylight reaching the image
};

struct BaffleProblem {
  BaffleProblemCode code = BaffleProblemCode::None;
  trace::TraceProblem trace;              // Untraceable
  double linearObstruction = 0.0;  // TooMuchObstruction: fraction of the primary's diameter
  int raysBlocked = 0;             // CheckFailed: rays of the field blocked
  int skyLinesReaching = 0;        // CheckFailed: lines of skylight reaching the image circle
  bool ok() const { return code == BaffleProblemCode::None; }
};

// The reason in plain words, as it follows kCannotBaffle; empty for no problem.
std::string DescribeBaffleProblem(const BaffleProblem& problem);

// kCannotBaffle and the reason.
std::string BaffleRefusalText(const BaffleProblem& problem);

}  // namespace spekulor::baffles

#endif
