#pragma once
// The program's icon drawn in pixels: the window icon of every window, and the PNG icons the
// build installs beside the SVG one.

#include <QIcon>
#include <QImage>

#include "app_icon_picture.h"

namespace kelvorad {

// The picture drawn `size` pixels square, transparent around the tile.
QImage renderIcon(const IconPicture& picture, int size);

// The application icon at 16 to 256 pixels.
QIcon applicationIcon();

}  // namespace kelvorad
