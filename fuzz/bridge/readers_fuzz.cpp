// Feeds arbitrary bytes to demrun's readers. The first byte picks what the rest is:
//   0: a packing ("newin.dat"), then the LAMMPS data and script made from it with
//      the default parameters;
//   1: a parameter file over the default parameters, for a packing of three discs,
//      and the same text read as a run's setup file;
//   2: a run folder to convert: packing, setup, particle dump and pair dump, each
//      after the first introduced by a '|' byte.
// Whatever is written for LAMMPS or the viewer must hold numbers only (no nan or
// inf), and a conversion that fails must leave none of the viewer's files behind.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "bridge/field_text.h"
#include "bridge/lammps_input.h"
#include "bridge/packing_input.h"
#include "bridge/run_conversion.h"
#include "bridge/run_parameters.h"
#include "fuzz/work_folder.h"

namespace {

const std::filesystem::path& workFolder() {
    static const toolkit::testing::WorkFolder folder("demrun-fuzz");
    return folder.path();
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// True when a field of the text (fields end at blanks, commas and line ends) is
// nan or inf in any of the spellings printf and iostreams give them.
bool holdsNonFiniteNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \t\r\n,", start), text.size());
        std::string_view field = text.substr(start, end - start);
        if (!field.empty() && (field[0] == '-' || field[0] == '+')) field.remove_prefix(1);
        if (field.size() >= 3) {
            std::string head(field.substr(0, 3));
            for (char& c : head) c = static_cast<char>(c | 0x20);
            if (head == "nan" || head == "inf") return true;
        }
        start = end + 1;
    }
    return false;
}

// Three discs in a 4 x 4 box, in the old layout (discs by radius).
constexpr std::string_view kThreeDiscs =
    " 0\n 3 4 2e-6 0\n 0.5\n 1 2 0.1\n 1 2 0.1\n 0.5\n 2 2 0\n 2 2 0\n 0.25\n 2 0.25 0\n 2 0.25 0\n"
    " 0 4 0 0\n 0 0 4 0\n 4 0 4 4\n 4 4 0 4\n 400\n 0.025 9800\n 0.5 0.5 0\n 0 9.6e8 2.4e8\n 2000 1000\n";

// The LAMMPS files of a packing and its parameters; traps on a word that is no number.
void writeLammpsFiles(const demrun::Packing& packing, const demrun::ParameterChoice& choice) {
    demrun::RunParameters parameters;
    try {
        parameters = demrun::deriveParameters(packing, choice);
    } catch (const demrun::InputError&) {
        return;
    }
    if (holdsNonFiniteNumber(demrun::lammpsDataText(packing, parameters)) ||
        holdsNonFiniteNumber(demrun::lammpsScriptText(packing, parameters)) ||
        holdsNonFiniteNumber(demrun::setupText(parameters))) {
        __builtin_trap();
    }
}

void readPacking(std::string_view text) {
    demrun::Packing packing;
    try {
        packing = demrun::readPacking(text, "newin.dat");
    } catch (const demrun::InputError&) {
        return;
    }
    for (const auto& particle : packing.particles) {
        if (particle.kind == demrun::ShapeKind::Polygon && demrun::outlinePoints(particle).empty()) __builtin_trap();
    }
    writeLammpsFiles(packing, demrun::defaultParameters());
}

void readParameters(std::string_view text) {
    try {
        const demrun::ParameterChoice choice = demrun::readParameterText(text, "params.txt");
        writeLammpsFiles(demrun::readPacking(kThreeDiscs, "newin.dat"), choice);
    } catch (const demrun::InputError&) {
    }
    try {
        // A setup that reads is written back as one that reads back to the same text.
        const std::string written = demrun::setupText(demrun::readSetupText(text, "demrun.setup"));
        if (demrun::setupText(demrun::readSetupText(written, "demrun.setup")) != written) __builtin_trap();
    } catch (const demrun::InputError&) {
    }
}

void convertFolder(std::string_view rest) {
    const std::filesystem::path& folder = workFolder();
    const char* inputs[] = {demrun::kPackingCopy, demrun::kSetupFile, demrun::kParticleDump, demrun::kPairDump};
    for (const char* name : inputs) {
        const std::size_t bar = name == inputs[3] ? std::string_view::npos : rest.find('|');
        toolkit::testing::writeFile(folder / name, rest.substr(0, bar));
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }
    const char* results[] = {demrun::kOutputFile, demrun::kWallFile, demrun::kContactHeaderFile,
                             demrun::kContactRecordFile};
    for (const char* name : results) std::filesystem::remove(folder / name);

    bool converted = true;
    try {
        demrun::convertRun(folder.string());
    } catch (const std::runtime_error&) {  // InputError included
        converted = false;
    }
    for (const char* name : results) {
        if (std::filesystem::exists(folder / name) != converted) __builtin_trap();
    }
    if (converted && holdsNonFiniteNumber(readFile(folder / demrun::kOutputFile))) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
        case 0: readPacking(rest); break;
        case 1: readParameters(rest); break;
        default: convertFolder(rest); break;
    }
    return 0;
}
