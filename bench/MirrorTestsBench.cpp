// The whole test page of a primary on one core: the zones and their exact readings,
// the Couder mask, the two default Ronchigrams with their band edges and picture, and
// the reduction of measured readings with the best-fit conic (RunMirrorTests), for the
// start-up design and a 16-inch Dall-Kirkham with twelve zones.
#include <benchmark/benchmark.h>

#include "calc/Calculate.h"
#include "mirrortests/CouderMask.h"
#include "mirrortests/MirrorTestPage.h"
#include "mirrortests/RonchiPicture.h"
#include "drawing/SvgWriter.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::mirrortests;

namespace {

Calculation MirrorTestLayout(int index) {
  DesignFields fields;
  if (index == 1) {
    fields.m_nUnits = 0;
    fields.m_nType = 1;
    fields.m_strPriDia = "16";
    fields.m_strPriFoc = "56";
    fields.m_strSysFoc = "200";
    fields.m_strBackFocLen = "10";
  }
  return CompleteDesign(fields);
}

void BM_MirrorTestPage(benchmark::State& state) {
  const Calculation calculation = MirrorTestLayout(static_cast<int>(state.range(0)));
  MirrorTestOptions options;
  options.zoneCount = state.range(0) == 1 ? 12 : 0;
  options.readings = RunMirrorTests(calculation.design, calculation.read.unit, options).readings;
  for (size_t i = 0; i < options.readings.size(); ++i)
    options.readings[i] += 0.01 * static_cast<double>(i % 3);
  size_t bytes = 0;
  for (auto _ : state) {
    const MirrorTestPage page = RunMirrorTests(calculation.design, calculation.read.unit, options);
    bytes = WriteSvg(DrawCouderMask(page.primary, page.zones)).size() +
            WriteSvg(DrawRonchigrams(page.primary, page.ronchigrams)).size();
    benchmark::DoNotOptimize(page.reduction);
  }
  state.counters["svg_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MirrorTestPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
