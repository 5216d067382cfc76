// Reading LAMMPS text dumps (dump custom and dump local) step block by step block,
// straight from a memory-mapped file: each block is its timestep, its column names
// and a table of numbers. A dump written per MPI rank is several files; DumpSeries
// joins the blocks of one timestep from all of them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bridge {

struct DumpBlock {
    long timestep = 0;
    std::vector<std::string> columns;  // names after "ITEM: ATOMS" or "ITEM: ENTRIES"
    std::size_t rows = 0;
    std::vector<double> values;  // rows x columns, row-major

    // Index of a column; throws InputError naming the dump when it is missing.
    std::size_t column(const std::string& name, const std::string& dumpName) const;
    double at(std::size_t row, std::size_t col) const { return values[row * columns.size() + col]; }
};

// One dump text. The text must outlive the reader.
class DumpReader {
public:
    DumpReader(std::string_view text, std::string name);
    // Reads the next block into block (reusing its storage); false at the end of the text.
    // Throws InputError when the text ends inside a block or a field is not a number.
    bool next(DumpBlock& block);
    const std::string& name() const { return name_; }

private:
    std::string_view line();
    [[noreturn]] void fail(const std::string& message) const;

    std::string_view text_;
    std::string name_;
    std::size_t pos_ = 0;
    long lineNumber_ = 0;
};

// A file mapped into memory for reading.
class MappedFile {
public:
    explicit MappedFile(const std::string& path);  // throws InputError
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    std::string_view text() const { return {data_, size_}; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

// The dump files of one kind written by all ranks, read in step.
class DumpSeries {
public:
    explicit DumpSeries(const std::vector<std::string>& paths);
    // The next timestep's blocks joined; false when every file has ended. Throws InputError
    // when the files disagree on the timestep or the columns.
    bool next(DumpBlock& block);
    std::size_t bytes() const;

private:
    std::vector<std::unique_ptr<MappedFile>> files_;
    std::vector<DumpReader> readers_;
    DumpBlock part_;
};

// The files of a dump: "name" itself, or else "name.0", "name.1", ... (one per rank).
std::vector<std::string> dumpFiles(const std::string& folder, const std::string& name);

}  // namespace bridge
