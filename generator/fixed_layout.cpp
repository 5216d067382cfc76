#include "generator/fixed_layout.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tessark {

struct FixedLayout::Item {
    enum class Kind { Literal, Blanks, Integer, Fixed, Exponent, Text, Group };
    Kind kind = Kind::Literal;
    int repeat = 1;
    int width = 0;
    int decimals = 0;
    char letter = 'E';
    std::string literal;
    std::vector<Item> group;
};

namespace {

using Item = FixedLayout::Item;

class LayoutParser {
public:
    explicit LayoutParser(std::string_view text) : text_(text) {}

    std::optional<std::vector<Item>> parseWhole() {
        skipBlanks();
        if (!take('(')) return std::nullopt;
        auto items = parseList();
        if (!items || !take(')')) return std::nullopt;
        skipBlanks();
        if (pos_ != text_.size()) return std::nullopt;
        return items;
    }

private:
    std::optional<std::vector<Item>> parseList() {
        std::vector<Item> items;
        skipBlanks();
        if (peek() == ')') return items;
        for (;;) {
            auto item = parseItem();
            if (!item) return std::nullopt;
            items.push_back(std::move(*item));
            skipBlanks();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == ')') return items;
            // A literal may follow another item without a comma.
            if (peek() == '\'') continue;
            return std::nullopt;
        }
    }

    std::optional<Item> parseItem() {
        skipBlanks();
        Item item;
        const std::optional<int> count = number();
        skipBlanks();
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(peek())));
        if (c == '\'') {
            if (count) return std::nullopt;
            ++pos_;
            item.kind = Item::Kind::Literal;
            for (;;) {
                if (pos_ >= text_.size()) return std::nullopt;
                const char ch = text_[pos_++];
                if (ch == '\'') {
                    if (peek() == '\'') {
                        item.literal.push_back('\'');
                        ++pos_;
                        continue;
                    }
                    break;
                }
                item.literal.push_back(ch);
            }
            return item;
        }
        if (count && *count <= 0) return std::nullopt;
        item.repeat = count.value_or(1);
        ++pos_;
        switch (c) {
            case '(': {
                auto inner = parseList();
                if (!inner || !take(')')) return std::nullopt;
                item.kind = Item::Kind::Group;
                item.group = std::move(*inner);
                return item;
            }
            case 'X':
                if (!count) item.repeat = 1;
                item.kind = Item::Kind::Blanks;
                return item;
            case 'A':
                item.kind = Item::Kind::Text;
                if (auto w = number()) item.width = *w;
                return item;
            case 'I': {
                const auto w = number();
                if (!w || *w <= 0) return std::nullopt;
                item.kind = Item::Kind::Integer;
                item.width = *w;
                return item;
            }
            case 'F':
            case 'E':
            case 'D': {
                const auto w = number();
                if (!w || *w <= 0 || !take('.')) return std::nullopt;
                const auto d = number();
                if (!d) return std::nullopt;
                item.kind = c == 'F' ? Item::Kind::Fixed : Item::Kind::Exponent;
                item.letter = c;
                item.width = *w;
                item.decimals = *d;
                return item;
            }
            default: return std::nullopt;
        }
    }

    std::optional<int> number() {
        skipBlanks();
        int value = 0;
        bool any = false;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (value > 100000) return std::nullopt;
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
            any = true;
        }
        if (!any) return std::nullopt;
        return value;
    }

    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    bool take(char c) {
        skipBlanks();
        if (peek() != c) return false;
        ++pos_;
        return true;
    }
    void skipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

std::string stars(int width) { return std::string(static_cast<std::size_t>(width), '*'); }

std::string rightAligned(const std::string& body, int width) {
    if (static_cast<int>(body.size()) > width) return stars(width);
    return std::string(static_cast<std::size_t>(width) - body.size(), ' ') + body;
}

std::string nonFinite(double value, int width) {
    std::string body = std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    if (static_cast<int>(body.size()) > width && std::isinf(value)) body = value < 0 ? "-Inf" : "Inf";
    return rightAligned(body, width);
}

// Writes the record while walking the layout; remembers blanks of X until
// something follows them.
class RecordWriter {
public:
    RecordWriter(const std::vector<LayoutValue>& values) : values_(values) {}

    // Returns false when the values ran out at a data descriptor.
    bool walk(const std::vector<Item>& items) {
        for (const Item& item : items) {
            for (int r = 0; r < item.repeat; ++r) {
                if (!walkOne(item)) return false;
            }
        }
        return true;
    }

    bool valuesLeft() const { return next_ < values_.size(); }
    void newRecord() {
        out_.push_back('\n');
        pendingBlanks_ = 0;
    }
    std::string take() { return std::move(out_); }

private:
    bool walkOne(const Item& item) {
        using Kind = Item::Kind;
        switch (item.kind) {
            case Kind::Literal: emit(item.literal); return true;
            case Kind::Blanks: ++pendingBlanks_; return true;
            case Kind::Group: return walk(item.group);
            default: break;
        }
        if (!valuesLeft()) return false;
        const LayoutValue& value = values_[next_++];
        switch (item.kind) {
            case Kind::Integer:
                if (const auto* i = std::get_if<std::int64_t>(&value)) {
                    emit(formatInteger(*i, item.width));
                } else {
                    emit(stars(item.width));
                }
                break;
            case Kind::Fixed:
            case Kind::Exponent:
                if (const auto* d = std::get_if<double>(&value)) {
                    emit(item.kind == Kind::Fixed ? formatFixed(*d, item.width, item.decimals)
                                                  : formatExponent(*d, item.width, item.decimals, item.letter));
                } else {
                    emit(stars(item.width));
                }
                break;
            case Kind::Text:
                if (const auto* s = std::get_if<std::string_view>(&value)) {
                    std::string text(*s);
                    if (item.width > 0) {
                        // Aw: the text's first w characters, or blanks in front when shorter.
                        const auto w = static_cast<std::size_t>(item.width);
                        text = text.size() >= w ? text.substr(0, w) : std::string(w - text.size(), ' ') + text;
                    }
                    emit(text);
                } else {
                    emit(stars(item.width > 0 ? item.width : 1));
                }
                break;
            default: break;
        }
        return true;
    }

