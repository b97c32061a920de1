// The pictures window's pages on one core, the part off the window's thread: from the
// fields to the visible page computed (Calculate, then the page's analysis and
// drawings), one benchmark a tab, for the start-up design at the default grids. The
// window's thread adds only the building of the page's widgets (PicturesWindowBench).
#include <benchmark/benchmark.h>

#include "calc/Calculate.h"
#include "dialog/DesignPictureSet.h"
#include "dialog/PicturePages.h"

using namespace spekulor::calc;
using namespace spekulor::dialog;

namespace {

void BM_CalculateAndComputePage(benchmark::State& state) {
  const int page = static_cast<int>(state.range(0));
  state.SetLabel(PicturePageTitle(page));
  for (auto _ : state) {
    const Calculation design = CompleteDesign(DesignFields());
    PicturePage computed = DrawPicturePage(design, page);
    benchmark::DoNotOptimize(computed);
  }
}
BENCHMARK(BM_CalculateAndComputePage)
    ->DenseRange(kLayoutPage, kCollimationPage)
    ->Unit(benchmark::kMillisecond);

// The four pages at once: what every Calculate cost before pages were computed on demand.
void BM_AllPages(benchmark::State& state) {
  const Calculation design = CompleteDesign(DesignFields());
  for (auto _ : state) {
    PictureSet set = DrawPictureSet(design);
    benchmark::DoNotOptimize(set);
  }
}
BENCHMARK(BM_AllPages)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
