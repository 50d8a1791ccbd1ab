#include "widgets/link_label.h"

#include <gtest/gtest.h>

#include <QTest>

#include "support/fake_message_service.h"
#include "support/fake_program_launcher.h"
#include "widgets/open_target.h"

namespace vellanor::widgets {
namespace {

using platform::LaunchError;

// A shown window holding one link, the mouse away from it.
struct LinkWindow {
  LinkWindow() {
    window.resize(300, 100);
    link = new LinkLabel(QStringLiteral("Email"), &window);
    link->move(20, 20);
    link->FitToText();
    link->SetServices(messages, launcher);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(&window, QPoint(250, 80));
  }
  void HoverLink() { QTest::mouseMove(link, link->rect().center()); }
  void LeaveLink() { QTest::mouseMove(&window, QPoint(250, 80)); }
  // Press, a turn of the event loop, release: a hand's click.
  void ClickLink() {
    QTest::mousePress(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
    QTest::qWait(0);
    QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
  }

  QWidget window;
  LinkLabel* link = nullptr;
  test::FakeMessageService messages;
  test::FakeProgramLauncher launcher;
};

TEST(LinkLabelTest, ColourAndUnderlineFollowTheMouseAndTheVisit) {
  LinkWindow w;
  LinkLabel& link = *w.link;
  EXPECT_EQ(link.TextColor(), QColor(0, 0, 238));
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(0, 0, 238));
  EXPECT_FALSE(link.IsUnderlined());  // mode -1: underlined only while hovered

  w.HoverLink();
  EXPECT_TRUE(link.IsHovered());
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_TRUE(link.IsUnderlined());
  w.LeaveLink();
  EXPECT_FALSE(link.IsHovered());
  EXPECT_FALSE(link.IsUnderlined());

  link.MarkVisited(true);
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(85, 26, 139));
  w.HoverLink();  // a visited link still shows the hover colour
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(255, 0, 0));

  link.SetUnderlineMode(LinkLabel::kUnderlineNever);
  EXPECT_FALSE(link.IsUnderlined());
  link.SetUnderlineMode(LinkLabel::kUnderlineAlways);
  EXPECT_TRUE(link.IsUnderlined());
  w.LeaveLink();
  EXPECT_TRUE(link.IsUnderlined());
  EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
}

TEST(LinkLabelTest, TheTargetIsTheTooltipAndTheLabelFitsItsText) {
  LinkWindow w;
  LinkLabel& link = *w.link;
  EXPECT_EQ(link.LinkTarget(), "Email");  // the text until a target is given
  link.resize(400, 60);
  link.SetLinkTarget(QStringLiteral("mailto:a@b.org"));
  EXPECT_EQ(link.text(), "Email");
  EXPECT_EQ(link.toolTip(), "mailto:a@b.org");
  // Only the text is a link, not the empty room the control had.
  EXPECT_LT(link.width(), 100);
  EXPECT_LT(link.height(), 40);
  EXPECT_EQ(link.pos(), QPoint(20, 20));
}

TEST(LinkLabelTest, AClickOpensTheTargetAndMarksTheLinkVisited) {
  LinkWindow w;
  w.link->SetLinkTarget(QStringLiteral("mailto:a@b.org"));
  w.HoverLink();
  w.ClickLink();
  EXPECT_EQ(w.launcher.openedUrls, std::vector<std::string>{"mailto:a@b.org"});
  EXPECT_TRUE(w.launcher.started.empty());
  EXPECT_TRUE(w.link->IsVisited());
  EXPECT_FALSE(w.link->IsHovered());
  EXPECT_EQ(w.link->TextColor(), QColor(85, 26, 139));
  EXPECT_TRUE(w.messages.shown.empty());

  // A press that leaves the label before its release is no click.
  LinkWindow other;
  QTest::mousePress(other.link, Qt::LeftButton, Qt::NoModifier, other.link->rect().center());
  QTest::mouseRelease(other.link, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
  EXPECT_TRUE(other.launcher.openedUrls.empty());
}

TEST(LinkLabelTest, WhenDesktopAndBrowserBothFailTheCauseIsToldAndTheLinkStaysUnvisited) {
  LinkWindow w;
  w.link->SetLinkTarget(QStringLiteral("mailto:a@b.org"));
  w.launcher.opensUrls = false;
  w.launcher.broken = {"x-www-browser"};
  w.ClickLink();
  ASSERT_EQ(w.launcher.started.size(), 1u);
  EXPECT_EQ(w.launcher.started[0].program, "/usr/bin/x-www-browser");
  EXPECT_EQ(w.launcher.started[0].arguments, std::vector<std::string>{"mailto:a@b.org"});
  ASSERT_EQ(w.messages.shown.size(), 1u);
  EXPECT_EQ(w.messages.shown[0].text,
            "Unable to open hyperlink:\n\nThe operating system denied\naccess to the specified "
            "file.");
  EXPECT_EQ(w.messages.shown[0].caption, "Vellanor 2.0");
  EXPECT_EQ(w.messages.shown[0].icon, platform::MessageIcon::Exclamation);
  EXPECT_FALSE(w.link->IsVisited());

  // No browser at all: the desktop's reason.
  w.launcher.broken.clear();
  w.ClickLink();
  ASSERT_EQ(w.messages.shown.size(), 2u);
  EXPECT_EQ(w.messages.shown[1].text,
            "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
            "filename extension.");
  EXPECT_FALSE(w.link->IsVisited());
}

TEST(OpenTargetTest, TheBrowserFallbackTakesTheTargetAsOneArgument) {
  const std::vector<std::string> browsers =
      WebBrowserCandidates("my-browser %s:w3m -T text/html::other");
  ASSERT_GE(browsers.size(), 3u);
  EXPECT_EQ(browsers[0], "my-browser");
  EXPECT_EQ(browsers[1], "other");  // a command line with options needs a shell: skipped
  EXPECT_EQ(browsers[2], "x-www-browser");
  EXPECT_EQ(WebBrowserCandidates(nullptr).front(), "x-www-browser");

  test::FakeProgramLauncher launcher;
  launcher.opensUrls = false;
  launcher.installed = {"other", "firefox"};
  const std::string target = "https://x.org/a b\";rm -rf ~";
  EXPECT_EQ(OpenTarget(launcher, target, browsers), LaunchError::kNone);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].program, "/usr/bin/other");
  EXPECT_EQ(launcher.started[0].arguments, std::vector<std::string>{target});

  launcher.opensUrls = true;
  EXPECT_EQ(OpenTarget(launcher, target, browsers), LaunchError::kNone);
  EXPECT_EQ(launcher.started.size(), 1u);  // the desktop took it: no browser started

  EXPECT_EQ(OpenErrorText(26), "A sharing violation occurred. ");
  EXPECT_EQ(OpenErrorText(2), "The specified file was not found.");
  EXPECT_EQ(OpenErrorText(99), "Unknown Error (99) occurred.");
}

}  // namespace
}  // namespace vellanor::widgets
