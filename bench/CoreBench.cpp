#include "CCfgFile.h"
#include "CEasyUtils.h"

#include <benchmark/benchmark.h>
#include <vector>

// Smoothing a long series, as the smoothing command does per coordinate.
static void BM_AverageSeries(benchmark::State& state) {
    std::vector<double> data(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<double>(i % 17);
    for (auto _ : state) {
        CEasyUtils::Average(data.data(), static_cast<int>(data.size()), 2);
        benchmark::DoNotOptimize(data.data());
    }
}
BENCHMARK(BM_AverageSeries)->Arg(1000)->Arg(100000);

// Typed lookups in a configuration of a few hundred keys.
static void BM_ConfigLookup(benchmark::State& state) {
    CCfgFile cfg;
    for (int i = 0; i < 300; ++i)
        cfg.SetValue("Key" + std::to_string(i), i);
    int value = 0;
    for (auto _ : state) {
        cfg.GetValue("Key299", &value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_ConfigLookup);
