// The analyses' options the pictures window offers beside its pages, each a field of a
// small table: the page it belongs to, its label, unit, range, default, tooltip and the
// key it is kept under in the window's configuration store. A new option is a member
// of PictureOptions, a row of PictureOptionFields and its use in the Options-for
// function of its analysis.
//
// The fields read their text as the command line reads the same option
// (support/NumberRange.h, the same ranges), and an analysis refuses a value it cannot
// use (a blank thicker than the primary is wide, a tilt the trace cannot take) on its
// page, as it refuses the same value on the command line. Lengths are millimetres
// whatever the design's unit: a focuser is measured in millimetres.
#ifndef SPEKULOR_DIALOG_PICTUREOPTIONS_H
#define SPEKULOR_DIALOG_PICTUREOPTIONS_H

#include <string>
#include <vector>

#include "baffles/BafflePlan.h"
#include "calc/DesignInput.h"
#include "collimation/Tolerances.h"
#include "dialog/WindowStore.h"
#include "quality/CentralObstruction.h"
#include "quality/ImageQuality.h"
#include "quality/Spider.h"
#include "support/NumberRange.h"
#include "trace/SecondaryPerturbation.h"

namespace spekulor::dialog {

// The focus clearance the window starts with: a 2-inch Crayford focuser's drawtube
// travels some 40 mm, and 10 mm more keep its body clear of the primary's cell; with
// the command line's 0 the focus would lie on the primary's back, out of any
// focuser's reach.
constexpr double kWindowFocusClearanceMm = 50.0;

// Constructed, the command line's defaults; DefaultPictureOptions, the window's.
struct PictureOptions {
  // Image quality.
  double wavelengthNm = calc::kReferenceWavelengthNm;
  double focusChoice = 1.0;  // an index of kFocusChoices: best
  double pupilGrid = quality::kDefaultQualityGrid;
  // Baffles and hole.
  double blankThicknessMm = calc::kNotGiven;  // the primary's diameter / 6
  double focusClearanceMm = 0.0;
  // Image quality and Collimation: the pupil's central obstruction and the spider.
  double obstructionChoice = 1.0;  // an index of kObstructionChoices: the baffles'
  double spiderVanes = 0.0;
  double spiderWidthMm = 0.0;
  double spiderAngleDeg = 0.0;
  // Collimation.
  double budgetWaves = collimation::kDefaultBudgetWaves;
  // Layout and spot diagrams: the secondary as collimation left it.
  double despaceMm = 0.0;
  double decenterMm = 0.0;
  double tiltDeg = 0.0;
  double pivotMm = 0.0;

  bool operator==(const PictureOptions& other) const;
  bool operator!=(const PictureOptions& other) const { return !(*this == other); }
};

struct OptionField {
  int page;               // a PicturePageIndex
  const char* key;        // its entry in the store's section "Options"
  const char* label;      // Windows-1252, with its mnemonic's ampersand
  const char* unit;       // after the field; empty for none
  const char* tooltip;    // what it is, and why its default
  support::NumberRange range;
  double defaultValue;    // calc::kNotGiven for an empty field (see emptyMeans)
  double PictureOptions::*value;
  // A choice among these names, ending with null (the value is the index); null for a
  // typed number.
  const char* const* choices = nullptr;
  // The field may be left empty, which means this (the analysis' own default); null
  // when it may not.
  const char* emptyMeans = nullptr;
};

extern const char* const kFocusChoices[];        // "paraxial", "best", null
extern const char* const kObstructionChoices[];  // "secondary", "baffles", null

const std::vector<OptionField>& PictureOptionFields();

// Every option at its field's default.
PictureOptions DefaultPictureOptions();

// The field's value as its entry shows it: empty for kNotGiven, otherwise the number in
// its shortest exact form ("." as the point).
std::string OptionFieldText(const OptionField& field, const PictureOptions& options);

// Reads the field's text into `options`: empty text (for a field that may be empty),
// or a number within the field's range. Returns the empty text, or the refusal the
// command line gives for the same text, and then leaves `options` alone.
std::string ReadOptionField(const OptionField& field, const std::string& text,
                            PictureOptions& options);

// The options as stored, each missing or unusable entry at its default.
PictureOptions LoadPictureOptions(const WindowStore& store);
void StorePictureOption(WindowStore& store, const OptionField& field, const PictureOptions& options);

// The analyses' own options, lengths in the design's `unit`.
baffles::BaffleOptions BaffleOptionsFor(const PictureOptions& options, calc::LengthUnit unit);
// The Image quality and Collimation pages' central obstruction: with "baffles", the skirt
// baffle of the plan the Baffles page draws (the same blank and focus clearance) when
// the design can be baffled, the secondary's otherwise, as the command line's default.
quality::CentralObstruction PageObstruction(const PictureOptions& options,
                                            const calc::DesignResult& design, calc::LengthUnit unit);
quality::Spider SpiderFor(const PictureOptions& options, calc::LengthUnit unit);
quality::QualityOptions QualityOptionsFor(const PictureOptions& options,
                                          const calc::DesignResult& design, calc::LengthUnit unit);
collimation::ToleranceOptions ToleranceOptionsFor(const PictureOptions& options,
                                                  const calc::DesignResult& design,
                                                  calc::LengthUnit unit);
trace::SecondaryPerturbation SecondaryFor(const PictureOptions& options, calc::LengthUnit unit);

}  // namespace spekulor::dialog

#endif
