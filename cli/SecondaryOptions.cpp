#include "SecondaryOptions.h"

#include <cmath>
#include <string>

namespace {

const CLI::Validator kFiniteNumber(
    [](std::string& text) {
      double value = 0.0;
      if (!CLI::detail::lexical_cast(text, value) || !std::isfinite(value)) {
        return "not a finite number: " + text;
      }
      return std::string();
    },
    "");

}  // namespace

void AddSecondaryOptions(CLI::App& command, SecondaryPerturbation& secondary) {
  const char* const group = "Secondary misalignment";
  command
      .add_option("--despace", secondary.despace,
                  "Move the secondary along the axis by X (design unit), toward the primary "
                  "when positive")
      ->check(kFiniteNumber)
      ->type_name("X")
      ->group(group);
  command
      .add_option("--decenter", secondary.decenter,
                  "Move the secondary sideways by Y (design unit), when positive toward the "
                  "side where the field's images lie (positive centroids)")
      ->check(kFiniteNumber)
      ->type_name("Y")
      ->group(group);
  command
      .add_option("--tilt", secondary.tiltDeg,
                  "Tilt the secondary by DEG degrees about the pivot; positive turns its face, "
                  "and the axis' image, toward that side")
      ->check(kFiniteNumber)
      ->type_name("DEG")
      ->group(group);
  command
      .add_option("--pivot", secondary.pivot,
                  "The tilt's pivot on the axis, Z (design unit) from the secondary's vertex "
                  "toward the sky (default 0, the vertex)")
      ->check(kFiniteNumber)
      ->type_name("Z")
      ->group(group);
}
