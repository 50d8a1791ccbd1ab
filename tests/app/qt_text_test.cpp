#include "app/qt_text.h"

#include <gtest/gtest.h>

namespace vellanor {
namespace {

TEST(QtTextTest, TypedTextsAreStoredInWindows1252CutToTheFieldWidth) {
  TextField<32> name;
  AssignText(name, QString::fromUtf8("Zoé Œuvre – 日本"));
  EXPECT_EQ(name.Str(), "Zo\xE9 \x8Cuvre \x96 ??");
  EXPECT_EQ(ToQString(name), QString::fromUtf8("Zoé Œuvre – ??"));

  // A letter typed as a base and a combining accent is the one accented letter.
  AssignText(name, QString::fromUtf8("Ze\u0301lie"));
  EXPECT_EQ(name.Str(), "Z\xE9lie");

  AssignText(name, QString(40, QChar(u'é')));
  EXPECT_EQ(name.Str(), std::string(32, '\xE9'));  // 32 characters, one byte each
}

}  // namespace
}  // namespace vellanor
