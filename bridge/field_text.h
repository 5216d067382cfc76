// demrun's reading of the run files' fields: runfiles::FieldReader over a text in
// memory, with every failure thrown as an InputError naming the file, line and field.
#pragma once

#include "runfiles/field_reader.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace demrun {

// A read failure with its location, ready to show to the user.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using runfiles::parseFieldDouble;

class FieldText {
public:
    // text must outlive the reader; name is used in messages only.
    FieldText(std::string_view text, std::string name);

    // The next field as a number; throws InputError at the end or on a malformed field.
    double number(const char* what);
    // The next field as a whole number (a real with no fractional part is accepted) of
    // at most 32 bits.
    long integer(const char* what);
    void skip(int count, const char* what);
    bool atEnd() { return fields_.atEnd(); }
    // An upper bound on the fields still to come (a character and a separator each):
    // counts read from the text are checked against it before anything is sized for them.
    std::size_t fieldsLeftAtMost() const { return static_cast<std::size_t>(fields_.fieldsLeftAtMost()); }
    // Rewinds to the first field.
    void restart() { fields_.reopen(); }
    const std::string& name() const { return fields_.path(); }

private:
    [[noreturn]] void fail(const std::string& message) const;

    runfiles::FieldReader fields_;
};

// A number as text with the given significant digits (printf's %g), locale-free.
std::string numberText(double value, int digits);

}  // namespace demrun
