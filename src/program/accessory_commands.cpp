#include "program/accessory_commands.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <QUrl>

#include "platform/message_service.h"
#include "platform/program_launcher.h"
#include "widgets/open_target.h"

namespace vellanor {
namespace {

// GNOME's, KDE's, MATE's and the small ones, then the one of X itself.
constexpr const char* kCalculators[] = {"gnome-calculator", "kcalc",         "mate-calc",
                                        "galculator",       "qalculate-gtk", "xcalc"};

}  // namespace

void StartCalculator(platform::ProgramLauncher& launcher, platform::MessageService& messages) {
  for (const char* calculator : kCalculators) {
    const std::string path = launcher.FindProgram(calculator);
    if (!path.empty() && launcher.Start(path, {})) {
      return;
    }
  }
  messages.Inform("Aucune calculatrice n'est installée.", "Attention",
                  platform::MessageIcon::Exclamation);
}

std::string FindHelpFile(const std::string& programDir) {
  namespace fs = std::filesystem;
  const fs::path dir(programDir);
  for (const fs::path& candidate :
       {dir / "aide" / "index.html", dir / ".." / "share" / "vellanor" / "aide" / "index.html"}) {
    std::error_code error;
    if (fs::is_regular_file(candidate, error)) {
      const fs::path canonical = fs::weakly_canonical(candidate, error);
      return error ? candidate.lexically_normal().string() : canonical.string();
    }
  }
  return {};
}

void OpenHelp(platform::ProgramLauncher& launcher, platform::MessageService& messages,
              const std::string& programDir) {
  const std::string file = FindHelpFile(programDir);
  if (file.empty()) {
    return;
  }
  const std::string url =
      QUrl::fromLocalFile(QString::fromStdString(file)).toString(QUrl::FullyEncoded).toStdString();
  if (widgets::OpenTarget(launcher, url, widgets::WebBrowserCandidates(std::getenv("BROWSER"))) !=
      platform::LaunchError::kNone) {
    messages.Inform(
        "L'aide ne peut pas être affichée : aucun navigateur n'est installé.\nElle se trouve "
        "dans " +
            file + ".",
        "Attention", platform::MessageIcon::Exclamation);
  }
}

}  // namespace vellanor
