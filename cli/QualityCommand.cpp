#include "cli/QualityCommand.h"

#include <nlohmann/json.hpp>

#include "calc/Calculate.h"
#include "cli/DesignFileCommand.h"
#include "cli/ExitStatus.h"
#include "files/FileMessages.h"
#include "cli/FileOutput.h"
#include "cli/NumberOptions.h"
#include "quality/QualityPictures.h"
#include "quality/QualityTable.h"
#include "cli/SecondaryOptions.h"
#include "drawing/SvgWriter.h"
#include "cli/TextOutput.h"
#include "support/Units.h"
#include "support/Windows1252.h"

namespace {

const char* const kFocusNames[] = {"paraxial", "best"};

}  // namespace

CLI::App* AddQualityCommand(CLI::App& app, QualityCommandOptions& options) {
  CLI::App* quality = app.add_subcommand(
      "quality",
      "Image quality on the exact trace: wavefront error (RMS and peak to valley), Strehl "
      "ratio and its Marechal estimate, 80 % encircled-energy diameter and MTF on the axis, "
      "at 0.7 and at the edge of the field, beside the perfect aperture with the same "
      "central obstruction; each field point's best focus and the focal surface through "
      "them. Exit status 2 for a refused design, 3 for a design that cannot be traced or "
      "analysed, 1 when a file cannot be read or written.");
  AddDesignArgument(*quality, options.designPath);
  AddDesignOptions(*quality, options.design);
  quality
      ->add_option("--focus", options.focus,
                   "Focal plane: paraxial (the paraxial image plane, as the spot diagrams) or "
                   "best (the flat plane of least mean RMS wavefront error over the three field "
                   "points; default)")
      ->check(CLI::IsMember({kFocusNames[0], kFocusNames[1]}))
      ->type_name("paraxial|best");
  quality
      ->add_option("--wavelength", options.wavelengthNm, "Wavelength in nanometres (default 550)")
      ->transform(DecimalNumber(kLeastWavelengthNm, kMostWavelengthNm))
      ->type_name("NM");
  AddSecondaryOptions(*quality, options.secondary);
  quality
      ->add_option("--grid", options.grid,
                   "Pupil cells across the primary (default 128); the point image is computed "
                   "on four times as many samples")
      ->transform(WholeNumber(kLeastQualityGrid, kMostQualityGrid))
      ->type_name("N");
  quality->add_flag("--json", options.json, "Print the figures as JSON");
  quality->add_option("--svg", options.svgPath, "Write the image-quality picture to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  return quality;
}

std::string FormatQualityJson(const QualitySet& set) {
  using Json = nlohmann::ordered_json;
  const double um = set.micrometresPerUnit;
  Json fields = Json::array();
  for (const FieldQuality& field : set.fields) {
    Json mtf = Json::array();
    for (size_t k = 0; k < kMtfFractions.size(); ++k) {
      mtf.push_back({{"fraction_of_cutoff", kMtfFractions[k]},
                     {"cycles_per_mm", kMtfFractions[k] * set.cutoffPerMm},
                     {"tangential", field.mtfTangential[k]},
                     {"sagittal", field.mtfSagittal[k]}});
    }
    fields.push_back({{"field_fraction", field.fieldFraction},
                      {"field_deg", field.fieldAngle * kDegreesPerRadian},
                      {"focus_shift", field.ownBestFocus},
                      {"rms_waves", field.rmsWaves},
                      {"pv_waves", field.pvWaves},
                      {"strehl", field.strehl},
                      {"strehl_marechal", field.strehlMarechal},
                      {"ee80_diameter_um", field.ee80Diameter * um},
                      {"mtf", mtf}});
  }
  Json perfectMtf = Json::array();
  for (size_t k = 0; k < kMtfFractions.size(); ++k) {
    perfectMtf.push_back({{"fraction_of_cutoff", kMtfFractions[k]}, {"value", set.perfect.mtf[k]}});
  }
  Json document;
  document["wavelength_nm"] = set.options.wavelengthNm;
  document["focus"] = kFocusNames[set.options.focus == FocusMode::Best ? 1 : 0];
  document["focus_shift"] = set.focusShift;
  // JSON has no infinity: a flat focal surface has no radius.
  document["best_focus_surface_radius"] =
      std::isfinite(set.focalSurfaceRadius) ? Json(set.focalSurfaceRadius) : Json(nullptr);
  document["fields"] = fields;
  document["perfect"] = {{"ee80_diameter_um", set.perfect.ee80Diameter * um}, {"mtf", perfectMtf}};
  return document.dump(2) + "\n";
}

int RunQualityCommand(const QualityCommandOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    return PrintRefusal(FormatCalcError(calculation.rules), err);
  }
  QualityOptions analysis;
  analysis.focus = options.focus == kFocusNames[0] ? FocusMode::Paraxial : FocusMode::Best;
  analysis.wavelengthNm = options.wavelengthNm;
  analysis.gridSize = options.grid;
  analysis.secondary = options.secondary;
  const QualityPictures pictures = DrawQualityPictures(calculation, analysis);
  if (!pictures.ok()) {
    std::fputs(ToTerminalText(pictures.errorText).c_str(), err);
    return kExitCannotAnalyse;
  }
  if (!options.svgPath.empty() &&
      !WriteOutputFile(options.svgPath, WriteSvg(pictures.drawings.front()), err)) {
    return kExitFileFailed;
  }
  const std::string text =
      options.json ? FormatQualityJson(pictures.quality)
                   : Windows1252ToUtf8(FormatQualityTable(pictures.quality, calculation.read.type,
                                                          calculation.read.unit));
  if (!WriteBytes(out, text)) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kExitFileFailed;
  }
  return kExitOk;
}
