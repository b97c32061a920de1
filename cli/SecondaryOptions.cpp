#include "cli/SecondaryOptions.h"

#include <cmath>

#include "cli/NumberOptions.h"

using namespace spekulor::trace;

namespace spekulor::cli {

void AddSecondaryOptions(CLI::App& command, SecondaryPerturbation& secondary) {
  const char* const group = "Secondary misalignment";
  const CLI::Validator finite = DecimalNumber(-HUGE_VAL, HUGE_VAL);
  command
      .add_option("--despace", secondary.despace,
                  "Move the secondary along the axis by X (design unit), toward the primary "
                  "when positive")
      ->transform(finite)
      ->type_name("X")
      ->group(group);
  command
      .add_option("--decenter", secondary.decenter,
                  "Move the secondary sideways by Y (design unit), when positive toward the "
                  "side where the field's images lie (positive centroids)")
      ->transform(finite)
      ->type_name("Y")
      ->group(group);
  command
      .add_option("--tilt", secondary.tiltDeg,
                  "Tilt the secondary by DEG degrees about the pivot; positive turns its face, "
                  "and the axis' image, toward that side")
      ->transform(finite)
      ->type_name("DEG")
      ->group(group);
  command
      .add_option("--pivot", secondary.pivot,
                  "The tilt's pivot on the axis, Z (design unit) from the secondary's vertex "
                  "toward the sky (default 0, the vertex)")
      ->transform(finite)
      ->type_name("Z")
      ->group(group);
}

}  // namespace spekulor::cli
