// Converting the LAMMPS dumps of a disc run into the viewer's four files, at two sizes
// printed side by side: 10,000 particles and 1,000 dumps, and 100,000 particles and 200
// dumps (tests/bridge/synthetic_run.h: a lattice of discs with wall and pair contacts).
// Each conversion runs in a child process (this program started again with --convert),
// so its memory is its own: the peak resident set the system reports for the child
// (wait4's ru_maxrss, which includes the program's code and libraries; "base MB" is the
// same figure for a child that converts nothing) and the peak of the heap bytes it held
// (every operator new and delete of the child counted). Both are printed against the
// dump text of the run's largest timestep ("step MB"). The speed is megabytes of dump
// text per elapsed second of the conversion and per CPU second of the child.
// BRIDGE_BENCH_DUMPS sets another dump count for both sizes. To profile a conversion:
//   bridge_convert_bench --write DIR 100 100 20      (columns, rows, dumps)
//   valgrind --tool=callgrind bridge_convert_bench --convert DIR 1
//
// BM_ReadParticleDump reads the particle dump of the 10,000-particle run with read(2)
// through the reader's buffer and, beside it in the same run, from a memory map (the way
// the reader worked before a file shrinking under it could kill the process), and prints
// both and their ratio.
#include "bridge/dump_reader.h"
#include "bridge/lammps_input.h"
#include "bridge/run_conversion.h"
#include "tests/bridge/synthetic_run.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>

