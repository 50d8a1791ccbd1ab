#include "widgets/template_dialog.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "resources/images.h"
#include "resources/menu_template.h"
#include "widgets/combo_list.h"
#include "widgets/dialog_units.h"
#include "widgets/icon_button.h"
#include "widgets/link_label.h"
#include "widgets/menu_builder.h"
#include "widgets/report_list.h"

namespace vellanor::widgets {
namespace {

using res::ControlKind;
using res::ControlTemplate;
namespace ctl = res::ctl;
namespace dlg = res::dlg;

constexpr char kIdProperty[] = "vellanorControlId";
constexpr char kIconProperty[] = "vellanorIconId";
constexpr int kStaticIconPixels = 32;

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatic:
    case ControlKind::kGroupBox:
    case ControlKind::kStaticIcon:
    case ControlKind::kWhiteRect:
      return false;
    default:
      return true;
  }
}

Qt::WindowFlags WindowFlagsFor(const res::DialogTemplate& t) {
  Qt::WindowFlags flags = t.Has(dlg::kAppWindow) ? Qt::Window : Qt::Dialog;
  flags |= Qt::CustomizeWindowHint;
  if (t.Has(dlg::kCaption)) {
    flags |= Qt::WindowTitleHint;
  }
  // Without a system menu there is no close box.
  if (t.Has(dlg::kSystemMenu)) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  }
  if (t.Has(dlg::kMinimizeBox)) {
    flags |= Qt::WindowMinimizeButtonHint;
  }
  return flags;
}

// A tree in "single expand" style: selecting an item expands it (and shows
// it) and collapses the item selected before, unless that one contains it.
void MakeSingleExpand(QTreeWidget* tree) {
  auto previous = std::make_shared<QPersistentModelIndex>();
  QObject::connect(tree, &QTreeWidget::itemSelectionChanged, tree, [tree, previous] {
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    QTreeWidgetItem* current = selected.isEmpty() ? nullptr : selected.front();
    if (previous->isValid()) {
      QTreeWidgetItem* before = tree->itemFromIndex(*previous);
      bool isAncestor = false;
      for (QTreeWidgetItem* up = current; up != nullptr; up = up->parent()) {
        isAncestor = isAncestor || up == before;
      }
      if (before != nullptr && !isAncestor) {
        before->setExpanded(false);
      }
    }
    if (current != nullptr) {
      // The selected item is shown: its parents open too.
      for (QTreeWidgetItem* up = current; up != nullptr; up = up->parent()) {
        up->setExpanded(true);
      }
      *previous = QPersistentModelIndex(tree->indexFromItem(current));
    } else {
      *previous = QPersistentModelIndex();
    }
  });
}

// Keeps a tree's one column as wide as its widest visible item, so that long
// names scroll sideways, and never narrower than the view, so that a click
// anywhere on a row is on its item.
class TreeColumnFitter : public QObject {
 public:
  explicit TreeColumnFitter(QTreeWidget* tree)
      : QObject(tree), viewport_(tree->viewport()), header_(tree->header()) {
    header_->setStretchLastSection(false);
    header_->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    viewport_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Only the pointers kept: the tree may be half destroyed by now.
    if (watched == viewport_ && event->type() == QEvent::Resize && header_ != nullptr) {
      header_->setMinimumSectionSize(viewport_->width());
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* viewport_;
  QPointer<QHeaderView> header_;
};

// A group box drawn as a dialog frame: an etched rectangle whose top line
// runs through the middle of the title, the title drawn over it.
class GroupFrame : public QGroupBox {
 public:
  GroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    if (title().isEmpty()) {
      return;
    }
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    QRect text =
        metrics.boundingRect(QRect(kTitleIndent, 0, width(), metrics.height()), flags, title());
    text.setHeight(metrics.height());
    painter.fillRect(text, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(text, flags, title());
  }

 private:
  static constexpr int kTitleIndent = 8;
};

}  // namespace

TemplateDialog::TemplateDialog(int dialogId, QWidget* parent, double scale)
    : QDialog(parent),
      template_(&res::DialogTemplateById(dialogId)),
      scale_(scale > 0 ? scale : ScreenScale()) {
  Build();
}

TemplateDialog::~TemplateDialog() = default;

int TemplateDialog::Px(int pixelsAt96Dpi) const {
  return static_cast<int>(std::lround(pixelsAt96Dpi * scale_));
}

void TemplateDialog::Build() {
  const res::DialogTemplate& t = *template_;
  setWindowFlags(WindowFlagsFor(t));
  setWindowTitle(QString::fromStdString(t.caption));
  setFont(DialogFont(t));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (t.menuId != 0) {
    menuBar_ = BuildMenuBar(res::MenuTemplateById(t.menuId), this,
                            [this](int command) { SendCommand(command); });
    layout->setMenuBar(menuBar_);
  }
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("clientArea"));
  client_->setFixedSize(ClientSize(t, scale_));
  layout->addWidget(client_);

