// Converting the LAMMPS dumps of a 10,000-particle, 1,000-dump disc run into the
// viewer's four files: megabytes of dump text per second. The dumps (a lattice of discs,
// each touching its right-hand neighbour, the bottom row on the wall) are written once
// into a temporary folder; BRIDGE_BENCH_DUMPS sets another dump count.
// BM_ReadParticleDump reads the particle dump with read(2) through the reader's buffer
// and, beside it in the same run, from a memory map (the way the reader worked before
// a file shrinking under it could kill the process), and prints both and their ratio.
#include "bridge/dump_reader.h"
#include "bridge/lammps_input.h"
#include "bridge/run_conversion.h"
#include "bridge/run_parameters.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace demrun {
namespace {

constexpr int kSide = 100;  // 100 x 100 discs
constexpr double kRadius = 0.5;

void add(std::string& out, double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10).ptr;
    out.append(buffer, end);
    out.push_back(' ');
}

std::filesystem::path writeRun(int dumps) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bridge-convert-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const int n = kSide * kSide;
    const double width = 2.0 * kRadius * kSide;
    {
        std::string newin = " 0\n " + std::to_string(n) + " 4 2e-6 0\n";
        for (int i = 0; i < n; ++i) {
            const double x = kRadius + 2.0 * kRadius * (i % kSide);
            const double y = kRadius + 2.0 * kRadius * (i / kSide);
            newin += " 0.5\n " + std::to_string(x) + " " + std::to_string(y) + " 0\n " + std::to_string(x) + " " +
                     std::to_string(y) + " 0\n";
        }
        const std::string w = std::to_string(width);
        newin += " 0 " + w + " 0 0\n 0 0 " + w + " 0\n " + w + " 0 " + w + " " + w + "\n " + w + " " + w + " 0 " + w +
                 "\n 1000\n 0.025 9800\n 0.5 0.5 0\n 0 9.6e8 2.4e8\n 2000 1000\n";
        std::ofstream(folder / kPackingCopy) << newin;
    }
    RunParameters r;
    r.density = 2000;
    r.gravity = 9.81;
    r.kn = 1e7;
    r.kt = 1e7 * 2.0 / 7.0;
    r.restitution = 0.5;
    r.dampingRate = 100;
    r.friction = 0.5;
    r.wallFriction = 0.5;
    r.overlap = 0.001;
    r.stepsPerContact = 20;
    r.contactTime = 1e-3;
    r.dt = 5e-5;
    r.dumpEvery = 100;
    r.steps = r.dumpEvery * (dumps - 1);
    r.lidSpeed = 0.01;
    r.impactOverlap = 0.2;
    r.rounding = 0.15;
    r.xhi = r.yhi = width;
    std::ofstream(folder / kSetupFile) << setupText(r);

    std::ofstream particles(folder / kParticleDump), pairs(folder / kPairDump);
    std::string text;
    for (int d = 0; d < dumps; ++d) {
        const std::string step = std::to_string(static_cast<long>(d) * r.dumpEvery);
        const double wobble = 1e-4 * d;
        text = "ITEM: TIMESTEP\n" + step + "\nITEM: NUMBER OF ATOMS\n" + std::to_string(n) +
               "\nITEM: BOX BOUNDS ff ff pp\n-10 110\n-10 110\n-0.5 0.5\nITEM: ATOMS id x y mux muy f_spin mass radius";
        for (const char* fix : {"wall_sides", "wall_bottom", "wall_lid"})
            for (int c : {1, 2, 3, 5, 6}) text += std::string(" f_") + fix + "[" + std::to_string(c) + "]";
        text += '\n';
        for (int i = 0; i < n; ++i) {
            const double x = kRadius + 2.0 * kRadius * (i % kSide) + wobble * ((i * 7) % 13 - 6);
            const double y = kRadius + 2.0 * kRadius * (i / kSide) - 0.001 - wobble * ((i * 5) % 11 - 5);
            text += std::to_string(i + 1);
            text += ' ';
            add(text, x);
            add(text, y);
            const double angle = 0.01 * ((i * 3) % 17 - 8) + wobble;
            add(text, std::cos(angle));
            add(text, std::sin(angle));
            add(text, 0.01 * ((i * 5) % 13 - 6));
            text += "1570.796327 0.5 0 0 0 0 0 ";
            if (i < kSide) {
                text += "1 0 ";
                add(text, 15000.0 + i);
                add(text, x);
                text += "0 ";
            } else {
                text += "0 0 0 0 0 ";
            }
            text += "0 0 0 0 0\n";
        }
        particles << text;
        text = "ITEM: TIMESTEP\n" + step + "\nITEM: NUMBER OF ENTRIES\n" + std::to_string(n - kSide) +
               "\nITEM: BOX BOUNDS ff ff pp\n-10 110\n-10 110\n-0.5 0.5\n"
               "ITEM: ENTRIES c_pair_atoms[1] c_pair_atoms[2] c_pairs[1] c_pairs[2] c_pairs[3] c_pairs[4] c_pairs[5] "
               "c_pairs[6]\n";
        for (int i = 0; i < n; ++i) {
            if (i % kSide == kSide - 1) continue;
            text += std::to_string(i + 1) + ' ' + std::to_string(i + 2) + ' ';
            add(text, 1000.0 + (i % 97) + wobble);
            text += "0 12 12 -0.999 0.0001\n";
        }
        pairs << text;
    }
    return folder;
}

void BM_ConvertDumps(benchmark::State& state) {
    const char* dumpsText = std::getenv("BRIDGE_BENCH_DUMPS");
    const int dumps = dumpsText ? std::atoi(dumpsText) : 1000;
    const std::filesystem::path folder = writeRun(dumps);
    std::size_t bytes = 0;
    double wall = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const ConversionSummary summary = convertRun(folder.string());
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        bytes = summary.dumpBytes;
        benchmark::DoNotOptimize(summary.stepBlocks);
    }
    // bytes_per_second is per CPU second (MiB); "wall MB/s" per elapsed second, which
    // includes waiting for the disk and for other programs on a shared machine.
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["dump MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["wall MB/s"] = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / 1e6 / wall;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ConvertDumps)->Unit(benchmark::kSecond)->Iterations(1);

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
    const char* dumpsText = std::getenv("BRIDGE_BENCH_DUMPS");
    const std::filesystem::path folder = writeRun(dumpsText ? std::atoi(dumpsText) : 1000);
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

BENCHMARK_MAIN();
