// The File menu's Recent Files submenu: the analysis files last opened or saved, kept in the
// program's settings, the files that are gone dropped each time the submenu is shown.
#include <QAction>
#include <QMenu>

#include "main_window.h"
#include "main_window_actions.h"
#include "program_settings.h"

namespace kelvorad {

namespace {
void storeRecentFiles(const RecentFiles& recent) {
    QStringList paths;
    for (const std::string& path : recent.paths()) paths << QString::fromStdString(path);
    storeList(kRecentFilesKey, paths);
}
}  // namespace

void MainWindow::rememberAnalysisFile(const std::string& path) {
    recent_.add(path);
    storeRecentFiles(recent_);
}

// Entries are named mnuRecent1 (the newest) to mnuRecent8; an empty list shows one disabled
// entry, mnuRecentNone, so that the submenu never opens blank.
void MainWindow::fillRecentFilesMenu() {
    if (recent_.pruneMissing()) storeRecentFiles(recent_);
    QMenu& menu = *actions_->recent;
    menu.clear();
    const std::vector<std::string>& paths = recent_.paths();
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const std::string path = paths[k];
        QAction* entry = menu.addAction(QString::fromStdString(recentFileCaption(k, path)));
        entry->setObjectName(QString("mnuRecent%1").arg(k + 1));
        entry->setToolTip(QString::fromStdString(path));
        connect(entry, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    if (paths.empty()) {
        QAction* none = menu.addAction("No Recent Files");
        none->setObjectName("mnuRecentNone");
        none->setEnabled(false);
    }
}

}  // namespace kelvorad
