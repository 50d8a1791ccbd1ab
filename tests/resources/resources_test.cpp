#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include <QImage>

#include "resources/dialog_template.h"
#include "resources/images.h"
#include "resources/menu_template.h"
#include "resources/string_table.h"

namespace vellanor::res {
namespace {

// A control as written in the resource tables: what the windows rely on.
struct Expected {
  int id;
  ControlKind kind;
  std::string text;
  DuRect rect;
};

void ExpectControls(int dialogId, const std::vector<Expected>& expected) {
  const DialogTemplate& t = DialogTemplateById(dialogId);
  ASSERT_EQ(t.controls.size(), expected.size()) << "dialog " << dialogId;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ControlTemplate& c = t.controls[i];
    const Expected& e = expected[i];
    SCOPED_TRACE("dialog " + std::to_string(dialogId) + ", control " + std::to_string(i));
    EXPECT_EQ(c.id, e.id);
    EXPECT_EQ(c.kind, e.kind);
    EXPECT_EQ(c.text, e.text);
    EXPECT_EQ(c.rect.x, e.rect.x);
    EXPECT_EQ(c.rect.y, e.rect.y);
    EXPECT_EQ(c.rect.width, e.rect.width);
    EXPECT_EQ(c.rect.height, e.rect.height);
  }
}

using K = ControlKind;

TEST(DialogTemplateTest, MainWindowHasItsControlsMenuAndWindowStyle) {
  const DialogTemplate& t = DialogTemplateById(102);
  EXPECT_EQ(t.caption, "Vellanor 2.0");
  EXPECT_EQ(t.width, 506);
  EXPECT_EQ(t.height, 367);
  EXPECT_EQ(t.fontFace, "MS Sans Serif");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.menuId, 139);
  EXPECT_TRUE(t.Has(dlg::kSystemMenu));
  EXPECT_TRUE(t.Has(dlg::kMinimizeBox));
  EXPECT_EQ(t.DefaultCommand(), 1);  // no default button: Enter means OK
  ExpectControls(102, {
                          {-1, K::kGroupBox, " Liste des élèves ", {7, 4, 180, 356}},
                          {1001, K::kTreeView, "", {16, 16, 164, 341}},
                          {1043, K::kListView, "", {196, 3, 304, 160}},
                          {1126, K::kGroupBox, " Graphique ", {196, 168, 304, 192}},
                          {1054, K::kWhiteRect, "", {204, 185, 288, 156}},
                          {1055, K::kRadioButton, "Trimestre 1", {204, 345, 52, 12}},
                          {1056, K::kRadioButton, "Trimestre 2", {260, 345, 52, 12}},
                          {1057, K::kRadioButton, "Trimestre 3", {316, 345, 52, 12}},
                          {1076, K::kRadioButton, "Comparaison", {368, 345, 56, 12}},
                      });
  EXPECT_TRUE(t.Find(1055)->Has(ctl::kGroup));
  EXPECT_FALSE(t.Find(1056)->Has(ctl::kGroup));
  EXPECT_TRUE(t.Find(1043)->Has(ctl::kReport));
  EXPECT_TRUE(t.Find(1043)->Has(ctl::kSingleSel));
}

