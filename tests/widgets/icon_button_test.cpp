#include "widgets/icon_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include "widgets/balloon_tip.h"
#include "widgets/template_dialog.h"

namespace vellanor::widgets {
namespace {

// A parent whose button face is `face`: new buttons take their colours from it.
std::unique_ptr<QWidget> ParentWithFace(QColor face) {
  auto parent = std::make_unique<QWidget>();
  QPalette palette = parent->palette();
  palette.setColor(QPalette::Button, face);
  palette.setColor(QPalette::ButtonText, QColor(10, 20, 30));
  parent->setPalette(palette);
  return parent;
}

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButtons buttons, QPoint pos) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void Enter(QWidget* widget, QPoint pos) {
  const QPointF local(pos);
  QEnterEvent event(local, local, QPointF(widget->mapToGlobal(pos)));
  QApplication::sendEvent(widget, &event);
}

void Leave(QWidget* widget) {
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(widget, &event);
}

TEST(IconButtonTest, OffsetColorCutsTheShadeAndKeepsTheHue) {
  auto grey = ParentWithFace(QColor(240, 240, 240));
  IconButton light("OK", grey.get());
  EXPECT_EQ(light.Color(0), QColor(240, 240, 240));
  EXPECT_EQ(light.Color(1), QColor(10, 20, 30));
  EXPECT_EQ(light.OffsetColor(0, 30), 0);
  EXPECT_EQ(light.Color(0), QColor(255, 255, 255));  // +15 only
  EXPECT_EQ(light.Color(2), QColor(240, 240, 240));  // the others stay

  auto brown = ParentWithFace(QColor(100, 50, 20));
  IconButton dark("OK", brown.get());
  EXPECT_EQ(dark.OffsetColor(2, -30), 0);
  EXPECT_EQ(dark.Color(2), QColor(80, 30, 0));  // -20 only
  EXPECT_EQ(dark.OffsetColor(4, 30), 0);
  EXPECT_EQ(dark.Color(4), QColor(130, 80, 50));
  EXPECT_EQ(dark.OffsetColor(5, 0), 0);
  EXPECT_EQ(dark.Color(5), QColor(10, 20, 30));

  // Refused arguments change nothing.
  EXPECT_EQ(dark.OffsetColor(6, 30), 3);
  EXPECT_EQ(dark.OffsetColor(-1, 30), 3);
  EXPECT_EQ(dark.OffsetColor(0, 300), 5);
  EXPECT_EQ(dark.OffsetColor(0, -256), 5);
  EXPECT_EQ(dark.OffsetColor(7, 999), 3);  // the index is checked first
  EXPECT_EQ(dark.Color(0), QColor(100, 50, 20));
  EXPECT_EQ(dark.OffsetColor(0, 255), 0);
  EXPECT_EQ(dark.Color(0), QColor(255, 205, 175));
}

TEST(IconButtonTest, LayoutPlacesTheIconLeftOfTheCaptionOrCentred) {
  const auto withCaption = IconButton::ComputeLayout(QSize(83, 36), QSize(32, 32), true, false);
  EXPECT_EQ(withCaption.icon, QRect(3, 2, 32, 32));
  EXPECT_EQ(withCaption.caption, QRect(35, 0, 48, 36));

  const auto alone = IconButton::ComputeLayout(QSize(80, 36), QSize(32, 32), false, false);
  EXPECT_EQ(alone.icon, QRect(24, 2, 32, 32));

  const auto pressed = IconButton::ComputeLayout(QSize(83, 36), QSize(32, 32), true, true);
  EXPECT_EQ(pressed.icon, QRect(4, 3, 32, 32));
  EXPECT_EQ(pressed.caption, QRect(36, 1, 48, 36));

  // A button lower than its icon still centres it (and clips it).
  const auto low = IconButton::ComputeLayout(QSize(75, 29), QSize(32, 32), true, false);
  EXPECT_EQ(low.icon.top(), -1);

  const auto noIcon = IconButton::ComputeLayout(QSize(60, 20), QSize(), true, false);
  EXPECT_EQ(noIcon.caption, QRect(0, 0, 60, 20));
}

TEST(IconButtonTest, SetUpGivesIconFrameColourAndTooltip) {
  auto grey = ParentWithFace(QColor(200, 200, 200));
  IconButton button("Valider", grey.get());
  EXPECT_EQ(button.Balloon(), nullptr);
  SetUpIconButton(button, 183, QString::fromUtf8("Valide la création"));
  EXPECT_EQ(button.IconId(), 183);
  EXPECT_EQ(button.IconSize(), QSize(32, 32));
  EXPECT_TRUE(button.IsRounded());
  EXPECT_EQ(button.Color(0), QColor(230, 230, 230));
  ASSERT_NE(button.Balloon(), nullptr);
  EXPECT_TRUE(button.Balloon()->IsBalloon());
  EXPECT_EQ(button.TooltipText(), QString::fromUtf8("Valide la création"));
  EXPECT_TRUE(button.toolTip().isEmpty());  // never Qt's own tooltip

  button.SetTooltipText(QString(), true);  // no text: nothing changes
  EXPECT_EQ(button.TooltipText(), QString::fromUtf8("Valide la création"));
  button.SetTooltipText("Annule l'ajout de la nouvelle note", true);
  EXPECT_EQ(button.TooltipText(), "Annule l'ajout de la nouvelle note");

  // Long texts wrap within 400 pixels.
  button.SetTooltipText(QString("mot ").repeated(200), true);
  EXPECT_LE(button.Balloon()->width(), 400);
  EXPECT_GT(button.Balloon()->height(), 3 * button.Balloon()->fontMetrics().height());
}

TEST(IconButtonTest, HoverLightsUpWithoutAnActiveWindowAndTheTooltipFollows) {
  IconButton button("Quitter");
  SetUpIconButton(button, 189, "Retourne vers l'application");
  button.resize(83, 36);
  button.show();
  ASSERT_FALSE(button.isActiveWindow());
  Enter(&button, QPoint(10, 10));
  EXPECT_TRUE(button.IsHovered());
  EXPECT_FALSE(button.Balloon()->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return button.Balloon()->isVisible(); }, 3000));
  EXPECT_LE(button.Balloon()->width(), 400);
  // A click hides the tip; leaving ends the hover.
  SendMouse(&button, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(10, 10));
  EXPECT_FALSE(button.Balloon()->isVisible());
  SendMouse(&button, QEvent::MouseButtonRelease, Qt::NoButton, QPoint(10, 10));
  Leave(&button);
  EXPECT_FALSE(button.IsHovered());

  // Moving out of the button ends the hover too; dragging in with the
  // button held does not start it.
  SendMouse(&button, QEvent::MouseMove, Qt::NoButton, QPoint(5, 5));
  EXPECT_TRUE(button.IsHovered());
  SendMouse(&button, QEvent::MouseMove, Qt::NoButton, QPoint(200, 5));
  EXPECT_FALSE(button.IsHovered());
  SendMouse(&button, QEvent::MouseMove, Qt::LeftButton, QPoint(5, 5));
  EXPECT_FALSE(button.IsHovered());

  // An inactive tooltip stays hidden.
  button.ActivateTooltip(false);
  Leave(&button);
  Enter(&button, QPoint(10, 10));
  QTest::qWait(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay) + 200);
  EXPECT_FALSE(button.Balloon()->isVisible());
}

