#include "tests/bridge/synthetic_run.h"

#include "bridge/lammps_input.h"
#include "bridge/run_parameters.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace demrun::testing {

namespace {

constexpr double kRadius = 0.5;

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
    r.steps = r.dumpEvery * (shape.dumps - 1);
    r.lidSpeed = 0.01;
    r.impactOverlap = 0.2;
    r.rounding = 0.15;
    r.xhi = width;
    r.yhi = height;
    std::ofstream(folder / kSetupFile) << setupText(r);

    const int ranks = std::max(1, shape.ranks);
    std::vector<std::ofstream> particles = rankFiles(folder, kParticleDump, ranks);
    std::vector<std::ofstream> pairs = rankFiles(folder, kPairDump, ranks);
    SyntheticRunSize size;
    std::string text;
    for (int d = 0; d < shape.dumps; ++d) {
        const std::string step = std::to_string(static_cast<long>(d) * r.dumpEvery);
        const double wobble = 1e-4 * d;
        std::size_t stepBytes = 0;
        for (int k = 0; k < ranks; ++k) {
            const int atoms = n / ranks + (k < n % ranks ? 1 : 0);
            text = "ITEM: TIMESTEP\n" + step + "\nITEM: NUMBER OF ATOMS\n" + std::to_string(atoms) +
                   "\nITEM: BOX BOUNDS ff ff pp\n-10 110\n-10 110\n-0.5 0.5\nITEM: ATOMS id x y mux muy f_spin mass "
                   "radius";
            for (const char* fix : {"wall_sides", "wall_bottom", "wall_lid"})
                for (int c : {1, 2, 3, 5, 6}) text += std::string(" f_") + fix + "[" + std::to_string(c) + "]";
            text += '\n';
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
            text = "ITEM: TIMESTEP\n" + step + "\nITEM: NUMBER OF ENTRIES\n" +
                   std::to_string(entries[static_cast<std::size_t>(k)]) +
                   "\nITEM: BOX BOUNDS ff ff pp\n-10 110\n-10 110\n-0.5 0.5\n"
                   "ITEM: ENTRIES c_pair_atoms[1] c_pair_atoms[2] c_pairs[1] c_pairs[2] c_pairs[3] c_pairs[4] "
                   "c_pairs[5] c_pairs[6]\n" +
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