  controls_.reserve(t.controls.size());
  for (const ControlTemplate& control : t.controls) {
    QWidget* widget = CreateControl(control);
    widget->setProperty(kIdProperty, control.id);
    if (control.id != res::kNoId) {
      widget->setObjectName(QStringLiteral("control%1").arg(control.id));
      byId_.emplace(control.id, widget);
    }
    if (TakesFocus(control.kind)) {
      widget->setFocusPolicy(control.Has(ctl::kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    } else {
      widget->setFocusPolicy(Qt::NoFocus);
    }
    widget->setEnabled(!control.Has(ctl::kDisabled));
    widget->setVisible(!control.Has(ctl::kHidden));
    controls_.push_back(widget);
  }
  // Frames stay behind the controls they surround.
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (t.controls[i].kind == ControlKind::kGroupBox) {
      controls_[i]->lower();
    }
  }
  GroupRadioButtons();
  SetBuddies();
  layout->activate();
}

QWidget* TemplateDialog::CreateControl(const ControlTemplate& control) {
  const QString text = QString::fromStdString(control.text);
  QRect geometry = UnitsToPixels(control.rect, scale_);
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::kStatic: {
      auto* label =
          control.Has(ctl::kLinkLabel) ? new LinkLabel(text, client_) : new QLabel(text, client_);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment((control.Has(ctl::kCenterText) ? Qt::AlignHCenter : Qt::AlignLeft) |
                          Qt::AlignTop);
      widget = label;
      break;
    }
    case ControlKind::kGroupBox: {
      auto* frame = new GroupFrame(text, client_);
      // Only a frame: the controls inside are its siblings and take the mouse.
      frame->setAttribute(Qt::WA_TransparentForMouseEvents);
      widget = frame;
      break;
    }
    case ControlKind::kStaticIcon: {
      auto* label = new QLabel(client_);
      const int size = static_cast<int>(kStaticIconPixels * scale_ + 0.5);
      label->setPixmap(res::IconPixmap(control.iconId, size));
      label->setProperty(kIconProperty, control.iconId);
      geometry.setSize(QSize(size, size));
      widget = label;
      break;
    }
    case ControlKind::kWhiteRect: {
      auto* frame = new QFrame(client_);
      frame->setFrameShape(QFrame::NoFrame);
      frame->setAutoFillBackground(true);
      QPalette palette = frame->palette();
      palette.setColor(QPalette::Window, Qt::white);
      frame->setPalette(palette);
      widget = frame;
      break;
    }
    case ControlKind::kPushButton: {
      QPushButton* button = control.Has(ctl::kIconButton) ? new IconButton(text, client_)
                                                          : new QPushButton(text, client_);
      button->setAutoDefault(false);
      // The look of the default button; Enter itself is handled by the dialog.
      button->setDefault(control.Has(ctl::kDefaultButton) && !control.Has(ctl::kHidden));
      widget = button;
      break;
    }
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(text, client_);
      widget = edit;
      break;
    }
    case ControlKind::kComboBox:
      widget = CreateComboBox(control, geometry);
      break;
    case ControlKind::kRadioButton: {
      auto* radio = new QRadioButton(text, client_);
      radio->setAutoExclusive(false);  // grouped by GroupRadioButtons
      // The caption as close to its mark as in the classic look, so that it
      // fits the template's width.
      radio->setStyleSheet(QStringLiteral("QRadioButton { spacing: 3px; }"));
      widget = radio;
      break;
    }
    case ControlKind::kCheckBox:
      widget = new QCheckBox(text, client_);
      widget->setStyleSheet(QStringLiteral("QCheckBox { spacing: 3px; }"));
      break;
    case ControlKind::kTreeView:
      widget = CreateTreeView(control);
      break;
    case ControlKind::kListView:
      widget = CreateListView(control);
      break;
    case ControlKind::kMonthCalendar:
      widget = new QCalendarWidget(client_);
      break;
  }
  widget->setGeometry(geometry);
  if (auto* link = qobject_cast<LinkLabel*>(widget)) {
    link->FitToText();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget); button && control.id != res::kNoId) {
    const int id = control.id;
    connect(button, &QAbstractButton::clicked, this, [this, id] { SendCommand(id); });
  }
  return widget;
}

