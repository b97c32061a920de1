// The pictures window's page "Camera": the camera analysis (camera/CameraPage.h) of a
// sensor whose figures the page's fields hold, drawn as camera/CameraPicture.h draws
// it, or why it cannot be.
#ifndef SPEKULOR_DIALOG_CAMERATAB_H
#define SPEKULOR_DIALOG_CAMERATAB_H

#include <array>
#include <string>

#include "calc/Calculate.h"
#include "camera/CameraPage.h"
#include "dialog/PictureSet.h"

namespace spekulor::dialog {

// The tube materials as the page's list shows them, TubeMaterial's order.
constexpr std::array<const char*, 5> kTubeMaterialChoices = {"none", "aluminium", "steel", "carbon",
                                                             "invar"};

// The page's fields as typed; the start-up values are a common APS-C sensor (6248 x
// 4176 pixels of 3.76 um) under 2" seeing.
struct CameraFields {
  std::string pixelUm = "3.76";
  std::string widthPx = "6248";
  std::string heightPx = "4176";
  std::string seeingArcsec = "2";
  int material = 0;  // index into kTubeMaterialChoices
  std::string temperatureChange = "0";
};

// Reads the fields into `options`: each a decimal number with "." for the point, the
// sides whole numbers of pixels. Returns why not (Windows-1252), empty when they were
// read; the ranges are the analysis' to check.
std::string ReadCameraFields(const CameraFields& fields, camera::CameraOptions& options);

// The options of the start-up fields.
camera::CameraOptions DefaultCameraOptions();

// The page of `calculation` with `options`: its picture, or the refusal box's text for
// a refused design, or why the camera cannot be analysed. Pure: safe on any thread.
PicturePage DrawCameraPage(const calc::Calculation& calculation, const camera::CameraOptions& options,
                           const char* title);

}  // namespace spekulor::dialog

#endif
