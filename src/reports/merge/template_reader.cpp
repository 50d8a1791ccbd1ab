#include "reports/merge/template_reader.h"

#include "platform/file_store.h"

namespace vellanor {
namespace {

constexpr char kCannotOpen[] = "Erreur à l'ouverture du document";

TemplateFile Refused(std::string error) {
  return {std::nullopt, std::move(error)};
}

}  // namespace

TemplateFile ReadTemplateFile(platform::FileStore& files, const std::string& path) {
  const platform::OpenedInput input = files.OpenForReading(path);
  if (input.status == platform::OpenStatus::NotRegular) {
    return Refused(std::string(kCannotOpen) + "\n" + path + " n'est pas un fichier ordinaire.");
  }
  if (input.status != platform::OpenStatus::Opened || input.file == nullptr) {
    return Refused(kCannotOpen);
  }
  std::string text;
  switch (platform::ReadWhole(*input.file, text, kLargestTemplate)) {
    case platform::WholeRead::TooLarge:
      return Refused(kCannotOpen);
    case platform::WholeRead::Failed:
      return Refused("Erreur à la lecture du document");
    case platform::WholeRead::Read:
      break;
  }
  return {std::move(text), {}};
}

}  // namespace vellanor
