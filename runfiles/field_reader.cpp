#include "runfiles/field_reader.h"

#include "common/safe_output.h"
#include "runfiles/capacities.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace runfiles {
namespace {

constexpr size_t kChunkSize = 1 << 20;

struct SeparatorTable {
    bool separator[256] = {};
    constexpr SeparatorTable() {
        for (const char c : {' ', ',', '\n', '\r', '\t', '\f', '\v'}) separator[static_cast<unsigned char>(c)] = true;
    }
};
constexpr SeparatorTable kSeparators;

bool isSeparator(char c) { return kSeparators.separator[static_cast<unsigned char>(c)]; }

// The powers of ten a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;
constexpr uint64_t kLargestExactMantissa = uint64_t{1} << 53;

// Reads the number as the simulator writes almost every one, from p up to at most
// limit: a sign, at most 19 digits with a decimal point, an exponent (E or D). When
// its digits as a whole number are at most 2^53 and the power of ten is one a double
// holds exactly, the value is that number times or divided by the power, each exact,
// so the one rounding of that operation gives the correctly rounded value
// std::from_chars gives. Returns where the number stops (the caller decides whether a
// field ends there), or nullptr for anything else, which takes the general path (the
// same text may still be a number there).
const char* readCommonDecimal(const char* p, const char* limit, double& value) {
    bool negative = false;
    if (p < limit && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    uint64_t mantissa = 0;
    const char* digits = p;
    for (; p < limit; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit > 9) break;
        mantissa = mantissa * 10 + digit;
    }
    long count = p - digits;
    int exponent = 0;
    if (p < limit && *p == '.') {
        const char* fraction = ++p;
        for (; p < limit; ++p) {
            const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
            if (digit > 9) break;
            mantissa = mantissa * 10 + digit;
        }
        exponent = -static_cast<int>(p - fraction);
        count += p - fraction;
    }
    // Up to 19 digits cannot overflow 64 bits.
    if (count == 0 || count > 19) return nullptr;
    if (p < limit && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
        ++p;
        bool negativeExponent = false;
        if (p < limit && (*p == '-' || *p == '+')) {
            negativeExponent = *p == '-';
            ++p;
        }
        int written = 0;
        const char* exponentDigits = p;
        for (; p < limit; ++p) {
            const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
            if (digit > 9) break;
            if (p - exponentDigits == 4) return nullptr;
            written = written * 10 + static_cast<int>(digit);
        }
        if (p == exponentDigits) return nullptr;
        exponent += negativeExponent ? -written : written;
    }
    if (mantissa > kLargestExactMantissa) return nullptr;
    double magnitude = 0.0;
    if (mantissa != 0) {
        if (exponent < -kLargestExactPower || exponent > kLargestExactPower) return nullptr;
        magnitude = static_cast<double>(mantissa);
        magnitude = exponent < 0 ? magnitude / kExactPowersOfTen[-exponent] : magnitude * kExactPowersOfTen[exponent];
    }
    value = negative ? -magnitude : magnitude;
    return p;
}

}  // namespace

bool parseFieldDouble(const char* begin, const char* end, double& value) {
    double common = 0.0;
    if (readCommonDecimal(begin, end, common) == end) {
        value = common;
        return true;
    }
    if (begin < end && *begin == '+') {
        ++begin;
        if (begin < end && (*begin == '-' || *begin == '+')) return false;
    }
    if (begin >= end) return false;
    double parsed = 0.0;
    auto result = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (result.ec == std::errc{} && result.ptr < end && (*result.ptr == 'D' || *result.ptr == 'd')) {
        // Fortran writes D as the exponent letter of double-precision fields.
        const size_t length = static_cast<size_t>(end - begin);
        if (length > kMaxFieldLength) return false;
        char local[kMaxFieldLength];
        std::memcpy(local, begin, length);
        local[result.ptr - begin] = 'E';
        result = std::from_chars(local, local + length, parsed, std::chars_format::general);
        if (result.ec != std::errc{} || result.ptr != local + length) return false;
    } else if (result.ec != std::errc{} || result.ptr != end) {
        return false;
    }
    if (!std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool fieldToInt16(double value, int16_t& out) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) return false;
    out = static_cast<int16_t>(rounded);
    return true;
}

bool fieldToInt32(double value, int32_t& out) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return false;
    out = static_cast<int32_t>(rounded);
    return true;
}