namespace {

// The heap bytes held now and at most (by malloc_usable_size, so a delete without its size
// is counted too).
std::atomic<std::size_t> heapNow{0};
std::atomic<std::size_t> heapPeak{0};

void* counted(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    const std::size_t now = heapNow.fetch_add(malloc_usable_size(p), std::memory_order_relaxed) + malloc_usable_size(p);
    std::size_t peak = heapPeak.load(std::memory_order_relaxed);
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
    return p;
}

void uncounted(void* p) noexcept {
    if (p == nullptr) return;
    heapNow.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return counted(size); }
void* operator new[](std::size_t size) { return counted(size); }
void operator delete(void* p) noexcept { uncounted(p); }
void operator delete[](void* p) noexcept { uncounted(p); }
void operator delete(void* p, std::size_t) noexcept { uncounted(p); }
void operator delete[](void* p, std::size_t) noexcept { uncounted(p); }

namespace demrun {
namespace {

constexpr const char* kConvertFlag = "--convert";
constexpr const char* kNothingFlag = "--nothing";

int dumpsOr(int fallback) {
    const char* text = std::getenv("BRIDGE_BENCH_DUMPS");
    return text ? std::atoi(text) : fallback;
}

std::filesystem::path benchFolder(const std::string& what) {
    return std::filesystem::temp_directory_path() / ("bridge-convert-bench-" + what + "-" + std::to_string(::getpid()));
}

// The child: converts the folder (or nothing) and writes its seconds and heap peak to out.
int childMain(const char* flag, const char* folder, int out) {
    const std::size_t before = heapPeak.load();
    const auto start = std::chrono::steady_clock::now();
    if (std::strcmp(flag, kConvertFlag) == 0) {
        try {
            const long blocks = convertRun(folder).stepBlocks;
            benchmark::DoNotOptimize(blocks);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "convert: %s\n", error.what());
            return 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    char line[128];
    const int length = std::snprintf(line, sizeof line, "%.6f %zu %zu\n", seconds, heapPeak.load(), before);
    return ::write(out, line, static_cast<std::size_t>(length)) == length ? 0 : 1;
}

struct ChildFigures {
    bool ok = false;
    double seconds = 0.0;     // of the conversion, measured inside the child
    double cpuSeconds = 0.0;  // of the whole child
    double maxResidentBytes = 0.0;
    double heapPeakBytes = 0.0;
};

ChildFigures runChild(const char* flag, const std::string& folder) {
    ChildFigures figures;
    int channel[2];
    if (::pipe(channel) != 0) return figures;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        const std::string fd = std::to_string(channel[1]);
        ::execl("/proc/self/exe", "bridge_convert_bench", flag, folder.c_str(), fd.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(channel[1]);
    std::string text;
    char buffer[256];
    ssize_t got = 0;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return figures;
    std::size_t peak = 0, before = 0;
    if (std::sscanf(text.c_str(), "%lf %zu %zu", &figures.seconds, &peak, &before) != 3) return figures;
    figures.heapPeakBytes = static_cast<double>(peak);
    figures.maxResidentBytes = static_cast<double>(usage.ru_maxrss) * 1024.0;
    figures.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                         1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    figures.ok = true;
    return figures;
}

// Arguments: columns, rows, dumps.
void BM_ConvertDumps(benchmark::State& state) {
    testing::SyntheticRunShape shape;
    shape.columns = static_cast<int>(state.range(0));
    shape.rows = static_cast<int>(state.range(1));
    shape.dumps = dumpsOr(static_cast<int>(state.range(2)));
    const std::filesystem::path folder = benchFolder(std::to_string(shape.columns * shape.rows));
    const testing::SyntheticRunSize size = testing::writeSyntheticRun(folder, shape);
    const ChildFigures base = runChild(kNothingFlag, folder.string());
    ChildFigures convert;
    for (auto _ : state) convert = runChild(kConvertFlag, folder.string());
    std::filesystem::remove_all(folder);
    if (!convert.ok || !base.ok) {
        state.SkipWithError("the conversion failed");
        return;
    }
    const double megabytes = static_cast<double>(size.dumpBytes) / 1e6;
    const double step = static_cast<double>(size.largestStep) / 1e6;
    state.counters["particles"] = shape.columns * shape.rows;
    state.counters["dumps"] = shape.dumps;
    state.counters["dump MB"] = megabytes;
    state.counters["MB/s"] = megabytes / convert.seconds;
    state.counters["CPU MB/s"] = megabytes / convert.cpuSeconds;
    state.counters["step MB"] = step;
    state.counters["RSS MB"] = convert.maxResidentBytes / 1e6;
    state.counters["base MB"] = base.maxResidentBytes / 1e6;
    state.counters["RSS/step"] = convert.maxResidentBytes / 1e6 / step;
    state.counters["heap MB"] = convert.heapPeakBytes / 1e6;
    state.counters["heap/step"] = convert.heapPeakBytes / 1e6 / step;
}
BENCHMARK(BM_ConvertDumps)
    ->Args({100, 100, 1000})
    ->Args({500, 200, 200})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

std::size_t readAll(DumpReader& reader) {
    std::size_t rows = 0;
    DumpBlock block;
    while (reader.next(block)) rows += block.rows;
    return rows;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ReadParticleDump(benchmark::State& state) {
    testing::SyntheticRunShape shape;
    shape.dumps = dumpsOr(1000);
    const std::filesystem::path folder = benchFolder("read");
    testing::writeSyntheticRun(folder, shape);
    const std::string path = (folder / kParticleDump).string();
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(path));
    double readSeconds = 0.0, mappedSeconds = 0.0;
    std::size_t rows = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        DumpReader reader(path);
        rows += readAll(reader);
        readSeconds += secondsSince(start);

        start = std::chrono::steady_clock::now();
        const int fd = ::open(path.c_str(), O_RDONLY);
        void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        ::close(fd);
        DumpReader inMemory(std::string_view(static_cast<const char*>(mapped), size), path);
        rows += readAll(inMemory);
        ::munmap(mapped, size);
        mappedSeconds += secondsSince(start);
    }
    benchmark::DoNotOptimize(rows);
    const double megabytes = static_cast<double>(size) / 1e6 * static_cast<double>(state.iterations());
    state.counters["read(2) MB/s"] = megabytes / readSeconds;
    state.counters["mapped MB/s"] = megabytes / mappedSeconds;
    state.counters["read/mapped"] = mappedSeconds / readSeconds;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadParticleDump)->Unit(benchmark::kSecond)->Iterations(3);

}  // namespace
}  // namespace demrun

int main(int argc, char** argv) {
    if (argc == 4 &&
        (std::strcmp(argv[1], demrun::kConvertFlag) == 0 || std::strcmp(argv[1], demrun::kNothingFlag) == 0))
        return demrun::childMain(argv[1], argv[2], std::atoi(argv[3]));
    if (argc == 6 && std::strcmp(argv[1], "--write") == 0) {
        demrun::testing::writeSyntheticRun(argv[2], {std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), 1});
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
