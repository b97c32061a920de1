// One full Calculate (reading the twelve values, the rules, the solver, aberrations,
// performance and the report text) against its floor: formatting the report's own
// numbers with snprintf alone, which no implementation of the report can avoid.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "calc/Report.h"

using namespace spekulor::calc;

namespace {

// The numbers one report prints, with their formats, from the start-up design.
struct PrintedNumber {
  double value;
  const char* format;
};

std::vector<PrintedNumber> ReportNumbers(const DesignResult& d) {
  const char* f4 = "%11.4f";
  return {
      {d.PriDia, f4}, {d.PriFoc, f4}, {d.PriFoc / d.PriDia, "%0.1f"}, {d.PriConic, f4},
      {d.PriSag, f4}, {d.SecMinDia, f4}, {d.SecDia, f4}, {d.SecRadCur, f4}, {d.SecMag, f4},
      {d.SecConic, f4}, {d.SecSag, f4}, {d.SysFoc, f4}, {d.SysFoc / d.PriDia, "%0.1f"},
      {d.BackFocLen, f4}, {d.LinObstruction, f4}, {d.AreaObstruction, f4},
      {d.SecSysFocDist, f4}, {d.SecPriFocDist, f4}, {d.PriSecDist, f4}, {d.ComaCoef, f4},
      {d.AstigCoef, f4}, {d.PetzvalCoef, f4}, {d.FieldCurvCoef, f4}, {d.ComaArcsec, f4},
      {d.AstigArcsec, f4}, {d.FieldCurvRadius, f4}, {d.LightGain, "%8.1f"},
      {d.SparrowLimit, "%9.2f"}, {d.RayleighLimit, "%9.2f"}, {d.DawesLimit, "%9.2f"},
      {d.MinMag, "%8.1f"}, {d.MinMagEyepiece, "%0.1f"}, {d.MaxMag, "%8.1f"},
      {d.MaxMagEyepiece, "%0.1f"},
  };
}

void BM_Calculate(benchmark::State& state) {
  const DesignFields fields;  // the start-up design
  for (auto _ : state) {
    CalculateOutcome outcome = Calculate(fields);
    benchmark::DoNotOptimize(outcome.report.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Calculate);

void BM_SnprintfFloor(benchmark::State& state) {
  const std::vector<PrintedNumber> numbers = ReportNumbers(CompleteDesign(DesignFields()).design);
  char buffer[64];
  for (auto _ : state) {
    for (const PrintedNumber& n : numbers) {
      benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, n.format, n.value));
      benchmark::ClobberMemory();
    }
  }
}
BENCHMARK(BM_SnprintfFloor);

}  // namespace

BENCHMARK_MAIN();
