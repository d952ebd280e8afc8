#include "gui_main.h"

#include <QApplication>
#include <clocale>

#include "program_windows.h"
#include "qt_desktop_services.h"

namespace kelvorad {

void keepNumbersInCNotation() {
    std::setlocale(LC_NUMERIC, "C");
}

int runMainWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    keepNumbersInCNotation();
    QApplication::setApplicationName("Kelvorad");
    QtDesktop desktop;
    ProgramWindows windows(desktop.services());
    MainWindow& window = windows.mainWindow();
    window.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.openFileNamed(arguments.at(1).toStdString());
    return QApplication::exec();
}

}  // namespace kelvorad
