#include "model/database_messages.h"

namespace vellanor {

const char* ReadErrorMessage(DbReadError error) {
  switch (error) {
    case DbReadError::Header:
      return "Erreur à la lecture de la base de données (header)";
    case DbReadError::Version:
      return "Version de la base de données invalide";
    case DbReadError::Class:
      return "Erreur à la lecture de la base de données (classe)";
    case DbReadError::Student:
      return "Erreur à la lecture de la base de données (eleve)";
    case DbReadError::Grade:
      return "Erreur à la lecture de la base de données (note)";
    case DbReadError::None:
      break;
  }
  return "";
}

const char* WriteErrorMessage(DbRecord record) {
  switch (record) {
    case DbRecord::Header:
      return "Erreur à l'écriture de la base de données (header)";
    case DbRecord::Class:
      return "Erreur à l'écriture de la base de données (classe)";
    case DbRecord::Student:
      return "Erreur à l'écriture de la base de données (eleve)";
    case DbRecord::Grade:
      break;
  }
  return "Erreur à l'écriture de la base de données (note)";
}

std::string InconsistentClassMessage(std::string_view className) {
  return "La classe <" + std::string(className) +
         "> est incohérente,\nla base de données n'a pas été modifiée.";
}

}  // namespace vellanor
