#include "widgets/window_geometry.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QSettings>

#include "widgets/template_dialog.h"

namespace vellanor::widgets {
namespace {

QString Key(const QString& settingsKey, const char* value) {
  return QStringLiteral("windows/%1/%2").arg(settingsKey, QString::fromLatin1(value));
}

QWidget* FindControl(const TemplateDialog& dialog, const Stretch& stretch) {
  if (stretch.id != res::kNoId) {
    return dialog.Control(stretch.id);
  }
  const auto& controls = dialog.Template().controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].id == res::kNoId && controls[i].text == stretch.text) {
      return dialog.ControlAt(static_cast<int>(i));
    }
  }
  return nullptr;
}

int Shift(double share, int growth) {
  return static_cast<int>(std::lround(share * growth));
}

// Lays the controls out again whenever the client area changes size, and
// keeps the window's geometry in the settings when it closes.
class WindowGrower : public QObject {
 public:
  WindowGrower(TemplateDialog& dialog, QString settingsKey, const std::vector<Stretch>& stretches)
      : QObject(&dialog),
        window_(&dialog),
        clientArea_(dialog.ClientArea()),
        settingsKey_(std::move(settingsKey)),
        baseSize_(dialog.ClientArea()->size()) {
    for (const Stretch& stretch : stretches) {
      QWidget* control = FindControl(dialog, stretch);
      if (control == nullptr) {
        // A template that changed under its window's list: found at once.
        qFatal("Dialog %d: no control %d \"%s\" to stretch", dialog.Template().id, stretch.id,
               std::string(stretch.text).c_str());
      }
      followers_.push_back({control, control->geometry(), stretch});
    }
    dialog.ClientArea()->installEventFilter(this);
    dialog.installEventFilter(this);
  }

 protected:
  // The window is reached as a plain QWidget only: a dialog being destroyed
  // hides itself from QDialog's destructor, when it is no longer a
  // TemplateDialog.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == clientArea_ && event->type() == QEvent::Resize) {
      LayOut();
    } else if (watched == window_ && event->type() == QEvent::Show) {
      shown_ = true;
    } else if (watched == window_ && event->type() == QEvent::Hide && !event->spontaneous() &&
               shown_) {
      Save();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  struct Follower {
    QPointer<QWidget> control;
    QRect base;
    Stretch stretch;
  };

  void LayOut() {
    if (clientArea_ == nullptr) {
      return;
    }
    const QSize size = clientArea_->size();
    const int dx = std::max(0, size.width() - baseSize_.width());
    const int dy = std::max(0, size.height() - baseSize_.height());
    for (const Follower& f : followers_) {
      if (f.control == nullptr) {
        continue;
      }
      const Stretch& s = f.stretch;
      f.control->setGeometry(f.base.x() + Shift(s.moveX, dx), f.base.y() + Shift(s.moveY, dy),
                             f.base.width() + Shift(s.growX, dx),
                             f.base.height() + Shift(s.growY, dy));
    }
  }

  void Save() const {
    const bool maximized = window_->isMaximized();
    const QRect rect = maximized ? window_->normalGeometry() : window_->geometry();
    QSettings settings;
    settings.setValue(Key(settingsKey_, "position"), rect.topLeft());
    settings.setValue(Key(settingsKey_, "size"), rect.size());
    settings.setValue(Key(settingsKey_, "maximized"), maximized);
  }

  QWidget* window_;
  QPointer<QWidget> clientArea_;
  QString settingsKey_;
  QSize baseSize_;
  std::vector<Follower> followers_;
  bool shown_ = false;
};

void Restore(TemplateDialog& dialog, const QString& settingsKey) {
  const QSettings settings;
  const QSize size = settings.value(Key(settingsKey, "size")).toSize();
  if (!size.isValid()) {
    return;
  }
  std::vector<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.push_back(screen->availableGeometry());
  }
  const QPoint position = settings.value(Key(settingsKey, "position")).toPoint();
  const Placement placement =
      PlaceOnScreens(QRect(position, size), dialog.minimumSizeHint(), screens);
  if (placement.placed) {
    dialog.setGeometry(placement.rect);
  } else {
    dialog.resize(placement.rect.size());
  }
  if (settings.value(Key(settingsKey, "maximized")).toBool()) {
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
  }
}

}  // namespace

Placement PlaceOnScreens(const QRect& saved, const QSize& minimum,
                         const std::vector<QRect>& screens) {
  // The screen that shows the middle of the window's top edge, where it is
  // taken to be moved.
  const QPoint handle(saved.center().x(), saved.top());
  const QRect* home = nullptr;
  for (const QRect& screen : screens) {
    if (screen.contains(handle)) {
      home = &screen;
      break;
    }
  }
  QSize size = saved.size().expandedTo(minimum);
  const QRect* bound = home != nullptr ? home : (screens.empty() ? nullptr : &screens.front());
  if (bound != nullptr) {
    size = size.boundedTo(bound->size()).expandedTo(minimum);
  }
  if (home == nullptr) {
    return {QRect(QPoint(), size), false};
  }
  return {QRect(saved.topLeft(), size), true};
}

void MakeResizable(TemplateDialog& dialog, const QString& settingsKey,
                   std::vector<Stretch> stretches) {
  // The template's size is the least the window can be; it may grow.
  QWidget* client = dialog.ClientArea();
  client->setMinimumSize(client->size());
  client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (QLayout* layout = dialog.layout()) {
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->activate();
  }
  dialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  dialog.setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  new WindowGrower(dialog, settingsKey, stretches);
  Restore(dialog, settingsKey);
}

}  // namespace vellanor::widgets
