// Benchmarks of the flight load, the compile, the two writers on large files and the start-up,
// each beside a baseline measured in the same run; the ratios are printed at the end.
//
//   bench_talvo [--benchmark_filter=...]       (run with QT_QPA_PLATFORM=offscreen)
#include "compiler/adventureflightwriter.h"
#include "compiler/compileadventure.h"
#include "compiler/planaltitude.h"
#include "files/textfiles.h"
#include "flight/b747.h"
#include "ui/messages.h"

#include <benchmark/benchmark.h>
#include <map>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Messages are counted, never shown.
class SilentMessages : public ui::MessageService {
public:
    void show(const QString&) override { ++count; }
    int count = 0;
};

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// A working folder with the templates and the demo saved-flights folder, current while it lives.
class Installation {
public:
    Installation() {
        const QString data = QStringLiteral(TALVO_DATA_DIR);
        for (const char* name : {"lib/Talvo.abl", "lib/Talvo2.abl"}) {
            writeFile(dir.filePath(QLatin1String(name)),
                      readFile(data + u'/' + QLatin1String(name)));
        }
        for (const char* name : {"Talvo.FLT", "KSEA-PANC.pln"}) {
            const QString file = QStringLiteral("/Flight Simulator Files/") + QLatin1String(name);
            writeFile(dir.path() + file, readFile(data + QStringLiteral("/demo") + file));
        }
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    ~Installation() { QDir::setCurrent(previous); }
    QString prefix() const {
        return dir.filePath(QStringLiteral("Flight Simulator Files")) + u'\\';
    }

    QTemporaryDir dir;
    QString previous;
};

void BM_Load(benchmark::State& state) {
    Installation installation;
    SilentMessages messages;
    ui::MessageService* previous = ui::setMessageService(&messages);
    flight::B747 window(installation.prefix());
    for (auto _ : state) {
        window.Form_Load();
    }
    ui::setMessageService(previous);
}

// The baseline of the load: the same two files read line by line through the same reader.
void BM_LoadBaseline(benchmark::State& state) {
    Installation installation;
    for (auto _ : state) {
        for (const QString& name : {QStringLiteral("Talvo.FLT"), QStringLiteral("KSEA-PANC.pln")}) {
            files::InputTextFile file(installation.prefix() + name);
            file.open();
            QByteArray line;
            while (file.readLine(line)) {
                benchmark::DoNotOptimize(line);
            }
        }
    }
}

compiler::AdventureValues demoValues() {
    compiler::AdventureValues values;
    values.planName = QStringLiteral("KSEA-PANC");
    values.routeType = QStringLiteral("IFR");
    values.departureName = QStringLiteral("SEATTLE-TACOMA INTL");
    values.arrivalName = QStringLiteral("TED STEVENS ANCHORAGE INTL");
    values.cruisingAltitude = QStringLiteral("35000");
    values.aircraft = QStringLiteral("Boeing 747-400 Passengers");
    values.fuelPercent = QStringLiteral("71");
    values.v1 = QStringLiteral("145");
    values.vr = QStringLiteral("162");
    values.v2 = QStringLiteral("175");
    return values;
}

void BM_Compile(benchmark::State& state) {
    Installation installation;
    const compiler::AdventureValues values = demoValues();
    for (auto _ : state) {
        if (compiler::CompileAdventure(installation.prefix(), values).outcome !=
            compiler::CompileOutcome::Compiled) {
            state.SkipWithError("the compile failed");
        }
    }
}

void copyLines(const QString& from, const QString& to) {
    files::InputTextFile in(from);
    files::OutputTextFile out(to);
    in.open();
    out.open();
    compiler::copyLines(in.reader(), out.writer());
    out.commit();
}

// The baseline of the compile: the same files copied line by line through the same reader and
// writer, as many times as the compile reads and writes them.
void BM_CompileBaseline(benchmark::State& state) {
    Installation installation;
    const QString plan = installation.prefix() + QStringLiteral("KSEA-PANC.pln");
    for (auto _ : state) {
        copyLines(installation.prefix() + QStringLiteral("Talvo.FLT"), QStringLiteral("x.flt"));
        copyLines(plan, QStringLiteral("x.pln"));
        copyLines(QStringLiteral("x.pln"), plan);
        copyLines(QStringLiteral("lib\\Talvo.abl"), QStringLiteral("lib\\x.abl"));
        copyLines(QStringLiteral("lib\\Talvo2.abl"), QStringLiteral("lib\\y.abl"));
    }
}

// Large inputs made of the demo files repeated, in a folder of their own.
struct LargeFiles {
    QTemporaryDir dir;
    std::map<std::int64_t, QString> flights;
    std::map<std::int64_t, QString> plans;

