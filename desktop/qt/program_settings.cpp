#include "program_settings.h"

#include <QSettings>
#include <QWidget>

#include "dialog_filter.h"

namespace kelvorad {

namespace {
constexpr const char* kOrganisation = "Kelvorad";
constexpr const char* kApplication = "Kelvorad";

QString geometryKey(const QString& name) {
    return name + "/geometry";
}
}  // namespace

std::unique_ptr<QSettings> openProgramSettings() {
    return std::make_unique<QSettings>(kOrganisation, kApplication);
}

QStringList storedList(const QString& key) {
    return QSettings(kOrganisation, kApplication).value(key).toStringList();
}

void storeList(const QString& key, const QStringList& values) {
    QSettings(kOrganisation, kApplication).setValue(key, values);
}

QString storedText(const QString& key) {
    return QSettings(kOrganisation, kApplication).value(key).toString();
}

void storeText(const QString& key, const QString& value) {
    QSettings(kOrganisation, kApplication).setValue(key, value);
}

// "/" and "\" would make groups of the key, so they become blanks.
QString dialogFolderKey(std::string_view title, std::string_view programFilter) {
    std::string name(title);
    const std::string filter = qtDialogFilter(programFilter);
    const std::size_t patterns = filter.find('(');
    if (patterns != std::string::npos) {
        name += ' ';
        name += filter.substr(patterns, filter.find(')', patterns) - patterns + 1);
    }
    QString key = QString::fromStdString(name);
    key.replace('/', ' ').replace('\\', ' ');
    return "fileDialogs/" + key;
}

bool restoreWindowGeometry(QWidget& window, const QString& name) {
    const QByteArray geometry =
        QSettings(kOrganisation, kApplication).value(geometryKey(name)).toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void storeWindowGeometry(const QWidget& window, const QString& name) {
    QSettings(kOrganisation, kApplication).setValue(geometryKey(name), window.saveGeometry());
}

}  // namespace kelvorad
