#include "program_windows.h"

#include "help_file.h"
#include "spreadsheet_application.h"
#include "window_calculation.h"

namespace kelvorad {

ProgramWindows::ProgramWindows(DesktopServices desktop)
    : desktop_(desktop),
      main_(desktop),
      results_(desktop, [this](ResultsWindow& window) { connectResultsWindow(window); }),
      info_(desktop.shell),
      workbookCommands_(main_, desktop) {
    connectMainWindow();
}

void ProgramWindows::connectMainWindow() {
    main_.setHook(WindowHook::Calculate,
                  [this] { calculateFromWindow(main_, results_, desktop_); });
    main_.setHook(WindowHook::About, [this] { showAbout(); });
    main_.setHook(WindowHook::Help, [this] { showHelpFile(); });
    main_.setHook(WindowHook::NextScreen, [this] { results_.show(); });
    // Exit: the spreadsheet application quits first, so that closing the results window asks
    // nothing more; then the other windows close.
    main_.setHook(WindowHook::CloseOtherWindows, [this] {
        quitAllApplications();
        if (ResultsWindow* window = results_.existingWindow()) window->close();
    });
}

void ProgramWindows::connectResultsWindow(ResultsWindow& window) {
    window.setHook(ResultsHook::About, [this] { showAbout(); });
    window.setHook(ResultsHook::Help, [this] { showHelpFile(); });
    window.setHook(ResultsHook::PreviousScreen, [this] {
        main_.show();
        main_.raise();
    });
    window.setHook(ResultsHook::Exit, [this] { exitFromResults(); });
}

void ProgramWindows::showAbout() {
    info_.showAbout();
}

// The manual in the desktop's browser; a missing file or browser shows no message.
void ProgramWindows::showHelpFile() {
    showHelp(desktop_.shell);
}

// The results window's Exit ends the program as the main window's does, through the main
// window's close, so that typed analyses not yet saved are asked about rather than lost. The
// main window's close quits the spreadsheet application and closes this window; Cancel to its
// question leaves everything running.
void ProgramWindows::exitFromResults() {
    main_.close();
}

}  // namespace kelvorad
