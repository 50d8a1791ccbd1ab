#pragma once

#include <string>
#include <vector>

#include "platform/program_launcher.h"

// Opening an address the way a link does, shared by the link label and the
// help command. Plain C++ over the launcher, so it is tested with its fake.

namespace vellanor::widgets {

// The web browsers tried when the desktop has no handler for an address:
// the programs named in `browserVariable` (the BROWSER environment
// variable's form: names separated by ':', each possibly followed by " %s"),
// then the usual browsers of a free desktop. xdg-open is not among them: it
// always starts and fails later, out of sight, which would pass a failure
// for a success.
std::vector<std::string> WebBrowserCandidates(const char* browserVariable);

// Opens `target` with the desktop's handler, else with the first of
// `browsers` that is installed, started with the target as its only
// argument. Returns kNone on success, else the nearest cause: the browser's
// when one was found but could not start, the desktop's otherwise.
platform::LaunchError OpenTarget(platform::ProgramLauncher& launcher, const std::string& target,
                                 const std::vector<std::string>& browsers);

// The desktop shell's error code nearest to a launch failure.
int ShellErrorCode(platform::LaunchError error);

// The explanation a failed link shows for a shell error code, after
// "Unable to open hyperlink:\n\n".
std::string OpenErrorText(int code);

}  // namespace vellanor::widgets
