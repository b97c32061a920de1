#include "dialog/CameraTab.h"

#include <cmath>
#include <cstdlib>

#include "calc/Inputs.h"
#include "camera/CameraPicture.h"
#include "support/DecimalText.h"
#include "support/Units.h"

using namespace spekulor::calc;
using namespace spekulor::camera;
using namespace spekulor::support;

namespace spekulor::dialog {

namespace {

// The whole text a decimal number, as the command line reads its options.
bool ReadNumber(const std::string& text, double& value) {
  if (text.empty() || DecimalPrefixLength(text.c_str()) != text.size()) return false;
  value = ReadDecimalPrefix(text.c_str());
  return std::isfinite(value);
}

bool ReadWhole(const std::string& text, double& value) {
  return ReadNumber(text, value) && value == std::floor(value) && text.find_first_of(".eE") == std::string::npos;
}

}  // namespace

std::string ReadCameraFields(const CameraFields& fields, CameraOptions& options) {
  CameraOptions read;
  double width = 0.0;
  double height = 0.0;
  if (!ReadNumber(fields.pixelUm, read.sensor.pixelUm)) return "The pixel size is not a number.";
  if (!ReadWhole(fields.widthPx, width) || !ReadWhole(fields.heightPx, height)) {
    return "The sensor's size is not a whole number of pixels.";
  }
  if (!ReadNumber(fields.seeingArcsec, read.sensor.seeingArcsec)) return "The seeing is not a number.";
  if (!ReadNumber(fields.temperatureChange, read.temperatureChange)) {
    return "The temperature change is not a number.";
  }
  if (fields.material < 0 || fields.material >= static_cast<int>(kTubeMaterialChoices.size())) {
    return "No such tube material.";
  }
  read.material = static_cast<TubeMaterial>(fields.material);
  read.sensor.widthMm = width * read.sensor.pixelUm / kMicrometresPerMillimetre;
  read.sensor.heightMm = height * read.sensor.pixelUm / kMicrometresPerMillimetre;
  options = read;
  return std::string();
}

CameraOptions DefaultCameraOptions() {
  CameraOptions options;
  ReadCameraFields(CameraFields(), options);
  return options;
}

PicturePage DrawCameraPage(const Calculation& calculation, const CameraOptions& options, const char* title) {
  PicturePage page;
  page.title = title;
  if (calculation.rules.error != CalcError::None) {
    page.refusal = FormatCalcError(calculation.rules);
    return page;
  }
  const CameraPage figures = ComputeCameraPage(calculation.design, calculation.read.unit, options);
  if (!figures.ok()) {
    page.refusal = CameraRefusalText(figures.problem);
    return page;
  }
  page.drawings.push_back(BuildCameraPicture(figures, calculation.read.type));
  return page;
}

}  // namespace spekulor::dialog
