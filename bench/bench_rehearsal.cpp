// The rehearsal of the shipped templates (assembled with the demo's speeds, every option on)
// over every built-in flight, beside the check of the same script (Google Benchmark):
//   ./bench/bench_rehearsal --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "rehearsal/rehearsal.h"
#include "scriptcheck/scriptcheck.h"

#include <benchmark/benchmark.h>
#include <QFile>

namespace {

QByteArray script() {
    auto read = [](const char* name) {
        QFile file(QStringLiteral(TALVO_DATA_DIR "/lib/") + QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly)) {
            qFatal("cannot read %s", name);
        }
        return file.readAll();
    };
    return read("Talvo.abl") +
           "nV1=148;\r\nnVr=166;\r\nnV2=178;\r\nCallSpeed = 1;\r\nCallList = 1;\r\n"
           "RateFlight = 1;\r\n" +
           read("Talvo2.abl");
}

void BM_CheckScript(benchmark::State& state) {
    const QByteArray bytes = script();
    for (auto _ : state) {
        benchmark::DoNotOptimize(scriptcheck::checkScript(bytes));
    }
}

void BM_RehearseEveryFlight(benchmark::State& state) {
    const QByteArray bytes = script();
    std::size_t runs = 0;
    for (auto _ : state) {
        const rehearsal::Rehearsal result = rehearsal::rehearse(bytes);
        for (const rehearsal::FlightRehearsal& flight : result.flights) {
            runs += flight.flight.samples.size();
        }
        benchmark::DoNotOptimize(result);
    }
    state.counters["runs of the script"] =
        benchmark::Counter(double(runs), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_CheckScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RehearseEveryFlight)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
