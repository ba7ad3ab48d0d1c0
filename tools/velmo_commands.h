#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmo::tools {

/// Exit codes of the command-line tool.
enum class ExitCode : int {
    Ok = 0,
    CannotRead = 1, // the input could not be read (or the output not written)
    BadUsage = 2,
};

/// Runs `velmo ARGS...` (without the program name), writing to the given streams.
[[nodiscard]] ExitCode runVelmo(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace velmo::tools
