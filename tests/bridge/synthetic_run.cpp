#include "tests/bridge/synthetic_run.h"

#include "tests/bridge/box_run_setup.h"

#include "bridge/lammps_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace demrun::testing {

namespace {

constexpr double kRadius = 0.5;
constexpr const char* kBounds = "-10 110\n-10 110\n-0.5 0.5\n";

void add(std::string& out, double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10).ptr;
    out.append(buffer, end);
    out.push_back(' ');
}

// "name" for one rank, "name.k" for each of several.
std::vector<std::ofstream> rankFiles(const std::filesystem::path& folder, const char* name, int ranks) {
    std::vector<std::ofstream> files;
    for (int k = 0; k < ranks; ++k)
        files.emplace_back(folder / (ranks == 1 ? std::string(name) : std::string(name) + "." + std::to_string(k)),
                           std::ios::binary);
    return files;
}

}  // namespace

SyntheticRunSize writeSyntheticRun(const std::filesystem::path& folder, const SyntheticRunShape& shape) {
    std::filesystem::create_directories(folder);
    const int columns = shape.columns;
    const int n = columns * shape.rows;
    const double width = 2.0 * kRadius * columns;
    const double height = 2.0 * kRadius * shape.rows;
    {
        std::string newin = " 0\n " + std::to_string(n) + " 4 2e-6 0\n";
        for (int i = 0; i < n; ++i) {
            const double x = kRadius + 2.0 * kRadius * (i % columns);
            const double y = kRadius + 2.0 * kRadius * (i / columns);
            newin += " 0.5\n " + std::to_string(x) + " " + std::to_string(y) + " 0\n " + std::to_string(x) + " " +
                     std::to_string(y) + " 0\n";
        }
        const std::string w = std::to_string(width);
        const std::string h = std::to_string(height);
        newin += " 0 " + h + " 0 0\n 0 0 " + w + " 0\n " + w + " 0 " + w + " " + h + "\n " + w + " " + h + " 0 " + h +
                 "\n 1000\n 0.025 9800\n 0.5 0.5 0\n 0 9.6e8 2.4e8\n 2000 1000\n";
        std::ofstream(folder / kPackingCopy, std::ios::binary) << newin;
    }
    RunParameters r = boxRunParameters(1e7, width, height);
    r.density = 2000;
    r.dampingRate = 100;
    r.contactTime = 1e-3;
    r.dt = 5e-5;
    r.dumpEvery = 100;
    r.steps = r.dumpEvery * (shape.dumps - 1);
    r.lidSpeed = 0.01;
    std::ofstream(folder / kSetupFile) << setupText(r);

    const int ranks = std::max(1, shape.ranks);
    std::vector<std::ofstream> particles = rankFiles(folder, kParticleDump, ranks);
    std::vector<std::ofstream> pairs = rankFiles(folder, kPairDump, ranks);
    SyntheticRunSize size;
    std::string text;
    for (int d = 0; d < shape.dumps; ++d) {
        const long step = static_cast<long>(d) * r.dumpEvery;
        const double wobble = 1e-4 * d;
        std::size_t stepBytes = 0;
        for (int k = 0; k < ranks; ++k) {
            const int atoms = n / ranks + (k < n % ranks ? 1 : 0);
            text = particleDumpHead(step, atoms, kBounds);
            for (int i = k; i < n; i += ranks) {
                const double x = kRadius + 2.0 * kRadius * (i % columns) + wobble * ((i * 7) % 13 - 6);
                const double y = kRadius + 2.0 * kRadius * (i / columns) - 0.001 - wobble * ((i * 5) % 11 - 5);
                text += std::to_string(i + 1);
                text += ' ';
                add(text, x);
                add(text, y);
                const double angle = 0.01 * ((i * 3) % 17 - 8) + wobble;
                add(text, std::cos(angle));
                add(text, std::sin(angle));
                add(text, 0.01 * ((i * 5) % 13 - 6));
                text += "1570.796327 0.5 0 0 0 0 0 ";
                if (i < columns) {
                    text += "1 0 ";
                    add(text, 15000.0 + i);
                    add(text, x);
                    text += "0 ";
                } else {
                    text += "0 0 0 0 0 ";
                }
                text += "0 0 0 0 0\n";
            }
            particles[static_cast<std::size_t>(k)] << text;
            stepBytes += text.size();
        }
        // The pairs: disc i touches disc i + 1 in every row; rank k holds every ranks-th of them.
        std::vector<std::string> pairText(static_cast<std::size_t>(ranks));
        std::vector<int> entries(static_cast<std::size_t>(ranks), 0);
        int pair = 0;
        for (int i = 0; i < n; ++i) {
            if (i % columns == columns - 1) continue;
            std::string& into = pairText[static_cast<std::size_t>(pair % ranks)];
            ++entries[static_cast<std::size_t>(pair % ranks)];
            ++pair;
            into += std::to_string(i + 1) + ' ' + std::to_string(i + 2) + ' ';
            add(into, 1000.0 + (i % 97) + wobble);
            into += "0 12 12 -0.999 0.0001\n";
        }
        for (int k = 0; k < ranks; ++k) {
            text = pairDumpHead(step, entries[static_cast<std::size_t>(k)], kBounds) +
                   pairText[static_cast<std::size_t>(k)];
            pairs[static_cast<std::size_t>(k)] << text;
            stepBytes += text.size();
        }
        size.dumpBytes += stepBytes;
        size.largestStep = std::max(size.largestStep, stepBytes);
    }
    return size;
}

}  // namespace demrun::testing
