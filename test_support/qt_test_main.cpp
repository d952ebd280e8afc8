// The main of GUI test executables: one QApplication for all tests (offscreen under CTest),
// run in a scratch working folder so that side files the windows write stay out of the tree,
// with a scratch settings folder so that what the windows remember (recent files, dialog
// folders, geometry) never reaches the user's settings nor comes from them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir settingsFolder;
    if (!settingsFolder.isValid()) return 2;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsFolder.path()));
    QApplication app(argc, argv);
    QTemporaryDir workingFolder;
    if (!workingFolder.isValid() || !QDir::setCurrent(workingFolder.path())) return 2;
    return RUN_ALL_TESTS();
}
