#include "mirrortests/SecondaryTestText.h"

#include <algorithm>
#include <cmath>

#include "drawing/Drawing.h"
#include "trace/LengthText.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace spekulor::mirrortests {

namespace {

std::string Signed(double value, int decimals) {
  return (value >= 0.0 ? "+" : "") + FormatFixed(value, decimals);
}

// A label padded to the column of the values.
std::string Row(const std::string& label, const std::string& value) {
  std::string line = label;
  line.resize(std::max<size_t>(label.size() + 1, 34), ' ');
  return line + value;
}

// Four decimals; a null below them says so rather than print zeros.
std::string Waves(double waves) {
  return (waves < 0.00005 ? std::string("below 0.0001") : FormatFixed(waves, 4)) + " waves RMS";
}

std::string Column(std::string text, size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::string HindleProblemText(HindleProblem problem, double detail, LengthUnit unit) {
  switch (problem) {
    case HindleProblem::None:
      return "";
    case HindleProblem::NotAHyperboloid:
      if (detail == 0.0) {
        return "The secondary is a sphere (conic 0): it has no Hindle test. Test it against a "
               "matching concave test plate, interferometrically (Newton's rings).";
      }
      if (detail > 0.0) {
        return "The secondary is an oblate ellipsoid (conic " + Signed(detail, 4) +
               "): it has no Hindle test. Test it through its back, or against a matching "
               "concave test plate.";
      }
      return "The secondary is " +
             std::string(detail == -1.0 ? "a paraboloid" : "a prolate ellipsoid") +
             " (conic " + Signed(detail, 4) +
             "): it has no Hindle test, which needs a hyperboloid (conic below -1). Test it "
             "through its back, or against a matching concave test plate.";
    case HindleProblem::SphereTooSmall:
      return "The sphere's radius must exceed the secondary's near focal distance, " +
             LengthText(detail, unit) + ".";
    case HindleProblem::SphereTooLarge:
      return "The sphere's radius must stay below the distance of the secondary's two foci, " +
             LengthText(detail, unit) + ".";
    case HindleProblem::NotFinite:
      return "The secondary's radius, conic or diameter is not a finite number.";
  }
  return "";
}

std::string RefitProblemText(RefitProblem problem, double detail, LengthUnit unit) {
  switch (problem) {
    case RefitProblem::None:
      return "";
    case RefitProblem::NotFinite:
      return "The measured radii must be positive numbers and the conic a finite number.";
    case RefitProblem::NoTelescope:
      return std::isfinite(detail)
                 ? "No place of the secondary keeps that figure: it would stand " +
                       LengthText(detail, unit) +
                       " before the primary's focus, outside the primary's light cone."
                 : "No place of the secondary keeps that figure.";
    case RefitProblem::NotTraceable:
      return "The refitted telescope loses its light on the exact trace.";
  }
  return "";
}

std::vector<std::string> SecondaryTestLines(const SecondaryTest& test,
                                            const SecondaryTestOptions& options,
                                            TelescopeType type, LengthUnit unit,
                                            double wavelengthNm) {
  const HindleLayout& l = test.layout;
  std::vector<std::string> lines;
  lines.push_back(std::string("Hindle sphere test of the ") + TelescopeTypeName(type) +
                  "'s secondary (radius " + LengthText(test.input.secondaryRoc, unit) + ", conic " +
                  Signed(test.input.secondaryConic, 4) + ")");
  lines.push_back("Foci " + LengthText(l.nearFocus, unit) + " behind and " +
                  LengthText(l.farFocus, unit) + " in front of the secondary's vertex");
  lines.push_back("");
  lines.push_back(Row("Sphere radius", LengthText(l.sphereRadius, unit)) +
                  (options.sphereRadius > 0.0 ? ""
                                              : "  (the smallest that tests all the telescope uses)"));
  lines.push_back(Row("Sphere diameter", LengthText(l.sphereDiameter, unit)));
  lines.push_back(Row("Sphere vertex to secondary", LengthText(l.sphereToSecondary, unit)));
  lines.push_back(Row("Hole in the sphere", LengthText(l.holeDiameter, unit)));
  lines.push_back(Row("Tested diameter", LengthText(test.input.testedDiameter, unit)));
  lines.push_back(Row("Untested centre", LengthText(l.untestedDiameter, unit)));
  lines.push_back(Row("Centre the telescope never uses", LengthText(l.unusedCentre, unit)));
  lines.push_back("");
  lines.push_back("Source and eye at the far focus, " + LengthText(l.farFocus, unit) +
                  " in front of the secondary, through the hole in the sphere.");
  if (l.largerThanPrimary) {
    lines.push_back("The sphere is larger than the primary (" + LengthText(l.sphereDiameter, unit) +
                    " across against " + LengthText(test.input.primaryDiameter, unit) +
                    "); one as large as the primary (radius " +
                    LengthText(l.primarySizedRadius, unit) + ") leaves " +
                    LengthText(l.primarySizedUntested, unit) + " untested.");
  }
  const std::string at = " at " + FormatFixed(wavelengthNm, 0) + " nm";
  lines.push_back("Null on the exact double pass: " + Waves(test.null.rmsWaves) + at);
  if (options.conicError != 0.0) {
    lines.push_back("Secondary figured to a conic " + Signed(options.conicError, 4) +
                    " off: the test reads " + Waves(test.withError.rmsWaves) +
                    ", the telescope's axis " + Waves(test.telescopeRmsWaves) + " (refocused)");
    lines.push_back("The test sees the whole secondary, twice; the axis beam uses only its "
                    "middle: the test reads several times the telescope's error.");
  }
  return lines;
}

std::vector<std::string> RefitLines(const DesignResult& design, const RefitRequest& request,
                                    const RefitResult& refit, TelescopeType type,
                                    LengthUnit unit, double wavelengthNm) {
  const DesignResult& g = refit.design;
  std::vector<std::string> lines;
  lines.push_back(std::string("The ") + TelescopeTypeName(type) +
                  " finished from the mirrors as made, keeping the " +
                  (request.keep == RefitKeep::BackFocus ? "back focal length"
                                                        : "system focal length"));
  lines.push_back(request.secondaryRoc > 0.0
                      ? "Secondary made: the spacing for its radius, and the conic to figure it to"
                      : "Secondary not yet made: its radius, conic and spacing, keeping its "
                        "share of the primary's light cone");
  lines.push_back("");
  const int lengthDecimals = unit == LengthUnit::Inch ? 4 : 3;
  const size_t width = 14;
  lines.push_back(Row("", Column("Design", width) + Column("Refit", width) +
                              Column("Change", width)));
  struct Figure {
    const char* name;
    double design;
    double refit;
    bool length;
  };
  const Figure figures[] = {
      {"Primary radius", design.PriRadCur, g.PriRadCur, true},
      {"Primary conic", design.PriConic, g.PriConic, false},
      {"Secondary radius", design.SecRadCur, g.SecRadCur, true},
      {"Secondary conic", design.SecConic, g.SecConic, false},
      {"Mirror distance", design.PriSecDist, g.PriSecDist, true},
      {"System focal length", design.SysFoc, g.SysFoc, true},
      {"Back focal length", design.BackFocLen, g.BackFocLen, true},
  };
  for (const Figure& f : figures) {
    const int decimals = f.length ? lengthDecimals : 5;
    lines.push_back(Row(std::string(f.name) + (f.length ? std::string(",") + UnitSuffix(unit)
                                                        : std::string()),
                        Column(FormatFixed(f.design, decimals), width) +
                            Column(FormatFixed(f.refit, decimals), width) +
                            Column(Signed(f.refit - f.design, decimals), width)));
  }
  lines.push_back("");
  const std::string at = " at " + FormatFixed(wavelengthNm, 0) + " nm";
  lines.push_back("Axis, refocused: " + Waves(refit.axisRmsWaves) + at);
  lines.push_back("Edge of the field, own best focus: " + Waves(refit.edgeRmsWaves) +
                  " (the design: " + Waves(refit.designEdgeRmsWaves) + ")");
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace spekulor::mirrortests
