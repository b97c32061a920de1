// Image quality of the start-up design on one core: the three field points at a pupil
// grid of 128 with the best focus found (trace, wavefront, point image, MTF, encircled
// energy), with the FFTW plans and buffers made once, as a caller making many analyses keeps them;
// and the same with them made inside each call.
#include <benchmark/benchmark.h>

#include "Calculate.h"
#include "ImageQuality.h"

namespace {

DesignResult StartupDesign() { return CompleteDesign(DesignFields()).design; }

void BM_ThreeFieldPointsBestFocus(benchmark::State& state) {
  const DesignResult design = StartupDesign();
  QualityOptions options;
  options.focus = FocusMode::Best;
  options.gridSize = static_cast<int>(state.range(0));
  QualityWorkspace workspace(options.gridSize);
  for (auto _ : state) {
    const QualitySet set = ComputeImageQuality(design, LengthUnit::Millimetre, options, workspace);
    benchmark::DoNotOptimize(set.fields[2].strehl);
  }
  state.SetLabel("grid " + std::to_string(options.gridSize) + ", best focus");
}
BENCHMARK(BM_ThreeFieldPointsBestFocus)->Arg(128)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_ThreeFieldPointsWithPlanning(benchmark::State& state) {
  const DesignResult design = StartupDesign();
  const QualityOptions options;
  for (auto _ : state) {
    const QualitySet set = ComputeImageQuality(design, LengthUnit::Millimetre, options);
    benchmark::DoNotOptimize(set.fields[2].strehl);
  }
  state.SetLabel("grid 128, best focus, workspace made per call");
}
BENCHMARK(BM_ThreeFieldPointsWithPlanning)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
