#pragma once
// The main window's pictures, drawn by the program itself: the magnetite and ilmenite
// crystals beside the heading, and the toolbar's button icons.

#include <QIcon>
#include <QPixmap>

class QStyle;

namespace kelvorad {

// A magnetite octahedron, `size` pixels square.
QPixmap magnetiteCrystal(int size);
// An ilmenite crystal: a thick hexagonal plate, `size` pixels square.
QPixmap ilmeniteCrystal(int size);
// The icon of toolbar position 1 to 22 (separator positions and others give a null icon).
QIcon toolbarIcon(int position, const QStyle& style);

}  // namespace kelvorad
