#include "reports/merge/template_reader.h"

#include <array>

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
  std::array<char, 64 * 1024> buffer;
  while (const std::size_t count = input.file->Read(buffer.data(), buffer.size())) {
    if (text.size() + count > kLargestTemplate) {
      return Refused(kCannotOpen);
    }
    text.append(buffer.data(), count);
  }
  if (input.file->Failed()) {
    return Refused("Erreur à la lecture du document");
  }
  return {std::move(text), {}};
}

}  // namespace vellanor
