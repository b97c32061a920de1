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

namespace {

void BM_BuildPageWidgets(benchmark::State& state) {
  const int page = static_cast<int>(state.range(0));
  state.SetLabel(PicturePageTitle(page));
  const PicturePage computed = DrawPicturePage(CompleteDesign(DesignFields()), page);
  PicturesWindow window;
  window.resize(860, 720);
  window.Tabs()->setCurrentIndex(page);
  QImage frame(window.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    window.SetPage(page, computed);
    window.render(&frame);  // lays out and paints the tab, as the next frame does
    QApplication::processEvents();
  }
}
BENCHMARK(BM_BuildPageWidgets)
    ->DenseRange(kLayoutPage, kCollimationPage)
    ->Unit(benchmark::kMillisecond);

// A tab of a design already shown, painted again (opened anew or uncovered): its
// widgets are there, painted at their size once.
void BM_RepaintShownPage(benchmark::State& state) {
  const int page = static_cast<int>(state.range(0));
  state.SetLabel(PicturePageTitle(page));
  const PicturePage computed = DrawPicturePage(CompleteDesign(DesignFields()), page);
  PicturesWindow window;
  window.resize(860, 720);
  window.Tabs()->setCurrentIndex(page);
  window.SetPage(page, computed);
  QImage frame(window.size(), QImage::Format_ARGB32_Premultiplied);
  window.render(&frame);
  for (auto _ : state) window.render(&frame);
}
BENCHMARK(BM_RepaintShownPage)
    ->DenseRange(kLayoutPage, kCollimationPage)
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
