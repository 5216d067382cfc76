// Free-format numeric text read field by field, as the toolkit's simulator files are:
// commas, blanks, tabs and line ends separate fields, line structure carries no meaning.
// Numbers are parsed with std::from_chars (locale-free); a Fortran "D" exponent
// (0.1000D+04) reads as "E". Every failure names the file, line and field text.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace bridge {

// A read failure with its location, ready to show to the user.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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
    bool atEnd();
    // An upper bound on the fields still to come (a character and a separator each):
    // counts read from the text are checked against it before anything is sized for them.
    std::size_t fieldsLeftAtMost() const { return (text_.size() - pos_ + 1) / 2; }
    // Rewinds to the first field.
    void restart();
    const std::string& name() const { return name_; }

private:
    std::string_view next(const char* what);
    [[noreturn]] void fail(const std::string& message) const;

    std::string_view text_;
    std::string name_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// Parses a whole field; false when it is not one finite number.
bool parseNumber(std::string_view field, double& value);

// A number as text with the given significant digits (printf's %g), locale-free.
std::string numberText(double value, int digits);

}  // namespace bridge
