#include "toolbar_icons.h"

#include <QString>

// The resource lives in a static library: nothing refers to it by symbol, so it is registered
// by hand before its first use.
static void registerToolbarIcons() {
    Q_INIT_RESOURCE(toolbar_icons);
}

namespace kelvorad {

QIcon programIcon(const char* resource) {
    static const bool registered = (registerToolbarIcons(), true);
    (void)registered;
    return QIcon(QString::fromLatin1(resource));
}

}  // namespace kelvorad
