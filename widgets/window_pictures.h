#pragma once
// The windows' pictures, drawn by the program itself: the magnetite and ilmenite crystals
// beside the main window's heading, the results window's pyroxene crystals, and the toolbars'
// button icons.

#include <QIcon>
#include <QPixmap>

class QStyle;

namespace kelvorad {

// A magnetite octahedron, `size` pixels square.
QPixmap magnetiteCrystal(int size);
// An ilmenite crystal: a thick hexagonal plate, `size` pixels square.
QPixmap ilmeniteCrystal(int size);
// Two prismatic pyroxene crystals (eight-sided cross-sections), `size` pixels high and twice
// as wide.
QPixmap pyroxeneCrystals(int size);
// The icon of the results window's toolbar position 1 to 16 (separators give a null icon).
QIcon resultsToolbarIcon(int position, const QStyle& style);
// The icon of toolbar position 1 to 22 (separator positions and others give a null icon).
QIcon toolbarIcon(int position, const QStyle& style);

}  // namespace kelvorad
