#include "exchange/csv/memory_import_host.h"

#include "model/cp1252.h"
#include "model/database_codec.h"
#include "model/database_messages.h"
#include "model/invariants.h"
#include "platform/message_service.h"

namespace vellanor::exchange {

MemoryImportHost::MemoryImportHost(Gradebook& book, platform::MessageService& messages,
                                   platform::FileStore& files)
    : book_(book), messages_(messages), files_(files), saved_(EncodeDatabase(book)) {}

bool MemoryImportHost::SaveDatabase() {
  ++saves;
  const int broken = FirstUnreadableClass(book_);
  if (broken >= 0) {
    messages_.Inform("La classe <" +
                         Cp1252ToUtf8(book_.classes[static_cast<std::size_t>(broken)].name.View()) +
                         "> est incohérente,\nla base de données n'a pas été modifiée.",
                     "Erreur", platform::MessageIcon::Stop);
    return false;
  }
  saved_ = EncodeDatabase(book_);
  return true;
}

bool MemoryImportHost::LoadDatabase() {
  ++loads;
  MemorySource source(saved_);
  const DbReadError error = DecodeDatabase(source, book_);
  if (error != DbReadError::None) {
    messages_.Inform(ReadErrorMessage(error), "Erreur", platform::MessageIcon::Stop);
    return false;
  }
  return true;
}

}  // namespace vellanor::exchange
