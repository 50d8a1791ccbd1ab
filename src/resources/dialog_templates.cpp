// The dialog templates of the program. Each window's template is one function
// below, registered in Registry(); a new dialog adds its function and its
// entry there.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "resources/dialog_template.h"

namespace vellanor::res {
namespace {

using namespace ctl;  // NOLINT: the style names read better unqualified in the tables

// One function per control kind, so that the tables below read like the
// resource script: ID, text, x, y, width, height, styles. Controls that take
// the keyboard focus are tab stops, as the resource compiler makes them.

ControlTemplate Text(const char* text, DuRect rect, StyleFlags style = 0) {
  return {.id = kNoId, .kind = ControlKind::kStatic, .text = text, .rect = rect, .style = style};
}

ControlTemplate Link(int id, const char* text, DuRect rect) {
  return {.id = id, .kind = ControlKind::kStatic, .text = text, .rect = rect, .style = kLinkLabel};
}

ControlTemplate Group(int id, const char* text, DuRect rect) {
  return {.id = id, .kind = ControlKind::kGroupBox, .text = text, .rect = rect};
}

ControlTemplate Icon(int id, int iconId, DuRect rect) {
  return {.id = id, .kind = ControlKind::kStaticIcon, .rect = rect, .iconId = iconId};
}

ControlTemplate WhiteRect(int id, DuRect rect) {
  return {.id = id, .kind = ControlKind::kWhiteRect, .rect = rect};
}

ControlTemplate Button(int id, const char* text, DuRect rect, StyleFlags style = 0) {
  return {.id = id,
          .kind = ControlKind::kPushButton,
          .text = text,
          .rect = rect,
          .style = kTabStop | style};
}

ControlTemplate IconButton(int id, const char* text, DuRect rect, StyleFlags style = 0) {
  return Button(id, text, rect, kIconButton | style);
}

ControlTemplate Edit(int id, DuRect rect, StyleFlags style = 0) {
  return {.id = id, .kind = ControlKind::kEdit, .rect = rect, .style = kTabStop | style};
}

ControlTemplate Combo(int id, DuRect rect, StyleFlags style, std::vector<std::string> items = {}) {
  return {.id = id,
          .kind = ControlKind::kComboBox,
          .rect = rect,
          .style = kTabStop | style,
          .items = std::move(items)};
}

ControlTemplate Radio(int id, const char* text, DuRect rect, StyleFlags style = 0) {
  return {.id = id,
          .kind = ControlKind::kRadioButton,
          .text = text,
          .rect = rect,
          .style = kTabStop | style};
}

ControlTemplate Check(int id, const char* text, DuRect rect, StyleFlags style = 0) {
  return {.id = id,
          .kind = ControlKind::kCheckBox,
          .text = text,
          .rect = rect,
          .style = kTabStop | style};
}

ControlTemplate Tree(int id, DuRect rect, StyleFlags style) {
  return {.id = id, .kind = ControlKind::kTreeView, .rect = rect, .style = kTabStop | style};
}

ControlTemplate List(int id, DuRect rect, StyleFlags style) {
  return {.id = id, .kind = ControlKind::kListView, .rect = rect, .style = kTabStop | style};
}

ControlTemplate MonthCalendar(int id, DuRect rect) {
  return {.id = id, .kind = ControlKind::kMonthCalendar, .rect = rect, .style = kTabStop};
}

constexpr StyleFlags kModalDialog = dlg::kCaption;

DialogTemplate MainWindow() {
  return {.id = kDlgMain,
          .caption = "Vellanor 2.0",
          .width = 506,
          .height = 367,
          .fontFace = "MS Sans Serif",
          .pointSize = 8,
          .style = dlg::kCaption | dlg::kSystemMenu | dlg::kMinimizeBox | dlg::kCentered |
                   dlg::kAppWindow,
          .menuId = kMenuMain,
          .controls = {
              Group(kNoId, " Liste des élèves ", {7, 4, 180, 356}),
              Tree(kCtlTree, {16, 16, 164, 341},
                   kHasButtons | kHasLines | kShowSelAlways | kSingleExpand | kFullRowSelect |
                       kNoDragDrop),
              List(kCtlInfoPanel, {196, 3, 304, 160}, kReport | kSingleSel | kNoSortHeader),
              Group(kCtlChartGroup, " Graphique ", {196, 168, 304, 192}),
              WhiteRect(kCtlChartFrame, {204, 185, 288, 156}),
              Radio(kCtlChartTrimester1, "Trimestre 1", {204, 345, 52, 12}, kFlat | kGroup),
              Radio(kCtlChartTrimester2, "Trimestre 2", {260, 345, 52, 12}, kFlat),
              Radio(kCtlChartTrimester3, "Trimestre 3", {316, 345, 52, 12}, kFlat),
              Radio(kCtlChartComparison, "Comparaison", {368, 345, 56, 12}, kFlat | kCenterText),
          }};
}

DialogTemplate NewClass() {
  const StyleFlags yearList = kDropDownList | kSort | kVScroll;
  return {.id = kDlgNewClass,
          .caption = "Nouvelle classe",
          .width = 179,
          .height = 71,
          .fontFace = "Times New Roman",
          .pointSize = 8,
          .style = kModalDialog,
          .menuId = 0,
          .controls = {
              Icon(kNoId, kIconClass, {5, 5, 20, 20}),
              IconButton(kIdOk, "Valider", {77, 3, 50, 18}, kDefaultButton),
              IconButton(kIdCancel, "Quitter", {128, 3, 50, 18}),
              Text("Nom :", {41, 27, 21, 10}),
              Edit(kCtlClassName, {63, 27, 115, 12}, kAutoHScroll),
              Text("Année :", {34, 41, 25, 10}),
              Combo(kCtlClassFirstYear, {63, 42, 35, 50}, yearList,
                    {"2003", "2004", "2005", "2006", "2007", "2008", "2009"}),
              Text("/", {101, 43, 8, 10}),
              Combo(kCtlClassSecondYear, {109, 42, 33, 50}, yearList,
                    {"2004", "2005", "2006", "2007", "2008", "2009"}),
              Text("Informations :", {16, 57, 45, 13}),
              Edit(kCtlClassInfo, {62, 57, 116, 13}, kAutoHScroll),
          }};
}

DialogTemplate NewStudent() {
  return {
      .id = kDlgNewStudent,
      .caption = "Nouvel élève",
      .width = 179,
      .height = 131,
      .fontFace = "Times New Roman",
      .pointSize = 8,
      .style = kModalDialog,
      .menuId = 0,
      .controls = {
          Icon(kCtlStudentPicture, kIconBoy, {2, 4, 20, 20}),
          IconButton(kIdOk, "Valider", {74, 4, 50, 19}, kDefaultButton),
          IconButton(kIdCancel, "Quitter", {126, 4, 50, 19}),
          Text("Classe :", {42, 28, 25, 12}),
          Combo(kCtlStudentClass, {70, 29, 108, 68}, kDropDownList | kVScroll),
          Text("Nom :", {47, 43, 20, 12}),
          Edit(kCtlStudentName, {70, 43, 108, 12}, kAutoHScroll),
          Text("Prénom :", {39, 57, 28, 12}),
          Edit(kCtlStudentFirstName, {70, 58, 108, 12}, kAutoHScroll),
          Text("Sex :", {51, 73, 16, 12}),
          Combo(kCtlStudentSex, {70, 73, 56, 48}, kDropDownList | kVScroll, {"Garçon", "Fille"}),
          Text("Date de naissance :", {6, 88, 61, 12}),
          Edit(kCtlStudentBirthDate, {70, 87, 109, 12}, kAutoHScroll),
          Text("Lieu de naissance :", {7, 101, 60, 12}),
          Edit(kCtlStudentBirthPlace, {70, 102, 109, 12}, kAutoHScroll),
          Text("Informations :", {22, 116, 44, 12}),
          Edit(kCtlStudentInfo, {70, 117, 109, 13}, kAutoHScroll),
      }};
}

DialogTemplate Delete() {
  return {.id = kDlgDelete,
          .caption = "Effacer",
          .width = 239,
          .height = 81,
          .fontFace = "Times New Roman",
          .pointSize = 8,
          .style = kModalDialog,
          .menuId = 0,
          .controls = {
              Icon(kCtlDeletePicture, kIconDelete, {4, 4, 20, 20}),
              IconButton(kIdOk, "Valider", {129, 5, 50, 21}, kDefaultButton),
              IconButton(kIdCancel, "Quitter", {181, 5, 50, 21}),
              Group(kNoId, " Sélection : ", {4, 33, 72, 40}),
              Radio(kCtlDeleteClassRadio, "Une classe", {12, 45, 60, 8}, kGroup),
              Radio(kCtlDeleteStudentRadio, "Un élève", {12, 57, 60, 8}),
              Text("Classe :", {84, 46, 27, 8}),
              Combo(kCtlDeleteClassList, {115, 42, 116, 60}, kDropDown | kVScroll),
              Text("Elève :", {90, 60, 23, 8}),
              Combo(kCtlDeleteStudentList, {115, 58, 116, 40}, kDropDown | kVScroll),
          }};
}

DialogTemplate ModifyInfo() {
  return {.id = kDlgModifyInfo,
          .caption = "Modification des informations",
          .width = 331,
          .height = 158,
          .fontFace = "MS Sans Serif",
          .pointSize = 8,
          .style = kModalDialog,
          .menuId = 0,
          .controls = {
              Icon(kNoId, kIconModify, {4, 4, 20, 20}),
              IconButton(kCtlModifyQuit, "Quitter", {269, 4, 55, 22}),
              Button(kCtlModifyEnter, "", {212, 5, 55, 22}, kDefaultButton | kHidden),
              Edit(kCtlModifyEditor, {28, 5, 20, 12}, kHidden),
              Group(kNoId, " Modifier : ", {32, 29, 95, 49}),
              Radio(kCtlModifyClassRadio, "Une classe", {44, 43, 76, 12}, kGroup),
              Radio(kCtlModifyStudentRadio, "Un élève", {44, 59, 76, 12}),
              Text("Classe :", {136, 45, 35, 12}),
              Combo(kCtlModifyClassList, {175, 46, 152, 115}, kDropDown | kVScroll),
              Text("Elève :", {138, 61, 28, 12}),
              Combo(kCtlModifyStudentList, {175, 62, 152, 111}, kDropDown | kVScroll),
              List(kCtlModifyLines, {31, 83, 296, 72},
                   kReport | kSingleSel | kShowSelAlways | kNoSortHeader),
          }};
}

DialogTemplate GradeEntry() {
  return {.id = kDlgGradeEntry,
          .caption = "Notation",
          .width = 279,
          .height = 334,
          .fontFace = "MS Sans Serif",
          .pointSize = 8,
          .style = kModalDialog,
          .menuId = kMenuGradeEntry,
          .controls = {
              Icon(kNoId, kIconGrading, {3, 4, 20, 20}),
              IconButton(kIdValidate, "Valider", {161, 5, 55, 23}),
              IconButton(kIdCancel, "Quitter", {219, 4, 55, 23}),
              Button(kCtlGradeEnter, "", {33, 5, 8, 6}, kDefaultButton | kHidden),
              Edit(kCtlGradeEditor, {33, 13, 24, 12}, kHidden),
              Group(kNoId, " Sélection : ", {27, 35, 247, 49}),
              Text("Classe :", {46, 49, 27, 12}),
              Combo(kCtlGradeClassList, {77, 48, 148, 68}, kDropDown | kVScroll),
              Text("Elève :", {46, 65, 26, 12}),
              Combo(kCtlGradeStudentList, {77, 65, 148, 196}, kDropDown | kVScroll),
              Group(kNoId, "Affichage : ", {27, 86, 73, 58}),
              Radio(kCtlViewClass, "Une classe", {33, 101, 58, 12}, kGroup),
              Radio(kCtlViewStudent, "Un seul élève", {33, 113, 60, 12}),
              Radio(kCtlViewAllStudents, "Tous les élèves", {33, 125, 64, 12}),
              Group(kNoId, "Type de note :", {107, 86, 168, 84}),
              Radio(kCtlTrimester1, "Trimestre 1", {113, 99, 52, 10}, kGroup),
              Radio(kCtlTrimester2, "Trimestre 2", {113, 110, 52, 10}),
              Radio(kCtlTrimester3, "Trimestre 3", {113, 122, 52, 10}),
              Radio(kCtlWritten, "Ecrit", {178, 99, 40, 10}, kGroup),
              Radio(kCtlOral, "Oral", {178, 111, 40, 10}),
              Text("Coéfficient :", {201, 136, 38, 10}),
              Edit(kCtlCoefficient, {248, 134, 21, 13}, kAutoHScroll),
              Text("Informations :", {113, 154, 44, 11}),
              Edit(kCtlGradeInfo, {160, 151, 110, 14}, kAutoHScroll),
              List(kCtlGradeGrid, {27, 174, 248, 156}, kReport | kSingleSel | kShowSelAlways),
          }};
}

DialogTemplate AboutBox() {
  return {.id = kDlgAbout,
          .caption = "A propos de Vellanor",
          .width = 235,
          .height = 55,
          .fontFace = "MS Sans Serif",
          .pointSize = 8,
          .style = kModalDialog,
          .menuId = 0,
          .controls = {
              Icon(kCtlAboutIcon, kIconVellanor, {5, 6, 20, 20}),
              Text("Vellanor version 2.0", {40, 15, 119, 8}, kNoPrefix),
              Text("Carnet de notes du professeur", {40, 25, 119, 8}),
              Link(kCtlAboutLink, "Email", {40, 35, 113, 13}),
              IconButton(kIdOk, "OK", {172, 12, 52, 28}, kDefaultButton),
          }};
}

DialogTemplate Calendar() {
  return {.id = kDlgCalendar,
          .caption = "Calendrier",
          .width = 192,
          .height = 141,
          .fontFace = "MS Sans Serif",
          .pointSize = 8,
          .style = kModalDialog,
          .menuId = 0,
          .controls = {
              IconButton(kIdOk, "Quitter", {131, 4, 57, 21}, kDefaultButton),
              MonthCalendar(kCtlCalendar, {0, 28, 191, 112}),
          }};
}

DialogTemplate Reports() {
  const StyleFlags lists = kReport | kShowSelAlways;
  const char* const oneDocument = "Un seul document pour la classe";
  return {.id = kDlgReports,
          .caption = "Production de rapports",
          .width = 377,
          .height = 268,
          .fontFace = "MS Sans Serif",
          .pointSize = 8,
          .style = kModalDialog,
          .menuId = 0,
          .controls = {
              IconButton(kIdCancel, "Quitter", {319, 5, 55, 23}, kDefaultButton),
              Icon(kNoId, kIconModify, {8, 8, 20, 20}),
              Group(kNoId, " Document (*.RTF)", {21, 38, 354, 87}),
              Text("Modèle de document :", {28, 58, 72, 12}),
              Edit(kCtlReportTemplate, {106, 55, 198, 16}, kAutoHScroll),
              IconButton(kCtlReportChooseTemplate, "Document", {307, 51, 63, 23}),
              Text("Publipostage :", {54, 80, 48, 12}),
              Check(kCtlReportCharts, "Inclure le graphique correspondant", {106, 79, 124, 12}),
              Radio(kCtlReportSave, "Sauvegarde des documents :", {106, 92, 107, 14}, kGroup),
              Edit(kCtlReportDirectory, {213, 92, 91, 16}, kAutoHScroll),
              IconButton(kCtlReportChooseDirectory, "Répertoire", {307, 88, 63, 23}),
              Radio(kCtlReportPrint, "Impression des documents", {106, 105, 100, 12}),
              Group(kNoId, " Source : ", {22, 129, 353, 120}),
              IconButton(kCtlReportProduce, "Produire", {311, 138, 59, 23}),
              Radio(kCtlReportClassMode, "Une / des classe(s)", {30, 151, 81, 16}, kGroup),
              Radio(kCtlReportStudentMode, "Un / des élève(s)", {158, 152, 72, 16}),
              List(kCtlReportClassList, {25, 169, 129, 76}, lists),
              List(kCtlReportStudentList, {155, 169, 214, 77}, lists),
              // The format of saved documents, in a row under the rest.
              Text("Format :", {28, 254, 30, 10}),
              Radio(kCtlReportFormatRtf, "RTF", {62, 252, 30, 12}, kGroup),
              Radio(kCtlReportFormatPdf, "PDF", {96, 252, 30, 12}),
              Check(kCtlReportSingleDocument, oneDocument, {132, 252, 130, 12}),
          }};
}

DialogTemplate ImportExport() {
  const StyleFlags lists = kDropDown | kSort | kVScroll;
  return {
      .id = kDlgImportExport,
      .caption = "Importer / Exporter",
      .width = 250,
      .height = 163,
      .fontFace = "MS Sans Serif",
      .pointSize = 8,
      .style = kModalDialog,
      .menuId = 0,
      .controls = {
          IconButton(kIdOk, "Exporter", {130, 5, 57, 22}, kDefaultButton),
          IconButton(kIdCancel, "Quitter", {189, 5, 57, 23}),
          Icon(kNoId, kIconExchange, {6, 6, 20, 20}),
          Group(kNoId, " Action : ", {35, 29, 211, 76}),
          Radio(kCtlExchangeExport, "Exporter", {45, 44, 40, 10}, kFlat | kGroup),
          Radio(kCtlExchangeImport, "Importer", {45, 55, 42, 11}, kFlat),
          // A group of its own: choosing the action never unchecks it.
          Radio(kCtlExchangeExcelFormat, "Format MS Excel CSV", {126, 43, 88, 10},
                kFlat | kGroup | kDisabled),
          Check(kCtlExchangeNotesOnly, "Les notes seulement", {127, 53, 81, 14}, kFlat | kDisabled),
          Edit(kCtlExchangeDocument, {41, 83, 142, 15}, kAutoHScroll),
          IconButton(kCtlExchangeChooseDocument, "Document", {186, 79, 57, 21}),
          Group(kNoId, " Sélection : ", {35, 106, 211, 54}),
          Radio(kCtlExchangeOneClass, "Une classe", {46, 124, 53, 14}, kFlat | kGroup),
          Radio(kCtlExchangeOneStudent, "Un élève", {46, 142, 51, 11}, kFlat),
          Combo(kCtlExchangeClassList, {103, 124, 139, 62}, lists),
          Combo(kCtlExchangeStudentList, {103, 142, 139, 46}, lists),
      }};
}

// Geometry is the window's smallest: the table and the histogram are the
// parts that would take more room.
DialogTemplate Statistics() {
  return {.id = kDlgStatistics,
          .caption = "Statistiques",
          .width = 400,
          .height = 290,
          .fontFace = "MS Sans Serif",
          .pointSize = 8,
          .style = kModalDialog,
          .menuId = 0,
          .controls = {
              Icon(kNoId, kIconGrading, {4, 4, 20, 20}),
              IconButton(kIdCancel, "Quitter", {341, 4, 55, 23}, kDefaultButton),
              Group(kNoId, " Sélection : ", {30, 30, 366, 44}),
              Text("Classe :", {38, 43, 27, 12}),
              Combo(kCtlStatsClassList, {68, 41, 160, 80}, kDropDownList | kVScroll),
              Radio(kCtlStatsTrimester1, "Trimestre 1", {38, 58, 52, 10}, kGroup),
              Radio(kCtlStatsTrimester2, "Trimestre 2", {94, 58, 52, 10}),
              Radio(kCtlStatsTrimester3, "Trimestre 3", {150, 58, 52, 10}),
              Radio(kCtlStatsWritten, "Ecrit", {240, 58, 40, 10}, kGroup),
              Radio(kCtlStatsOral, "Oral", {284, 58, 40, 10}),
              List(kCtlStatsTable, {4, 80, 392, 104},
                   kReport | kSingleSel | kShowSelAlways | kNoSortHeader),
              Group(kNoId, " Répartition des notes ", {4, 188, 392, 98}),
              WhiteRect(kCtlStatsHistogram, {12, 200, 376, 80}),
          }};
}

const std::map<int, DialogTemplate>& Registry() {
  static const std::map<int, DialogTemplate> registry = [] {
    std::map<int, DialogTemplate> all;
    for (DialogTemplate t :
         {MainWindow(), NewClass(), NewStudent(), Delete(), ModifyInfo(), GradeEntry(), AboutBox(),
          Calendar(), Reports(), ImportExport(), Statistics()}) {
      const int id = t.id;
      all.emplace(id, std::move(t));
    }
    return all;
  }();
  return registry;
}

}  // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
  if (controlId == kNoId) {
    return nullptr;
  }
  auto it = std::find_if(controls.begin(), controls.end(),
                         [controlId](const ControlTemplate& c) { return c.id == controlId; });
  return it == controls.end() ? nullptr : &*it;
}

int DialogTemplate::DefaultCommand() const {
  for (const ControlTemplate& c : controls) {
    if (c.kind == ControlKind::kPushButton && c.Has(ctl::kDefaultButton)) {
      return c.id;
    }
  }
  return kIdOk;
}

const DialogTemplate& DialogTemplateById(int dialogId) {
  const auto& registry = Registry();
  auto it = registry.find(dialogId);
  if (it == registry.end()) {
    std::fprintf(stderr, "Vellanor: no dialog template %d\n", dialogId);
    std::abort();
  }
  return it->second;
}

std::vector<int> DialogTemplateIds() {
  std::vector<int> ids;
  for (const auto& [id, t] : Registry()) {
    ids.push_back(id);
  }
  return ids;
}

}  // namespace vellanor::res
