// Each file dialog starts in the folder of the file last chosen in it, kept in the settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>

#include "program_settings.h"
#include "qt_desktop_services.h"

namespace kelvorad {
namespace {

constexpr const char* kFilter = "Magnetite and Ilmenite(*.mi) |*.mi";

// Answers the next file dialog with `file`, noting the folder it opened in.
void answerNextDialog(const QString& file, QString& openedIn) {
    QTimer::singleShot(0, [file, &openedIn] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        openedIn = dialog->directory().absolutePath();
        dialog->selectFile(file);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

TEST(RememberedDialogFolders, EachDialogStartsWhereItsLastFileWas) {
    QSettings("Kelvorad", "Kelvorad").clear();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString chosen = folder.filePath("pairs.mi");
    std::ofstream(chosen.toStdString()) << "\"\"\r\n";
    QtFileDialogs dialogs;

    QString openedIn;
    answerNextDialog(chosen, openedIn);
    ASSERT_EQ(dialogs.askOpenFileName("Open File", kFilter), chosen.toStdString());
    EXPECT_EQ(openedIn, QDir::currentPath()) << "the first time: the working folder";

    answerNextDialog(chosen, openedIn);
    dialogs.askOpenFileName("Open File", kFilter);
    EXPECT_EQ(openedIn, QDir(folder.path()).absolutePath());

    // Another dialog keeps its own folder: Save As goes on opening where it saved, after
    // Open File has moved elsewhere.
    answerNextDialog(folder.filePath("copy.mi"), openedIn);
    EXPECT_EQ(dialogs.askSaveFileName("Save As", kFilter),
              folder.filePath("copy.mi").toStdString());
    QTemporaryDir elsewhere;
    const QString other = elsewhere.filePath("other.mi");
    std::ofstream(other.toStdString()) << "\"\"\r\n";
    answerNextDialog(other, openedIn);
    dialogs.askOpenFileName("Open File", kFilter);
    answerNextDialog(folder.filePath("copy.mi"), openedIn);
    dialogs.askSaveFileName("Save As", kFilter);
    EXPECT_EQ(openedIn, QDir(folder.path()).absolutePath());
    answerNextDialog(other, openedIn);
    dialogs.askOpenFileName("Open File", kFilter);
    EXPECT_EQ(openedIn, QDir(elsewhere.path()).absolutePath());
}

TEST(RememberedDialogFolders, KeysTellDialogsApartAndMakeNoGroups) {
    EXPECT_EQ(dialogFolderKey("Open File", kFilter), "fileDialogs/Open File (*.mi)");
    EXPECT_NE(dialogFolderKey("Load", "Excel 97-2003(*.xls)|*.xls"),
              dialogFolderKey("Load", "Excel 2007(*.xlsx)|*.xlsx"));
    EXPECT_EQ(dialogFolderKey("In/Out\\Put", "").count('/'), 1);
}

}  // namespace
}  // namespace kelvorad
