// Cost per call of each colour-model conversion. The colour-space palette
// runs one per pixel, 65,536 per redraw.
#include <benchmark/benchmark.h>

#include "color/convert.h"

namespace kolo {
namespace {

// Walk through varied inputs so neither branch prediction nor constant folding
// flatters the numbers.
struct Inputs {
  double a = 0, b = 85, c = 170, d = 40;
  void Next() {
    a = a >= 255 ? 0 : a + 1;
    b = b >= 255 ? 0 : b + 3;
    c = c >= 255 ? 0 : c + 7;
    d = d >= 255 ? 0 : d + 11;
  }
};

template <typename Fn>
void Run3(benchmark::State& state, Fn fn) {
  Inputs in;
  for (auto _ : state) {
    auto out = fn(in.a, in.b, in.c);
    benchmark::DoNotOptimize(out);
    in.Next();
  }
}

void BM_RGBToHSB(benchmark::State& s) { Run3(s, RGBToHSB); }
void BM_HSBToRGB(benchmark::State& s) { Run3(s, HSBToRGB); }
void BM_RGBToHLS(benchmark::State& s) { Run3(s, RGBToHLS); }
void BM_HLSToRGB(benchmark::State& s) { Run3(s, HLSToRGB); }
void BM_RGBToCMY(benchmark::State& s) { Run3(s, RGBToCMY); }
void BM_CMYToRGB(benchmark::State& s) { Run3(s, CMYToRGB); }
void BM_RGBToCMYK(benchmark::State& s) { Run3(s, RGBToCMYK); }
void BM_RGBToLab(benchmark::State& s) { Run3(s, RGBToLab); }
void BM_LabToRGB(benchmark::State& s) { Run3(s, LabToRGB); }
void BM_RGBToLMS(benchmark::State& s) { Run3(s, RGBToLMS); }
void BM_LMSToRGB(benchmark::State& s) { Run3(s, LMSToRGB); }

void BM_CMYKToRGB(benchmark::State& state) {
  Inputs in;
  for (auto _ : state) {
    auto out = CMYKToRGB(in.a, in.b, in.c, in.d);
    benchmark::DoNotOptimize(out);
    in.Next();
  }
}

BENCHMARK(BM_RGBToHSB);
BENCHMARK(BM_HSBToRGB);
BENCHMARK(BM_RGBToHLS);
BENCHMARK(BM_HLSToRGB);
BENCHMARK(BM_RGBToCMY);
BENCHMARK(BM_CMYToRGB);
BENCHMARK(BM_RGBToCMYK);
BENCHMARK(BM_CMYKToRGB);
BENCHMARK(BM_RGBToLab);
BENCHMARK(BM_LabToRGB);
BENCHMARK(BM_RGBToLMS);
BENCHMARK(BM_LMSToRGB);

}  // namespace
}  // namespace kolo
