#pragma once

#include <string>
#include <string_view>

#include "model/database_codec.h"

namespace vellanor {

// The program's French texts (UTF-8) for a database file that cannot be read
// or written, shared by the main window's load and save and by the tools, so
// that both say the same thing about the same file.

// The text for a read error; empty for DbReadError::None.
const char* ReadErrorMessage(DbReadError error);

// The text for a failure to write the given record.
const char* WriteErrorMessage(DbRecord record);

// Captions of the boxes these texts go in.
inline constexpr char kCaptionError[] = "Erreur";
inline constexpr char kCaptionFatalError[] = "Erreur fatale";
inline constexpr char kCaptionInformation[] = "Information";
inline constexpr char kCaptionWarning[] = "Attention";

// Load: the file was missing and an empty one was created (Information).
inline constexpr char kMissingDatabaseMessage[] =
    "Base de donnée manquante,\nCréation d'une base vide...";

// Save: the new file cannot be created; the program ends (Erreur fatale).
inline constexpr char kCannotCreateDatabaseMessage[] =
    "Imposible de créer une base de donnée,\nLe programme va s'arrêter...";

// Save refused: the class (its name in UTF-8) could not be read back (Erreur).
std::string InconsistentClassMessage(std::string_view className);

// Start-up: another copy of the program has the database open; this one
// ends without touching it (Attention).
inline constexpr char kDatabaseInUseMessage[] =
    "Base de données déjà ouverte par un autre Vellanor,\nLe programme va s'arrêter...";

// Before a change that cannot be undone: the safety copy could not be made
// (Attention, a Yes/No question).
inline constexpr char kBackupFailedQuestion[] =
    "La copie de sécurité de la base de données\nn'a pas pu être faite dans le dossier "
    "Sauvegardes.\nVoulez vous continuer sans copie?";

}  // namespace vellanor
