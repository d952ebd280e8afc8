#pragma once
// The desktop side effects the windows need, behind small interfaces so that tests can put
// recording fakes in their place: file dialogs, message boxes, the clipboard, and the shell
// (opening a document in its registered program, starting a program detached).

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelvorad {

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen path, or the empty text when the user cancels. `filter` is in the program's
    // own form, "Description(*.ext) |*.ext".
    virtual std::string askOpenFileName(const std::string& title, const std::string& filter) = 0;
    virtual std::string askSaveFileName(const std::string& title, const std::string& filter) = 0;
    // A number from `lowest` to `highest`, offered first as `initial`; nullopt when the user
    // cancels.
    virtual std::optional<double> askNumber(const std::string& title, const std::string& label,
                                            double initial, double lowest, double highest) = 0;
};

class MessageBoxes {
  public:
    enum class Answer { Yes, No, Cancel };
    virtual ~MessageBoxes() = default;
    // A message with an OK button only.
    virtual void showMessage(const std::string& title, const std::string& text) = 0;
    virtual Answer askYesNoCancel(const std::string& title, const std::string& text) = 0;
    // Keeps the program's windows responsive while work runs elsewhere, until `finished()`
    // gives true: their events are handled meanwhile, and when the work lasts longer than
    // half a second a box with `text` and a Cancel button appears (which alone takes input
    // from then on). False when the user chose Cancel; the work may then still be running.
    virtual bool waitUntil(const std::string& title, const std::string& text,
                           const std::function<bool()>& finished) = 0;
    // The same wait, whose box shows a progress bar filled to `fractionDone()` (0 to 1) instead
    // of a busy bar.
    virtual bool waitWithProgress(const std::string& title, const std::string& text,
                                  const std::function<bool()>& finished,
                                  const std::function<double()>& fractionDone) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The clipboard's plain text; nullopt when the clipboard cannot be opened.
    virtual std::optional<std::string> text() = 0;
    // Replaces the clipboard's content by a plain text; false when it cannot be opened.
    virtual bool setText(const std::string& text) = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // The shell's "open" verb: a document path or a URL (mailto:...) handed to the program
    // registered for it, without waiting. False when it could not be handed over.
    virtual bool openDocument(const std::string& pathOrUrl) = 0;
    // Starts a program detached, in `workingDirectory`, without waiting for it.
    virtual bool startDetached(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::string& workingDirectory) = 0;
};

// The bundle a window is given.
struct DesktopServices {
    FileDialogs& dialogs;
    MessageBoxes& messages;
    Clipboard& clipboard;
    Shell& shell;
};

}  // namespace kelvorad