QWidget* TemplateDialog::CreateComboBox(const ControlTemplate& control, QRect& geometry) {
  const bool editable = control.Has(ctl::kDropDown) && !control.Has(ctl::kDropDownList);
  auto* combo = new ComboList(editable, client_);
  QStringList items;
  for (const std::string& item : control.items) {
    items << QString::fromStdString(item);
  }
  if (control.Has(ctl::kSort)) {
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
      return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
  }
  combo->addItems(items);
  combo->SetPosition(ComboList::kNoPosition);
  // The template's height is that of the box and its dropped-down list; the
  // box itself is one line high.
  const int boxHeight = std::min(combo->sizeHint().height(), UnitsToPixelsY(14, scale_));
  const int listHeight = std::max(0, geometry.height() - boxHeight);
  const int rowHeight = std::max(1, combo->fontMetrics().height() + 2);
  combo->setMaxVisibleItems(std::max(1, listHeight / rowHeight));
  geometry.setHeight(boxHeight);
  return combo;
}

QWidget* TemplateDialog::CreateTreeView(const ControlTemplate& control) {
  auto* tree = new QTreeWidget(client_);
  tree->setHeaderHidden(true);
  tree->setColumnCount(1);
  tree->setRootIsDecorated(control.Has(ctl::kHasButtons) || control.Has(ctl::kHasLines));
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree->setAllColumnsShowFocus(control.Has(ctl::kFullRowSelect));
  tree->setUniformRowHeights(true);
  tree->setDragEnabled(false);
  tree->setDragDropMode(QAbstractItemView::NoDragDrop);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  if (control.Has(ctl::kSingleExpand)) {
    MakeSingleExpand(tree);
  }
  new TreeColumnFitter(tree);
  return tree;
}

QWidget* TemplateDialog::CreateListView(const ControlTemplate& control) {
  auto* list = new ReportList(client_);
  list->setSelectionMode(control.Has(ctl::kSingleSel) ? QAbstractItemView::SingleSelection
                                                      : QAbstractItemView::ExtendedSelection);
  list->horizontalHeader()->setSectionsClickable(!control.Has(ctl::kNoSortHeader));
  return list;
}

void TemplateDialog::GroupRadioButtons() {
  // From a control that starts a group to the next one: the radio buttons
  // in between exclude each other.
  QButtonGroup* group = nullptr;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const ControlTemplate& control = template_->controls[i];
    if (control.Has(ctl::kGroup)) {
      group = nullptr;
    }
    auto* radio = qobject_cast<QRadioButton*>(controls_[i]);
    if (radio == nullptr) {
      continue;
    }
    if (group == nullptr) {
      group = new QButtonGroup(this);
      group->setExclusive(true);
      // Tab enters a group at its checked radio, the choice in force, as
      // the first radio's tab stop moves with the check. Tab only moves the
      // focus there; Space or a click chooses.
      if (radio->focusPolicy() == Qt::StrongFocus) {
        connect(group, &QButtonGroup::buttonToggled, this,
                [group](QAbstractButton* button, bool checked) {
                  if (!checked) {
                    return;
                  }
                  for (QAbstractButton* member : group->buttons()) {
                    member->setFocusPolicy(member == button ? Qt::StrongFocus : Qt::ClickFocus);
                  }
                });
      }
    }
    group->addButton(radio);
  }
}

void TemplateDialog::SetBuddies() {
  // A static text's mnemonic moves the focus to the next control that takes it.
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const ControlTemplate& control = template_->controls[i];
    if (control.kind != ControlKind::kStatic || control.Has(ctl::kNoPrefix) ||
        control.text.find('&') == std::string::npos) {
      continue;
    }
    for (std::size_t j = i + 1; j < controls_.size(); ++j) {
      if (TakesFocus(template_->controls[j].kind)) {
        static_cast<QLabel*>(controls_[i])->setBuddy(controls_[j]);
        break;
      }
    }
  }
}

