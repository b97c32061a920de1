#include "web/WebCamera.h"

#include "support/Windows1252.h"

using namespace spekulor::dialog;
using namespace spekulor::support;

namespace spekulor::web {

namespace {

// The text fields in kCameraFieldNames' order.
std::string CameraFields::* const kTextMembers[] = {&CameraFields::pixelUm, &CameraFields::widthPx,
                                                    &CameraFields::heightPx, &CameraFields::seeingArcsec,
                                                    &CameraFields::temperatureChange};
constexpr size_t kMaterialName = 5;

}  // namespace

CameraFields CameraFieldsFromNames(const NamedValues& values) {
  CameraFields fields;
  for (size_t k = 0; k < std::size(kTextMembers); ++k) {
    const auto found = values.find(kCameraFieldNames[k]);
    if (found != values.end()) fields.*kTextMembers[k] = Utf8ToWindows1252(found->second);
  }
  const auto material = values.find(kCameraFieldNames[kMaterialName]);
  if (material != values.end()) {
    for (size_t choice = 0; choice < kTubeMaterialChoices.size(); ++choice) {
      if (material->second == kTubeMaterialChoices[choice]) fields.material = static_cast<int>(choice);
    }
  }
  return fields;
}

NamedValues NamesOfCameraFields(const CameraFields& fields) {
  NamedValues values;
  for (size_t k = 0; k < std::size(kTextMembers); ++k) {
    values[kCameraFieldNames[k]] = Windows1252ToUtf8(fields.*kTextMembers[k]);
  }
  if (fields.material >= 0 && fields.material < static_cast<int>(kTubeMaterialChoices.size())) {
    values[kCameraFieldNames[kMaterialName]] = kTubeMaterialChoices[static_cast<size_t>(fields.material)];
  }
  return values;
}

NamedValues StartupCameraNames() { return NamesOfCameraFields(CameraFields()); }

ReadCamera ReadCameraNames(const NamedValues& values) {
  ReadCamera read;
  read.problem = Windows1252ToUtf8(ReadCameraFields(CameraFieldsFromNames(values), read.options));
  return read;
}

}  // namespace spekulor::web
