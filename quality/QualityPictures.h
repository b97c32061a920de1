// The image-quality analysis of a calculation and its picture, for the pictures
// window's page "Image quality" and for spekulor-cli quality.
#ifndef SPEKULOR_QUALITY_QUALITYPICTURES_H
#define SPEKULOR_QUALITY_QUALITYPICTURES_H

#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "drawing/Drawing.h"
#include "quality/ImageQuality.h"

namespace spekulor::quality {

struct QualityPictures {
  // Empty when the design was analysed; otherwise why it cannot be: the refusal box's
  // text for a refused design, "Cannot trace this design: " and the reason for a design
  // the exact trace cannot follow, or "Cannot analyse the image quality: " and the
  // reason (options out of range, a wavefront too steep for the pupil grid).
  std::string errorText;
  QualitySet quality;             // the figures, for a design that was analysed
  std::vector<drawing::Drawing> drawings;  // one: the whole page (BuildQualityPicture)
  bool ok() const { return errorText.empty(); }
};

// The analysis with `options` and its picture, a refusal worded for `reader`; the
// second form reuses a workspace made for options.gridSize (ImageQuality.h).
QualityPictures DrawQualityPictures(const calc::Calculation& calculation,
                                    const QualityOptions& options = QualityOptions(),
                                    trace::MessageReader reader = trace::MessageReader::CommandLine);
QualityPictures DrawQualityPictures(const calc::Calculation& calculation, const QualityOptions& options,
                                    QualityWorkspace& workspace,
                                    trace::MessageReader reader = trace::MessageReader::CommandLine);

}  // namespace spekulor::quality

#endif
