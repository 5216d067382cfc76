// Reads arbitrary bytes as a control file and, when they are one, makes the
// whole packing with the particle count and trials capped to a few (the
// reader itself bounds the edge-count range), the operator's pause answers
// taken from the input after the first '|'. Whatever the run writes must hold numbers only: no nan or inf.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "generator/control_record.h"
#include "generator/packing_files.h"
#include "generator/run_driver.h"

namespace {

bool holdsNoNumberWord(const std::string& text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(c | 0x20);
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t bar = bytes.find('|');
    const std::string_view controlText = bytes.substr(0, bar);
    const std::string pauseAnswers(bar == std::string_view::npos ? std::string_view() : bytes.substr(bar + 1));

    tessark::ControlRecord control;
    std::string error;
    if (!tessark::readControlRecord(controlText, control, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    control.npart = std::min(control.npart, 8);
    control.ntrial = std::min(control.ntrial, 64);

    tessark::ParticleTable table;
    tessark::PackingStatistics statistics;
    std::string sizeList;
    std::ostringstream console;
    std::istringstream operatorInput(pauseAnswers);
    const auto search = (size & 1) != 0 ? tessark::OverlapSearch::Naive : tessark::OverlapSearch::CellGrid;
    if (!tessark::buildPacking(control, table, statistics, sizeList, operatorInput, console, search, error, 200)) {
        if (error.empty() || holdsNoNumberWord(sizeList)) __builtin_trap();
        return 0;
    }
    const std::string simulatorInput = tessark::simulatorInputText(control, table);
    const std::string statisticsFile = tessark::statisticsText(control, table, statistics);
    if (holdsNoNumberWord(sizeList) || holdsNoNumberWord(simulatorInput) || holdsNoNumberWord(statisticsFile)) {
        __builtin_trap();
    }
    return 0;
}
