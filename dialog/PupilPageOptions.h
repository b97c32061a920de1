// What the pictures window's Image quality and Collimation pages take beside the
// design: the pupil's central obstruction and the spider's vanes, as spekulor-cli
// quality and tolerances take them (--obstruction, --spider-...).
#ifndef SPEKULOR_DIALOG_PUPILPAGEOPTIONS_H
#define SPEKULOR_DIALOG_PUPILPAGEOPTIONS_H

#include "calc/DesignResult.h"
#include "collimation/Tolerances.h"
#include "quality/CentralObstruction.h"
#include "quality/ImageQuality.h"
#include "quality/Spider.h"

namespace spekulor::dialog {

struct PupilPageOptions {
  // Baffles: the skirt baffle's when the design can be baffled (the baffle plan with
  // its default options, as the Baffles page draws it), the secondary's otherwise; the
  // pictures say which.
  quality::ObstructionSource obstruction = quality::ObstructionSource::Baffles;
  quality::Spider spider;
};

// The obstruction the pages use for a completed design.
quality::CentralObstruction PageObstruction(const calc::DesignResult& design,
                                            const PupilPageOptions& options);

// The analyses' options: their defaults with the obstruction and the spider.
quality::QualityOptions PageQualityOptions(const calc::DesignResult& design,
                                           const PupilPageOptions& options);
collimation::ToleranceOptions PageToleranceOptions(const calc::DesignResult& design,
                                                   const PupilPageOptions& options);

}  // namespace spekulor::dialog

#endif
