// The camera analysis of the start-up design with an APS-C sensor, on one core: the
// baffle plan, the illumination at nine points of the diagonal, the corner's three
// pupils and point image, the thermal focus; and the same with its picture, as the
// window's page "Camera" computes it. Target: under 100 ms.
#include <benchmark/benchmark.h>

#include "camera/CameraPage.h"
#include "camera/CameraPicture.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::camera;

namespace {

CameraOptions ApscOptions() {
  CameraOptions options;
  options.sensor.pixelUm = 3.76;
  options.sensor.widthMm = 23.5;
  options.sensor.heightMm = 15.7;
  options.material = TubeMaterial::Aluminium;
  return options;
}

void BM_CameraPage(benchmark::State& state) {
  const DesignResult design = Complete(StartupFields(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    CameraPage page = ComputeCameraPage(design, LengthUnit::Millimetre, ApscOptions());
    benchmark::DoNotOptimize(page);
  }
}
BENCHMARK(BM_CameraPage)->Arg(kClassical)->Arg(kRitcheyChretien)->Unit(benchmark::kMillisecond);

void BM_CameraPageAndPicture(benchmark::State& state) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  for (auto _ : state) {
    const CameraPage page = ComputeCameraPage(design, LengthUnit::Millimetre, ApscOptions());
    auto drawing = BuildCameraPicture(page, TelescopeType::RitcheyChretien);
    benchmark::DoNotOptimize(drawing);
  }
}
BENCHMARK(BM_CameraPageAndPicture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