TEST(IconButtonTest, DoubleClickCountsAsTwoClicks) {
  IconButton button("OK");
  button.resize(80, 30);
  QSignalSpy clicked(&button, &QAbstractButton::clicked);
  const QPoint at(20, 15);
  SendMouse(&button, QEvent::MouseButtonPress, Qt::LeftButton, at);
  SendMouse(&button, QEvent::MouseButtonRelease, Qt::NoButton, at);
  SendMouse(&button, QEvent::MouseButtonDblClick, Qt::LeftButton, at);
  SendMouse(&button, QEvent::MouseButtonRelease, Qt::NoButton, at);
  EXPECT_EQ(clicked.count(), 2);
}

TEST(IconButtonTest, DisablingTheFocusedButtonMovesTheFocusOn) {
  TemplateDialog dialog(141, nullptr, 1.0);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto& validate = dialog.Bind<IconButton>(1);
  SetUpIconButton(validate, 183, QString::fromUtf8("Valide la création"));
  QCoreApplication::processEvents();
  EXPECT_NE(validate.Color(0), validate.Color(2));  // still lightened in a shown dialog
  validate.setFocus();
  ASSERT_TRUE(validate.hasFocus());
  Enter(&validate, QPoint(5, 5));
  validate.setEnabled(false);
  EXPECT_EQ(dialog.focusWidget(), dialog.Control(2));  // the next control
  EXPECT_FALSE(validate.IsHovered());
  // Disabled, the mouse coming in does not light it.
  Enter(&validate, QPoint(5, 5));
  EXPECT_FALSE(validate.IsHovered());
}

