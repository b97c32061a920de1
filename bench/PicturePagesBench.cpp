// The pictures window's pages on one core, the part off the window's thread: from the
// fields to the visible page computed (Calculate, then the page's analysis and
// drawings), one benchmark a tab, for the start-up design at the default grids. The
// window's thread adds only the building of the page's widgets (PicturesWindowBench).
#include <benchmark/benchmark.h>

#include "calc/Calculate.h"
#include "dialog/DesignPictureSet.h"
#include "dialog/MirrorTestSheet.h"
#include "dialog/MirrorTestsPage.h"
#include "dialog/PicturePages.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
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
    ->DenseRange(kLayoutPage, kCameraPage)
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

// Readings for every zone of the start-up design's primary, a little off its conic.
std::vector<double> OffReadings(const spekulor::mirrortests::MirrorTestPage& figures) {
  std::vector<double> readings = figures.readings;
  for (size_t i = 0; i < readings.size(); ++i) readings[i] += 0.01 * static_cast<double>(i % 3);
  return readings;
}

// One keystroke in the column "Measured" of the page "Mirror tests", on the window's
// thread: the typed reading read and, every zone having one, the reduction and the
// best-fit conic; the pictures are not touched.
void BM_MirrorTestsKeystroke(benchmark::State& state) {
  auto design = std::make_shared<const Calculation>(CompleteDesign(DesignFields()));
  auto figures = std::make_shared<const spekulor::mirrortests::MirrorTestPage>(DefaultMirrorTests(*design));
  MirrorTestSheet sheet(design, figures);
  const std::vector<double> readings = OffReadings(*figures);
  for (size_t i = 0; i < readings.size(); ++i) sheet.SetReading(i, FormatFixed(readings[i], 4));
  const std::string last = FormatFixed(readings.back(), 4);
  for (auto _ : state) {
    sheet.SetReading(readings.size() - 1, last);
    benchmark::DoNotOptimize(sheet.Reduction());
  }
}
BENCHMARK(BM_MirrorTestsKeystroke)->Unit(benchmark::kMicrosecond);

// The same keystroke were it to run the whole test page again with the readings: the
// Ronchigrams computed anew each time.
void BM_MirrorTestsKeystrokeByWholePage(benchmark::State& state) {
  const Calculation design = CompleteDesign(DesignFields());
  spekulor::mirrortests::MirrorTestOptions options;
  options.readings = OffReadings(DefaultMirrorTests(design));
  for (auto _ : state) {
    spekulor::mirrortests::MirrorTestPage page = RunMirrorTests(design.design, design.read.unit, options);
    benchmark::DoNotOptimize(page);
  }
}
BENCHMARK(BM_MirrorTestsKeystrokeByWholePage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
