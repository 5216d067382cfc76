#pragma once
// List-directed reading of numbers from text: values separated by blanks,
// commas or line ends; each read (a group of values) starts on a fresh line
// and discards the rest of the line holding its last value.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessark {

class ListDirectedReader {
public:
    explicit ListDirectedReader(std::string_view text) : text_(text) {}

    // Starts a read at the beginning of the next unread line.
    void beginRead();
    // Ends the read: the rest of the current line is skipped.
    void endRead();

    // The next value of the current read; nullopt with a reason in `problem`.
    std::optional<std::int32_t> integer(std::string& problem);
    std::optional<double> real(std::string& problem);

private:
    std::optional<std::string> nextField(std::string& problem);

    std::string_view text_;
    std::size_t pos_ = 0;
    bool lineStarted_ = false;  // pos_ lies inside a line already read from
    bool afterValue_ = false;   // a value of this read has been taken
    std::string repeatedValue_;
    long repeatsLeft_ = 0;
};

// Why a field gave no value.
enum class FieldProblem { None, Malformed, OutOfRange };

// Whole-field conversions in the forms a list-directed read accepts. A real
// too small for a double reads as 0 (with its sign); one too large, like an
// integer beyond 32 bits, is out of range.
std::optional<std::int32_t> parseIntegerField(std::string_view field, FieldProblem* problem = nullptr);
std::optional<double> parseRealField(std::string_view field, FieldProblem* problem = nullptr);

}  // namespace tessark
