#include "widgets/open_target.h"

#include <cstdio>
#include <sstream>

namespace vellanor::widgets {
namespace {

// Preferred first: the desktop's chosen browser, then the common ones.
constexpr const char* kUsualBrowsers[] = {
    "x-www-browser", "firefox-esr", "firefox",   "chromium",
    "google-chrome", "epiphany",    "konqueror", "falkon",
};

}  // namespace

std::vector<std::string> WebBrowserCandidates(const char* browserVariable) {
  std::vector<std::string> candidates;
  if (browserVariable != nullptr) {
    std::istringstream entries{std::string(browserVariable)};
    std::string entry;
    while (std::getline(entries, entry, ':')) {
      if (const auto placeholder = entry.find(" %s"); placeholder != std::string::npos) {
        entry.erase(placeholder);
      }
      // A command line with options would need a shell to be read: skipped.
      if (!entry.empty() && entry.find_first_of(" \t%") == std::string::npos) {
        candidates.push_back(entry);
      }
    }
  }
  candidates.insert(candidates.end(), std::begin(kUsualBrowsers), std::end(kUsualBrowsers));
  return candidates;
}

platform::LaunchError OpenTarget(platform::ProgramLauncher& launcher, const std::string& target,
                                 const std::vector<std::string>& browsers) {
  if (launcher.OpenUrl(target)) {
    return platform::LaunchError::kNone;
  }
  const platform::LaunchError desktopError = launcher.LastError();
  for (const std::string& browser : browsers) {
    const std::string path = launcher.FindProgram(browser);
    if (path.empty()) {
      continue;
    }
    // The target is one argument: whatever it holds, no shell reads it.
    return launcher.Start(path, {target}) ? platform::LaunchError::kNone : launcher.LastError();
  }
  return desktopError;
}

int ShellErrorCode(platform::LaunchError error) {
  switch (error) {
    case platform::LaunchError::kNone:
      return 33;
    case platform::LaunchError::kNotFound:
      return 2;
    case platform::LaunchError::kAccessDenied:
      return 5;
    case platform::LaunchError::kNoHandler:
      return 31;
    case platform::LaunchError::kOutOfResources:
      return 0;
  }
  return 0;
}

std::string OpenErrorText(int code) {
  switch (code) {
    case 0:
      return "The operating system is out\nof memory or resources.";
    case 2:
      return "The specified file was not found.";
    case 3:
      return "The specified path was not found.";
    case 5:
      return "The operating system denied\naccess to the specified file.";
    case 8:
      return "There was not enough memory to complete the operation.";
    case 11:
      return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26:
      return "A sharing violation occurred. ";
    case 27:
      return "The filename association is\nincomplete or invalid.";
    case 28:
      return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29:
      return "The DDE transaction failed.";
    case 30:
      return "The DDE transaction could not\nbe completed because other DDE "
             "transactions\nwere being processed.";
    case 31:
      return "There is no application associated\nwith the given filename extension.";
    case 32:
      return "The specified dynamic-link library was not found.";
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "Unknown Error (%d) occurred.", code);
      return text;
    }
  }
}

}  // namespace vellanor::widgets
