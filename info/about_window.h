#pragma once
// The About window (Form8): the program's name, version and purpose, an E-mail button that
// writes to the author through the desktop's mail program, and Published in, which shows the
// citation window. It is never modal.

#include <QDialog>
#include <functional>

#include "desktop_services.h"

namespace kelvorad {

class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    // Published in runs `showCitation`; the citation window belongs to whoever passes it, so
    // that closing this window leaves it open. The shell must outlive the window.
    AboutWindow(Shell& shell, std::function<void()> showCitation, QWidget* parent = nullptr);

  private:
    void sendEmail();

    Shell& shell_;
};

}  // namespace kelvorad
