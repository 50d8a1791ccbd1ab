#include "widgets/combo_list.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

namespace vellanor::widgets {
namespace {

TEST(ComboListTest, ATypedTextNamesTheEntryItSpellsOrNone) {
  ComboList list(true);
  list.addItems({"4e B (2004 - 2005)", "Terminale scientifique groupe B2 (2026 - 2027)"});
  list.SetPosition(0);
  EXPECT_EQ(list.Position(), 0);

  list.lineEdit()->setText("rien");
  EXPECT_EQ(list.Position(), ComboList::kNoPosition);
  EXPECT_EQ(list.currentIndex(), 0);  // what the position must not be taken from

  // Leaving the text chooses the entry it spells exactly.
  list.lineEdit()->setText("Terminale scientifique groupe B2 (2026 - 2027)");
  emit list.lineEdit()->editingFinished();
  EXPECT_EQ(list.Position(), 1);
  // Whose beginning shows.
  EXPECT_EQ(list.lineEdit()->cursorPosition(), 0);

  list.SetPosition(7);
  EXPECT_EQ(list.Position(), ComboList::kNoPosition);
  EXPECT_EQ(list.currentText(), "");

  ComboList chooseOnly(false);
  chooseOnly.addItems({"2026", "2027"});
  chooseOnly.SetPosition(1);
  EXPECT_EQ(chooseOnly.Position(), 1);
}

}  // namespace
}  // namespace vellanor::widgets
