// The colour-space tab redraws its whole plane on every change of the fixed
// component and markers only on a drag step; both must stay well inside a
// frame. One full redraw per model and view, and one drag step (pick, store,
// marker position) in each view.
#include <benchmark/benchmark.h>

#include "frame/work_picture.h"
#include "tools/palette_plane.h"

namespace kolo {
namespace {

PaletteModel ModelFor(int model, int view) {
  PaletteModel m;
  m.currentModel = model;
  if (model != pmCMYK) m.viewType[static_cast<std::size_t>(model)] = view;
  m.ReadCurrentColor(MakeColor(200, 120, 40));
  return m;
}

void BM_FullRedraw(benchmark::State& state) {
  const int model = static_cast<int>(state.range(0)), view = static_cast<int>(state.range(1));
  PaletteModel m = ModelFor(model, view);
  WorkPicture picture;
  LookupTables::Get();
  for (auto _ : state) {
    DrawPlane(m, picture);
    benchmark::DoNotOptimize(picture.Bits());
  }
  static const char* const kNames[] = {"", "RGB", "HSB", "Lab", "HLS", "CMYK", "CMY", "LMS"};
  static const char* const kViews[] = {"", "cartesian", "wheel", "ring"};
  state.SetLabel(std::string(kNames[model]) + " " + kViews[view]);
}

void RedrawArgs(benchmark::internal::Benchmark* b) {
  for (int model = 1; model <= kPaletteModels; ++model)
    for (int view = 1; view <= (model == pmCMYK ? 1 : 3); ++view) b->Args({model, view});
}
BENCHMARK(BM_FullRedraw)->Apply(RedrawArgs)->Unit(benchmark::kMicrosecond);

// One step of a drag across the plane: the pick, the stored colour and where
// the marker goes (the plane itself is not redrawn).
void BM_DragStep(benchmark::State& state) {
  PaletteModel m = ModelFor(pmLab, static_cast<int>(state.range(0)));
  m.pressState = 2;
  int x = 0;
  for (auto _ : state) {
    x = (x + 7) & 255;
    PickAt(m, x, 255 - x);
    benchmark::DoNotOptimize(m.Store());
    benchmark::DoNotOptimize(ValueMarker(m));
  }
}
BENCHMARK(BM_DragStep)->Arg(pvCartesian)->Arg(pvWheel)->Arg(pvRing);

}  // namespace
}  // namespace kolo
