#pragma once
// A main window on the offscreen platform with recording fakes in place of the desktop, and
// helpers that drive it as a user would: actions, keys and mouse clicks on the real widgets.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "fake_desktop_services.h"
#include "main_window.h"
#include "named_child.h"

namespace kelvorad::fakes {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(desktop.services());
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
    AnalysisTable& table() { return window->analysisTable(); }
    QString title() { return widget<QLabel>("Label3").text(); }
    QString panel1() { return widget<QLabel>("StatusBar1Panel1").text(); }

    // Clicks a cell (scrolled into view first); Shift extends the selection.
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {}) {
        QTableView& view = grid();
        const QModelIndex index = view.model()->index(row, column);
        view.scrollTo(index);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers,
                          view.visualRect(index).center());
    }
    void pressCell(int row, int column, Qt::MouseButton button) {
        QTableView& view = grid();
        const QModelIndex index = view.model()->index(row, column);
        view.scrollTo(index);
        QTest::mousePress(view.viewport(), button, {}, view.visualRect(index).center());
    }
    // Keys typed into the table, and keys pressed with the focus wherever it is.
    void type(const char* text) { QTest::keyClicks(&grid(), text); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : window.get(), k, modifiers);
    }
    std::pair<int, int> current() { return {table().row(), table().column()}; }

    std::string scratchPath(const std::string& name) {
        const auto dir = std::filesystem::current_path() / "scratch";
        std::filesystem::create_directories(dir);
        return (dir / name).string();
    }
    static std::string readBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Save As through the menu, answering the dialog with `path`.
    void saveAs(const std::string& path) {
        desktop.dialogs.answers.push_back(path);
        action("mnuSaveAs").trigger();
    }
    void openFile(const std::string& path) {
        desktop.dialogs.answers.push_back(path);
        action("mnuOpenFile").trigger();
    }

    FakeDesktop desktop;
    std::unique_ptr<MainWindow> window;
};

}  // namespace kelvorad::fakes
