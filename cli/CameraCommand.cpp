#include "cli/CameraCommand.h"

#include <cctype>
#include <vector>

#include "camera/CameraPicture.h"
#include "camera/CameraTable.h"
#include "camera/ThermalFocus.h"
#include "cli/FileOutput.h"
#include "cli/JsonOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"
#include "support/Windows1252.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::camera;

namespace spekulor::cli {

namespace {

constexpr double kMostSensorPixels = 100000.0;


bool ReadSide(std::string text, bool whole, double& value) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  if (!whole) return ReadDecimalNumber(text, value);
  long number = 0;
  if (!ReadWholeNumber(text, number)) return false;
  value = static_cast<double>(number);
  return true;
}

CLI::Validator SensorSides(bool whole) {
  const std::string wanted = whole ? "WIDTHxHEIGHT in whole pixels (as 6248x4176)"
                                   : "WIDTHxHEIGHT in millimetres (as 23.5x15.6)";
  return CLI::Validator(
      [whole, wanted](std::string& text) {
        double width = 0.0;
        double height = 0.0;
        if (!ReadSensorSides(text, whole, width, height)) return "'" + text + "' is not " + wanted;
        return std::string();
      },
      "");
}

TubeMaterial MaterialNamed(const std::string& name) {
  for (const TubeMaterial material : kTubeMaterials) {
    if (name == TubeMaterialName(material)) return material;
  }
  return TubeMaterial::None;
}

std::vector<std::string> MaterialNames() {
  std::vector<std::string> names;
  for (const TubeMaterial material : kTubeMaterials) names.emplace_back(TubeMaterialName(material));
  return names;
}

// The sensor's sides in millimetres from whichever option gave them; false with the
// usage error when neither did.
bool SensorInMillimetres(const CameraCommandOptions& options, SensorOptions& sensor,
                         CommandOutput& failure) {
  double width = 0.0;
  double height = 0.0;
  if (!options.sensorPx.empty() && ReadSensorSides(options.sensorPx, true, width, height)) {
    if (width < 1.0 || height < 1.0 || width > kMostSensorPixels || height > kMostSensorPixels) {
      failure = UsageError("--sensor-px: the sensor must be from 1 to " +
                           OptionNumberText(kMostSensorPixels) + " pixels each way");
      return false;
    }
    sensor.widthMm = width * options.pixelUm / kMicrometresPerMillimetre;
    sensor.heightMm = height * options.pixelUm / kMicrometresPerMillimetre;
    return true;
  }
  if (!options.sensorMm.empty() && ReadSensorSides(options.sensorMm, false, width, height)) {
    sensor.widthMm = width;
    sensor.heightMm = height;
    return true;
  }
  failure = UsageError("the sensor's size is needed: --sensor-px WxH or --sensor-mm WxH");
  return false;
}

}  // namespace

bool ReadSensorSides(const std::string& text, bool whole, double& width, double& height) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos || text.find_first_of("xX", x + 1) != std::string::npos) return false;
  return ReadSide(text.substr(0, x), whole, width) && ReadSide(text.substr(x + 1), whole, height);
}

void AddCameraOptions(CLI::App& command, CameraCommandOptions& options) {
  command.description(
      "A camera at the focus: the image scale and the field of the sensor, the Airy disk and "
      "the seeing in pixels; the illumination along the sensor's diagonal from the exact "
      "trace with the baffles of the baffles command (or the secondary alone when the design "
      "cannot be baffled), the central hole and the primary's rim; the corner's best focus "
      "against the critical focus zone and its spot and Strehl ratio in the best flat plane; "
      "and, with a tube material, how far the focus runs per kelvin. Exit status 2 for a "
      "refused design, 3 for a design that cannot be traced or whose corner loses its light, "
      "1 when a file cannot be written.");
  AddDesignSource(command, options.source);
  command.add_option("--pixel-um", options.pixelUm, "The pixel's side in micrometres")
      ->transform(DecimalNumber(kLeastPixelUm, kMostPixelUm))
      ->required()
      ->type_name("P");
  CLI::Option* px =
      command.add_option("--sensor-px", options.sensorPx, "The sensor's size in pixels, as 6248x4176")
          ->check(SensorSides(true))
          ->type_name("WxH");
  CLI::Option* mm =
      command.add_option("--sensor-mm", options.sensorMm, "The sensor's size in millimetres, as 23.5x15.6")
          ->check(SensorSides(false))
          ->type_name("WxH");
  px->excludes(mm);
  command
      .add_option("--seeing", options.seeingArcsec, "The seeing's FWHM in arcsec (default 2)")
      ->transform(DecimalNumber(kLeastSeeingArcsec, kMostSeeingArcsec))
      ->type_name("ARCSEC");
  command
      .add_option("--tube-material", options.material,
                  "What holds the mirrors apart, for the focus's run with temperature")
      ->check(CLI::IsMember(MaterialNames()))
      ->type_name("aluminium|steel|carbon|invar");
  command
      .add_option("--temperature-change", options.temperatureChange,
                  "A change of the tube's temperature in kelvin, for the focus shift it brings")
      ->transform(DecimalNumber(-kMostTemperatureChange, kMostTemperatureChange))
      ->type_name("K");
  command
      .add_option("--thickness", options.thickness,
                  "The primary's back lies this far behind its vertex: from 0 to the primary's "
                  "diameter D (default D / 6); the central hole is bored through it")
      ->transform(DecimalNumber(0.0, HUGE_VAL))
      ->type_name("LENGTH");
  command.add_flag("--json", options.json, "Print the figures as JSON");
  command.add_option("--svg", options.svgPath, "Write the camera's picture to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
}

int RunCameraCommand(const CameraCommandOptions& options, std::FILE* out, std::FILE* err) {
  CameraOptions analysis;
  analysis.sensor.pixelUm = options.pixelUm;
  analysis.sensor.seeingArcsec = options.seeingArcsec;
  analysis.material = MaterialNamed(options.material);
  analysis.temperatureChange = options.temperatureChange;
  analysis.primaryThickness = options.thickness;
  CommandOutput failure;
  if (!SensorInMillimetres(options, analysis.sensor, failure)) return DeliverOutput(failure, out, err);
  return RunAnalysisCommand(
      options.source,
      [&analysis, &options](const DesignResult& design, TelescopeType type, LengthUnit unit) {
        const CameraProblem problem = CameraInputsProblem(design, unit, analysis);
        if (problem.InOptions()) return UsageError(Windows1252ToUtf8(DescribeCameraProblem(problem)));
        if (!problem.ok()) return CannotAnalyse(CameraRefusalText(problem));
        const CameraPage page = ComputeCameraPage(design, unit, analysis);
        if (!page.ok()) return CannotAnalyse(CameraRefusalText(page.problem));
        CommandOutput output = PrintFigures(
            options.json, [&] { return FormatCameraJson(page); },
            [&] { return FormatCameraTable(page, type); });
        AddPicture(output, options.svgPath, [&] { return BuildCameraPicture(page, type); });
        return output;
      },
      out, err);
}

}  // namespace spekulor::cli
