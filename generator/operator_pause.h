#pragma once
// The pause after a failed placement pass: one list-directed number read
// from the operator's input. Its value is not used.
#include <istream>
#include <string>

namespace tessark {

// True when a number was read; false with `error` set when the input held
// something else or ended.
bool waitForOperatorNumber(std::istream& in, std::string& error);

}  // namespace tessark
