// The exact ray trace: rays per second through both mirrors on one core, and the three
// spot diagrams of 10 000 rays each that the window and spekulor-cli trace compute.
#include <benchmark/benchmark.h>

#include <vector>

#include "calc/Calculate.h"
#include "trace/RayTrace.h"
#include "trace/SpotDiagram.h"

using namespace spekulor::calc;
using namespace spekulor::trace;

namespace {

DesignResult StartupDesign() { return CompleteDesign(DesignFields()).design; }

// Rays of the edge of the field, prepared once; each iteration traces all of them from
// the start plane through the secondary's disc, the primary, the secondary and to the
// image plane.
void BM_TraceRays(benchmark::State& state) {
  const DesignResult design = StartupDesign();
  const Telescope telescope = BuildTelescope(design);
  const Vec3 direction = StarDirection(design.FieldRad / 2.0);
  const double startZ = StartPlane(telescope);
  std::vector<Vec3> origins;
  for (const SpotPoint& p : SquareGrid(design.PriDia / 2.0, design.PriDia / 120.0)) {
    origins.push_back(RayOriginThrough(telescope, p.x, p.y, direction, startZ));
  }
  for (auto _ : state) {
    double sum = 0.0;
    for (const Vec3& origin : origins) {
      const TracedRay ray = TraceRay(telescope, origin, direction);
      sum += ray.onImage.y;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(origins.size()));
}
BENCHMARK(BM_TraceRays);

// Sampling, tracing and statistics of the three field points, 10 000 rays each.
void BM_ThreeSpotDiagrams10000(benchmark::State& state) {
  const DesignResult design = StartupDesign();
  for (auto _ : state) {
    const SpotSet spots = ComputeSpotSet(design, LengthUnit::Millimetre, 10000);
    benchmark::DoNotOptimize(spots.spots[2].stats.rmsRadius);
  }
  state.SetLabel("3 x 10000 rays");
}
BENCHMARK(BM_ThreeSpotDiagrams10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
