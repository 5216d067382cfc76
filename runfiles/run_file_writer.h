// The writer of the run files: the input file, the output file's head and step blocks,
// the wall-motion blocks, the contact headers and the contact records, in the long,
// short and old layouts. demrun writes its runs with it (one record a line, numbers with
// ten significant digits); the tests write theirs with any line breaking, separator and
// the shortest exact numbers.
#pragma once

#include "runfiles/records.h"

#include <array>
#include <string>
#include <vector>

namespace runfiles {

// How the fields of a record are put on lines.
enum class LineBreaking {
    RecordPerLine,  // one record per line, as the simulator writes
    FieldPerLine,   // every field on its own line (records split over lines)
    OneLine,        // everything on one line (several records per line)
};

enum class NumberForm {
    TenDigits,  // ten significant digits in the shortest form that keeps them (demrun)
    Shortest,   // the shortest text that reads back as the same double
};

struct TextLayout {
    LineBreaking lines = LineBreaking::RecordPerLine;
    std::string separator = " ";  // between the fields of a line; every line starts with one blank
    NumberForm numbers = NumberForm::TenDigits;
};

// Lays records out as text, appended to out.
class RecordWriter {
public:
    explicit RecordWriter(std::string& out, TextLayout layout = {});

    void integer(long value);
    void number(double value);
    void endRecord();
    // Ends the last line (with the records split over lines or all on one line).
    void finish();

private:
    void startField();
    void endLine();

    std::string& out_;
    TextLayout layout_;
    bool lineOpen_ = false;
};

// The two material values every particle and wall record carries outside the old layout.
struct Material {
    double first = 0.0;
    double second = 0.0;
};

// What heads a run beside its tables.
struct RunHead {
    double dt = 0.0;
    double perw = 0.0;  // the periodic cell (output file only; 0 for none)
    double perv = 0.0;
    double nloop = 0.0;                     // the parameter block's first value: the run's steps
    std::array<double, 8> parameters{};     // the rest of the block: records of 2, 3 and 3 values
    std::array<double, 2> lastOldRecord{};  // the old layout's closing record
    Material material;
};

// The input file: header, per particle its shape and two poses, the walls, the
// parameter block. first and second hold one pose per shape.
void writeInputFile(RecordWriter& out, const RunHead& head, const std::vector<ParticleShape>& shapes,
                    const std::vector<Wall>& walls, const std::vector<Pose>& first, const std::vector<Pose>& second,
                    RecordLayout layout);
// The output file's head: header, parameter block, walls, filler record and shapes.
void writeOutputHead(RecordWriter& out, const RunHead& head, const std::vector<ParticleShape>& shapes,
                     const std::vector<Wall>& walls, RecordLayout layout);
// The same a record at a time: everything before the shapes, then each shape record.
void writeOutputHeadStart(RecordWriter& out, const RunHead& head, std::size_t particles, const std::vector<Wall>& walls,
                          RecordLayout layout);
void writeShapeRecord(RecordWriter& out, const RunHead& head, long index, const ParticleShape& shape,
                      RecordLayout layout);
// One step block of the output file: the step, then index and pose of every particle.
void writeStepBlock(RecordWriter& out, long step, const std::vector<Pose>& poses);
// A step block a record at a time (for a writer that hands its text on in pieces): the
// step's record, then each particle's index and pose.
void writeStepRecord(RecordWriter& out, long step);
void writePoseRecord(RecordWriter& out, long index, const Pose& pose);
// Walls as the wall-motion file gives them: index, x1, x2, y1, y2.
void writeWallBlock(RecordWriter& out, long step, const std::vector<Wall>& walls);
void writeContactHeader(RecordWriter& out, long step, long ncont, long nwcont);
// Particle-particle records first, then wall records (jp = 0).
void writeContactRecords(RecordWriter& out, const std::vector<Contact>& contacts);
void writeContactRecord(RecordWriter& out, const Contact& contact);

// One field as demrun writes it: a blank, then the number with ten significant digits in
// its shortest form, or the whole number.
void appendNumber(std::string& out, double value);
void appendInteger(std::string& out, long value);

}  // namespace runfiles
