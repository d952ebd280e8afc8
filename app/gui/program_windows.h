#pragma once
// The program's windows and how their commands reach each other: the main window, where
// analyses are entered, with its workbook commands; the results window, created on first use;
// the About and citation windows; and the commands that join them (Calculate, Display Next and
// Previous Screen, About, Help, Exit).

#include "desktop_services.h"
#include "info_windows.h"
#include "main_window.h"
#include "results_screen.h"
#include "workbook_commands.h"

namespace kelvorad {

class ProgramWindows {
  public:
    // The services must outlive the windows.
    explicit ProgramWindows(DesktopServices desktop);

    MainWindow& mainWindow() { return main_; }
    ResultsScreen& resultsScreen() { return results_; }
    InfoWindows& infoWindows() { return info_; }

  private:
    void connectMainWindow();
    void connectResultsWindow(ResultsWindow& window);
    void exitFromResults();
    void showAbout();
    void showHelpFile();

    DesktopServices desktop_;
    MainWindow main_;
    ResultsScreen results_;
    InfoWindows info_;
    WorkbookCommands workbookCommands_;  // the load and edit commands, Exit's spreadsheet quit
};

}  // namespace kelvorad
