#include "reports/document_writer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "model/cp1252.h"
#include "platform/clock.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/program_launcher.h"
#include "reports/merge/document_names.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

constexpr char kDone[] = "C'est fini!";
constexpr char kError[] = "Erreur!";

std::string JoinPath(const std::string& directory, const std::string& file) {
  if (directory.empty() || directory.back() == '/' || directory.back() == '\\') {
    return directory + file;
  }
  return directory + '/' + file;
}

// "<name>_" and eight digits, then the extension, as UTF-8.
std::string StampedName(std::string_view name, int a, int b, int c, const char* extension) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "_%04d%02d%02d.%s", a, b, c, extension);
  return Cp1252ToUtf8(DocumentFileName(name)) + stamp;
}

// Starts the word processor on the file with an argument list: no command
// interpreter ever sees the file's name.
std::filesystem::path FromUtf8(const std::string& path) {
  return std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size());
}

#ifndef _WIN32
// A private LibreOffice profile for one print job. With the teacher's own
// profile, a LibreOffice already running (or the job of the previous
// document, still printing) takes the file over and the program we started
// exits at once: the file would be removed before it is printed. With its
// own profile the word processor we start prints the file itself, and its
// end means the job is done. Empty when no folder could be made.
std::string NewPrintProfile() {
  std::error_code failed;
  std::string pattern =
      (std::filesystem::temp_directory_path(failed) / "vellanor-impression-XXXXXX").string();
  if (failed || ::mkdtemp(pattern.data()) == nullptr) {
    return {};
  }
  return pattern;
}
#endif

bool StartPrinting(platform::ProgramLauncher& launcher, const std::string& path) {
#ifdef _WIN32
  const std::vector<std::string> programs = {"write.exe"};
  const std::vector<std::string> arguments = {"/p", path};
  const std::string profile;
#else
  const std::vector<std::string> programs = {"soffice", "libreoffice"};
  const std::string profile = NewPrintProfile();
  std::vector<std::string> arguments = {"--headless", "-p", path};
  if (!profile.empty()) {
    arguments.insert(arguments.begin(), "-env:UserInstallation=file://" + profile);
  }
#endif
  // Once printed the file is of no more use; it goes with the word
  // processor, so that ToPrint does not fill up. Without a profile of its
  // own the word processor may hand the file to another one and end before
  // it is printed: the file then stays.
  const auto cleanUp = [path, profile] {
    std::error_code ignored;
    if (!profile.empty()) {
      std::filesystem::remove(FromUtf8(path), ignored);
      std::filesystem::remove_all(profile, ignored);
    }
  };
  for (const std::string& program : programs) {
    const std::string found = launcher.FindProgram(program);
    if (!found.empty() && launcher.StartThen(found, arguments, cleanUp)) {
      return true;
    }
  }
  // Nothing started: the file stays for the teacher to print by hand.
  std::error_code ignored;
  if (!profile.empty()) {
    std::filesystem::remove_all(profile, ignored);
  }
  return false;
}

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
  const std::string path =
      JoinPath(directory, StampedName(name, static_cast<int>(date.year()),
                                      static_cast<int>(static_cast<unsigned>(date.month())),
                                      static_cast<int>(static_cast<unsigned>(date.day())), "rtf"));
  if (!platform::WriteWholeFile(services.files, path, merged)) {
    services.messages.Inform("Erreur à la création du document", kError, MessageIcon::Stop);
    return false;
  }
  services.messages.Inform("Document créé", kDone, MessageIcon::Exclamation);
  return true;
}

bool PrintDocument(platform::Services& services, std::string_view merged, std::string_view name) {
  const platform::LocalDateTime now = services.clock.Now();
  std::error_code ignored;
  std::filesystem::create_directory(kPrintFolder, ignored);
  const std::string path =
      JoinPath(kPrintFolder, StampedName(name, now.hour, now.minute, now.second, "tmp"));
  if (!platform::WriteWholeFile(services.files, path, merged)) {
    services.messages.Inform("Erreur à la création du document temporaire", kError,
                             MessageIcon::Stop);
    return false;
  }
  if (!services.launcher.HasPrinter()) {
    // Nothing could print it: it stays in the print folder, as the reports
    // dialog has said once for the whole production.
    return true;
  }
  const std::string fullText = FullPath(path);
  if (!StartPrinting(services.launcher, fullText)) {
    services.messages.Inform(
        "Impossible de lancer le traitement de texte pour imprimer le document.\n"
        "Installez LibreOffice, ou ouvrez ce fichier et imprimez-le vous-même :\n" +
            fullText,
        kError, MessageIcon::Stop);
    return false;
  }
  services.messages.Inform("Impression lancée", kDone, MessageIcon::Exclamation);
  return true;
}

}  // namespace

std::string PrintFolderPath() {
  return FullPath(kPrintFolder);
}

std::string NoPrinterMessage() {
  return "Aucune imprimante n'est installée.\nLes documents sont dans " + PrintFolderPath() + ".";
}

bool WriteDocument(platform::Services& services, std::string_view merged, std::string_view name,
                   const DocumentTarget& target) {
  return target.print ? PrintDocument(services, merged, name)
                      : SaveDocument(services, merged, name, target.directory);
}

}  // namespace vellanor
