#include "bridge/dump_reader.h"

#include "bridge/field_text.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace bridge {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r')) ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t' && text[pos] != '\r') ++pos;
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

DumpReader::DumpReader(std::string_view text, std::string name) : text_(text), name_(std::move(name)) {}

void DumpReader::fail(const std::string& message) const {
    throw InputError(name_ + ": line " + std::to_string(lineNumber_) + ": " + message);
}

std::string_view DumpReader::line() {
    if (pos_ >= text_.size()) fail("the dump ends in the middle of a step block");
    const std::size_t end = text_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    std::string_view result = text_.substr(pos_, stop - pos_);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++lineNumber_;
    if (!result.empty() && result.back() == '\r') result.remove_suffix(1);
    return result;
}

bool DumpReader::next(DumpBlock& block) {
    while (pos_ < text_.size() && (text_[pos_] == '\n' || text_[pos_] == ' ')) {
        if (text_[pos_] == '\n') ++lineNumber_;
        ++pos_;
    }
    if (pos_ >= text_.size()) return false;
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
    // checked against the rest of the text before it sizes the table: a count the text
    // cannot hold is a dump cut short, not a request for terabytes.
    const std::size_t rest = text_.size() - pos_;
    if (static_cast<unsigned long long>(count) > (rest + 1) / (2 * ncol))
        fail("the dump ends in the middle of a step block (timestep " + std::to_string(block.timestep) + ")");
    block.rows = static_cast<std::size_t>(count);
    block.values.resize(block.rows * ncol);

    // The rows: parsed in place, field by field.
    const char* p = text_.data() + pos_;
    const char* end = text_.data() + text_.size();
    double* out = block.values.data();
    for (std::size_t r = 0; r < block.rows; ++r) {
        ++lineNumber_;
        for (std::size_t c = 0; c < ncol; ++c) {
            while (p < end && (*p == ' ' || *p == '\t')) ++p;
            if (p >= end || *p == '\n' || *p == '\r') {
                pos_ = static_cast<std::size_t>(p - text_.data());
                fail("the dump ends in the middle of a step block (timestep " + std::to_string(block.timestep) + ")");
            }
            // Most fields of a granular dump are a bare 0 (no wall contact): the fast path.
            if (*p == '0' && (p + 1 == end || p[1] == ' ' || p[1] == '\n' || p[1] == '\t' || p[1] == '\r')) {
                *out++ = 0.0;
                ++p;
                continue;
            }
            const auto [next, ec] = std::from_chars(p, end, *out);
            if (ec != std::errc() || (next < end && *next != ' ' && *next != '\t' && *next != '\n' && *next != '\r')) {
                pos_ = static_cast<std::size_t>(p - text_.data());
                fail("a value is not a number");
            }
            // LAMMPS writes nan or inf once a run has become unstable; no file for the
            // viewer may carry them.
            if (!std::isfinite(*out)) {
                pos_ = static_cast<std::size_t>(p - text_.data());
                fail("a value is nan or infinite (the run has probably become unstable)");
            }
            ++out;
            p = next;
        }
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
        if (p < end) {
            if (*p != '\n') {
                pos_ = static_cast<std::size_t>(p - text_.data());
                fail("a row has more values than the columns");
            }
            ++p;
        } else if (r + 1 < block.rows) {
            pos_ = text_.size();
            fail("the dump ends in the middle of a step block (timestep " + std::to_string(block.timestep) + ")");
        }
    }
    pos_ = static_cast<std::size_t>(p - text_.data());
    return true;
}

MappedFile::MappedFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) throw InputError(path + ": cannot be opened");
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        throw InputError(path + ": cannot be read");
    }
    size_ = static_cast<std::size_t>(info.st_size);
    if (size_ > 0) {
        void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (mapped == MAP_FAILED) {
            ::close(fd);
            throw InputError(path + ": cannot be read");
        }
        ::madvise(mapped, size_, MADV_SEQUENTIAL);
        data_ = static_cast<const char*>(mapped);
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (data_) ::munmap(const_cast<char*>(data_), size_);
}

DumpSeries::DumpSeries(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        files_.push_back(std::make_unique<MappedFile>(path));
        readers_.emplace_back(files_.back()->text(), path);
    }
}

std::size_t DumpSeries::bytes() const {
    std::size_t total = 0;
    for (const auto& file : files_) total += file->text().size();
    return total;
}

bool DumpSeries::next(DumpBlock& block) {
    if (readers_.empty()) return false;
    if (!readers_.front().next(block)) {
        for (std::size_t k = 1; k < readers_.size(); ++k)
            if (readers_[k].next(part_))
                throw InputError(readers_[k].name() + ": holds more step blocks than the other ranks' files");
        return false;
    }
    for (std::size_t k = 1; k < readers_.size(); ++k) {
        if (!readers_[k].next(part_) || part_.timestep != block.timestep)
            throw InputError(readers_[k].name() + ": its step blocks do not match the other ranks' files at timestep " +
                             std::to_string(block.timestep));
        if (part_.columns != block.columns) throw InputError(readers_[k].name() + ": its columns differ");
        block.values.insert(block.values.end(), part_.values.begin(), part_.values.end());
        block.rows += part_.rows;
    }
    return true;
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

}  // namespace bridge
