// A sequential text stream read field by field. Commas, blanks, tabs and line ends
// separate fields; line structure carries no meaning. Numbers are parsed with
// std::from_chars from a reused buffer; a Fortran "D" exponent (0.1000D+04) is
// accepted as well as "E". A field that is not one whole finite number, an integer
// field outside its range, or the end of the stream is a read failure.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace sorvath {

class FieldStream {
public:
    FieldStream();
    ~FieldStream();
    FieldStream(const FieldStream&) = delete;
    FieldStream& operator=(const FieldStream&) = delete;

    // Opening closes an earlier file first. False when the file cannot be opened or is
    // not a regular file (a FIFO, a device or a folder is refused without waiting).
    bool open(const std::string& path);
    bool reopen();  // the same path again, from its start
    void close();
    bool isOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

    // True when no further field follows (also when the stream is not open).
    bool atEnd();

    bool readDouble(double& value);
    // Rounded to the nearest whole number (ties to even), then range-checked.
    bool readInt16(int16_t& value);
    bool readInt32(int32_t& value);
    bool skip(int count);
    // An upper bound on the fields still to come: each takes a character and a
    // separator (the last one may go without). Counts read from the file are checked
    // against it before any table is sized for them.
    uint64_t fieldsLeftAtMost() const;  // from the file's size now

private:
    bool nextField(const char*& begin, const char*& end);
    bool refill();

    std::FILE* file_ = nullptr;
    std::string path_;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    uint64_t fetchedBytes_ = 0;  // the file's bytes read into the buffer so far
};

// Parses one whole field; exposed for the tests and the fuzz target.
bool parseFieldDouble(const char* begin, const char* end, double& value);
bool fieldToInt16(double value, int16_t& out);
bool fieldToInt32(double value, int32_t& out);

}  // namespace sorvath
