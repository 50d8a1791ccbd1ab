#include "resources/string_table.h"

#include <map>

#include "resources/ids.h"

namespace vellanor::res {

QString StringById(int id) {
  static const std::map<int, const char*> table = {
      {kStrAboutBox, "A propos de Vellanor..."},
      // Main menu.
      {kCmdNewClass, "Creation d'une nouvelle classe..."},
      {kCmdNewStudent, "Création d'un nouvel élève..."},
      {kCmdDelete, "Effacer un élève ou toute une classe..."},
      {kCmdModifyInfo, "Modification des informations personnelles..."},
      {kCmdGrading, "Gestion des notes..."},
      {kCmdReport, "Imprimer un rapport..."},
      {kCmdStatistics, "Statistiques d'une classe..."},
      {kCmdCalculator, "Lance la calculatrice..."},
      {kCmdCalendar, "Lance le calendrier"},
      {kCmdImportExport, "Importer ou exporter des informations..."},
      {kCmdHelp, "Lance l'aide"},
      {kCmdAbout, "Affiche la boîte A propos de Vellanor..."},
      // Tree context menu.
      {kCmdTreeNewClass, "Création d'une nouvelle classe dans la liste"},
      {kCmdTreeNewStudent, "Créé un(e) nouvel(le) élève dans la liste"},
      {kCmdTreeDelete, "Efface une classe ou un élève existant de la liste"},
      {kCmdTreeDuplicateClass, "Duplique la classe actuèlement sélèctionnée"},
      {kCmdTreeDuplicateStudent, "Duplique l'élève actuèlement sélèctionné(e)"},
      {kCmdTreeModifyInfo, "Modifie les informations concernant une classe ou un élève"},
      // Grade entry.
      {kCmdNewGrade, "Ajouter une nouvelle note à la classe..."},
      {kCmdDeleteGrades, "Effaçer une colonne de notes..."},
      {kCmdModifyGrades, "Modifier les notes existantes..."},
      {kCmdCompareStudents, "Comparer les notes des élèves..."},
      {kCmdSaveGrades, "Sauver le modifications..."},
      {kCmdQuitWithoutSaving, "Quitter sans sauver les dernières modifications..."},
  };
  auto it = table.find(id);
  return it == table.end() ? QString() : QString::fromUtf8(it->second);
}

}  // namespace vellanor::res