TEST(DialogTemplateTest, NewClassAndNewStudent) {
  const DialogTemplate& c = DialogTemplateById(141);
  EXPECT_EQ(c.caption, "Nouvelle classe");
  EXPECT_EQ(c.fontFace, "Times New Roman");
  EXPECT_EQ(c.width, 179);
  EXPECT_EQ(c.height, 71);
  EXPECT_FALSE(c.Has(dlg::kSystemMenu));
  EXPECT_EQ(c.DefaultCommand(), 1);
  ExpectControls(141, {
                          {-1, K::kStaticIcon, "", {5, 5, 20, 20}},
                          {1, K::kPushButton, "Valider", {77, 3, 50, 18}},
                          {2, K::kPushButton, "Quitter", {128, 3, 50, 18}},
                          {-1, K::kStatic, "Nom :", {41, 27, 21, 10}},
                          {1002, K::kEdit, "", {63, 27, 115, 12}},
                          {-1, K::kStatic, "Année :", {34, 41, 25, 10}},
                          {1006, K::kComboBox, "", {63, 42, 35, 50}},
                          {-1, K::kStatic, "/", {101, 43, 8, 10}},
                          {1007, K::kComboBox, "", {109, 42, 33, 50}},
                          {-1, K::kStatic, "Informations :", {16, 57, 45, 13}},
                          {1003, K::kEdit, "", {62, 57, 116, 13}},
                      });
  EXPECT_EQ(c.controls[0].iconId, 136);
  EXPECT_TRUE(c.Find(1)->Has(ctl::kIconButton));
  EXPECT_TRUE(c.Find(2)->Has(ctl::kIconButton));
  EXPECT_TRUE(c.Find(1006)->Has(ctl::kDropDownList));
  EXPECT_EQ(c.Find(1006)->items,
            (std::vector<std::string>{"2003", "2004", "2005", "2006", "2007", "2008", "2009"}));
  EXPECT_EQ(c.Find(1007)->items,
            (std::vector<std::string>{"2004", "2005", "2006", "2007", "2008", "2009"}));

  const DialogTemplate& s = DialogTemplateById(150);
  EXPECT_EQ(s.caption, "Nouvel élève");
  EXPECT_EQ(s.fontFace, "Times New Roman");
  EXPECT_EQ(s.height, 131);
  ExpectControls(150, {
                          {1019, K::kStaticIcon, "", {2, 4, 20, 20}},
                          {1, K::kPushButton, "Valider", {74, 4, 50, 19}},
                          {2, K::kPushButton, "Quitter", {126, 4, 50, 19}},
                          {-1, K::kStatic, "Classe :", {42, 28, 25, 12}},
                          {1010, K::kComboBox, "", {70, 29, 108, 68}},
                          {-1, K::kStatic, "Nom :", {47, 43, 20, 12}},
                          {1011, K::kEdit, "", {70, 43, 108, 12}},
                          {-1, K::kStatic, "Prénom :", {39, 57, 28, 12}},
                          {1012, K::kEdit, "", {70, 58, 108, 12}},
                          {-1, K::kStatic, "Sex :", {51, 73, 16, 12}},
                          {1013, K::kComboBox, "", {70, 73, 56, 48}},
                          {-1, K::kStatic, "Date de naissance :", {6, 88, 61, 12}},
                          {1014, K::kEdit, "", {70, 87, 109, 12}},
                          {-1, K::kStatic, "Lieu de naissance :", {7, 101, 60, 12}},
                          {1015, K::kEdit, "", {70, 102, 109, 12}},
                          {-1, K::kStatic, "Informations :", {22, 116, 44, 12}},
                          {1016, K::kEdit, "", {70, 117, 109, 13}},
                      });
  EXPECT_EQ(s.controls[0].iconId, 138);
  EXPECT_EQ(s.Find(1013)->items, (std::vector<std::string>{"Garçon", "Fille"}));
  EXPECT_FALSE(s.Find(1010)->Has(ctl::kSort));
}

