// What checking a downloaded program costs: SHA-256 over program-sized data,
// and the whole check (digest plus the 2048-bit RSA signature) of a small one.
#include <benchmark/benchmark.h>

#include <vector>

#include "../tests/publish/release_sample.h"
#include "publish/publish_rules.h"
#include "publish/release_check.h"

namespace {

void BM_Sha256(benchmark::State& state) {
  std::vector<std::uint8_t> data(static_cast<std::size_t>(state.range(0)), 0x5A);
  for (auto _ : state) benchmark::DoNotOptimize(kolo::Sha256(data));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Sha256)->Arg(1 << 20)->Arg(4 << 20);

void BM_TrustedRelease(benchmark::State& state) {
  const auto program = kolo::test::FromHex(kolo::test::kSampleProgram);
  const auto signature = kolo::test::FromHex(kolo::test::kSampleSignature);
  const kolo::RsaPublicKey key = kolo::RsaKeyFromHex(kolo::test::kTestKey);
  for (auto _ : state) benchmark::DoNotOptimize(kolo::IsTrustedRelease(program, signature, key));
}
BENCHMARK(BM_TrustedRelease)->Unit(benchmark::kMillisecond);

void BM_UploadBody(benchmark::State& state) {
  std::vector<std::uint8_t> png(static_cast<std::size_t>(state.range(0)), 0x42);
  for (auto _ : state) benchmark::DoNotOptimize(kolo::UploadBody("0000BEEF_Synapse_boundary", png));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_UploadBody)->Arg(2 << 20);

}  // namespace
