// The menus of the program; a new menu adds its function and its entry in
// Registry().

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "resources/ids.h"
#include "resources/menu_template.h"

namespace vellanor::res {
namespace {

MenuItem Command(int command, const char* text) {
  return {command, text, {}, false};
}
MenuItem Popup(const char* text, std::vector<MenuItem> items) {
  return {0, text, std::move(items), false};
}
MenuItem Separator() {
  return {0, "", {}, true};
}

MenuTemplate MainMenu() {
  return {
      kMenuMain,
      {
          Popup("&Gestion",
                {
                    Popup("&Création", {Command(kCmdNewClass, "&Nouvelle Classe"),
                                        Command(kCmdNewStudent, "Nouv&el Elève")}),
                    Command(kCmdDelete, "E&ffacer"),
                    Popup("&Modification", {Command(kCmdModifyInfo, "Modifier les informations")}),
                }),
          Popup("&Notation", {Command(kCmdGrading, "N&otation")}),
          Popup("&Outils",
                {
                    Command(kCmdReport, "Rapport"),
                    Command(kCmdStatistics, "Statistiques"),
                    Command(kCmdCalculator, "Calculatrice"),
                    Command(kCmdCalendar, "Calendrier"),
                    Command(kCmdImportExport, "Importer/Exporter"),
                }),
          Popup("&Aide", {Command(kCmdHelp, "Aide"), Command(kCmdAbout, "A propos...")}),
      }};
}

MenuTemplate GradeEntryMenu() {
  return {kMenuGradeEntry,
          {
              Popup("Ac&tion",
                    {
                        Command(kCmdNewGrade, "N&ouvelle note"),
                        Command(kCmdDeleteGrades, "E&ffacer une notes"),
                        Command(kCmdModifyGrades, "Mo&difier les notes existantes"),
                        Command(kCmdCompareStudents, "&Comparer les élèves"),
                    }),
          }};
}

MenuTemplate TreeMenu() {
  return {kMenuTree,
          {
              Popup("Arbre",
                    {
                        Command(kCmdTreeNewClass, "Création d'une classe"),
                        Command(kCmdTreeNewStudent, "Création d'un élève"),
                        Command(kCmdTreeDelete, "Eff&acer une Classe/Elève"),
                        Separator(),
                        Command(kCmdTreeDuplicateClass, "D&upliquer cette classe"),
                        Command(kCmdTreeDuplicateStudent, "Du&pliquer cet élève"),
                        Separator(),
                        Command(kCmdTreeModifyInfo, "&Modification des informations"),
                    }),
          }};
}

const std::map<int, MenuTemplate>& Registry() {
  static const std::map<int, MenuTemplate> registry = [] {
    std::map<int, MenuTemplate> all;
    for (MenuTemplate m : {MainMenu(), GradeEntryMenu(), TreeMenu()}) {
      const int id = m.id;
      all.emplace(id, std::move(m));
    }
    return all;
  }();
  return registry;
}

}  // namespace

const MenuTemplate& MenuTemplateById(int menuId) {
  const auto& registry = Registry();
  auto it = registry.find(menuId);
  if (it == registry.end()) {
    std::fprintf(stderr, "Vellanor: no menu %d\n", menuId);
    std::abort();
  }
  return it->second;
}

bool HasMenuTemplate(int menuId) {
  return Registry().count(menuId) != 0;
}

}  // namespace vellanor::res
