// The three commands of demrun, callable from tests: each writes its messages to the
// given streams and returns the exit status (0 done, 1 failed with a message).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bridge {

// demrun prepare [--params FILE] [--folder DIR] NEWIN
int prepareCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// demrun run [--np N] [DIR]
int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// demrun convert [DIR]
int convertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The whole program: the command word, then its arguments.
int demrunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace bridge
