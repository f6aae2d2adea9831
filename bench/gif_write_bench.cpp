// The GIF writer on 1920x1080 pictures: a screenshot-like one (flat panels and
// anti-aliased text, a few hundred colours at most) and a photo-like one
// (smooth gradients with noise, every pixel different).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "widgets/gif_encode.h"

namespace {

constexpr int kW = 1920, kH = 1080;

std::vector<std::uint32_t> ScreenshotLike() {
  std::vector<std::uint32_t> px(static_cast<std::size_t>(kW) * kH);
  std::mt19937 rng(7);
  const std::uint32_t panels[] = {0xF0F0F0, 0xFFFFFF, 0x2B579A, 0xE1E1E1, 0x1E1E1E, 0xA6CAF0};
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) px[static_cast<std::size_t>(y) * kW + x] = panels[(x / 320 + y / 270) % 6];
  // "Text": short strokes in a few greys of anti-aliasing.
  for (int i = 0; i < 40000; ++i) {
    const int x = static_cast<int>(rng() % (kW - 8)), y = static_cast<int>(rng() % kH);
    const std::uint32_t grey = 0x101010u * (rng() % 12);
    for (int k = 0; k < 6; ++k) px[static_cast<std::size_t>(y) * kW + x + k] = grey;
  }
  return px;
}

std::vector<std::uint32_t> PhotoLike() {
  std::vector<std::uint32_t> px(static_cast<std::size_t>(kW) * kH);
  std::mt19937 rng(11);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const int n = static_cast<int>(rng() % 9) - 4;
      const int r = std::clamp(x * 255 / kW + n, 0, 255), g = std::clamp(y * 255 / kH - n, 0, 255),
                b = std::clamp((x + y) * 255 / (kW + kH) + n, 0, 255);
      px[static_cast<std::size_t>(y) * kW + x] = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
    }
  return px;
}

void Write(benchmark::State& state, const std::vector<std::uint32_t>& px) {
  const kolo::GifPixels view{px.data(), kW, kH, kW};
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto gif = kolo::WriteGif(view, kolo::AdaptivePalette(view, 8, std::nullopt), true);
    bytes = gif ? gif->size() : 0;
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["gif_bytes"] = static_cast<double>(bytes);
}

void BM_GifWriteScreenshot(benchmark::State& state) {
  static const auto px = ScreenshotLike();
  Write(state, px);
}
void BM_GifWritePhoto(benchmark::State& state) {
  static const auto px = PhotoLike();
  Write(state, px);
}
BENCHMARK(BM_GifWriteScreenshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifWritePhoto)->Unit(benchmark::kMillisecond);

}  // namespace
