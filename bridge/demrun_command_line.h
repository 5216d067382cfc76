// demrun's command line: "demrun COMMAND [OPTIONS] ...", parsed with CLI11. -h and
// --help answer for the program and for each command, --version for the program;
// a command line that is not understood is named on err with the usage, exit 2.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace demrun {

// The whole program: the arguments after the program's name.
int demrunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace demrun
