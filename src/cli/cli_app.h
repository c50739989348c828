// The ftpcfg command line: parses the arguments (UTF-8) and runs a command.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

enum { EXIT_DONE = 0, EXIT_FINDINGS = 1, EXIT_BAD_INPUT = 2 };

// astrArgs[0] is the program name. in serves --password-stdin. Returns the
// process exit code. bTerminal: err is a terminal (progress bars allowed).
int RunCli(const std::vector<std::string>& astrArgs, std::istream& in, std::ostream& out,
           std::ostream& err, bool bTerminal = false);
