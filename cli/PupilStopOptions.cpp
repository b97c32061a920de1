#include "cli/PupilStopOptions.h"

#include <cmath>

#include "baffles/BafflePlan.h"
#include "cli/NumberOptions.h"

using namespace spekulor::calc;
using namespace spekulor::quality;
using namespace spekulor::baffles;

namespace spekulor::cli {

namespace {

const char* const kObstructionNames[] = {"secondary", "baffles"};

}  // namespace

void AddPupilStopOptions(CLI::App& command, PupilStopOptions& options) {
  const char* const group = "Obstruction and spider";
  command
      .add_option("--obstruction", options.obstruction,
                  "Central obstruction of the pupil: secondary (its disc) or baffles (the skirt "
                  "baffle's, as spekulor-cli baffles plans it); default baffles when the design "
                  "can be baffled, else secondary")
      ->check(CLI::IsMember({kObstructionNames[0], kObstructionNames[1]}))
      ->type_name("secondary|baffles")
      ->group(group);
  CLI::Option* vanes =
      command
          .add_option("--spider-vanes", options.spider.vanes,
                      "Straight vanes of the secondary's spider, evenly spaced, from the "
                      "obstruction's edge to the primary's rim (default 0, none)")
          ->transform(WholeNumber(0, kMostSpiderVanes))
          ->type_name("N")
          ->group(group);
  command
      .add_option("--spider-width", options.spider.width,
                  "Each vane's width W (design unit), above 0 and at most a tenth of the "
                  "primary's diameter")
      ->transform(DecimalNumber(0.0, HUGE_VAL))
      ->type_name("W")
      ->needs(vanes)
      ->group(group);
  command
      .add_option("--spider-angle", options.spider.angleDeg,
                  "The first vane's direction in degrees, from across the field toward the "
                  "field's side (default 0)")
      ->transform(DecimalNumber(-HUGE_VAL, HUGE_VAL))
      ->type_name("DEG")
      ->needs(vanes)
      ->group(group);
}

CommandOutput ResolvePupilStops(const PupilStopOptions& options, const DesignResult& design,
                                LengthUnit unit, CentralObstruction& obstruction) {
  const Spider& spider = options.spider;
  if (spider.vanes > 0 && !(spider.width > 0.0)) {
    return UsageError("--spider-vanes: " + std::to_string(spider.vanes) +
                      " vanes need a --spider-width above 0");
  }
  const double widest = kMostSpiderWidthFraction * design.PriDia;
  if (spider.width > widest) {
    return UsageError(DesignRangeText("--spider-width", spider.width, 0.0, widest, unit));
  }
  obstruction = CentralObstruction();
  if (options.obstruction == kObstructionNames[0]) return CommandOutput();
  const BaffleObstruction baffled = PlanObstruction(design);
  if (baffled.ok()) {
    obstruction.source = ObstructionSource::Baffles;
    obstruction.diameter = baffled.diameter;
  } else if (options.obstruction == kObstructionNames[1]) {
    return CannotAnalyse(BaffleRefusalText(baffled.problem));
  }
  return CommandOutput();
}

}  // namespace spekulor::cli
