// Reading LAMMPS text dumps (dump custom and dump local) step block by step block:
// each block is its timestep, its column names and a table of numbers. A dump file is
// read with read(2) through a buffer, never mapped into memory, so a file that shrinks
// while it is read (a new run starting in the same folder) ends like a dump cut short,
// with a message, instead of killing the process. A dump written per MPI rank is
// several files; DumpSeries joins the blocks of one timestep from all of them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace demrun {

struct DumpBlock {
    long timestep = 0;
    std::vector<std::string> columns;  // names after "ITEM: ATOMS" or "ITEM: ENTRIES"
    std::size_t rows = 0;
    std::vector<double> values;  // rows x columns, row-major

    // Index of a column; throws InputError naming the dump when it is missing.
    std::size_t column(const std::string& name, const std::string& dumpName) const;
    double at(std::size_t row, std::size_t col) const { return values[row * columns.size() + col]; }
};

class DumpReader {
public:
    // A dump text in memory; the text must outlive the reader.
    DumpReader(std::string_view text, std::string name);
    // A dump file. Throws InputError naming the file and the system's reason when it
    // cannot be opened or is not a regular file (a FIFO is refused, never waited on).
    explicit DumpReader(const std::string& path);
    ~DumpReader();
    DumpReader(const DumpReader&) = delete;
    DumpReader& operator=(const DumpReader&) = delete;

    // Reads the next block into block (reusing its storage); false at the end of the text.
    // Throws InputError when the text ends inside a block or a field is not a number.
    bool next(DumpBlock& block);
    // The same in two parts, for a caller that takes the rows one by one instead of
    // holding the table: the next block's timestep, columns and row count (values stay
    // empty), then each of its rows into out (as many values as columns). A block's rows
    // must be read before the next header.
    bool nextHeader(DumpBlock& block);
    void readRow(double* out);
    std::size_t rowsLeft() const { return rowsLeft_; }
    const std::string& name() const { return name_; }
    // Bytes of dump text read so far.
    std::size_t bytes() const { return dropped_ + pos_; }

private:
    std::string_view line();
    std::size_t lineEnd();  // end of the line at pos_: its '\n', or the text's end
    bool refill();          // more of the file into the buffer; false at its end
    std::size_t bytesLeft() const;
    [[noreturn]] void fail(const std::string& message) const;

    std::string name_;
    int fd_ = -1;  // -1: the text is in memory
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    const char* data_ = nullptr;  // the text, or the buffer's filled part
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    std::size_t complete_ = 0;  // one past the buffer's last '\n': rows before it are whole
    std::size_t dropped_ = 0;   // bytes of the file already moved out of the buffer
    long lineNumber_ = 0;
    long timestep_ = 0;         // of the block being read
    std::size_t columns_ = 0;   // its column count
    std::size_t rowsLeft_ = 0;  // its rows not yet read
};

// The dump files of one kind written by all ranks, read in step.
class DumpSeries {
public:
    explicit DumpSeries(const std::vector<std::string>& paths);
    // The next timestep's headers of every file joined (rows: their sum), as DumpReader's;
    // false when every file has ended. Throws InputError when the files disagree on the
    // timestep or the columns. Then the rows one by one, file after file.
    bool nextHeader(DumpBlock& block);
    void readRow(double* out);
    std::size_t bytes() const;

private:
    std::vector<std::unique_ptr<DumpReader>> readers_;
    DumpBlock part_;
    std::size_t reading_ = 0;  // the file whose rows readRow takes next
};

// The files of a dump: "name" itself, or else "name.0", "name.1", ... (one per rank).
std::vector<std::string> dumpFiles(const std::string& folder, const std::string& name);
// Removes them all; throws std::runtime_error naming a file that cannot be removed.
void removeDumpFiles(const std::string& folder, const std::string& name);

}  // namespace demrun
