#include "baffles/BaffleProblem.h"

#include "baffles/BafflePlan.h"
#include "drawing/Formats.h"
#include "drawing/Drawing.h"

using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace spekulor::baffles {

const char* const kCannotBaffle = "Cannot baffle this design: ";

namespace {

// What helps a design that needs too large a skirt: the skirt grows with the field
// and with the primary's focal ratio.
constexpr char kBaffleAdvice[] = "Narrow the field or choose a faster primary.";

}  // namespace

std::string DescribeBaffleProblem(const BaffleProblem& problem) {
  switch (problem.code) {
    case BaffleProblemCode::None:
      return std::string();
    case BaffleProblemCode::Untraceable:
      return "it cannot be traced: " + DescribeTraceProblem(problem.trace);
    case BaffleProblemCode::ThicknessOutOfRange:
      return "the primary's thickness must be from zero to its diameter";
    case BaffleProblemCode::ClearanceOutOfRange:
      return "the focus clearance must be from minus the primary's thickness to the system "
             "focal length";
    case BaffleProblemCode::FocusNotBehind:
      return "the focus does not lie behind the primary, so there is no hole to bore and no "
             "tube to fit";
    case BaffleProblemCode::NoFirstOrderPair:
      return std::string("even to first order no pair of baffles keeps direct skylight off "
                         "the image circle without cutting into the field's light. ") +
             kBaffleAdvice;
    case BaffleProblemCode::NoExactPair:
      return std::string("the exact trace finds no pair of baffles that keeps direct skylight "
                         "off the image circle without cutting into the field's light. ") +
             kBaffleAdvice;
    case BaffleProblemCode::TooMuchObstruction:
      return "a secondary baffle that keeps direct skylight off the image circle would be " +
             FormatPercent(problem.linearObstruction, 0) +
             " of the primary's diameter across, more obstruction than baffling is worth "
             "(at most " + FormatPercent(kMostBaffleObstruction, 0) + "). " + kBaffleAdvice;
    case BaffleProblemCode::CheckFailed:
      return "the exact check of the baffles failed: " + std::to_string(problem.raysBlocked) +
             " rays of the field blocked, " + std::to_string(problem.skyLinesReaching) +
             " lines of skylight reaching the image circle";
  }
  return std::string();
}

std::string BaffleRefusalText(const BaffleProblem& problem) {
  return kCannotBaffle + DescribeBaffleProblem(problem);
}

}  // namespace spekulor::baffles
