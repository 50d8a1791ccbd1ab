#pragma once

#include <string>

#include <QFont>
#include <QRect>
#include <QSize>

#include "resources/dialog_template.h"

// Dialog units to pixels. Templates give their geometry in dialog units of
// the 8-point dialog font; one unit is 1.5 pixels across and 1.625 pixels
// down at 96 dpi, whatever font the machine has, so that every layout keeps
// its proportions and the main window's chart falls inside its frame.
//
// Each of x, y, width and height is converted on its own and rounded to the
// nearest pixel, halves away from zero (the rounding of the classic
// MulDiv-based conversion): 185 units down give 300.625 -> 301 px, 156 units
// give 253.5 -> 254 px.

namespace vellanor::widgets {

// Pixels per dialog unit at 96 dpi.
inline constexpr double kPixelsPerUnitX = 1.5;
inline constexpr double kPixelsPerUnitY = 1.625;

// The screen's logical dots per inch over 96 (1.0 without a screen). With
// Qt's high-DPI scaling the logical DPI is usually 96 and Qt scales the
// pixels itself.
double ScreenScale();

int UnitsToPixelsX(int units, double scale);
int UnitsToPixelsY(int units, double scale);
QRect UnitsToPixels(const res::DuRect& rect, double scale);
// The client area of a dialog, menu bar excluded.
QSize ClientSize(const res::DialogTemplate& dialog, double scale);

// The installed font family standing in for a template's face: the
// Liberation fonts have the metrics of the Windows fonts they replace.
QString FontFamilyFor(const std::string& face);
QFont DialogFont(const res::DialogTemplate& dialog);

}  // namespace vellanor::widgets
