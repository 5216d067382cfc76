// Writers of the viewer's run files, one record kind per function: the output file's
// head (header, parameter block, walls, filler, shapes) and step blocks, the
// wall-motion blocks, the contact headers and the contact records.
#pragma once

#include "bridge/packing_input.h"

#include <string>
#include <vector>

namespace bridge {

struct ParticlePose {
    double x = 0.0;
    double y = 0.0;
    double theta = 0.0;
};

// One contact as the viewer reads it; fn is written as given (the viewer inverts it).
struct ContactOut {
    int ip = 0;
    int jp = 0;  // 0 for a wall
    double xc = 0.0;
    double yc = 0.0;
    double ang = 0.0;
    double fn = 0.0;
    double extra = 0.0;
};

// Appends a number in the shortest general form that keeps ten significant digits.
void appendNumber(std::string& out, double value);
void appendInteger(std::string& out, long value);

// Header, parameter block (first value nloop), walls, filler and the long shape records.
void appendOutputHead(std::string& out, const Packing& packing, double dt, double nloop,
                      const std::vector<double>& parameterValues);
void appendStepBlock(std::string& out, long step, const std::vector<ParticlePose>& poses);
// Walls as the wall-motion file gives them: index, x1, x2, y1, y2.
void appendWallBlock(std::string& out, long step, const std::vector<WallSegment>& walls);
void appendContactHeader(std::string& out, long step, int ncont, int nwcont);
void appendContactRecords(std::string& out, const std::vector<ContactOut>& contacts);

// The contact angle whose force segment (drawn along ang + pi/2) runs from (x1, y1)
// towards (x2, y2), and the segment's middle.
double segmentAngle(double x1, double y1, double x2, double y2);

}  // namespace bridge
