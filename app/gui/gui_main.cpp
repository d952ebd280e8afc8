#include "gui_main.h"

#include <QApplication>
#include <QSettings>

#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include "program_settings.h"

#include "app_icon.h"
#include "help_file.h"
#include "program_info.h"
#include "program_windows.h"
#include "qt_desktop_services.h"
#include "uncertainty_options.h"

namespace kelvorad {

namespace {
// The desktop entry's name: on Wayland it ties the windows to the entry and its icon.
constexpr const char* kDesktopFileName = "org.kelvorad.Kelvorad";

// --quit-after-start: checks that the installed windows start at all (the install test uses
// it). Once the event loop runs, reports the main window's title, the first pair's magnetite
// sample, the sizes of its icon and the manual Help opens, and ends: 0 when the main window is
// on screen.
void quitOnceStarted(MainWindow& window) {
    QTimer::singleShot(0, &window, [&window] {
        const bool shown = window.isVisible();
        std::printf("main window %s: \"%s\", first sample \"%s\", icon: %d sizes, help: %s\n",
                    shown ? "shown" : "hidden", window.windowTitle().toStdString().c_str(),
                    window.analysisTable().text(1, AnalysisTable::kMagnetiteSampleColumn).c_str(),
                    int(window.windowIcon().availableSizes().size()),
                    helpFilePath().string().c_str());
        std::fflush(stdout);
        QApplication::exit(shown ? 0 : 1);
    });
}
}  // namespace

// Qt adopts the desktop's locale at start; numbers in files are read and written with "."
// whatever it is, so the C library's number format goes back to "C".
void keepNumbersInCNotation() {
    std::setlocale(LC_NUMERIC, "C");
}

int runMainWindow(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", versionLine("kelvorad-window").c_str());
        return 0;
    }
    QApplication app(argc, argv);
    keepNumbersInCNotation();
    QApplication::setApplicationName("Kelvorad");
    QApplication::setApplicationVersion(
        QString::fromUtf8(programVersion().data(), qsizetype(programVersion().size())));
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(kDesktopFileName);
    QtDesktop desktop;
    ProgramWindows windows(desktop.services());
    MainWindow& window = windows.mainWindow();
    window.uncertaintyOptions().restore(*openProgramSettings());
    window.show();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const bool quitAfterStart = arguments.removeAll("--quit-after-start") > 0;
    // Unsaved analyses are kept for recovery; a copy left by a Kelvorad that ended without
    // removing it is offered first (not when only checking that the windows start). A file
    // named on the command line then replaces a restored table only after the question.
    window.keepRecoveryFile(defaultRecoveryFolder());
    const bool restored = !quitAfterStart && window.offerRecovery();
    if (!arguments.isEmpty() && (!restored || window.askToSaveChanges())) {
        window.openFileNamed(arguments.first().toStdString());
    }
    if (quitAfterStart) quitOnceStarted(window);
    return QApplication::exec();
}

}  // namespace kelvorad
