#pragma once
// What Kelvorad remembers per user between starts, kept with QSettings under the organisation
// and application "Kelvorad" (on Linux ~/.config/Kelvorad/Kelvorad.conf): the last folder of
// each file dialog, the recent analysis files, the windows' geometry and the Monte Carlo
// uncertainty settings. The method options start from their defaults at every start.

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace kelvorad {

// The program's settings, for pieces that keep a group of their own (the uncertainty settings).
std::unique_ptr<QSettings> openProgramSettings();

// The stored value of `key`; empty when there is none.
QStringList storedList(const QString& key);
void storeList(const QString& key, const QStringList& values);
QString storedText(const QString& key);
void storeText(const QString& key, const QString& value);

// The key under which a file dialog's folder is kept: one per dialog, told apart by its title
// and filter ("fileDialogs/Open File (*.mi)").
QString dialogFolderKey(std::string_view title, std::string_view programFilter);

// A window's size and place under "<name>/geometry". Restoring does nothing when none was
// stored; returns whether it restored one.
bool restoreWindowGeometry(QWidget& window, const QString& name);
void storeWindowGeometry(const QWidget& window, const QString& name);

}  // namespace kelvorad
