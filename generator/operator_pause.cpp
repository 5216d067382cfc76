#include "generator/operator_pause.h"

#include "generator/list_directed_reader.h"

namespace tessark {

bool waitForOperatorNumber(std::istream& in, std::string& error) {
    std::string line;
    // Blank lines are passed over, as a list-directed read does; the first
    // field of the first other line is the number, the rest of that line is
    // discarded.
    while (std::getline(in, line)) {
        ListDirectedReader reader(line);
        reader.beginRead();
        std::string problem;
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos) continue;
        if (reader.real(problem)) return true;
        error = "the number typed at the pause was not a number (" + problem + ")";
        return false;
    }
    error = "the input ended at the pause, where a number was expected";
    return false;
}

}  // namespace tessark
