#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/ids.h"

// Dialog templates: every window's controls as data, with their geometry in
// dialog units. The dialog builder (widgets/template_dialog.h) turns a
// template into a window.

namespace vellanor::res {

enum class ControlKind {
  kStatic,      // a line of text
  kGroupBox,    // a titled frame; the controls inside are not its children
  kStaticIcon,  // an icon resource
  kWhiteRect,   // a white rectangle
  kPushButton,
  kEdit,
  kComboBox,
  kRadioButton,
  kCheckBox,
  kTreeView,
  kListView,  // report view: columns of text
  kMonthCalendar,
};

using StyleFlags = std::uint32_t;

// Control styles. Not every flag means something for every kind.
namespace ctl {
inline constexpr StyleFlags kDefaultButton = 1u << 0;  // the dialog's default push button
inline constexpr StyleFlags kHidden = 1u << 1;
inline constexpr StyleFlags kDisabled = 1u << 2;
inline constexpr StyleFlags kGroup = 1u << 3;    // starts a group (radio buttons)
inline constexpr StyleFlags kTabStop = 1u << 4;  // reached with the Tab key
inline constexpr StyleFlags kFlat = 1u << 5;
inline constexpr StyleFlags kCenterText = 1u << 6;
inline constexpr StyleFlags kNoPrefix = 1u << 7;  // '&' is shown, not a mnemonic
inline constexpr StyleFlags kIconButton = 1u << 8;
// Combo boxes.
inline constexpr StyleFlags kDropDown = 1u << 9;       // editable
inline constexpr StyleFlags kDropDownList = 1u << 10;  // choose only
inline constexpr StyleFlags kSort = 1u << 11;
inline constexpr StyleFlags kVScroll = 1u << 12;
// Edits.
inline constexpr StyleFlags kAutoHScroll = 1u << 13;
// List views.
inline constexpr StyleFlags kReport = 1u << 14;
inline constexpr StyleFlags kSingleSel = 1u << 15;
inline constexpr StyleFlags kShowSelAlways = 1u << 16;
inline constexpr StyleFlags kNoSortHeader = 1u << 17;  // header not clickable
// Tree views.
inline constexpr StyleFlags kHasButtons = 1u << 18;
inline constexpr StyleFlags kHasLines = 1u << 19;
inline constexpr StyleFlags kSingleExpand = 1u << 20;
inline constexpr StyleFlags kFullRowSelect = 1u << 21;
inline constexpr StyleFlags kNoDragDrop = 1u << 22;
// Static texts.
inline constexpr StyleFlags kLinkLabel = 1u << 23;  // becomes a hyperlink (widgets::LinkLabel)
}  // namespace ctl

// Window styles of a dialog.
namespace dlg {
inline constexpr StyleFlags kCaption = 1u << 0;
inline constexpr StyleFlags kSystemMenu = 1u << 1;  // with the close box
inline constexpr StyleFlags kMinimizeBox = 1u << 2;
inline constexpr StyleFlags kCentered = 1u << 3;
inline constexpr StyleFlags kAppWindow = 1u << 4;  // shown in the task bar
}  // namespace dlg

// A rectangle in dialog units.
struct DuRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Every member has a default, so that a template names with designated
// initializers only the members it sets.
struct ControlTemplate {
  int id = kNoId;
  ControlKind kind = ControlKind::kStatic;
  std::string text{};  // UTF-8
  DuRect rect;
  StyleFlags style = 0;
  int iconId = 0;                    // static icons
  std::vector<std::string> items{};  // predefined combo box entries, in resource order

  bool Has(StyleFlags flag) const { return (style & flag) != 0; }
};

struct DialogTemplate {
  int id = 0;
  std::string caption{};
  int width = 0;  // dialog units
  int height = 0;
  std::string fontFace{};
  int pointSize = 8;
  StyleFlags style = 0;
  int menuId = 0;  // 0: no menu
  std::vector<ControlTemplate> controls{};

  bool Has(StyleFlags flag) const { return (style & flag) != 0; }
  // The control with this ID, or nullptr.
  const ControlTemplate* Find(int controlId) const;
  // The ID of the default push button, or kIdOk when there is none.
  int DefaultCommand() const;
};

// The template of a dialog; a wrong number is a programming error and aborts.
const DialogTemplate& DialogTemplateById(int dialogId);
// Every template number, in increasing order.
std::vector<int> DialogTemplateIds();

}  // namespace vellanor::res
