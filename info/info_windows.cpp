#include "info_windows.h"

#include "about_window.h"
#include "citation_window.h"

namespace kelvorad {

namespace {
// Shows a window that may be hidden, minimised or behind others.
void bringUp(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

// An information window does not keep the program running by itself: once the main window
// has closed, an About or citation window left open does not hold the quit back.
void keepOutOfQuit(QWidget& window) {
    window.setAttribute(Qt::WA_QuitOnClose, false);
}
}  // namespace

InfoWindows::InfoWindows(Shell& shell) : shell_(shell) {}

InfoWindows::~InfoWindows() = default;

void InfoWindows::showAbout() {
    if (!about_) {
        about_ = std::make_unique<AboutWindow>(shell_, [this] { showCitation(); });
        keepOutOfQuit(*about_);
    }
    bringUp(*about_);
}

void InfoWindows::showCitation() {
    if (!citation_) {
        citation_ = std::make_unique<CitationWindow>();
        keepOutOfQuit(*citation_);
    }
    bringUp(*citation_);
}

QWidget* InfoWindows::aboutWindow() const {
    return about_.get();
}

QWidget* InfoWindows::citationWindow() const {
    return citation_.get();
}

}  // namespace kelvorad
