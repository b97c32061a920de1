#include "baffles/BaffleFrame.h"

#include <cmath>

using namespace spekulor::calc;

namespace spekulor::baffles {

BaffleFrame MakeBaffleFrame(const DesignResult& design) {
  BaffleFrame frame;
  frame.diameter = design.PriDia;
  frame.primaryFocus = design.PriFoc;
  frame.systemFocus = design.SysFoc;
  frame.spacing = design.PriSecDist;
  frame.backFocus = design.BackFocLen;
  frame.halfField = design.FieldRad / 2.0;
  frame.imageRadius = design.SysFoc * std::tan(frame.halfField);
  frame.secondaryBeamRadius = design.SecDia / 2.0;
  return frame;
}

}  // namespace spekulor::baffles
