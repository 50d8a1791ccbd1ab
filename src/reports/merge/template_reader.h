#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vellanor {

namespace platform {
class FileStore;
}

// A template is a document the teacher wrote; anything larger is not one.
inline constexpr std::size_t kLargestTemplate = std::size_t{256} << 20;

// A report template read whole, or why it could not be.
struct TemplateFile {
  std::optional<std::string> text;  // set when read
  std::string error;                // the message that says why not, when unset
};

// Reads the template at `path` (UTF-8) as it is, byte for byte. Refuses a
// file that cannot be opened or is larger than kLargestTemplate ("Erreur à
// l'ouverture du document"), what is not a regular file (a folder, a FIFO, a
// device: "...\n<path> n'est pas un fichier ordinaire."), and a file whose
// reading fails part-way ("Erreur à la lecture du document"): half a
// template would make a truncated document that looks whole.
TemplateFile ReadTemplateFile(platform::FileStore& files, const std::string& path);

}  // namespace vellanor