TEST(DialogTemplateTest, DeleteAndModifyInformation) {
  const DialogTemplate& d = DialogTemplateById(152);
  EXPECT_EQ(d.caption, "Effacer");
  EXPECT_EQ(d.width, 239);
  EXPECT_EQ(d.height, 81);
  ExpectControls(152, {
                          {1078, K::kStaticIcon, "", {4, 4, 20, 20}},
                          {1, K::kPushButton, "Valider", {129, 5, 50, 21}},
                          {2, K::kPushButton, "Quitter", {181, 5, 50, 21}},
                          {-1, K::kGroupBox, " Sélection : ", {4, 33, 72, 40}},
                          {1021, K::kRadioButton, "Une classe", {12, 45, 60, 8}},
                          {1022, K::kRadioButton, "Un élève", {12, 57, 60, 8}},
                          {-1, K::kStatic, "Classe :", {84, 46, 27, 8}},
                          {1023, K::kComboBox, "", {115, 42, 116, 60}},
                          {-1, K::kStatic, "Elève :", {90, 60, 23, 8}},
                          {1024, K::kComboBox, "", {115, 58, 116, 40}},
                      });
  EXPECT_EQ(d.controls[0].iconId, 155);
  EXPECT_TRUE(d.Find(1023)->Has(ctl::kDropDown));

  const DialogTemplate& m = DialogTemplateById(159);
  EXPECT_EQ(m.caption, "Modification des informations");
  EXPECT_EQ(m.fontFace, "MS Sans Serif");
  EXPECT_EQ(m.width, 331);
  EXPECT_EQ(m.height, 158);
  EXPECT_EQ(m.DefaultCommand(), 1134);
  ExpectControls(159, {
                          {-1, K::kStaticIcon, "", {4, 4, 20, 20}},
                          {1135, K::kPushButton, "Quitter", {269, 4, 55, 22}},
                          {1134, K::kPushButton, "", {212, 5, 55, 22}},
                          {1041, K::kEdit, "", {28, 5, 20, 12}},
                          {-1, K::kGroupBox, " Modifier : ", {32, 29, 95, 49}},
                          {1029, K::kRadioButton, "Une classe", {44, 43, 76, 12}},
                          {1030, K::kRadioButton, "Un élève", {44, 59, 76, 12}},
                          {-1, K::kStatic, "Classe :", {136, 45, 35, 12}},
                          {1034, K::kComboBox, "", {175, 46, 152, 115}},
                          {-1, K::kStatic, "Elève :", {138, 61, 28, 12}},
                          {1035, K::kComboBox, "", {175, 62, 152, 111}},
                          {1036, K::kListView, "", {31, 83, 296, 72}},
                      });
  EXPECT_EQ(m.controls[0].iconId, 158);
  EXPECT_TRUE(m.Find(1134)->Has(ctl::kHidden));
  EXPECT_TRUE(m.Find(1041)->Has(ctl::kHidden));
  EXPECT_FALSE(m.Find(1134)->Has(ctl::kIconButton));
  EXPECT_TRUE(m.Find(1135)->Has(ctl::kIconButton));
}

TEST(DialogTemplateTest, GradeEntry) {
  const DialogTemplate& g = DialogTemplateById(164);
  EXPECT_EQ(g.caption, "Notation");
  EXPECT_EQ(g.width, 279);
  EXPECT_EQ(g.height, 334);
  EXPECT_EQ(g.menuId, 170);
  EXPECT_FALSE(g.Has(dlg::kSystemMenu));  // no close box
  EXPECT_EQ(g.DefaultCommand(), 1083);
  std::vector<int> ids;
  for (const ControlTemplate& c : g.controls) {
    ids.push_back(c.id);
  }
  EXPECT_EQ(ids, (std::vector<int>{-1,   3,    2,    1083, 1109, -1,   -1,   1096, -1,
                                   1097, -1,   1099, 1102, 1101, -1,   1128, 1129, 1130,
                                   1131, 1132, -1,   1138, -1,   1139, 1084}));
  EXPECT_EQ(g.controls[0].iconId, 169);
  EXPECT_EQ(g.Find(3)->text, "Valider");
  EXPECT_EQ(g.Find(2)->text, "Quitter");
  EXPECT_EQ(g.Find(1101)->text, "Tous les élèves");
  EXPECT_EQ(g.Find(1132)->text, "Oral");
  EXPECT_EQ(g.Find(1097)->rect.height, 196);
  EXPECT_EQ(g.Find(1084)->rect.y, 174);
  EXPECT_EQ(g.controls[20].text, "Coéfficient :");
  // Three radio groups: view, trimester, kind.
  for (int id : {1099, 1128, 1131}) {
    EXPECT_TRUE(g.Find(id)->Has(ctl::kGroup)) << id;
  }
  for (int id : {1102, 1101, 1129, 1130, 1132}) {
    EXPECT_FALSE(g.Find(id)->Has(ctl::kGroup)) << id;
  }
  EXPECT_TRUE(g.Find(1083)->Has(ctl::kHidden));
  EXPECT_TRUE(g.Find(1109)->Has(ctl::kHidden));
}

