#include "bridge/dump_reader.h"

#include "bridge/field_text.h"
#include "common/safe_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace demrun {

namespace {

// Large enough that the parser, not the system calls, sets the pace; small enough to
// stay in the cache.
constexpr std::size_t kBufferSize = std::size_t(1) << 18;

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The powers of ten a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A field in the plain form LAMMPS writes most numbers in (an optional '-', digits, and
// optionally a point and digits; no exponent), with at most 2^53 as its digits: read as
// digits / 10^decimals, two exact doubles and one correctly rounded division, which is the
// double nearest to the text, as std::from_chars gives it. Returns the end of the field,
// or nullptr for any other text (from_chars reads it, or refuses it).
const char* plainDecimal(const char* p, const char* end, double& value) {
    const bool negative = *p == '-';
    const char* q = p + (negative ? 1 : 0);
    std::uint64_t digits = 0;
    int count = 0, decimals = 0;
    for (; q < end && static_cast<unsigned>(*q - '0') < 10; ++q, ++count)
        digits = digits * 10 + static_cast<unsigned>(*q - '0');
    if (count == 0) return nullptr;
    if (q < end && *q == '.') {
        ++q;
        for (; q < end && static_cast<unsigned>(*q - '0') < 10; ++q, ++count, ++decimals)
            digits = digits * 10 + static_cast<unsigned>(*q - '0');
        if (decimals == 0) return nullptr;
    }
    if (q < end && !isBlank(*q) && *q != '\n') return nullptr;
    if (count > 19 || digits > (std::uint64_t(1) << 53) || decimals > 22) return nullptr;
    value = static_cast<double>(digits) / kExactPowers[decimals];
    if (negative) value = -value;
    return q;
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && !isBlank(text[pos])) ++pos;
        if (pos > start) out.emplace_back(text.substr(start, pos - start));
    }
    return out;
}

}  // namespace

std::size_t DumpBlock::column(const std::string& name, const std::string& dumpName) const {
    for (std::size_t k = 0; k < columns.size(); ++k)
        if (columns[k] == name) return k;
    throw InputError(dumpName + ": the dump has no column '" + name + "'");
}

DumpReader::DumpReader(std::string_view text, std::string name)
    : name_(std::move(name)), data_(text.data()), size_(text.size()) {
    const std::size_t last = text.rfind('\n');
    complete_ = last == std::string_view::npos ? 0 : last + 1;
}

DumpReader::DumpReader(const std::string& path) : name_(path) {
    toolkit::FileFailure failure;
    fd_ = toolkit::openRegularFile(path, failure);
    if (fd_ < 0) throw InputError(path + ": cannot be opened (" + failure.reason + ")");
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    capacity_ = kBufferSize;
    buffer_ = std::make_unique<char[]>(capacity_);
    data_ = buffer_.get();
}

DumpReader::~DumpReader() {
    if (fd_ >= 0) ::close(fd_);
}

void DumpReader::fail(const std::string& message) const {
    throw InputError(name_ + ": line " + std::to_string(lineNumber_) + ": " + message);
}

bool DumpReader::refill() {
    if (fd_ < 0) return false;
    // Keep the unread rest at the front; a line longer than the buffer doubles it.
    const std::size_t rest = size_ - pos_;
    if (rest == capacity_) {
        auto larger = std::make_unique<char[]>(2 * capacity_);
        std::memcpy(larger.get(), buffer_.get() + pos_, rest);
        buffer_ = std::move(larger);
        capacity_ *= 2;
    } else if (pos_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + pos_, rest);
    }
    dropped_ += pos_;
    complete_ = complete_ > pos_ ? complete_ - pos_ : 0;
    pos_ = 0;
    size_ = rest;
    data_ = buffer_.get();
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.get() + size_, capacity_ - size_);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw InputError(name_ + ": cannot be read (" + std::strerror(errno) + ")");
        const auto* last =
            static_cast<const char*>(::memrchr(buffer_.get() + size_, '\n', static_cast<std::size_t>(n)));
        size_ += static_cast<std::size_t>(n);
        if (last != nullptr) complete_ = static_cast<std::size_t>(last - buffer_.get()) + 1;
        return n > 0;
    }
}

