#pragma once
// The About and citation windows, made on first use and kept until this object goes. Both are
// top-level windows of their own, so that closing About leaves an open citation window open,
// and neither keeps the program running once the main window has closed.

#include <memory>

#include "desktop_services.h"

class QWidget;

namespace kelvorad {

class AboutWindow;
class CitationWindow;

class InfoWindows {
  public:
    // The shell opens the About window's e-mail link; it must outlive this object.
    explicit InfoWindows(Shell& shell);
    ~InfoWindows();
    InfoWindows(const InfoWindows&) = delete;
    InfoWindows& operator=(const InfoWindows&) = delete;

    // Shows the About window (Form8), not modal, making it first if needed; a window that is
    // already open is brought to the front.
    void showAbout();
    // The same for the citation window (Form4), which About's Published in shows.
    void showCitation();

    // The windows, null until first shown.
    QWidget* aboutWindow() const;
    QWidget* citationWindow() const;

  private:
    Shell& shell_;
    std::unique_ptr<CitationWindow> citation_;
    std::unique_ptr<AboutWindow> about_;
};

}  // namespace kelvorad
