#include "dialog/MirrorTestsPage.h"

#include <memory>
#include <string>
#include <utility>

#include "calc/OpticalConstants.h"
#include "mirrortests/CouderMask.h"
#include "mirrortests/HindlePicture.h"
#include "mirrortests/RonchiPicture.h"
#include "mirrortests/SecondaryTestText.h"

using namespace spekulor::calc;
using namespace spekulor::mirrortests;

namespace spekulor::dialog {

namespace {

void AddReason(std::string& refusal, const std::string& reason) {
  if (!refusal.empty()) refusal += "\n\n";
  refusal += reason;
}

}  // namespace

MirrorTestPage DefaultMirrorTests(const Calculation& calculation) {
  return RunMirrorTests(calculation.design, calculation.read.unit, MirrorTestOptions());
}

PicturePage DrawMirrorTestsPage(const Calculation& calculation, const char* title) {
  const LengthUnit unit = calculation.read.unit;
  PicturePage page;
  page.title = title;
  auto figures = std::make_shared<const MirrorTestPage>(DefaultMirrorTests(calculation));
  if (figures->problem.ok()) {
    page.drawings.push_back(DrawCouderMask(figures->primary, figures->zones));
    page.drawings.push_back(DrawRonchigrams(figures->primary, figures->ronchigrams));
  } else {
    AddReason(page.refusal, "Cannot test this primary: " + FormatMirrorTestProblem(figures->problem));
  }
  page.mirrorTests = std::move(figures);

  SecondaryTestOptions options;
  options.wavelength = kWavelengthMm / MillimetresPerUnit(unit);
  const SecondaryTest secondary = TestSecondary(calculation.design, options);
  if (secondary.layout.problem == HindleProblem::None) {
    page.drawings.push_back(BuildHindlePicture(secondary, calculation.read.type, unit));
  } else {
    AddReason(page.refusal,
              HindleProblemText(secondary.layout.problem, secondary.layout.problemDetail, unit));
  }
  return page;
}

}  // namespace spekulor::dialog
