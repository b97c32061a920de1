// The baffle plan of a completed design on one core: the first-order and the exact
// solve of the two baffles, the central hole, and the exact-trace checks that confirm
// them (PlanBaffles); and the same with both pictures drawn, as the pictures window's
// page "Baffles and hole" asks for it.
#include <benchmark/benchmark.h>

#include "baffles/BafflePictures.h"
#include "baffles/BafflePlan.h"
#include "calc/Calculate.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::baffles;

namespace {

// The start-up design and the f/12 layout whose first-order baffles are a worked example.
DesignFields Layout(int index) {
  return index == 1 ? F12Fields(kRitcheyChretien) : StartupFields(kRitcheyChretien);
}

void BM_PlanBaffles(benchmark::State& state) {
  const DesignResult design = CompleteDesign(Layout(static_cast<int>(state.range(0)))).design;
  int checked = 0;
  for (auto _ : state) {
    const BafflePlan plan = PlanBaffles(design, BaffleOptions());
    checked = plan.fieldRays.rays + plan.skyLines.lines;
    benchmark::DoNotOptimize(plan.baffles.skirtRadius);
  }
  state.SetLabel(std::string(state.range(0) == 0 ? "start-up" : "f/12") + ", " +
                 std::to_string(checked) + " rays and lines checked");
}
BENCHMARK(BM_PlanBaffles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DrawBafflePictures(benchmark::State& state) {
  const Calculation calculation = CompleteDesign(Layout(0));
  for (auto _ : state) {
    const BafflePictures pictures = DrawBafflePictures(calculation);
    benchmark::DoNotOptimize(pictures.drawings.size());
  }
  state.SetLabel("start-up");
}
BENCHMARK(BM_DrawBafflePictures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
