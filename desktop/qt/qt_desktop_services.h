#pragma once
// The desktop services on a real desktop, through Qt: file dialogs, message boxes, the system
// clipboard and the desktop's "open" handler. Dialogs and message boxes are owned by the
// application's active window at the time they are shown.

#include <QString>

#include "desktop_services.h"

namespace kelvorad {

// Each dialog, told apart by its title and filter, starts in the folder of the file last
// chosen in it, also after a restart (kept in the program's settings).
class QtFileDialogs : public FileDialogs {
  public:
    std::string askOpenFileName(const std::string& title, const std::string& filter) override;
    std::string askSaveFileName(const std::string& title, const std::string& filter) override;
    std::optional<double> askNumber(const std::string& title, const std::string& label,
                                    double initial, double lowest, double highest) override;

  private:
    static QString startFolder(const std::string& title, const std::string& filter);
    static std::string remember(const std::string& title, const std::string& filter,
                                const QString& chosen);
};

class QtMessageBoxes : public MessageBoxes {
  public:
    void showMessage(const std::string& title, const std::string& text) override;
    // Yes is the default button; closing the box counts as Cancel.
    Answer askYesNoCancel(const std::string& title, const std::string& text) override;
    // A nested event loop, without user input for the first half second; then an application-
    // modal progress box with a busy bar and Cancel.
    bool waitUntil(const std::string& title, const std::string& text,
                   const std::function<bool()>& finished) override;
    // The same, the box's bar showing the fraction done.
    bool waitWithProgress(const std::string& title, const std::string& text,
                          const std::function<bool()>& finished,
                          const std::function<double()>& fractionDone) override;

  private:
    bool wait(const std::string& title, const std::string& text,
              const std::function<bool()>& finished, const std::function<double()>& fractionDone);
};

// The system clipboard as plain text. Without a GUI application there is no clipboard:
// reads give nullopt and writes false.
class QtClipboard : public Clipboard {
  public:
    std::optional<std::string> text() override;
    bool setText(const std::string& text) override;
};

class QtShell : public Shell {
  public:
    // A URL with a scheme (mailto:, http:) is opened as it is; anything else as a local path.
    bool openDocument(const std::string& pathOrUrl) override;
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) override;
};

// All four together, for a window's DesktopServices.
struct QtDesktop {
    QtFileDialogs dialogs;
    QtMessageBoxes messages;
    QtClipboard clipboard;
    QtShell shell;
    DesktopServices services() { return {dialogs, messages, clipboard, shell}; }
};

}  // namespace kelvorad
