#pragma once
// The results window's menus and menu items, shared by the files that build and run them.

#include "results_window.h"

namespace kelvorad {

struct ResultsWindow::Actions {
    QMenu* edit = nullptr;
    QMenu* excel = nullptr;
    QMenu* graph = nullptr;
    QMenu* help = nullptr;

    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* editDelete = nullptr;
    QAction* selectAll = nullptr;
    QAction* exit = nullptr;

    QAction* send = nullptr;   // mnuSEF
    QAction* show = nullptr;   // mnuOEF
    QAction* close = nullptr;  // mnuEOX

    QAction* about = nullptr;  // mnuAbaout
    QAction* helpContents = nullptr;
};

// The title of the window's message boxes.
inline constexpr const char* kResultsMessageTitle = "Kelvorad";
// The caption labels, as set-up writes them and as the send with notice restores them.
inline constexpr const char* kResultsSubtitle =
    "A Desktop Program for Magnetite - Ilmenite Geothermometer and Oxygen Barometer";
inline constexpr const char* kResultsTitle = "Calculation Screen";
// Where the window's size and place are kept in the settings.
inline constexpr const char* kResultsGeometryName = "resultsWindow";

}  // namespace kelvorad
