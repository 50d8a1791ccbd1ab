#include "reports/document_writer.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "model/cp1252.h"
#include "platform/clock.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/program_launcher.h"
#include "reports/merge/document_names.h"
#include "reports/private_folder.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

constexpr char kDone[] = "C'est fini!";
constexpr char kError[] = "Erreur!";

// A UTF-8 path as the file system takes it.
std::filesystem::path FromUtf8(const std::string& path) {
  return std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size());
}

void RemoveFiles(const std::vector<std::string>& paths) {
  std::error_code ignored;
  for (const std::string& path : paths) {
    std::filesystem::remove(FromUtf8(path), ignored);
  }
}

// The word processor is started with an argument list: no command
// interpreter ever sees a file's name.
#ifdef _WIN32
// write.exe prints one file per run.
bool StartPrinting(platform::ProgramLauncher& launcher, const std::vector<std::string>& paths) {
  const std::string found = launcher.FindProgram("write.exe");
  if (found.empty()) {
    return false;
  }
  for (const std::string& path : paths) {
    const auto finished = [path](bool printed) {
      if (printed) {
        RemoveFiles({path});
      }
    };
    if (!launcher.StartThen(found, {"/p", path}, finished)) {
      return false;
    }
  }
  return true;
}
#else
// One LibreOffice prints every file of the production, with a private
// profile: with the teacher's own, a LibreOffice already running (or a
// previous job, still printing) takes the files over and the program we
// started exits at once, before they are printed. With its own profile the
// word processor we start prints the files itself, and its end means the
// job is done.
bool StartPrinting(platform::ProgramLauncher& launcher, const std::vector<std::string>& paths) {
  // Shared with the end of the job, and removed with the last owner: at the
  // end of the job, or here when nothing started.
  auto profile = std::make_shared<PrivateFolder>("vellanor-impression-");
  std::vector<std::string> arguments = {"--headless", "-p"};
  arguments.insert(arguments.end(), paths.begin(), paths.end());
  if (!profile->Path().empty()) {
    arguments.insert(arguments.begin(), "-env:UserInstallation=" + FileUrl(profile->Path()));
  }
  // Once printed the files are of no more use; they go with the word
  // processor, so that ToPrint does not fill up. When it failed, or without
  // a profile of its own (it may then hand the files to another one and end
  // before they are printed), the files stay for the teacher.
  const auto finished = [paths, profile](bool printed) mutable {
    if (printed && !profile->Path().empty()) {
      RemoveFiles(paths);
    }
    profile.reset();
  };
  for (const char* program : {"soffice", "libreoffice"}) {
    const std::string found = launcher.FindProgram(program);
    if (!found.empty() && launcher.StartThen(found, arguments, finished)) {
      return true;
    }
  }
  return false;
}
#endif

// The absolute form of a relative UTF-8 path, for the word processor, which
// does not start in our working directory.
std::string FullPath(const std::string& path) {
  const std::filesystem::path relative = FromUtf8(path);
  std::error_code failed;
  const std::filesystem::path full = std::filesystem::absolute(relative, failed);
  if (failed) {
    return path;
  }
  const std::u8string text = full.lexically_normal().u8string();
  return {reinterpret_cast<const char*>(text.data()), text.size()};
}

bool SaveDocument(platform::Services& services, std::string_view merged, std::string_view name,
                  const std::string& directory) {
  const std::chrono::year_month_day date = services.clock.Now().date;
  const std::string path = JoinPath(
      directory, StampedFileName(Cp1252ToUtf8(name), static_cast<int>(date.year()),
                                 static_cast<int>(static_cast<unsigned>(date.month())),
                                 static_cast<int>(static_cast<unsigned>(date.day())), "rtf"));
  if (!platform::WriteWholeFile(services.files, path, merged)) {
    services.messages.Inform("Erreur à la création du document", kError, MessageIcon::Stop);
    return false;
  }
  services.messages.Inform("Document créé", kDone, MessageIcon::Exclamation);
  return true;
}

}  // namespace

std::string PrintFolderPath() {
  return FullPath(kPrintFolder);
}

std::string NoPrinterMessage() {
  return "Aucune imprimante n'est installée.\nLes documents sont dans " + PrintFolderPath() + ".";
}

PrintJob::PrintJob(platform::Services& services, bool hasPrinter)
    : services_(services), hasPrinter_(hasPrinter) {}

bool PrintJob::Add(std::string_view merged, std::string_view name) {
  const platform::LocalDateTime now = services_.clock.Now();
  std::error_code ignored;
  std::filesystem::create_directory(kPrintFolder, ignored);
  const std::string path = JoinPath(
      kPrintFolder, StampedFileName(Cp1252ToUtf8(name), now.hour, now.minute, now.second, "tmp"));
  if (!platform::WriteWholeFile(services_.files, path, merged)) {
    services_.messages.Inform("Erreur à la création du document temporaire", kError,
                              MessageIcon::Stop);
    return false;
  }
  paths_.push_back(FullPath(path));
  return true;
}

bool PrintJob::Start() {
  // Without a printer nothing could print them: they stay in the print
  // folder, as the caller has said once for the whole production.
  if (paths_.empty() || !hasPrinter_) {
    return true;
  }
  const std::vector<std::string> paths = std::move(paths_);
  paths_.clear();
  if (!StartPrinting(services_.launcher, paths)) {
    services_.messages.Inform(
        paths.size() == 1
            ? "Impossible de lancer le traitement de texte pour imprimer le document.\n"
              "Installez LibreOffice, ou ouvrez ce fichier et imprimez-le vous-même :\n" +
                  paths.front()
            : "Impossible de lancer le traitement de texte pour imprimer les documents.\n"
              "Installez LibreOffice, ou ouvrez ces fichiers et imprimez-les vous-même.\n"
              "Ils sont dans " +
                  PrintFolderPath() + ".",
        kError, MessageIcon::Stop);
    return false;
  }
  services_.messages.Inform("Impression lancée", kDone, MessageIcon::Exclamation);
  return true;
}

bool WriteDocument(platform::Services& services, std::string_view merged, std::string_view name,
                   const DocumentTarget& target) {
  if (!target.print) {
    return SaveDocument(services, merged, name, target.directory);
  }
  PrintJob job(services, services.launcher.HasPrinter());
  return job.Add(merged, name) && job.Start();
}

}  // namespace vellanor
