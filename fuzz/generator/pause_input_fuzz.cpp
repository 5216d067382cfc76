// Feeds arbitrary bytes to the operator's pause, answer after answer, and
// every blank-separated word of them to the two field conversions. A real
// that is read is a number; a field that is refused says why.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "generator/list_directed_reader.h"
#include "generator/operator_pause.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    std::string error;
    while (tessark::waitForOperatorNumber(in, error)) {
    }
    if (error.empty()) __builtin_trap();

    std::istringstream words(text);
    for (std::string word; words >> word;) {
        tessark::FieldProblem problem = tessark::FieldProblem::None;
        const auto real = tessark::parseRealField(word, &problem);
        if (real.has_value() != (problem == tessark::FieldProblem::None)) __builtin_trap();
        if (real && !std::isfinite(*real)) __builtin_trap();
        const auto integer = tessark::parseIntegerField(word, &problem);
        if (integer.has_value() != (problem == tessark::FieldProblem::None)) __builtin_trap();
        // Every whole number is a real too, of the same value.
        if (integer && (!real || *real != static_cast<double>(*integer))) __builtin_trap();
    }
    return 0;
}
