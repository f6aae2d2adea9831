// The magnifier's work per mouse move once the screen square is copied: the
// grid into the main image and the small preview. It has to stay far below a
// millisecond so the magnifier keeps up with any mouse.
#include <benchmark/benchmark.h>

#include <array>

#include "tools/get_color_model.h"

namespace kolo {
namespace {

void BM_PickRepaint(benchmark::State& state) {
  GetColorModel model;
  for (int y = 0; y < kCaptureSide; ++y)
    for (int x = 0; x < kCaptureSide; ++x) model.SetPixel(x, y, MakeColor(x * 8, y * 8, (x + y) * 4));
  model.ChangeCountBox(static_cast<int>(state.range(0)));
  while (model.ZoomIn()) {
  }
  WorkPicture work;
  std::array<std::uint8_t, kPreviewBytes> preview{};
  for (auto _ : state) {
    model.DrawGrid(work);
    model.DrawPreview(preview.data());
    benchmark::DoNotOptimize(work.Bits());
    benchmark::DoNotOptimize(preview.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PickRepaint)->Arg(16)->Arg(2)->Arg(32)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kolo