TEST(MenuTemplateTest, MainMenuTree) {
  const MenuTemplate& m = MenuTemplateById(139);
  ASSERT_EQ(m.items.size(), 4u);
  const MenuItem& gestion = m.items[0];
  EXPECT_EQ(gestion.text, "&Gestion");
  ASSERT_EQ(gestion.items.size(), 3u);
  EXPECT_EQ(gestion.items[0].text, "&Création");
  ASSERT_EQ(gestion.items[0].items.size(), 2u);
  EXPECT_EQ(gestion.items[0].items[0].text, "&Nouvelle Classe");
  EXPECT_EQ(gestion.items[0].items[0].command, 32775);
  EXPECT_EQ(gestion.items[0].items[1].text, "Nouv&el Elève");
  EXPECT_EQ(gestion.items[0].items[1].command, 32776);
  EXPECT_EQ(gestion.items[1].text, "E&ffacer");
  EXPECT_EQ(gestion.items[1].command, 32777);
  EXPECT_EQ(gestion.items[2].text, "&Modification");
  ASSERT_EQ(gestion.items[2].items.size(), 1u);
  EXPECT_EQ(gestion.items[2].items[0].text, "Modifier les informations");
  EXPECT_EQ(gestion.items[2].items[0].command, 32779);

  EXPECT_EQ(m.items[1].text, "&Notation");
  ASSERT_EQ(m.items[1].items.size(), 1u);
  EXPECT_EQ(m.items[1].items[0].text, "N&otation");
  EXPECT_EQ(m.items[1].items[0].command, 32797);

  EXPECT_EQ(m.items[2].text, "&Outils");
  std::vector<std::pair<std::string, int>> tools;
  for (const MenuItem& i : m.items[2].items) {
    tools.emplace_back(i.text, i.command);
  }
  EXPECT_EQ(tools, (std::vector<std::pair<std::string, int>>{{"Rapport", 32780},
                                                             {"Statistiques", 32821},
                                                             {"Calculatrice", 32785},
                                                             {"Calendrier", 32783},
                                                             {"Importer/Exporter", 32819}}));
  EXPECT_EQ(m.items[3].text, "&Aide");
  ASSERT_EQ(m.items[3].items.size(), 2u);
  EXPECT_EQ(m.items[3].items[0].text, "Aide");
  EXPECT_EQ(m.items[3].items[0].command, 32773);
  EXPECT_EQ(m.items[3].items[1].text, "A propos...");
  EXPECT_EQ(m.items[3].items[1].command, 32774);
}