QWidget* TemplateDialog::Control(int id) const {
  auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : it->second;
}

QWidget* TemplateDialog::ControlAt(int position) const {
  if (position < 0 || position >= static_cast<int>(controls_.size())) {
    return nullptr;
  }
  return controls_[static_cast<std::size_t>(position)];
}

int TemplateDialog::ControlId(const QWidget* control) {
  if (control == nullptr) {
    return res::kNoId;
  }
  const QVariant id = control->property(kIdProperty);
  return id.isValid() ? id.toInt() : res::kNoId;
}

void TemplateDialog::SetControlId(QWidget* control, int id) {
  if (control != nullptr) {
    control->setProperty(kIdProperty, id);
  }
}

void TemplateDialog::BindFailed(int id, const char* typeName) const {
  QWidget* control = Control(id);
  qFatal("Dialog %d: control %d %s, not of type %s", template_->id, id,
         control == nullptr ? "does not exist" : control->metaObject()->className(), typeName);
}

QAction* TemplateDialog::MenuAction(int commandId) const {
  return FindCommandAction(menuBar_, commandId);
}

QMenu* TemplateDialog::CreatePopupMenu(int menuId, int popupIndex) {
  if (!res::HasMenuTemplate(menuId)) {
    return nullptr;
  }
  return BuildPopupMenu(res::MenuTemplateById(menuId), popupIndex, this,
                        [this](int command) { SendCommand(command); });
}

void TemplateDialog::SendCommand(int id) {
  OnCommand(id);
}

void TemplateDialog::OnCommand(int id) {
  if (id == res::kIdOk) {
    accept();
  } else if (id == res::kIdCancel) {
    reject();
  }
}

void TemplateDialog::CheckRadioButton(int id) {
  if (auto* radio = qobject_cast<QRadioButton*>(Control(id))) {
    // The group is exclusive: the one checked before goes out.
    radio->setChecked(true);
  }
}

int TemplateDialog::CheckedRadioButton(int id) const {
  const auto* radio = qobject_cast<QRadioButton*>(Control(id));
  if (radio == nullptr || radio->group() == nullptr) {
    return radio != nullptr && radio->isChecked() ? id : 0;
  }
  const QAbstractButton* checked = radio->group()->checkedButton();
  return checked == nullptr ? 0 : ControlId(static_cast<const QWidget*>(checked));
}

void TemplateDialog::SetStaticIcon(int controlId, int iconId) {
  auto* label = qobject_cast<QLabel*>(Control(controlId));
  if (label == nullptr) {
    return;
  }
  const int size = label->width() > 0 ? label->width() : kStaticIconPixels;
  label->setPixmap(res::IconPixmap(iconId, size));
  label->setProperty(kIconProperty, iconId);
}

void TemplateDialog::HandleEnter() {
  // A focused push button answers for itself; otherwise the default button
  // does, hidden or not.
  auto* focused = qobject_cast<QPushButton*>(focusWidget());
  if (focused != nullptr && isAncestorOf(focused) && ControlId(focused) != res::kNoId) {
    if (focused->isEnabled()) {
      SendCommand(ControlId(focused));
    }
    return;
  }
  const int id = template_->DefaultCommand();
  const QWidget* control = Control(id);
  if (control != nullptr && !control->isEnabled()) {
    QApplication::beep();
    return;
  }
  SendCommand(id);
}

void TemplateDialog::HandleEscape() {
  const QWidget* cancel = Control(res::kIdCancel);
  if (cancel != nullptr && !cancel->isEnabled()) {
    QApplication::beep();
    return;
  }
  SendCommand(res::kIdCancel);
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        event->accept();
        HandleEnter();
        return;
      case Qt::Key_Escape:
        event->accept();
        HandleEscape();
        return;
      default:
        break;
    }
  }
  QDialog::keyPressEvent(event);
}

void TemplateDialog::closeEvent(QCloseEvent* event) {
  if (!isVisible()) {
    event->accept();
    return;
  }
  // The close box asks for kIdCancel; the command decides whether to close.
  event->ignore();
  SendCommand(res::kIdCancel);
}

}  // namespace vellanor::widgets
