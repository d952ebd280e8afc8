// What the main window remembers between starts: the recent analysis files (the File menu's
// Recent Files) and its size; the method options are not remembered.
#include <QSettings>

#include "main_window_fixture.h"

namespace kelvorad::fakes {
namespace {

class Remembered : public MainWindowTest {
  protected:
    void SetUp() override {
        QSettings("Kelvorad", "Kelvorad").clear();
        MainWindowTest::SetUp();
    }
    // Ends the window as Exit does and starts a new one, as the next start of the program.
    void restart() {
        window->close();
        window = std::make_unique<MainWindow>(desktop.services());
        window->show();
    }
    // The Recent Files submenu as it is shown: its entries' names and captions.
    QStringList recentEntries() {
        QMenu& menu = widget<QMenu>("mnuRecent");
        emit menu.aboutToShow();
        QStringList entries;
        for (QAction* entry : menu.actions()) entries << entry->objectName() + "=" + entry->text();
        return entries;
    }
    QString folder() {
        return QString::fromStdString(std::filesystem::path(scratchPath("x")).parent_path());
    }
};

TEST_F(Remembered, RecentFilesListsOpenedAndSavedFilesNewestFirstAcrossStarts) {
    EXPECT_EQ(recentEntries(), QStringList{"mnuRecentNone=No Recent Files"});
    EXPECT_FALSE(action("mnuRecentNone").isEnabled());

    action("mnuNewFile").trigger();
    saveAs(scratchPath("first.mi"));
    saveAs(scratchPath("second & last.mi"));
    openFile(scratchPath("first.mi"));
    EXPECT_EQ(recentEntries(),
              QStringList({"mnuRecent1=&1 first.mi  (" + folder() + ")",
                           "mnuRecent2=&2 second && last.mi  (" + folder() + ")"}));
    EXPECT_EQ(action("mnuRecent2").toolTip().toStdString(), scratchPath("second & last.mi"));
    // A file that could not be opened is not listed.
    openFile(scratchPath("never written.mi"));
    EXPECT_EQ(window->recentFiles().paths().size(), 2u);

    restart();
    EXPECT_EQ(window->recentFiles().paths(),
              (std::vector<std::string>{scratchPath("first.mi"), scratchPath("second & last.mi")}));
    // A file deleted since is dropped when the submenu is shown, and stays dropped.
    std::filesystem::remove(scratchPath("first.mi"));
    EXPECT_EQ(recentEntries().size(), 1);
    restart();
    EXPECT_EQ(window->recentFiles().paths(),
              std::vector<std::string>{scratchPath("second & last.mi")});
}

TEST_F(Remembered, ARecentFileOpensAfterTheUnsavedChangeQuestion) {
    action("mnuNewFile").trigger();
    table().setText(1, 1, "MT-1");
    saveAs(scratchPath("pairs.mi"));
    action("mnuNewFile").trigger();
    table().setText(1, 1, "typed, not saved");
    window->showTableChanges();
    recentEntries();

    desktop.messages.answers.push_back(MessageBoxes::Answer::Cancel);
    action("mnuRecent1").trigger();
    EXPECT_EQ(desktop.messages.questionCount(), 1);
    EXPECT_EQ(table().text(1, 1), "typed, not saved") << "Cancel keeps the typed table";

    desktop.messages.answers.push_back(MessageBoxes::Answer::No);
    action("mnuRecent1").trigger();
    EXPECT_EQ(table().text(1, 1), "MT-1");
    EXPECT_EQ(window->currentFileName(), scratchPath("pairs.mi"));
    EXPECT_EQ(title(), "Data Entry Screen");
}

TEST_F(Remembered, AtMostEightFilesAreKept) {
    action("mnuNewFile").trigger();
    for (int k = 1; k <= 10; ++k) saveAs(scratchPath("file" + std::to_string(k) + ".mi"));
    const QStringList stored =
        QSettings("Kelvorad", "Kelvorad").value("recentFiles").toStringList();
    ASSERT_EQ(stored.size(), 8);
    EXPECT_EQ(stored.front().toStdString(), scratchPath("file10.mi"));
    EXPECT_EQ(stored.back().toStdString(), scratchPath("file3.mi"));
    EXPECT_EQ(recentEntries().size(), 8);
}

TEST_F(Remembered, SizeIsKeptButTheOptionsStartFromTheirDefaults) {
    window->resize(900, 610);
    MethodChecks checks;
    checks.setChecked(MethodItem::Fe3Droop, true);
    window->setMethodChecks(checks);
    restart();
    EXPECT_EQ(window->size(), QSize(900, 610));
    EXPECT_EQ(window->methodChecks(), startingMethodChecks());
    EXPECT_EQ(title(), "Start-up Screen");
}

}  // namespace
}  // namespace kelvorad::fakes
