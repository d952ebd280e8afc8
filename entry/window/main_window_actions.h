#pragma once
// The main window's menus and menu items, shared by the files that build and run them.

#include "main_window.h"

namespace kelvorad {

struct MainWindow::Actions {
    QMenu* file = nullptr;
    QMenu* openExcel = nullptr;  // mnuOEF
    QMenu* editExcel = nullptr;  // mnuEEF
    QMenu* recent = nullptr;     // mnuRecent
    QMenu* edit = nullptr;
    QMenu* calculate = nullptr;
    QMenu* help = nullptr;

    QAction* newFile = nullptr;
    QAction* openFile = nullptr;
    QAction* saveAs = nullptr;
    QAction* close = nullptr;
    QAction* loadXls = nullptr;   // mnu9703
    QAction* loadXlsx = nullptr;  // mnu07Later
    QAction* editXls = nullptr;   // mnu9703e
    QAction* editXlsx = nullptr;  // mnu07Latere
    QAction* exit = nullptr;

    QAction* undo = nullptr;  // mnuUndo
    QAction* redo = nullptr;  // mnuRedo
    QAction* clear = nullptr;
    QAction* removeRow = nullptr;  // mnuDelete
    QAction* insertRow = nullptr;
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* editDelete = nullptr;
    QAction* selectAll = nullptr;

    QAction* openToCalculate = nullptr;  // mnuOpen
    QAction* about = nullptr;
    QAction* helpContents = nullptr;
};

// The dialog filters of the analysis-file commands, in the program's own form.
inline constexpr const char* kOpenAnalysisFilter = "Magnetite and Ilmenite(*.mi) |*.mi";
inline constexpr const char* kSaveAnalysisFilter = "Magnetite and Ilmenite files(*.mi) |*.mi";
// The title of the window's own message boxes.
inline constexpr const char* kMessageTitle = "Kelvorad";

// Where the window's size and place and the recent analysis files are kept in the settings.
inline constexpr const char* kGeometryName = "mainWindow";
inline constexpr const char* kRecentFilesKey = "recentFiles";

}  // namespace kelvorad
