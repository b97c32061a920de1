// The page's camera inputs: the window's "Camera" fields (dialog/CameraTab.h) by the
// names of the page's inputs and address, which are spekulor-cli camera's options where
// it has one ("pixel-um", "seeing", "tube-material", "temperature-change") and
// "sensor-width-px", "sensor-height-px" for the two sides its --sensor-px joins.
#ifndef SPEKULOR_WEB_WEBCAMERA_H
#define SPEKULOR_WEB_WEBCAMERA_H

#include <array>
#include <string>

#include "camera/CameraPage.h"
#include "dialog/CameraTab.h"
#include "web/WebDesign.h"

namespace spekulor::web {

// The inputs' names, in the window's order: the five text fields, then the list.
constexpr std::array<const char*, 6> kCameraFieldNames = {
    "pixel-um", "sensor-width-px", "sensor-height-px", "seeing", "temperature-change", "tube-material"};

// The fields as typed (UTF-8): a value left out keeps the window's start-up value, a
// tube material that names no choice too.
dialog::CameraFields CameraFieldsFromNames(const NamedValues& values);

// The fields by name, UTF-8; the tube material by its choice's name
// (dialog::kTubeMaterialChoices).
NamedValues NamesOfCameraFields(const dialog::CameraFields& fields);

// The window's start-up camera fields by name.
NamedValues StartupCameraNames();

// The options the fields give, or the window's reason they cannot be read (UTF-8).
struct ReadCamera {
  std::string problem;  // empty when read
  camera::CameraOptions options;
};
ReadCamera ReadCameraNames(const NamedValues& values);

}  // namespace spekulor::web

#endif
