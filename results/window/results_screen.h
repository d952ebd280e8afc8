#pragma once
// The results window as the rest of the program reaches it: created the first time it is
// needed (its set-up runs then), discarded when it is closed, and built anew, with only its
// two header rows and a new spreadsheet link, by the next use.

#include <QObject>
#include <QPointer>
#include <functional>

#include "desktop_services.h"
#include "results_window.h"

namespace kelvorad {

class ResultsScreen {
  public:
    // `onCreated` runs on every new window, before anything else uses it (to set its hooks).
    explicit ResultsScreen(DesktopServices desktop,
                           std::function<void(ResultsWindow&)> onCreated = {});
    ~ResultsScreen();
    ResultsScreen(const ResultsScreen&) = delete;
    ResultsScreen& operator=(const ResultsScreen&) = delete;

    // The window, created when there is none.
    ResultsWindow& window();
    // The window when one exists, else nullptr.
    ResultsWindow* existingWindow() const { return window_.data(); }
    // Shows the window, not modal, creating it when there is none.
    void show();

  private:
    DesktopServices desktop_;
    std::function<void(ResultsWindow&)> onCreated_;
    QPointer<ResultsWindow> window_;
};

}  // namespace kelvorad
