#include "dialog/PictureOptions.h"

#include <cmath>

#include "baffles/BafflePlan.h"
#include "dialog/PictureSet.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace spekulor::dialog {

const char* const kFocusChoices[] = {"paraxial", "best", nullptr};
const char* const kObstructionChoices[] = {"secondary", "baffles", nullptr};

namespace {

constexpr char kOptionsSection[] = "Options";
constexpr NumberRange kAnyLength{-HUGE_VAL, HUGE_VAL};

// The pupil's options, on the Image quality page and again on the Collimation page: one
// store entry each, so both pages show the same.
std::vector<OptionField> PupilFields(int page) {
  return {
      {page, "obstruction", "&Obstruction", "",
       "baffles: the skirt baffle the Baffles page plans around the secondary, which shades "
       "more of the primary than the secondary alone; secondary: its disc alone. A design "
       "that cannot be baffled has the secondary's.",
       {0.0, 1.0, true}, 1.0, &PictureOptions::obstructionChoice, kObstructionChoices},
      {page, "spider vanes", "Spider &vanes", "",
       "The straight vanes holding the secondary, evenly spaced; 0 for none. Each vane "
       "spreads light in a spike across the star's image.",
       {0.0, static_cast<double>(quality::kMostSpiderVanes), true}, 0.0,
       &PictureOptions::spiderVanes},
      {page, "spider width", "Vane w&idth", "mm",
       "Each vane's width, at most a tenth of the primary's diameter.", {0.0, HUGE_VAL}, 0.0,
       &PictureOptions::spiderWidthMm},
      {page, "spider angle", "Vane &angle", "\xB0",
       "The first vane's direction, from across the field toward the field's side.",
       kAnyLength, 0.0, &PictureOptions::spiderAngleDeg},
  };
}

}  // namespace

const std::vector<OptionField>& PictureOptionFields() {
  static const std::vector<OptionField> kFields{
      {kQualityPage, "wavelength", "&Wavelength", "nm",
       "The light the image is computed for; 550 nm is green, where the eye sees best.",
       {kLeastWavelengthNm, kMostWavelengthNm}, kReferenceWavelengthNm,
       &PictureOptions::wavelengthNm},
      {kQualityPage, "focus", "&Focus", "",
       "best: the flat plane of least mean RMS wavefront error over the three field points; "
       "paraxial: the paraxial image plane, as the spot diagrams.",
       {0.0, 1.0, true}, 1.0, &PictureOptions::focusChoice, kFocusChoices},
      {kQualityPage, "grid", "&Pupil grid", "cells",
       "Pupil cells across the primary; the point image is computed on four times as many "
       "samples. Finer is slower.",
       {quality::kLeastQualityGrid, quality::kMostQualityGrid, true},
       quality::kDefaultQualityGrid, &PictureOptions::pupilGrid},
      {kBafflesPage, "thickness", "&Blank thickness", "mm",
       "How far the primary's back lies behind its vertex, from 0 to the primary's diameter; "
       "empty for the classic 1:6 blank.",
       {0.0, HUGE_VAL}, kNotGiven, &PictureOptions::blankThicknessMm, nullptr, "D / 6"},
      {kBafflesPage, "focus clearance", "Focus &clearance", "mm",
       "Least distance wanted from the primary's back to the focus. 50 mm: a 2-inch "
       "focuser's drawtube travels some 40 mm, and 10 mm more keep it clear of the cell.",
       kAnyLength, kWindowFocusClearanceMm, &PictureOptions::focusClearanceMm},
      {kCollimationPage, "budget", "&Budget", "waves RMS",
       "The wavefront error, in waves at 550 nm, that each misalignment alone may add to "
       "the image on the axis.",
       {collimation::kLeastBudgetWaves, collimation::kMostBudgetWaves},
       collimation::kDefaultBudgetWaves, &PictureOptions::budgetWaves},
      {kLayoutPage, "despace", "&Despace", "mm",
       "Moves the secondary along the axis, toward the primary when positive.", kAnyLength,
       0.0, &PictureOptions::despaceMm},
      {kLayoutPage, "decenter", "D&ecenter", "mm",
       "Moves the secondary sideways, toward the side of the field's images when positive.",
       kAnyLength, 0.0, &PictureOptions::decenterMm},
      {kLayoutPage, "tilt", "&Tilt", "\xB0",
       "Tilts the secondary about the pivot; positive turns its face, and the axis' image, "
       "toward that side.",
       kAnyLength, 0.0, &PictureOptions::tiltDeg},
      {kLayoutPage, "pivot", "&Pivot", "mm",
       "The tilt's pivot on the axis, from the secondary's vertex toward the sky (0: the "
       "vertex).",
       kAnyLength, 0.0, &PictureOptions::pivotMm},
  };
  static const std::vector<OptionField> kAll = [] {
    std::vector<OptionField> all = kFields;
    for (const int page : {kQualityPage, kCollimationPage}) {
      const std::vector<OptionField> pupil = PupilFields(page);
      // After the page's own fields.
      auto after = all.begin();
      for (auto it = all.begin(); it != all.end(); ++it) {
        if (it->page == page) after = it + 1;
      }
      all.insert(after, pupil.begin(), pupil.end());
    }
    return all;
  }();
  return kAll;
}

