#pragma once
// Where a table cell's text sits in its cell, in the terms both windows' tables use.

namespace kelvorad {

enum class CellAlignment { Left, LeftCentre, Centre, RightTop };

}  // namespace kelvorad
