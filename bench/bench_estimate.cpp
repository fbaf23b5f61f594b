// SPDX-License-Identifier: MIT
// A full estimate of the premium configuration at area 10.
#include "estimate/estimate.h"
#include "tests/estimate/support.h"

#include <benchmark/benchmark.h>

namespace {

void premiumEstimate(benchmark::State& state) {
    const auto config = testing_support::premiumAtArea10();
    estimate::DescriptionDocument doc;
    for (auto _ : state) {
        auto fields = estimate::calculate(config, doc, ",");
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(premiumEstimate)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