FieldReader::FieldReader() = default;

FieldReader::~FieldReader() { close(); }

bool FieldReader::open(const std::string& path) {
    close();
    path_ = path;
    if (path.empty()) return false;
    // A FIFO or a device named like a result file would block the window in open().
    toolkit::FileFailure failure;
    const int fd = toolkit::openRegularFile(path, failure);
    if (fd < 0) return false;
    file_ = ::fdopen(fd, "rb");
    if (file_ == nullptr) ::close(fd);
    return file_ != nullptr;
}

void FieldReader::openText(std::string_view text, std::string name) {
    close();
    path_ = std::move(name);
    inText_ = true;
    data_ = text.data();
    end_ = text.size();
    eof_ = true;
}

bool FieldReader::reopen() {
    if (inText_) {
        pos_ = 0;
        line_ = 1;
        return true;
    }
    const std::string path = path_;
    return open(path);
}

void FieldReader::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    inText_ = false;
    data_ = nullptr;
    pos_ = 0;
    end_ = 0;
    eof_ = false;
    fetchedBytes_ = 0;
    line_ = 1;
}

uint64_t FieldReader::fieldsLeftAtMost() const {
    if (inText_) return (end_ - pos_ + 1) / 2;
    struct stat status {};
    if (file_ == nullptr || ::fstat(::fileno(file_), &status) != 0) return 0;
    const auto size = static_cast<uint64_t>(std::max<off_t>(status.st_size, 0));
    const uint64_t unread = size > fetchedBytes_ ? size - fetchedBytes_ : 0;
    return (unread + (end_ - pos_) + 1) / 2;
}

bool FieldReader::refill() {
    if (file_ == nullptr || eof_) return false;
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (buffer_.size() < end_ + kChunkSize) buffer_.resize(end_ + kChunkSize);
    data_ = buffer_.data();
    const size_t got = std::fread(buffer_.data() + end_, 1, kChunkSize, file_);
    end_ += got;
    fetchedBytes_ += got;
    if (got < kChunkSize) eof_ = true;
    return got > 0;
}

bool FieldReader::atEnd() {
    if (!isOpen()) return true;
    for (;;) {
        while (pos_ < end_ && isSeparator(data_[pos_])) {
            if (data_[pos_] == '\n') ++line_;
            ++pos_;
        }
        if (pos_ < end_) return false;
        if (!refill()) return true;
    }
}

bool FieldReader::nextField(const char*& begin, const char*& end) {
    if (atEnd()) return false;
    size_t scan = pos_;
    for (;;) {
        while (scan < end_ && !isSeparator(data_[scan])) ++scan;
        if (scan - pos_ > kMaxFieldLength) return false;
        if (scan < end_ || eof_) break;
        const size_t offset = scan - pos_;
        if (!refill()) break;
        scan = pos_ + offset;
    }
    begin = data_ + pos_;
    end = data_ + scan;
    pos_ = scan;
    return true;
}

bool FieldReader::readField(std::string_view& field) {
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!nextField(begin, end)) return false;
    field = std::string_view(begin, static_cast<size_t>(end - begin));
    return true;
}

bool FieldReader::readDouble(double& value) {
    if (atEnd()) return false;
    // Most fields are read where they stand in the buffer, scanned and converted in one
    // pass: a common number followed by a separator, or by the end of all the text.
    const char* begin = data_ + pos_;
    const char* limit = data_ + end_;
    double common = 0.0;
    const char* stop = readCommonDecimal(begin, limit, common);
    if (stop != nullptr && static_cast<size_t>(stop - begin) <= kMaxFieldLength &&
        (stop < limit ? isSeparator(*stop) : eof_)) {
        pos_ = static_cast<size_t>(stop - data_);
        value = common;
        return true;
    }
    const char* end = nullptr;
    if (!nextField(begin, end)) return false;
    return parseFieldDouble(begin, end, value);
}

bool FieldReader::readInt16(int16_t& value) {
    double field = 0.0;
    return readDouble(field) && fieldToInt16(field, value);
}

bool FieldReader::readInt32(int32_t& value) {
    double field = 0.0;
    return readDouble(field) && fieldToInt32(field, value);
}

bool FieldReader::skip(int count) {
    double ignored = 0.0;
    for (int i = 0; i < count; ++i) {
        if (!readDouble(ignored)) return false;
    }
    return true;
}

}  // namespace runfiles
