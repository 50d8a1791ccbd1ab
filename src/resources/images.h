#pragma once

#include <QIcon>
#include <QPixmap>

// The icons and bitmaps of the program, by number. They are SVG pictures
// compiled into the program and rendered at the size asked for.

namespace vellanor::res {

// The icon with this number, rendered sharp at the usual sizes (16 to 64
// pixels); a null icon for an unknown number.
QIcon IconById(int id);
// The icon rendered square at `size` pixels; a null pixmap for an unknown number.
QPixmap IconPixmap(int id, int size);
// The bitmap with this number at its own size (the splash picture: 400 x 300);
// a null pixmap for an unknown number.
QPixmap BitmapById(int id);
// Whether an icon or a bitmap with this number exists.
bool HasIcon(int id);
bool HasBitmap(int id);

}  // namespace vellanor::res
