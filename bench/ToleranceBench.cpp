// Collimation on one core: the whole tolerance analysis (the aligned axis, six probes
// and the three tolerance searches on the exact trace) of the start-up design and of a
// Dall-Kirkham, whose despace search meets its residual spherical aberration; and the
// Collimation page, the analysis with its table and the four axis images.
#include <benchmark/benchmark.h>

#include "calc/Calculate.h"
#include "collimation/CollimationPictures.h"
#include "collimation/Tolerances.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::collimation;

namespace {

Calculation StartupCalculation(int type) { return CompleteDesign(StartupFields(type)); }

void BM_ToleranceAnalysis(benchmark::State& state) {
  const Calculation calculation = StartupCalculation(static_cast<int>(state.range(0)));
  int traces = 0;
  for (auto _ : state) {
    const ToleranceAnalysis analysis =
        AnalyseTolerances(calculation.design, calculation.read.unit, ToleranceOptions{});
    traces = 7;
    for (const ToleranceFound& found : analysis.tolerances) traces += found.traces;
    benchmark::DoNotOptimize(analysis.sensitivities.comaFreePivot);
  }
  state.SetLabel(std::string(state.range(0) == 2 ? "Ritchey-Chretien" : "Dall-Kirkham") + ", " +
                 std::to_string(traces) + " pupils of grid 64 traced");
}
BENCHMARK(BM_ToleranceAnalysis)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CollimationPage(benchmark::State& state) {
  const Calculation calculation = StartupCalculation(kRitcheyChretien);
  for (auto _ : state) {
    const CollimationPictures pictures = DrawCollimationPictures(calculation, ToleranceOptions{});
    benchmark::DoNotOptimize(pictures.axisImages.shapes.size());
  }
  state.SetLabel("analysis, table and four axis images");
}
BENCHMARK(BM_CollimationPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
