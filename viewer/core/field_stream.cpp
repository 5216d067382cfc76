#include "viewer/core/field_stream.h"

#include "common/safe_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace sorvath {
namespace {

constexpr size_t kChunkSize = 1 << 20;
// A longer field is not a number the simulator writes; refusing it bounds the buffer.
constexpr size_t kMaxFieldLength = 4096;

struct SeparatorTable {
    bool separator[256] = {};
    constexpr SeparatorTable() {
        for (const char c : {' ', ',', '\n', '\r', '\t', '\f', '\v'}) separator[static_cast<unsigned char>(c)] = true;
    }
};
constexpr SeparatorTable kSeparators;

bool isSeparator(char c) { return kSeparators.separator[static_cast<unsigned char>(c)]; }

}  // namespace

bool parseFieldDouble(const char* begin, const char* end, double& value) {
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

FieldStream::FieldStream() = default;

FieldStream::~FieldStream() { close(); }

bool FieldStream::open(const std::string& path) {
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

bool FieldStream::reopen() {
    const std::string path = path_;
    return open(path);
}

void FieldStream::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    pos_ = 0;
    end_ = 0;
    eof_ = false;
    fetchedBytes_ = 0;
}

uint64_t FieldStream::fieldsLeftAtMost() const {
    struct stat status {};
    if (file_ == nullptr || ::fstat(::fileno(file_), &status) != 0) return 0;
    const auto size = static_cast<uint64_t>(std::max<off_t>(status.st_size, 0));
    const uint64_t unread = size > fetchedBytes_ ? size - fetchedBytes_ : 0;
    return (unread + (end_ - pos_) + 1) / 2;
}

bool FieldStream::refill() {
    if (file_ == nullptr || eof_) return false;
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (buffer_.size() < end_ + kChunkSize) buffer_.resize(end_ + kChunkSize);
    const size_t got = std::fread(buffer_.data() + end_, 1, kChunkSize, file_);
    end_ += got;
    fetchedBytes_ += got;
    if (got < kChunkSize) eof_ = true;
    return got > 0;
}

bool FieldStream::atEnd() {
    if (file_ == nullptr) return true;
    for (;;) {
        while (pos_ < end_ && isSeparator(buffer_[pos_])) ++pos_;
        if (pos_ < end_) return false;
        if (!refill()) return true;
    }
}

bool FieldStream::nextField(const char*& begin, const char*& end) {
    if (atEnd()) return false;
    size_t scan = pos_;
    for (;;) {
        while (scan < end_ && !isSeparator(buffer_[scan])) ++scan;
        if (scan - pos_ > kMaxFieldLength) return false;
        if (scan < end_ || eof_) break;
        const size_t offset = scan - pos_;
        if (!refill()) break;
        scan = pos_ + offset;
    }
    begin = buffer_.data() + pos_;
    end = buffer_.data() + scan;
    pos_ = scan;
    return true;
}

bool FieldStream::readDouble(double& value) {
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!nextField(begin, end)) return false;
    return parseFieldDouble(begin, end, value);
}

bool FieldStream::readInt16(int16_t& value) {
    double field = 0.0;
    return readDouble(field) && fieldToInt16(field, value);
}

bool FieldStream::readInt32(int32_t& value) {
    double field = 0.0;
    return readDouble(field) && fieldToInt32(field, value);
}

bool FieldStream::skip(int count) {
    double ignored = 0.0;
    for (int i = 0; i < count; ++i) {
        if (!readDouble(ignored)) return false;
    }
    return true;
}

}  // namespace sorvath
