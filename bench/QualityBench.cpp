// Image quality of the start-up design on one core: the three field points with the
// best focus found (pupil trace, wavefront, focus search, point image, MTF, encircled
// energy), at the default pupil grid of 128 and at 64; with the FFTW plans and buffers
// made once, as a caller making many analyses keeps them, and made inside each call,
// as the pictures window and spekulor-cli do; with a spider's vanes; and the whole page
// with its picture.
//
// Counters: peak_rss_MiB, the process's peak resident memory after the runs
// (getrusage; it includes the benchmark program itself, about 4 MiB), and
// transform_MiB, the workspace's transform and image buffers.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include "calc/Calculate.h"
#include "quality/ImageQuality.h"
#include "quality/QualityPictures.h"

using namespace spekulor::calc;
using namespace spekulor::quality;

namespace {

double PeakResidentMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // Linux gives KiB
}

// A point image's complex transform and its intensity, in MiB.
double TransformMiB(int grid) {
  const double samples = static_cast<double>(PointImageSize(grid)) * PointImageSize(grid);
  return samples * (16.0 + 8.0) / (1024.0 * 1024.0);
}

void SetCounters(benchmark::State& state, int grid) {
  state.counters["peak_rss_MiB"] = PeakResidentMiB();
  state.counters["transform_MiB"] = TransformMiB(grid);
}

void BM_ThreeFieldPointsBestFocus(benchmark::State& state) {
  const DesignResult design = CompleteDesign(DesignFields()).design;
  QualityOptions options;
  options.focus = FocusMode::Best;
  options.gridSize = static_cast<int>(state.range(0));
  QualityWorkspace workspace(options.gridSize);
  for (auto _ : state) {
    const QualitySet set = ComputeImageQuality(design, LengthUnit::Millimetre, options, workspace);
    benchmark::DoNotOptimize(set.fields[2].strehl);
  }
  SetCounters(state, options.gridSize);
  state.SetLabel("workspace kept");
}
BENCHMARK(BM_ThreeFieldPointsBestFocus)->Arg(64)->Arg(128)->Unit(benchmark::kMillisecond);

void BM_ThreeFieldPointsWorkspacePerCall(benchmark::State& state) {
  const DesignResult design = CompleteDesign(DesignFields()).design;
  const QualityOptions options;
  for (auto _ : state) {
    const QualitySet set = ComputeImageQuality(design, LengthUnit::Millimetre, options);
    benchmark::DoNotOptimize(set.fields[2].strehl);
  }
  SetCounters(state, options.gridSize);
  state.SetLabel("grid 128, workspace made per call");
}
BENCHMARK(BM_ThreeFieldPointsWorkspacePerCall)->Unit(benchmark::kMillisecond);

// As the pictures window and spekulor-cli make it with a spider: four vanes 1 % of the
// diameter wide across the skirt baffle's obstruction (40.3 % of the start-up design's
// diameter, as its baffle plan gives it), the workspace made per call.
void BM_ThreeFieldPointsWithSpider(benchmark::State& state) {
  const DesignResult design = CompleteDesign(DesignFields()).design;
  QualityOptions options;
  options.obstruction.source = ObstructionSource::Baffles;
  options.obstruction.diameter = 0.403 * design.PriDia;
  options.spider = Spider{4, 0.01 * design.PriDia, 45.0};
  for (auto _ : state) {
    const QualitySet set = ComputeImageQuality(design, LengthUnit::Millimetre, options);
    benchmark::DoNotOptimize(set.spider.peakRatio);
  }
  SetCounters(state, options.gridSize);
  state.SetLabel("grid 128, four vanes, workspace made per call");
}
BENCHMARK(BM_ThreeFieldPointsWithSpider)->Unit(benchmark::kMillisecond);

void BM_ImageQualityPage(benchmark::State& state) {
  const Calculation calculation = CompleteDesign(DesignFields());
  const QualityOptions options;
  for (auto _ : state) {
    const QualityPictures pictures = DrawQualityPictures(calculation, options);
    benchmark::DoNotOptimize(pictures.drawings.front().shapes.size());
  }
  SetCounters(state, options.gridSize);
  state.SetLabel("grid 128, analysis and picture");
}
BENCHMARK(BM_ImageQualityPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
