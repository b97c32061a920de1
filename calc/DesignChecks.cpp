#include "calc/DesignChecks.h"

#include <cmath>
#include <string>

namespace spekulor::calc {

namespace {

// The window's names of the two inputs that fix the layout on each path, quoted as
// the required-input messages quote them.
struct PathInputs {
  const char* first;
  const char* second;
};

PathInputs InputsOf(SolvePath path) {
  switch (path) {
    case SolvePath::FromSystemFocus:
      return {"\"system focal length\"", "\"back focal length\""};
    case SolvePath::FromSecSysFocDist:
      return {"\"radius of curvature of secondary mirror\"",
              "\"distance secondary from system focus\""};
    case SolvePath::FromSecPriFocDist:
      return {"\"radius of curvature of secondary mirror\"",
              "\"distance secondary from prime focus\""};
    case SolvePath::FromBackFocLen:
      return {"\"radius of curvature of secondary mirror\"", "\"back focal length\""};
    case SolvePath::FromSecConic:
      return {"\"radius of curvature of secondary mirror\"", "\"secondary mirror conic constant\""};
  }
  return {"", ""};
}

std::string ChangeEither(SolvePath path) {
  const PathInputs inputs = InputsOf(path);
  return std::string("change the ") + inputs.first + " or the " + inputs.second + ".";
}

RuleOutcome Refuse(std::string message) {
  RuleOutcome outcome;
  outcome.error = CalcError::ImpossibleDesign;
  outcome.message = std::move(message);
  return outcome;
}

// Whether a conic of vertex radius `radius` and constant `conic` still has a surface at
// `height` from its axis: the sag z = c r^2 / (1 + sqrt(1 - (1 + K) c^2 r^2)) needs the
// root to exist (an oblate ellipsoid closes at r = R / sqrt(1 + K)). Schroeder,
// Astronomical Optics, 2nd ed., sec. 2.2.
bool ReachesHeight(double radius, double conic, double height) {
  const double c = 1.0 / radius;
  // Written so that values that are not numbers pass here and meet the finite check.
  return !(1.0 - (1.0 + conic) * c * c * height * height <= 0.0);
}

bool UsesSecondaryRadius(SolvePath path) { return path != SolvePath::FromSystemFocus; }

// Every completed value, except those the path leaves unset on purpose.
bool AllFinite(const DesignResult& d, SolvePath path) {
  const double values[] = {
      d.PriDia, d.FieldAng, d.PriFoc, d.SysFoc, d.BackFocLen, d.SecSysFocDist, d.SecPriFocDist,
      d.SecRadCur, d.PriConic, d.SecConic, d.FieldRad, d.SecMag, d.PriRadCur, d.PriSecDist,
      d.ClassicSecConic, d.SecMinDia, d.SecDia, d.LinObstruction, d.AreaObstruction, d.PriSag,
      d.SecSag, d.ComaCoef, d.AstigCoef, d.PetzvalCoef, d.FieldCurvCoef, d.ComaArcsec,
      d.AstigArcsec, d.LightGain, d.SparrowLimit, d.RayleighLimit, d.DawesLimit, d.MinMag,
      d.MinMagEyepiece, d.MaxMag, d.MaxMagEyepiece};
  for (double value : values) {
    if (!std::isfinite(value)) return false;
  }
  if (path == SolvePath::FromBackFocLen && !std::isfinite(d.PriSysFocDist)) return false;
  // A field curvature coefficient of exactly zero is a flat field: its radius is
  // infinite by right.
  return std::isfinite(d.FieldCurvRadius) || d.FieldCurvCoef == 0.0;
}

}  // namespace

RuleOutcome CheckCompletedDesign(const DesignInput& input, const DesignResult& design,
                                 SolvePath path) {
  if (!(input.PriDia > 0.0)) {
    return Refuse("The \"primary mirror diameter\" must be greater than 0.");
  }
  if (!(input.PriFoc > 0.0)) {
    return Refuse("The \"primary mirror focal length\" must be greater than 0.");
  }
  if (!(input.FieldAng >= 0.0)) {
    return Refuse("The \"fully illuminated field\" cannot be negative.");
  }
  if (UsesSecondaryRadius(path) && !(input.SecRadCur > 0.0)) {
    return Refuse("The \"radius of curvature of secondary mirror\" must be greater than 0: "
                  "it is the radius of the convex secondary, typed without a sign.");
  }
  if (path == SolvePath::FromSecConic && !(input.SecConic > 1.0)) {
    return Refuse("With a \"radius of curvature of secondary mirror\" the \"secondary mirror "
                  "conic constant\" is read as the magnitude of a classical secondary's conic "
                  "and must be greater than 1: a classical f/3 to f/12 secondary is typed as "
                  "2.78, not -2.78.");
  }
  if (!(design.SecMag > 1.0)) {
    return Refuse("The secondary mirror must enlarge the primary's image (a secondary "
                  "magnification greater than 1): " + ChangeEither(path));
  }
  if (!(design.SecPriFocDist > 0.0) || !(design.SecPriFocDist < design.PriFoc)) {
    return Refuse("The secondary must stand between the primary mirror and its focus: " +
                  ChangeEither(path));
  }
  if (!(design.SecSysFocDist > 0.0)) {
    return Refuse("The system focus must lie behind the secondary mirror: " + ChangeEither(path));
  }
  // A secondary size that is no number is left to the finite check, whose message fits.
  if (std::isfinite(design.SecDia) && !(design.SecDia < design.PriDia)) {
    return Refuse("The secondary mirror would be as large as the primary or larger: give a "
                  "smaller \"fully illuminated field\" or " + ChangeEither(path));
  }
  if (!ReachesHeight(design.PriRadCur, design.PriConic, design.PriDia / 2.0) ||
      !ReachesHeight(design.SecRadCur, design.SecConic, design.SecDia / 2.0)) {
    return Refuse("With these conic constants a mirror's surface closes before its edge: "
                  "change the \"primary mirror conic constant\" or the \"secondary mirror conic "
                  "constant\".");
  }
  if (!AllFinite(design, path)) {
    return Refuse("This design gives values that are not finite numbers: check the conic "
                  "constants, or " + ChangeEither(path));
  }
  return RuleOutcome();
}

}  // namespace spekulor::calc
