// The About and citation windows on the offscreen platform, driven through their buttons with
// a recording shell in place of the desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <string>

#include "citation_text.h"
#include "fake_desktop_services.h"
#include "info_windows.h"
#include "program_info.h"

namespace kelvorad::fakes {
namespace {

class InfoWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override { windows = std::make_unique<InfoWindows>(shell); }
    void TearDown() override { windows.reset(); }

    // The top-level window of that name, null when there is none.
    static QWidget* topLevel(const char* name) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == name) return window;
        }
        return nullptr;
    }
    static int topLevelCount(const char* name) {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            count += window->objectName() == name ? 1 : 0;
        }
        return count;
    }
    template <typename T = QWidget>
    static T& child(QWidget* window, const char* name) {
        if (!window) throw std::runtime_error(std::string("no window for ") + name);
        T* found = window->findChild<T*>(name);
        if (!found) throw std::runtime_error(std::string("no widget ") + name);
        return *found;
    }
    static void click(QWidget* window, const char* button) {
        QTest::mouseClick(&child<QPushButton>(window, button), Qt::LeftButton);
    }
    QWidget* about() { return topLevel("Form8"); }
    QWidget* citation() { return topLevel("Form4"); }

    FakeShell shell;
    std::unique_ptr<InfoWindows> windows;
};

QString today() {
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}

TEST_F(InfoWindowsTest, AboutIsANonModalWindowWithItsButtons) {
    EXPECT_EQ(about(), nullptr);
    windows->showAbout();
    ASSERT_NE(about(), nullptr);
    EXPECT_EQ(windows->aboutWindow(), about());
    EXPECT_TRUE(about()->isVisible());
    EXPECT_TRUE(about()->isWindow());
    EXPECT_EQ(about()->windowTitle(), "A b o u t");
    EXPECT_FALSE(about()->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(child<QPushButton>(about(), "Command1").text(), "Close");
    EXPECT_EQ(child<QPushButton>(about(), "Command2").text(), "E-mail");
    EXPECT_EQ(child<QPushButton>(about(), "Command2").toolTip(), "Send e-mail to author");
    EXPECT_EQ(child<QPushButton>(about(), "Command3").text(), "Published in");
    EXPECT_EQ(child<QLabel>(about(), "Label1").text(), "Kelvorad");
    EXPECT_TRUE(child<QLabel>(about(), "Label2").text().contains(KELVORAD_EXPECTED_VERSION));
    // The source revision, for bug reports; a build from a source archive has none.
    EXPECT_EQ(child<QLabel>(about(), "Label2").toolTip().toStdString(),
              buildRevision().empty() ? "" : "Built from " + std::string(buildRevision()));
    // Nothing else is opened by showing the window.
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(citation(), nullptr);
}

TEST_F(InfoWindowsTest, EmailHandsTodaysLinkToTheShellAtEachPress) {
    windows->showAbout();
    const QString before = today();
    click(about(), "Command2");
    click(about(), "Command2");
    const QString after = today();
    ASSERT_EQ(shell.opened.size(), 2u);
    for (const std::string& link : shell.opened) {
        const std::string start =
            "mailto:kelvorad@example.org?subject=About Kelvorad&body=Kelvorad; ";
        EXPECT_TRUE(link == start + before.toStdString() || link == start + after.toStdString())
            << link;
    }
    EXPECT_TRUE(shell.started.empty());
    // A shell that finds no mail program changes nothing: the window stays, no other opens.
    shell.succeed = false;
    click(about(), "Command2");
    EXPECT_EQ(shell.opened.size(), 3u);
    EXPECT_TRUE(about()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(InfoWindowsTest, PublishedInShowsTheCitationWindowBesideAbout) {
    windows->showAbout();
    click(about(), "Command3");
    ASSERT_NE(citation(), nullptr);
    EXPECT_EQ(windows->citationWindow(), citation());
    EXPECT_TRUE(citation()->isVisible());
    EXPECT_TRUE(citation()->isWindow());
    EXPECT_EQ(citation()->windowTitle(), "J o u r n a l");
    EXPECT_FALSE(citation()->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(about()->isVisible());
    EXPECT_EQ(child<QPushButton>(citation(), "Command1").text(), "Close");

    QLabel& text = child<QLabel>(citation(), "Label1");
    EXPECT_EQ(text.text().toStdString(), citationText());
    EXPECT_EQ(text.textFormat(), Qt::PlainText);
    EXPECT_TRUE(text.wordWrap());
    EXPECT_TRUE(text.textInteractionFlags() & Qt::TextSelectableByMouse);

    // Pressing again brings the same window up rather than a second one.
    click(about(), "Command3");
    EXPECT_EQ(topLevelCount("Form4"), 1);
}

TEST_F(InfoWindowsTest, EachCloseButtonClosesItsOwnWindowOnly) {
    windows->showAbout();
    click(about(), "Command3");
    QWidget* citationWindow = citation();

    click(about(), "Command1");
    EXPECT_FALSE(about()->isVisible());
    ASSERT_EQ(citation(), citationWindow);
    EXPECT_TRUE(citationWindow->isVisible());

    windows->showAbout();
    EXPECT_TRUE(about()->isVisible());
    EXPECT_EQ(topLevelCount("Form8"), 1);
    click(citation(), "Command1");
    EXPECT_FALSE(citation()->isVisible());
    EXPECT_TRUE(about()->isVisible());
}

TEST_F(InfoWindowsTest, WindowsGoWithTheirOwner) {
    windows->showAbout();
    click(about(), "Command3");
    windows.reset();
    EXPECT_EQ(about(), nullptr);
    EXPECT_EQ(citation(), nullptr);
}

// With About and the citation window open, closing the main window still ends the program.
TEST_F(InfoWindowsTest, OpenInformationWindowsDoNotKeepTheProgramRunning) {
    QWidget mainWindow;
    mainWindow.setObjectName("kkj");
    mainWindow.show();
    windows->showAbout();
    click(about(), "Command3");
    ASSERT_TRUE(about()->isVisible() && citation()->isVisible());

    QTimer::singleShot(0, &mainWindow, &QWidget::close);
    bool timedOut = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QApplication::exit(1);
    });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
}

}  // namespace
}  // namespace kelvorad::fakes
