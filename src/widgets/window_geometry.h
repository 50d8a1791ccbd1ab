#pragma once

#include <string_view>
#include <vector>

#include <QRect>
#include <QString>

#include "resources/ids.h"

// Windows that grow. A template dialog is laid out for its template's size;
// a resizable one keeps that size as its minimum and, when it grows, moves or
// stretches each control named in its list by a share of the growth. Its
// size, position and maximised state are kept in the settings under a key of
// its own and come back the next time it opens.

namespace vellanor::widgets {

class TemplateDialog;

// How one control follows the window: of the width (and height) the client
// area has gained over the template's, `moveX` (`moveY`) shifts the control
// and `growX` (`growY`) widens (heightens) it. A control with an ID is named
// by it; one without (a frame, a label) by its text, exactly as the template
// writes it; naming a control the template lacks is a programming error
// and aborts. Controls not named stay where the template puts them.
struct Stretch {
  int id = res::kNoId;
  std::string_view text = {};
  double moveX = 0.0;
  double moveY = 0.0;
  double growX = 0.0;
  double growY = 0.0;
};

// Makes `dialog` resizable and maximisable and restores its last geometry,
// kept under "windows/<settingsKey>". Call it once, at the end of the
// dialog's constructor, before it is shown.
void MakeResizable(TemplateDialog& dialog, const QString& settingsKey,
                   std::vector<Stretch> stretches);

// Where a window saved at `saved` opens on the screens `screens` (their
// available areas): the size is kept within the screen and at least
// `minimum`; a position whose top edge no screen shows is dropped (the
// result's position is then invalid: `placed` is false).
struct Placement {
  QRect rect;
  bool placed = false;
};
Placement PlaceOnScreens(const QRect& saved, const QSize& minimum,
                         const std::vector<QRect>& screens);

}  // namespace vellanor::widgets
