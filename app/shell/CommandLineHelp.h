#pragma once

#include <optional>

// `quellin --help` and `quellin --version`, answered on the terminal before the window's
// application exists, so that they work without a display (help2man builds the manual page from
// them). Main thread, before any QCoreApplication. Returns the exit status when the arguments ask
// for either answer, nothing when the window should start; arguments after `--` are files.
namespace CommandLineHelp {

std::optional<int> answer(int argc, char* argv[], const char* version);

} // namespace CommandLineHelp
