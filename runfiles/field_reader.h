// The run files read field by field: commas, blanks, tabs and line ends separate fields;
// line structure carries no meaning. Numbers are parsed with std::from_chars (locale-free)
// from a reused buffer; a Fortran "D" exponent (0.1000D+04) is accepted as well as "E". A
// field that is not one whole finite number, an integer field outside its range, a field
// longer than kMaxFieldLength or the end of the fields is a read failure. Sorvath reads
// its files and demrun its packing through this one reader; demrun adds its messages.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace runfiles {

class FieldReader {
public:
    FieldReader();
    ~FieldReader();
    FieldReader(const FieldReader&) = delete;
    FieldReader& operator=(const FieldReader&) = delete;

    // Opening closes an earlier file first. False when the file cannot be opened or is
    // not a regular file (a FIFO, a device or a folder is refused without waiting).
    bool open(const std::string& path);
    // Reads text already in memory, which must outlive the reading; name stands for the
    // path in messages.
    void openText(std::string_view text, std::string name);
    bool reopen();  // the same file or text again, from its start
    void close();
    bool isOpen() const { return file_ != nullptr || inText_; }
    const std::string& path() const { return path_; }

    // True when no further field follows (also when nothing is open).
    bool atEnd();

    // The next field's text, valid until the next read; false at the end or when the
    // field is longer than kMaxFieldLength.
    bool readField(std::string_view& field);
    bool readDouble(double& value);
    // Rounded to the nearest whole number (ties to even), then range-checked.
    bool readInt16(int16_t& value);
    bool readInt32(int32_t& value);
    bool skip(int count);
    // An upper bound on the fields still to come: each takes a character and a
    // separator (the last one may go without). Counts read from the file are checked
    // against it before any table is sized for them.
    uint64_t fieldsLeftAtMost() const;  // from the file's size now
    // The line (from 1) of the last field read, or where reading stands after atEnd().
    int line() const { return line_; }

private:
    bool nextField(const char*& begin, const char*& end);
    bool refill();

    std::FILE* file_ = nullptr;
    bool inText_ = false;
    std::string path_;
    std::vector<char> buffer_;
    const char* data_ = nullptr;  // the buffer's or the text's first byte
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    uint64_t fetchedBytes_ = 0;  // the file's bytes read into the buffer so far
    int line_ = 1;
};

// Parses one whole field; false when it is not one finite number.
bool parseFieldDouble(const char* begin, const char* end, double& value);
inline bool parseFieldDouble(std::string_view field, double& value) {
    return parseFieldDouble(field.data(), field.data() + field.size(), value);
}
bool fieldToInt16(double value, int16_t& out);
bool fieldToInt32(double value, int32_t& out);

}  // namespace runfiles