std::size_t DumpReader::lineEnd() {
    std::size_t from = pos_;
    for (;;) {
        const void* found = std::memchr(data_ + from, '\n', size_ - from);
        if (found != nullptr) return static_cast<std::size_t>(static_cast<const char*>(found) - data_);
        const std::size_t searched = size_ - pos_;
        if (!refill()) return size_;
        from = searched;  // the buffer now starts at the line
    }
}

std::string_view DumpReader::line() {
    if (pos_ >= size_ && !refill()) fail("the dump ends in the middle of a step block");
    const std::size_t end = lineEnd();
    // A header line always ends with its line end; without one the dump was cut here.
    if (end == size_) fail("the dump ends in the middle of a step block");
    std::string_view result(data_ + pos_, end - pos_);
    pos_ = end < size_ ? end + 1 : size_;
    ++lineNumber_;
    if (!result.empty() && result.back() == '\r') result.remove_suffix(1);
    return result;
}

std::size_t DumpReader::bytesLeft() const {
    const std::size_t buffered = size_ - pos_;
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return buffered;
    const auto fileSize = static_cast<std::size_t>(info.st_size);
    const std::size_t done = dropped_ + pos_;
    return std::max(buffered, fileSize > done ? fileSize - done : 0);
}

void DumpReader::readRow(double* out) {
    const std::size_t columns = columns_;
    const long timestep = timestep_;
    --rowsLeft_;
    const auto cutShort = [&]() {
        fail("the dump ends in the middle of a step block (timestep " + std::to_string(timestep) + ")");
    };
    // Rows before complete_ end with their '\n' inside the buffer, so they are parsed in
    // place up to it; only the last row of a file may end without one.
    while (pos_ >= complete_ && refill()) {
    }
    if (pos_ >= size_) cutShort();
    ++lineNumber_;
    const char* p = data_ + pos_;
    const char* end = data_ + (pos_ < complete_ ? complete_ : size_);
    for (std::size_t c = 0; c < columns; ++c) {
        while (p < end && (*p == ' ' || *p == '\t')) ++p;
        if (p >= end || *p == '\n' || *p == '\r') cutShort();
        // Most fields of a granular dump are a bare 0 (no wall contact): the fast path.
        if (*p == '0' && (p + 1 == end || isBlank(p[1]) || p[1] == '\n')) {
            *out++ = 0.0;
            ++p;
            continue;
        }
        if (const char* next = plainDecimal(p, end, *out)) {
            ++out;
            p = next;
            continue;
        }
        const auto [next, ec] = std::from_chars(p, end, *out);
        if (ec != std::errc() || (next < end && !isBlank(*next) && *next != '\n')) fail("a value is not a number");
        // LAMMPS writes nan or inf once a run has become unstable; no file for the
        // viewer may carry them.
        if (!std::isfinite(*out)) fail("a value is nan or infinite (the run has probably become unstable)");
        ++out;
        p = next;
    }
    while (p < end && isBlank(*p)) ++p;
    if (p < end) {
        if (*p != '\n') fail("a row has more values than the columns");
        ++p;
    }
    pos_ = static_cast<std::size_t>(p - data_);
}

bool DumpReader::next(DumpBlock& block) {
    if (!nextHeader(block)) return false;
    block.values.resize(block.rows * columns_);
    double* out = block.values.data();
    for (std::size_t r = 0; r < block.rows; ++r, out += columns_) readRow(out);
    return true;
}

