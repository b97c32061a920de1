// The secondary's tests on one core: the Hindle sphere of the start-up Ritchey-Chretien
// with its exact double pass (perfect and with a conic error) and the telescope's axis
// beside it; and the refit of the telescope to a primary of another radius and conic.
#include <benchmark/benchmark.h>

#include "calc/Calculate.h"
#include "mirrortests/Refit.h"
#include "mirrortests/SecondaryTest.h"

using namespace spekulor::calc;
using namespace spekulor::mirrortests;

namespace {

constexpr double kTestWavelengthMm = 550e-6;

DesignResult StartupLayout() {
  DesignFields fields;
  fields.m_nType = 2;
  return CompleteDesign(fields).design;
}

void BM_SecondaryTest(benchmark::State& state) {
  const DesignResult design = StartupLayout();
  for (auto _ : state) {
    const SecondaryTest test = TestSecondary(design, {0.0, 0.1, kTestWavelengthMm});
    benchmark::DoNotOptimize(test.withError.rmsWaves);
  }
  state.SetLabel("layout, two double passes, the telescope's axis");
}
BENCHMARK(BM_SecondaryTest)->Unit(benchmark::kMillisecond);

void BM_Refit(benchmark::State& state) {
  const DesignResult design = StartupLayout();
  const double made = state.range(0) != 0 ? design.SecRadCur : 0.0;
  for (auto _ : state) {
    const RefitResult refit = RefitTelescope(
        design, {design.PriRadCur * 1.01, design.PriConic + 0.04, made, RefitKeep::BackFocus},
        kTestWavelengthMm);
    benchmark::DoNotOptimize(refit.axisRmsWaves);
  }
  state.SetLabel(made != 0.0 ? "secondary made" : "secondary not yet made");
}
BENCHMARK(BM_Refit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

