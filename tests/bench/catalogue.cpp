// The catalogue lookups the parameter list makes for every row: attributes and value text
// over every parameter of one drive type (goal: the whole catalogue well under 1 ms).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"

namespace {

namespace cat = zavo::catalogue;

std::vector<std::string> codesOf(int type) {
  std::vector<std::string> codes;
  for (const auto& e : cat::parameters(type)) codes.push_back(e.code);
  return codes;
}

void attributesAndValueText(benchmark::State& state) {
  const int type = static_cast<int>(state.range(0));
  zavo::driveContext().reset(type);
  const auto codes = codesOf(type);
  for (auto _ : state) {
    std::size_t chars = 0;
    for (const auto& code : codes) {
      benchmark::DoNotOptimize(cat::attributes(code));
      chars += cat::valueText(code, 1234).size();
    }
    benchmark::DoNotOptimize(chars);
  }
  state.counters["parameters"] = static_cast<double>(codes.size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(codes.size()));
}
BENCHMARK(attributesAndValueText)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

void fillLimitsAndDefaults(benchmark::State& state) {
  zavo::driveContext().reset(2);
  zavo::ParameterImages images;
  for (auto _ : state) {
    cat::fillLimits(images);
    cat::fillDefaults(images);
    benchmark::DoNotOptimize(images);
  }
}
BENCHMARK(fillLimitsAndDefaults)->Unit(benchmark::kMicrosecond);

void conversionsOfEveryParameter(benchmark::State& state) {
  zavo::driveContext().reset(2);
  const auto codes = codesOf(2);
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const auto& code : codes) sum += zavo::conversion::toDisplay(code, zavo::conversion::toRaw(code, 100));
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(conversionsOfEveryParameter)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