TEST(IconButtonTest, PaletteChangeResetsTheColours) {
  QWidget dialog;
  IconButton button("OK", &dialog);
  SetUpIconButton(button, 183, "tip");
  dialog.show();  // showing the dialog keeps the set-up's colours
  QCoreApplication::processEvents();
  EXPECT_NE(button.Color(0), button.Color(2));
  const QPalette original = QApplication::palette();
  QPalette changed = original;
  changed.setColor(QPalette::Button, QColor(90, 120, 150));
  changed.setColor(QPalette::ButtonText, QColor(1, 2, 3));
  QApplication::setPalette(changed);
  QCoreApplication::processEvents();  // the change reaches the widgets as posted events
  for (int i : {0, 2, 4}) {
    EXPECT_EQ(button.Color(i), QColor(90, 120, 150)) << i;
  }
  EXPECT_EQ(button.Color(1), QColor(1, 2, 3));
  QApplication::setPalette(original);
  QCoreApplication::processEvents();
  EXPECT_EQ(button.Color(0), original.color(QPalette::Button));
}

TEST(IconButtonTest, DrawsTheRoundedFrameOnlyWhileHovered) {
  auto face = ParentWithFace(QColor(200, 200, 200));
  IconButton button("Valider", face.get());
  SetUpIconButton(button, 183, "tip");
  button.resize(83, 36);
  const QColor faceColor(200, 200, 200);
  const QColor hover(230, 230, 230);

  QImage idle(button.size(), QImage::Format_ARGB32);
  button.render(&idle);
  EXPECT_EQ(idle.pixelColor(0, 0), faceColor);
  EXPECT_EQ(idle.pixelColor(40, 0), faceColor);  // no border when idle

  SendMouse(&button, QEvent::MouseMove, Qt::NoButton, QPoint(60, 10));
  ASSERT_TRUE(button.IsHovered());
  QImage lit(button.size(), QImage::Format_ARGB32);
  lit.fill(Qt::red);
  button.render(&lit);
  EXPECT_EQ(lit.pixelColor(45, 0).value(), 0);  // the black frame
  EXPECT_EQ(lit.pixelColor(45, 35).value(), 0);
  EXPECT_EQ(lit.pixelColor(82, 18).value(), 0);
  EXPECT_EQ(lit.pixelColor(45, 33), hover);    // lightened inside
  EXPECT_NE(lit.pixelColor(0, 0).value(), 0);  // the corner is rounded off

  // The icon is drawn left of the caption: non-background pixels there.
  int iconPixels = 0;
  for (int y = 2; y < 34; ++y) {
    for (int x = 3; x < 35; ++x) {
      iconPixels += lit.pixelColor(x, y) != hover ? 1 : 0;
    }
  }
  EXPECT_GT(iconPixels, 100);
}

}  // namespace
}  // namespace vellanor::widgets