    QString make(std::map<std::int64_t, QString>& made, const char* demo, std::int64_t size) {
        auto found = made.find(size);
        if (found != made.end()) {
            return found->second;
        }
        const QByteArray unit = readFile(
            QStringLiteral(TALVO_DATA_DIR "/demo/Flight Simulator Files/") + QLatin1String(demo));
        QByteArray bytes;
        bytes.reserve(size + unit.size());
        while (bytes.size() < size) {
            bytes += unit;
        }
        const QString path =
            dir.filePath(QStringLiteral("%1-%2").arg(QLatin1String(demo)).arg(size));
        writeFile(path, bytes);
        return made[size] = path;
    }
    QString flight(std::int64_t size) { return make(flights, "Talvo.FLT", size); }
    QString plan(std::int64_t size) { return make(plans, "KSEA-PANC.pln", size); }
};

LargeFiles& largeFiles() {
    static LargeFiles files;
    return files;
}

template <typename Pass> void runPass(benchmark::State& state, const QString& input, Pass pass) {
    const QString output = largeFiles().dir.filePath(QStringLiteral("out"));
    for (auto _ : state) {
        files::InputTextFile in(input);
        files::OutputTextFile out(output);
        in.open();
        out.open();
        pass(in.reader(), out.writer());
        out.commit();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(input).size());
}

enum class Kind { Flight, Plan };

QString largeFile(Kind kind, std::int64_t size) {
    return kind == Kind::Flight ? largeFiles().flight(size) : largeFiles().plan(size);
}

void BM_AdventureFlightWriter(benchmark::State& state) {
    const compiler::AdventureValues values = demoValues();
    runPass(state, largeFiles().flight(state.range(0)),
            [&](auto& in, auto& out) { compiler::writeAdventureFlightLines(in, out, values); });
}

void BM_PlanRewrite(benchmark::State& state) {
    runPass(state, largeFiles().plan(state.range(0)),
            [](auto& in, auto& out) { compiler::rewriteCruisingAltitude(in, out, "31000"); });
}

// The plain line copy of the same file, through the same reader and writer.
void BM_LineCopy(benchmark::State& state, Kind kind) {
    runPass(state, largeFile(kind, state.range(0)),
            [](auto& in, auto& out) { compiler::copyLines(in, out); });
}

// A raw copy of the same bytes in large blocks: the limit for any pass over the file.
void BM_ByteCopy(benchmark::State& state, Kind kind) {
    const QString input = largeFile(kind, state.range(0));
    QByteArray block(256 * 1024, Qt::Uninitialized);
    for (auto _ : state) {
        QFile in(input);
        QSaveFile out(largeFiles().dir.filePath(QStringLiteral("out")));
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        for (qint64 got; (got = in.read(block.data(), block.size())) > 0;) {
            out.write(block.constData(), got);
        }
        out.commit();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(input).size());
}

// The peak memory of a process that runs one writer once on a file of the given size: flat as
// the file grows when the writer streams. (The process starts as a copy of this one, whose own
// few MiB are counted too.)
void BM_PeakMemory(benchmark::State& state, Kind kind) {
    const QString input = largeFile(kind, state.range(0));
    const compiler::AdventureValues values = demoValues();
    const QString output = largeFiles().dir.filePath(QStringLiteral("out"));
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            files::InputTextFile in(input);
            files::OutputTextFile out(output);
            in.open();
            out.open();
            if (kind == Kind::Flight) {
                compiler::writeAdventureFlightLines(in.reader(), out.writer(), values);
            } else {
                compiler::rewriteCruisingAltitude(in.reader(), out.writer(), "31000");
            }
            _exit(out.commit() ? 0 : 1);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
}

// Start-up to the main interface shown, in a process of its own, against a minimal Qt program
// that shows one empty window.
void startProcess(benchmark::State& state, const char* mode) {
    Installation installation;
    writeFile(QStringLiteral("talvo.ini"), installation.prefix().toLocal8Bit() + "\r\n");
    const QByteArray harness =
        (QCoreApplication::applicationDirPath() + QStringLiteral("/startup_harness")).toLocal8Bit();
    for (auto _ : state) {
        char* argv[] = {const_cast<char*>(harness.constData()), const_cast<char*>(mode), nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, harness.constData(), nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the harness");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the harness failed");
            break;
        }
    }
}
void BM_StartupToMainInterface(benchmark::State& state) {
    startProcess(state, "talvo");
}
void BM_StartupMinimalQt(benchmark::State& state) {
    startProcess(state, "minimal");
}

constexpr std::int64_t kMiB = 1024 * 1024;

BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Compile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompileBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AdventureFlightWriter)->Arg(50 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LineCopy, flight, Kind::Flight)->Arg(50 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ByteCopy, flight, Kind::Flight)->Arg(50 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanRewrite)->Arg(50 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LineCopy, plan, Kind::Plan)->Arg(50 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ByteCopy, plan, Kind::Plan)->Arg(50 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PeakMemory, flight, Kind::Flight)
    ->Arg(5 * kMiB)
    ->Arg(50 * kMiB)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PeakMemory, plan, Kind::Plan)
    ->Arg(5 * kMiB)
    ->Arg(50 * kMiB)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupToMainInterface)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupMinimalQt)->Unit(benchmark::kMillisecond);

// Prints the usual table, then each benchmark's time as a multiple of its baseline's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions, the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.aggregate_name.empty() || run.aggregate_name == "median") {
                times_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const std::pair<const char*, const char*> pairs[] = {
            {"BM_Load", "BM_LoadBaseline"},
            {"BM_Compile", "BM_CompileBaseline"},
            {"BM_AdventureFlightWriter/52428800", "BM_LineCopy/flight/52428800"},
            {"BM_AdventureFlightWriter/52428800", "BM_ByteCopy/flight/52428800"},
            {"BM_PlanRewrite/52428800", "BM_LineCopy/plan/52428800"},
            {"BM_PlanRewrite/52428800", "BM_ByteCopy/plan/52428800"},
            {"BM_StartupToMainInterface", "BM_StartupMinimalQt"},
        };
        std::printf("\n%-36s %-24s %10s %10s\n", "benchmark", "baseline", "real time", "CPU time");
        for (const auto& [name, baseline] : pairs) {
            const auto a = times_.find(name);
            const auto b = times_.find(baseline);
            if (a != times_.end() && b != times_.end() && b->second.first > 0 &&
                b->second.second > 0) {
                std::printf("%-34s %-28s %9.2fx %9.2fx\n", name, baseline,
                            a->second.first / b->second.first, a->second.second / b->second.second);
            }
        }
    }

private:
    std::map<std::string, std::pair<double, double>> times_; // real, CPU
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
