#include "gui_main.h"

#include <QApplication>

#include "main_window.h"
#include "qt_desktop_services.h"
#include "workbook_commands.h"

namespace kelvorad {

int runMainWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelvorad");
    QtDesktop desktop;
    MainWindow window(desktop.services());
    WorkbookCommands workbookCommands(window, desktop.services());
    window.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.openFileNamed(arguments.at(1).toStdString());
    return QApplication::exec();
}

}  // namespace kelvorad