    void emit(const std::string& text) {
        out_.append(static_cast<std::size_t>(pendingBlanks_), ' ');
        pendingBlanks_ = 0;
        out_ += text;
    }

    const std::vector<LayoutValue>& values_;
    std::size_t next_ = 0;
    int pendingBlanks_ = 0;
    std::string out_;
};

}  // namespace

std::string formatInteger(std::int64_t value, int width) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<int>(end - digits);
    if (length > width) return stars(width);
    std::string field(static_cast<std::size_t>(width - length), ' ');
    field.append(digits, end);
    return field;
}

std::string formatFixed(double value, int width, int decimals) {
    if (!std::isfinite(value)) return nonFinite(value, width);
    // printf rounds the exact binary value to nearest, as formatted output does.
    std::vector<char> buffer(static_cast<std::size_t>(decimals) + 400);
    const int size = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, std::fabs(value));
    std::string digits(buffer.data(), static_cast<std::size_t>(size > 0 ? size : 0));
    if (decimals == 0) digits += '.';
    const bool negative = std::signbit(value) && value != 0.0;
    std::string body = (negative ? "-" : "") + digits;
    // The zero before the point is optional and dropped when the field is full.
    if (static_cast<int>(body.size()) > width && digits.size() > 1 && digits[0] == '0' && digits[1] == '.') {
        body = (negative ? "-" : "") + digits.substr(1);
    }
    return rightAligned(body, width);
}

std::string formatExponent(double value, int width, int decimals, char letter) {
    if (!std::isfinite(value)) return nonFinite(value, width);
    const bool negative = std::signbit(value) && value != 0.0;
    std::string mantissa;
    int exponent = 0;
    if (value == 0.0) {
        mantissa = std::string(static_cast<std::size_t>(decimals), '0');
    } else if (decimals > 0) {
        // d significant digits, rounded once from the exact binary value to
        // nearest (as printf's %e does); a rounding that carries into a new
        // power of ten shows up as a larger exponent there.
        char room[64];
        std::string larger;
        char* text = room;
        std::size_t size = sizeof room;
        if (static_cast<std::size_t>(decimals) + 16 > size) {
            larger.resize(static_cast<std::size_t>(decimals) + 16);
            text = larger.data();
            size = larger.size();
        }
        const char* end =
            std::to_chars(text, text + size, std::fabs(value), std::chars_format::scientific, decimals - 1).ptr;
        const char* e = std::find(static_cast<const char*>(text), end, 'e');
        for (const char* c = text; c != e; ++c) {
            if (*c != '.') mantissa.push_back(*c);
        }
        // The exponent after "e", with its sign.
        int written = 0;
        std::from_chars(e + (e[1] == '+' ? 2 : 1), end, written);
        exponent = written + 1;
    }
    const int magnitude = std::abs(exponent);
    // Two exponent digits after the letter and the sign; three (a double's
    // exponent has no more) take the place of the letter.
    std::string body;
    body.reserve(mantissa.size() + 8);
    if (negative) body.push_back('-');
    body += "0.";
    body += mantissa;
    if (magnitude <= 99) body.push_back(letter);
    body.push_back(exponent < 0 ? '-' : '+');
    if (magnitude > 99) body.push_back(static_cast<char>('0' + magnitude / 100 % 10));
    body.push_back(static_cast<char>('0' + magnitude / 10 % 10));
    body.push_back(static_cast<char>('0' + magnitude % 10));
    // The zero before the point is dropped when the field is full.
    if (static_cast<int>(body.size()) > width) body.erase(negative ? 1 : 0, 1);
    return rightAligned(body, width);
}

std::optional<FixedLayout> FixedLayout::parse(std::string_view layout) {
    LayoutParser parser(layout);
    auto items = parser.parseWhole();
    if (!items) return std::nullopt;
    FixedLayout result;
    result.items_ = std::make_shared<const std::vector<Item>>(std::move(*items));
    return result;
}

std::string FixedLayout::format(const std::vector<LayoutValue>& values) const {
    RecordWriter writer(values);
    const std::vector<Item>& items = *items_;
    if (!writer.walk(items)) return writer.take();
    // Values left over: new records from the last top-level group (with its
    // repeat count), or from the start when the layout has no group.
    std::size_t restart = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind == Item::Kind::Group) restart = i;
    }
    const std::vector<Item> tail(items.begin() + static_cast<std::ptrdiff_t>(restart), items.end());
    bool hasData = false;
    const auto containsData = [&](const auto& self, const std::vector<Item>& list) -> void {
        for (const Item& it : list) {
            if (it.kind == Item::Kind::Group)
                self(self, it.group);
            else if (it.kind != Item::Kind::Literal && it.kind != Item::Kind::Blanks)
                hasData = true;
        }
    };
    containsData(containsData, tail);
    while (hasData && writer.valuesLeft()) {
        writer.newRecord();
        if (!writer.walk(tail)) break;
    }
    return writer.take();
}

FixedLayout layoutOf(std::string_view layout) {
    auto parsed = FixedLayout::parse(layout);
    if (!parsed) {
        std::fprintf(stderr, "malformed record layout: %.*s\n", static_cast<int>(layout.size()), layout.data());
        std::abort();
    }
    return *parsed;
}

}  // namespace tessark
