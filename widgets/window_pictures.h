#pragma once
// The windows' pictures, drawn by the program itself at the size asked for: the magnetite and
// ilmenite crystals beside the main window's heading and the results window's pyroxene
// crystals. (The toolbar icons are SVG files: toolbar_icons.h.)

#include <QPixmap>

namespace kelvorad {

// A magnetite octahedron, `size` pixels square.
QPixmap magnetiteCrystal(int size);
// An ilmenite crystal: a thick hexagonal plate, `size` pixels square.
QPixmap ilmeniteCrystal(int size);
// Two prismatic pyroxene crystals (eight-sided cross-sections), `size` pixels high and twice
// as wide.
QPixmap pyroxeneCrystals(int size);

}  // namespace kelvorad
