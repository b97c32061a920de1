// The pictures window's part on its own thread: building a tab's widgets from a page
// computed elsewhere, laid out and painted once offscreen, one benchmark a tab. This
// is all the window's thread does between a page's computation coming back and the
// page being shown; it is to stay within a frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTabWidget>
#include <cstdlib>
#include <vector>

#include "calc/Calculate.h"
#include "dialog/DesignPictureSet.h"
#include "app/PicturesWindow.h"

using namespace spekulor::calc;
using namespace spekulor::dialog;

namespace {

// The start-up design's page of the benchmark's tab, and a window at the size a user
// sees it with that tab current.
struct PageBench {
  explicit PageBench(benchmark::State& state)
      : page(static_cast<int>(state.range(0))),
        computed(DrawPicturePage(CompleteDesign(DesignFields()), page)) {
    state.SetLabel(PicturePageTitle(page));
    window.resize(860, 720);
    window.Tabs()->setCurrentIndex(page);
    frame = QImage(window.size(), QImage::Format_ARGB32_Premultiplied);
  }
  const int page;
  const PicturePage computed;
  PicturesWindow window;
  QImage frame;
};

void BM_BuildPageWidgets(benchmark::State& state) {
  PageBench bench(state);
  const int page = bench.page;
  const PicturePage& computed = bench.computed;
  PicturesWindow& window = bench.window;
  QImage& frame = bench.frame;
  for (auto _ : state) {
    window.SetPage(page, computed);
    window.render(&frame);  // lays out and paints the tab, as the next frame does
    QApplication::processEvents();
  }
}
BENCHMARK(BM_BuildPageWidgets)
    ->DenseRange(kLayoutPage, kMirrorTestsPage)
    ->Unit(benchmark::kMillisecond);

// A tab of a design already shown, painted again (opened anew or uncovered): its
// widgets are there, painted at their size once.
void BM_RepaintShownPage(benchmark::State& state) {
  PageBench bench(state);
  bench.window.SetPage(bench.page, bench.computed);
  bench.window.render(&bench.frame);
  for (auto _ : state) bench.window.render(&bench.frame);
}
BENCHMARK(BM_RepaintShownPage)
    ->DenseRange(kLayoutPage, kMirrorTestsPage)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Offscreen unless told otherwise: the benchmark needs no display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
