#include "bridge/field_text.h"

#include "runfiles/capacities.h"

#include <cmath>
#include <cstdio>

namespace demrun {

std::string numberText(double value, int digits) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

FieldText::FieldText(std::string_view text, std::string name) { fields_.openText(text, std::move(name)); }

double FieldText::number(const char* what) {
    if (fields_.atEnd()) fail(std::string("ends before ") + what);
    const std::string where = "line " + std::to_string(fields_.line()) + ": " + what;
    std::string_view field;
    if (!fields_.readField(field))
        fail(where + " is not a number (longer than " + std::to_string(runfiles::kMaxFieldLength) + " characters)");
    double value = 0.0;
    if (!parseFieldDouble(field, value)) fail(where + " is not a number: '" + std::string(field) + "'");
    return value;
}

long FieldText::integer(const char* what) {
    const double value = number(what);
    if (value != std::floor(value))
        fail("line " + std::to_string(fields_.line()) + ": " + what + " is not a whole number");
    // Whole numbers in the run files are 32-bit wherever they are read.
    if (std::fabs(value) > static_cast<double>(runfiles::kLargestCount))
        fail("line " + std::to_string(fields_.line()) + ": " + what + " " + numberText(value, 17) + " is beyond " +
             std::to_string(runfiles::kLargestCount));
    return static_cast<long>(value);
}

void FieldText::skip(int count, const char* what) {
    for (int k = 0; k < count; ++k) number(what);
}

void FieldText::fail(const std::string& message) const { throw InputError(name() + ": " + message); }

}  // namespace demrun
