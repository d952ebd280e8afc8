#include "grid_look.h"

namespace kelvorad {

Qt::Alignment qtAlignment(CellAlignment alignment) {
    switch (alignment) {
        case CellAlignment::Left:
            return Qt::AlignLeft | Qt::AlignTop;
        case CellAlignment::LeftCentre:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case CellAlignment::RightTop:
            return Qt::AlignRight | Qt::AlignTop;
        case CellAlignment::Centre:
            break;
    }
    return Qt::AlignCenter;
}

}  // namespace kelvorad
