// spekulor-cli camera: how a sensor at the focus samples the sky, how the field is lit
// along its diagonal, the corner's focus and the focus's run with the tube's
// temperature, as a table or JSON, and the picture as SVG.
#ifndef SPEKULOR_CLI_CAMERACOMMAND_H
#define SPEKULOR_CLI_CAMERACOMMAND_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "camera/CameraPage.h"
#include "cli/DesignRunner.h"

namespace spekulor::cli {

struct CameraCommandOptions {
  DesignSource source;
  double pixelUm = 0.0;        // --pixel-um, required
  std::string sensorPx;        // --sensor-px WxH
  std::string sensorMm;        // --sensor-mm WxH
  double seeingArcsec = camera::kDefaultSeeingArcsec;
  std::string material;        // --tube-material, empty when not given
  double temperatureChange = 0.0;
  double thickness = calc::kNotGiven;
  std::string svgPath;
  bool json = false;
};

// Reads "WxH" (also "W x H", "WXH"): two numbers, whole ones when `whole`; false for
// anything else.
bool ReadSensorSides(const std::string& text, bool whole, double& width, double& height);

// The optional DESIGN file, the twelve design options, the sensor's options,
// --seeing, --tube-material, --temperature-change, --thickness, --json and --svg.
void AddCameraOptions(CLI::App& command, CameraCommandOptions& options);

// Completes the design and writes the figures (or JSON, JsonOutput.h) and the picture.
// Exit status (ExitStatus.h): kExitUsage for the sensor missing or options outside
// their ranges, named; kExitRefused for a refused design; kExitCannotAnalyse for a
// design the trace cannot follow or whose corner loses its light.
int RunCameraCommand(const CameraCommandOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
