#pragma once
// Fixed-width records written from layout strings in the notation of
// formatted Fortran output: ' ' literals, Iw, Fw.d, Ew.d, Dw.d, nX, A and
// repeat counts in front of descriptors and parenthesised groups.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessark {

using LayoutValue = std::variant<std::int64_t, double, std::string_view>;

class FixedLayout {
public:
    // Parses a layout such as "(' ',4(D11.4,2X),I3)"; nullopt when malformed.
    static std::optional<FixedLayout> parse(std::string_view layout);

    // One record, without its line end. A value that does not fit its field
    // fills the field with asterisks; an item of the wrong kind for its
    // descriptor (an integer under E, a real under I) does too. Blanks of an X
    // that no later item follows are not written. When the values outlast the
    // layout, output goes on in a new line ('\n') from the last top-level group.
    std::string format(const std::vector<LayoutValue>& values) const;

    struct Item;

private:
    std::shared_ptr<const std::vector<Item>> items_;
};

// Parses a layout that is a constant of the program; aborts when it is malformed.
FixedLayout layoutOf(std::string_view layout);

// The single edit descriptors, exposed for reuse and tests.
std::string formatInteger(std::int64_t value, int width);
std::string formatFixed(double value, int width, int decimals);
std::string formatExponent(double value, int width, int decimals, char letter);

}  // namespace tessark
