#include "results_screen.h"

namespace kelvorad {

ResultsScreen::ResultsScreen(DesktopServices desktop, std::function<void(ResultsWindow&)> onCreated)
    : desktop_(desktop), onCreated_(std::move(onCreated)) {}

ResultsScreen::~ResultsScreen() {
    delete window_.data();
}

ResultsWindow& ResultsScreen::window() {
    if (!window_) {
        auto* created = new ResultsWindow(desktop_);
        // Closing destroys the window (later, from the event loop); from that moment the next
        // use builds a new one.
        created->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(created, &ResultsWindow::closing, created, [this, created] {
            if (window_ == created) window_.clear();
        });
        window_ = created;
        if (onCreated_) onCreated_(*created);
    }
    return *window_;
}

void ResultsScreen::show() {
    ResultsWindow& shown = window();
    shown.show();
    shown.raise();
}

}  // namespace kelvorad
