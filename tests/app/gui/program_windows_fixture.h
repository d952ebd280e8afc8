#pragma once
// The program's windows joined as at start-up, with recording fakes for the desktop, in a
// working folder of the test's own; helpers that drive them as a user would.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <memory>

#include "fake_desktop_services.h"
#include "program_windows.h"
#include "results_window_fixture.h"

namespace kelvorad::fakes {

class ProgramWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        windows = std::make_unique<ProgramWindows>(desktop.services());
        main().show();
        QApplication::setActiveWindow(&main());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }
    void TearDown() override {
        windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    MainWindow& main() { return windows->mainWindow(); }
    ResultsWindow* results() { return windows->resultsScreen().existingWindow(); }
    QAction& mainAction(const char* name) { return namedChild<QAction>(main(), name); }
    QAction& resultsAction(const char* name) {
        if (!results()) throw std::runtime_error("no results window");
        return namedChild<QAction>(*results(), name);
    }
    static std::string examplePath() {
        return std::string(KELVORAD_SHARE_DIR) + "/examples/fe-ti-oxide-pairs.mi";
    }
    void openExample() {
        desktop.dialogs.answers.push_back(examplePath());
        mainAction("mnuOpenFile").trigger();
    }
    void calculate() { mainAction("mnuOpen").trigger(); }
    // Closes the results window as its close box does, and lets it be destroyed.
    void closeResultsWindow() {
        ASSERT_NE(results(), nullptr);
        results()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::vector<std::string> messages() const { return desktop.messages.texts(); }

    ScratchWorkingFolder folder;
    FakeDesktop desktop;
    std::unique_ptr<ProgramWindows> windows;
};

}  // namespace kelvorad::fakes
