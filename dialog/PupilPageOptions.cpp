#include "dialog/PupilPageOptions.h"

#include "baffles/BafflePlan.h"

using namespace spekulor::calc;
using namespace spekulor::quality;
using namespace spekulor::collimation;
using namespace spekulor::baffles;

namespace spekulor::dialog {

CentralObstruction PageObstruction(const DesignResult& design, const PupilPageOptions& options) {
  CentralObstruction obstruction;
  if (options.obstruction != ObstructionSource::Baffles) return obstruction;
  const BaffleObstruction baffled = PlanObstruction(design);
  if (!baffled.ok()) return obstruction;
  obstruction.source = ObstructionSource::Baffles;
  obstruction.diameter = baffled.diameter;
  return obstruction;
}

QualityOptions PageQualityOptions(const DesignResult& design, const PupilPageOptions& options) {
  QualityOptions quality;
  quality.obstruction = PageObstruction(design, options);
  quality.spider = options.spider;
  return quality;
}

ToleranceOptions PageToleranceOptions(const DesignResult& design, const PupilPageOptions& options) {
  ToleranceOptions tolerances;
  tolerances.obstruction = PageObstruction(design, options);
  tolerances.spider = options.spider;
  return tolerances;
}

}  // namespace spekulor::dialog
