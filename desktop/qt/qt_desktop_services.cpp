#include "qt_desktop_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>

#include "dialog_filter.h"
#include "program_settings.h"

namespace kelvorad {

namespace {
QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// The system clipboard, or null when no GUI application runs.
QClipboard* systemClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}
}  // namespace

// Each dialog opens in the folder its last chosen file was in (the working folder the first
// time, or when that folder is gone), and remembers the folder of the file chosen now.
QString QtFileDialogs::startFolder(const std::string& title, const std::string& filter) {
    const QString folder = storedText(dialogFolderKey(title, filter));
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

std::string QtFileDialogs::remember(const std::string& title, const std::string& filter,
                                    const QString& chosen) {
    if (!chosen.isEmpty()) {
        storeText(dialogFolderKey(title, filter), QFileInfo(chosen).absolutePath());
    }
    return chosen.toStdString();
}

std::string QtFileDialogs::askOpenFileName(const std::string& title, const std::string& filter) {
    return remember(
        title, filter,
        QFileDialog::getOpenFileName(QApplication::activeWindow(), q(title),
                                     startFolder(title, filter), q(qtDialogFilter(filter))));
}

// A name typed without an extension gets the filter's ("data" is saved as "data.mi").
std::string QtFileDialogs::askSaveFileName(const std::string& title, const std::string& filter) {
    QFileDialog dialog(QApplication::activeWindow(), q(title), startFolder(title, filter),
                       q(qtDialogFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(q(defaultSuffix(filter)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return remember(title, filter, dialog.selectedFiles().first());
}

std::optional<double> QtFileDialogs::askNumber(const std::string& title, const std::string& label,
                                               double initial, double lowest, double highest) {
    bool accepted = false;
    const double value = QInputDialog::getDouble(QApplication::activeWindow(), q(title), q(label),
                                                 initial, lowest, highest, 1, &accepted);
    if (!accepted) return std::nullopt;
    return value;
}

void QtMessageBoxes::showMessage(const std::string& title, const std::string& text) {
    QMessageBox::information(QApplication::activeWindow(), q(title), q(text), QMessageBox::Ok);
}

MessageBoxes::Answer QtMessageBoxes::askYesNoCancel(const std::string& title,
                                                    const std::string& text) {
    const auto button = QMessageBox::question(
        QApplication::activeWindow(), q(title), q(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes) return Answer::Yes;
    if (button == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

bool QtMessageBoxes::waitUntil(const std::string& title, const std::string& text,
                               const std::function<bool()>& finished) {
    return wait(title, text, finished, nullptr);
}

bool QtMessageBoxes::waitWithProgress(const std::string& title, const std::string& text,
                                      const std::function<bool()>& finished,
                                      const std::function<double()>& fractionDone) {
    return wait(title, text, finished, fractionDone);
}

bool QtMessageBoxes::wait(const std::string& title, const std::string& text,
                          const std::function<bool()>& finished,
                          const std::function<double()>& fractionDone) {
    constexpr int kBarSteps = 1000;
    constexpr int kShowBoxAfterMs = 500;
    constexpr int kLookEveryMs = 15;
    if (finished()) return true;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> box;
    bool cancelled = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        // Before the box is up, the loop also ends to put it up.
        cancelled = cancelled || (box && box->wasCanceled());
        if (box && fractionDone) {
            box->setValue(static_cast<int>(std::clamp(fractionDone(), 0.0, 1.0) * kBarSteps));
        }
        if (finished() || cancelled || (!box && clock.elapsed() >= kShowBoxAfterMs)) loop.quit();
    });
    look.start(kLookEveryMs);
    // Until the box is up, clicks and keys wait: no other command starts meanwhile.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (finished()) return true;

    box = std::make_unique<QProgressDialog>(q(text), QObject::tr("Cancel"), 0,
                                            fractionDone ? kBarSteps : 0,
                                            QApplication::activeWindow());
    box->setWindowTitle(q(title));
    box->setWindowModality(Qt::ApplicationModal);
    box->setMinimumDuration(0);
    box->setAutoClose(false);
    box->setAutoReset(false);
    QObject::connect(box.get(), &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        loop.quit();
    });
    box->show();
    if (!finished()) loop.exec();
    return !cancelled;
}

std::optional<std::string> QtClipboard::text() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return std::nullopt;
    return clipboard->text().toStdString();
}

bool QtClipboard::setText(const std::string& text) {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return false;
    clipboard->clear();
    clipboard->setText(q(text));
    return true;
}

bool QtShell::openDocument(const std::string& pathOrUrl) {
    const QString text = q(pathOrUrl);
    QUrl url(text);
    if (url.scheme().size() < 2) url = QUrl::fromLocalFile(text);  // "C:" is a drive, not a scheme
    return QDesktopServices::openUrl(url);
}

bool QtShell::startDetached(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& workingDirectory) {
    QStringList list;
    for (const auto& argument : arguments) list << q(argument);
    return QProcess::startDetached(q(program), list, q(workingDirectory));
}

}  // namespace kelvorad