bool DumpReader::nextHeader(DumpBlock& block) {
    for (;;) {
        if (pos_ >= size_ && !refill()) return false;
        if (data_[pos_] == '\n')
            ++lineNumber_;
        else if (data_[pos_] != ' ')
            break;
        ++pos_;
    }
    if (line() != "ITEM: TIMESTEP") fail("expected 'ITEM: TIMESTEP'");
    const std::string_view stepText = line();
    if (std::from_chars(stepText.data(), stepText.data() + stepText.size(), block.timestep).ec != std::errc())
        fail("the timestep is not a whole number");
    std::string_view item = line();
    while (startsWith(item, "ITEM: TIME") || startsWith(item, "ITEM: UNITS")) {
        line();
        item = line();
    }
    if (!startsWith(item, "ITEM: NUMBER OF")) fail("expected 'ITEM: NUMBER OF ATOMS' or 'ENTRIES'");
    const std::string_view countText = line();
    long long count = 0;
    if (std::from_chars(countText.data(), countText.data() + countText.size(), count).ec != std::errc() || count < 0)
        fail("the row count is not a whole number");
    item = line();
    if (startsWith(item, "ITEM: BOX BOUNDS")) {
        const int boxLines = 3;
        for (int k = 0; k < boxLines; ++k) line();
        item = line();
    }
    std::string_view header;
    if (startsWith(item, "ITEM: ATOMS"))
        header = item.substr(11);
    else if (startsWith(item, "ITEM: ENTRIES"))
        header = item.substr(13);
    else
        fail("expected 'ITEM: ATOMS' or 'ITEM: ENTRIES'");
    block.columns = words(header);
    const std::size_t ncol = block.columns.size();
    if (ncol == 0) fail("the step block names no columns");
    // A row takes at least one character per value and one after it, so the count is
    // checked against the rest of the file before it sizes the table: a count the file
    // cannot hold is a dump cut short, not a request for terabytes.
    if (static_cast<unsigned long long>(count) > (bytesLeft() + 1) / (2 * ncol))
        fail("the dump ends in the middle of a step block (timestep " + std::to_string(block.timestep) + ")");
    block.rows = static_cast<std::size_t>(count);
    block.values.clear();
    timestep_ = block.timestep;
    columns_ = ncol;
    rowsLeft_ = block.rows;
    return true;
}

DumpSeries::DumpSeries(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) readers_.push_back(std::make_unique<DumpReader>(path));
}

std::size_t DumpSeries::bytes() const {
    std::size_t total = 0;
    for (const auto& reader : readers_) total += reader->bytes();
    return total;
}

bool DumpSeries::nextHeader(DumpBlock& block) {
    reading_ = 0;
    if (readers_.empty()) return false;
    if (!readers_.front()->nextHeader(block)) {
        for (std::size_t k = 1; k < readers_.size(); ++k)
            if (readers_[k]->nextHeader(part_))
                throw InputError(readers_[k]->name() + ": holds more step blocks than the other ranks' files");
        return false;
    }
    for (std::size_t k = 1; k < readers_.size(); ++k) {
        DumpReader& reader = *readers_[k];
        if (!reader.nextHeader(part_) || part_.timestep != block.timestep)
            throw InputError(reader.name() + ": its step blocks do not match the other ranks' files at timestep " +
                             std::to_string(block.timestep));
        if (part_.columns != block.columns) throw InputError(reader.name() + ": its columns differ");
        block.rows += part_.rows;
    }
    return true;
}

void DumpSeries::readRow(double* out) {
    while (reading_ < readers_.size() && readers_[reading_]->rowsLeft() == 0) ++reading_;
    if (reading_ == readers_.size()) throw std::logic_error("DumpSeries::readRow: the block has no rows left");
    readers_[reading_]->readRow(out);
}

std::vector<std::string> dumpFiles(const std::string& folder, const std::string& name) {
    const std::filesystem::path base = std::filesystem::path(folder) / name;
    if (std::filesystem::exists(base)) return {base.string()};
    std::vector<std::string> files;
    for (int rank = 0;; ++rank) {
        std::filesystem::path part = base;
        part += "." + std::to_string(rank);
        if (!std::filesystem::exists(part)) break;
        files.push_back(part.string());
    }
    if (files.empty()) throw InputError(base.string() + ": no such dump (did the run finish?)");
    return files;
}

void removeDumpFiles(const std::string& folder, const std::string& name) {
    const std::filesystem::path base = std::filesystem::path(folder) / name;
    for (int rank = -1;; ++rank) {
        std::filesystem::path file = base;
        if (rank >= 0) file += "." + std::to_string(rank);
        if (::unlink(file.c_str()) == 0) continue;
        if (errno != ENOENT)
            throw std::runtime_error(file.string() + ": cannot be removed (" + std::strerror(errno) + ")");
        if (rank >= 0) return;
    }
}

}  // namespace demrun
