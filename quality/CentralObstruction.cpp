#include "quality/CentralObstruction.h"

#include <algorithm>
#include <cmath>

using namespace spekulor::calc;
using namespace spekulor::trace;

namespace spekulor::quality {

double ObstructionDiameter(const DesignResult& design, const CentralObstruction& obstruction) {
  if (obstruction.source == ObstructionSource::Secondary) return design.SecDia;
  return std::max(design.SecDia, obstruction.diameter);
}

bool ObstructionFits(const DesignResult& design, const CentralObstruction& obstruction) {
  if (obstruction.source == ObstructionSource::Secondary) return true;
  return std::isfinite(obstruction.diameter) && obstruction.diameter < design.PriDia;
}

Telescope ObstructedTelescope(Telescope telescope, const DesignResult& design,
                              const CentralObstruction& obstruction) {
  telescope.shadowRadius = ObstructionDiameter(design, obstruction) / 2.0;
  return telescope;
}

const char* ObstructionName(ObstructionSource source) {
  return source == ObstructionSource::Baffles ? "skirt baffle" : "secondary";
}

}  // namespace spekulor::quality
