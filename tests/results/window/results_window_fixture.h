#pragma once
// A results window on the offscreen platform with recording fakes in place of the desktop, in
// a working folder of its own (where Output.xlsx and the plot data files go), and helpers that
// drive it as a user would.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "fake_desktop_services.h"
#include "named_child.h"
#include "results_window.h"

namespace kelvorad::fakes {

// Moves the process into a fresh folder for the test and back out afterwards.
class ScratchWorkingFolder {
  public:
    ScratchWorkingFolder() : previous_(std::filesystem::current_path()) {
        static int counter = 0;
        path_ = previous_ / ("scratch-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~ScratchWorkingFolder() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

class ResultsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { openWindow(); }
    void TearDown() override { window.reset(); }

    void openWindow() {
        window = std::make_unique<ResultsWindow>(desktop.services());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename T = QWidget>
    T& widget(const char* name) {
        return namedChild<T>(*window, name);
    }
    QAction& action(const char* name) { return namedChild<QAction>(*window, name); }
    QTableView& grid() { return widget<QTableView>("MSFlexGrid1"); }
    ResultsTable& table() { return window->resultsTable(); }
    std::pair<int, int> current() { return {table().row(), table().column()}; }

    void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        QTableView& view = grid();
        const QModelIndex index = view.model()->index(row, column);
        view.scrollTo(index);
        QTest::mouseClick(view.viewport(), button, {}, view.visualRect(index).center());
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : window.get(), k, modifiers);
    }
    // Appends `count` results rows whose cells read "r<row>c<column>" in columns 0 to 133.
    void appendRows(int count) {
        for (int k = 0; k < count; ++k) {
            const int row = table().rowCount();
            std::string fields;
            for (int c = 0; c < 134; ++c) {
                if (c > 0) fields += '\t';
                fields += 'r';
                fields += std::to_string(row);
                fields += 'c';
                fields += std::to_string(c);
            }
            window->appendResultsRow(fields);
        }
        window->showTableChanges();
    }
    std::vector<std::string> messages() const { return desktop.messages.texts(); }

    ScratchWorkingFolder folder;
    FakeDesktop desktop;
    std::unique_ptr<ResultsWindow> window;
};

}  // namespace kelvorad::fakes
