// The harmony wheel repaints all 65,536 pixels whenever S or B on the radius,
// the harmony or the base colours change; it should take no more than 2 ms.
// Also the search that places a colour on the wheel (coarse and fine passes),
// which runs on every colour change from outside the tab.
#include <benchmark/benchmark.h>

#include "frame/work_picture.h"
#include "tools/wheel_model.h"

namespace kolo {
namespace {

void BM_WheelFullRepaint(benchmark::State& state) {
  WheelModel m;
  m.isSaturation = state.range(0) == 1;
  m.saturation = 70;
  m.brightness = 85;
  WorkPicture picture;
  LookupTables::Get();
  for (auto _ : state) {
    m.Draw(picture);
    benchmark::DoNotOptimize(picture.Bits());
  }
  state.SetLabel(m.isSaturation ? "radius S" : "radius B");
}
BENCHMARK(BM_WheelFullRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_WheelSearch(benchmark::State& state) {
  WheelModel m;
  const TColor target = state.range(0) == 1 ? MakeColor(255, 0, 0) : MakeColor(93, 151, 201);
  for (auto _ : state) {
    m.Search(target);
    benchmark::DoNotOptimize(m.wheelAngle);
  }
  state.SetLabel(state.range(0) == 1 ? "exact (pure red)" : "fine pass");
}
BENCHMARK(BM_WheelSearch)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kolo
