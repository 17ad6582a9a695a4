// tallivan-cli as a function: global options, the controller, one command.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tallivan::cli {

// Runs one command line (without the program's name). Returns the exit status: 0 when the
// command ran, 1 when it ended on an error message or could not run, 2 for a usage error.
int runCommandLine(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace tallivan::cli
