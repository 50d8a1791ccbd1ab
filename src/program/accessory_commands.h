#pragma once

#include <string>

namespace vellanor::platform {
class ProgramLauncher;
}

namespace vellanor {

// Starts the first of the desktop's usual calculators that is installed,
// with no argument. Nothing is said when none starts: the command only
// offers a convenience of the desktop.
void StartCalculator(platform::ProgramLauncher& launcher);

// The user guide's first page for a program in `programDir`: "aide/" beside
// the program (a build tree, or a program kept in one folder with its files)
// or "../share/vellanor/aide/" (an installed program). Empty when neither
// holds it.
std::string FindHelpFile(const std::string& programDir);

// Opens the user guide in the desktop's browser, as a link opens its
// address; silent when the guide is missing or nothing opens it.
void OpenHelp(platform::ProgramLauncher& launcher, const std::string& programDir);

}  // namespace vellanor