bool PictureOptions::operator==(const PictureOptions& other) const {
  for (const OptionField& field : PictureOptionFields()) {
    if (!(this->*field.value == other.*field.value)) return false;
  }
  return true;
}

PictureOptions DefaultPictureOptions() {
  PictureOptions options;
  for (const OptionField& field : PictureOptionFields()) options.*field.value = field.defaultValue;
  return options;
}

std::string OptionFieldText(const OptionField& field, const PictureOptions& options) {
  const double value = options.*field.value;
  return value == kNotGiven ? std::string() : OptionNumberText(value);
}

std::string ReadOptionField(const OptionField& field, const std::string& text,
                            PictureOptions& options) {
  if (text.empty() && field.emptyMeans != nullptr) {
    options.*field.value = kNotGiven;
    return std::string();
  }
  return ReadNumberInRange(text, field.range, options.*field.value);
}

PictureOptions LoadPictureOptions(const WindowStore& store) {
  PictureOptions options = DefaultPictureOptions();
  for (const OptionField& field : PictureOptionFields()) {
    const std::optional<std::string> text = store.Get(kOptionsSection, field.key);
    // A hand-edited entry the field would refuse keeps the default.
    if (text) ReadOptionField(field, *text, options);
  }
  return options;
}

void StorePictureOption(WindowStore& store, const OptionField& field, const PictureOptions& options) {
  store.Set(kOptionsSection, field.key, OptionFieldText(field, options));
}

namespace {

double InUnit(double millimetres, LengthUnit unit) {
  return millimetres == kNotGiven ? kNotGiven : millimetres / MillimetresPerUnit(unit);
}

}  // namespace

quality::CentralObstruction PageObstruction(const PictureOptions& options,
                                            const DesignResult& design, LengthUnit unit) {
  quality::CentralObstruction obstruction;
  if (options.obstructionChoice != 1.0) return obstruction;
  const baffles::BaffleObstruction baffled =
      baffles::PlanObstruction(design, BaffleOptionsFor(options, unit));
  if (!baffled.ok()) return obstruction;
  obstruction.source = quality::ObstructionSource::Baffles;
  obstruction.diameter = baffled.diameter;
  return obstruction;
}

quality::Spider SpiderFor(const PictureOptions& options, LengthUnit unit) {
  quality::Spider spider;
  spider.vanes = static_cast<int>(options.spiderVanes);
  spider.width = InUnit(options.spiderWidthMm, unit);
  spider.angleDeg = options.spiderAngleDeg;
  return spider;
}

quality::QualityOptions QualityOptionsFor(const PictureOptions& options, const DesignResult& design,
                                          LengthUnit unit) {
  quality::QualityOptions quality;
  quality.obstruction = PageObstruction(options, design, unit);
  quality.spider = SpiderFor(options, unit);
  quality.wavelengthNm = options.wavelengthNm;
  quality.focus = options.focusChoice == 0.0 ? quality::FocusMode::Paraxial : quality::FocusMode::Best;
  quality.gridSize = static_cast<int>(options.pupilGrid);
  return quality;
}

baffles::BaffleOptions BaffleOptionsFor(const PictureOptions& options, LengthUnit unit) {
  baffles::BaffleOptions baffles;
  baffles.primaryThickness = InUnit(options.blankThicknessMm, unit);
  baffles.focusClearance = InUnit(options.focusClearanceMm, unit);
  return baffles;
}

collimation::ToleranceOptions ToleranceOptionsFor(const PictureOptions& options,
                                                  const DesignResult& design, LengthUnit unit) {
  collimation::ToleranceOptions tolerances;
  tolerances.obstruction = PageObstruction(options, design, unit);
  tolerances.spider = SpiderFor(options, unit);
  tolerances.budgetWaves = options.budgetWaves;
  return tolerances;
}

trace::SecondaryPerturbation SecondaryFor(const PictureOptions& options, LengthUnit unit) {
  trace::SecondaryPerturbation secondary;
  secondary.despace = InUnit(options.despaceMm, unit);
  secondary.decenter = InUnit(options.decenterMm, unit);
  secondary.tiltDeg = options.tiltDeg;
  secondary.pivot = InUnit(options.pivotMm, unit);
  return secondary;
}

}  // namespace spekulor::dialog