TEST(MenuTemplateTest, TreeContextMenuAndGradeEntryMenu) {
  const MenuTemplate& tree = MenuTemplateById(182);
  ASSERT_FALSE(tree.items.empty());
  const std::vector<MenuItem>& items = tree.items[0].items;
  ASSERT_EQ(items.size(), 8u);
  const std::vector<std::pair<int, std::string>> expected = {
      {32816, "Création d'une classe"},
      {32817, "Création d'un élève"},
      {32813, "Eff&acer une Classe/Elève"},
      {0, ""},
      {32812, "D&upliquer cette classe"},
      {32818, "Du&pliquer cet élève"},
      {0, ""},
      {32815, "&Modification des informations"},
  };
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].separator, expected[i].first == 0) << i;
    EXPECT_EQ(items[i].command, expected[i].first) << i;
    EXPECT_EQ(items[i].text, expected[i].second) << i;
  }

  const MenuTemplate& grades = MenuTemplateById(170);
  ASSERT_EQ(grades.items.size(), 1u);
  EXPECT_EQ(grades.items[0].text, "Ac&tion");
  const std::vector<std::pair<int, std::string>> actions = {
      {32791, "N&ouvelle note"},
      {32792, "E&ffacer une notes"},
      {32793, "Mo&difier les notes existantes"},
      {32820, "&Comparer les élèves"},
  };
  ASSERT_EQ(grades.items[0].items.size(), actions.size());
  for (std::size_t i = 0; i < actions.size(); ++i) {
    EXPECT_EQ(grades.items[0].items[i].command, actions[i].first);
    EXPECT_EQ(grades.items[0].items[i].text, actions[i].second);
  }
}

TEST(StringTableTest, AboutEntryAndEveryCommandPrompt) {
  EXPECT_EQ(StringById(101), QString::fromUtf8("A propos de Vellanor..."));
  EXPECT_EQ(StringById(32775), QString::fromUtf8("Creation d'une nouvelle classe..."));
  EXPECT_EQ(StringById(32776), QString::fromUtf8("Création d'un nouvel élève..."));
  EXPECT_EQ(StringById(32783), QString::fromUtf8("Lance le calendrier"));
  EXPECT_EQ(StringById(32817), QString::fromUtf8("Créé un(e) nouvel(le) élève dans la liste"));
  EXPECT_EQ(StringById(32818), QString::fromUtf8("Duplique l'élève actuèlement sélèctionné(e)"));
  EXPECT_EQ(StringById(32792), QString::fromUtf8("Effaçer une colonne de notes..."));
  EXPECT_EQ(StringById(32794), QString::fromUtf8("Sauver le modifications..."));
  EXPECT_EQ(StringById(32795),
            QString::fromUtf8("Quitter sans sauver les dernières modifications..."));
  EXPECT_TRUE(StringById(12345).isEmpty());

  // Every command of every menu has a prompt.
  for (int menuId : {139, 170, 182}) {
    std::vector<const MenuItem*> pending;
    for (const MenuItem& i : MenuTemplateById(menuId).items) {
      pending.push_back(&i);
    }
    while (!pending.empty()) {
      const MenuItem* item = pending.back();
      pending.pop_back();
      for (const MenuItem& child : item->items) {
        pending.push_back(&child);
      }
      if (item->command != 0) {
        EXPECT_FALSE(StringById(item->command).isEmpty()) << item->command;
      }
    }
  }
}

TEST(ImagesTest, EveryIconRendersAndTheSplashIs400By300) {
  for (int id :
       {135, 136, 137, 138, 140, 149, 155, 158, 169, 183, 185, 188, 189, 190, 191, 193, 194}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(IconById(id).isNull());
    const QImage image = IconPixmap(id, 24).toImage();
    ASSERT_EQ(image.size(), QSize(24, 24));
    // Something is drawn, and not everything: a picture with a transparent margin.
    int opaque = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
      }
    }
    EXPECT_GT(opaque, 40);
    EXPECT_LT(opaque, 24 * 24);
  }
  EXPECT_TRUE(IconById(999).isNull());
  EXPECT_TRUE(IconPixmap(999, 32).isNull());

  const QPixmap splash = BitmapById(196);
  ASSERT_FALSE(splash.isNull());
  EXPECT_EQ(splash.size(), QSize(400, 300));
  // The picture fills its whole rectangle: no transparent corner.
  const QImage image = splash.toImage();
  for (QPoint p : {QPoint(0, 0), QPoint(399, 0), QPoint(0, 299), QPoint(399, 299)}) {
    EXPECT_EQ(qAlpha(image.pixel(p)), 255);
  }
  EXPECT_TRUE(BitmapById(195).isNull());
}

}  // namespace
}  // namespace vellanor::res
