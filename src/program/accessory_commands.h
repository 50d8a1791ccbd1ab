#pragma once

#include <string>

namespace vellanor::platform {
class MessageService;
class ProgramLauncher;
}  // namespace vellanor::platform

namespace vellanor {

// Starts the first of the desktop's usual calculators that is installed and
// starts, with no argument; when none does, says "Aucune calculatrice n'est
// installée." rather than leave the teacher waiting for a window.
void StartCalculator(platform::ProgramLauncher& launcher, platform::MessageService& messages);

// The user guide's first page for a program in `programDir`: "aide/" beside
// the program (a build tree, or a program kept in one folder with its files)
// or "../share/vellanor/aide/" (an installed program). Empty when neither
// holds it.
std::string FindHelpFile(const std::string& programDir);

// Opens the user guide in the desktop's browser, as a link opens its
// address. When nothing opens it, says so and where the guide is, so that it
// can still be read; silent when the guide is missing.
void OpenHelp(platform::ProgramLauncher& launcher, platform::MessageService& messages,
              const std::string& programDir);

}  // namespace vellanor
