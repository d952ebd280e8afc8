#include "uncertainty_options.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QWidget>

#include "uncertainty_dialog.h"

namespace kelvorad {

namespace {
constexpr const char* kOnKey = "uncertainty/on";
constexpr const char* kDrawsKey = "uncertainty/draws";
constexpr const char* kSeedKey = "uncertainty/seed";
constexpr const char* kSigmaKey = "uncertainty/sigma";
constexpr qulonglong kMostDraws = 1000000;
}  // namespace

UncertaintyOptions::UncertaintyOptions(QMenu& methodMenu, QWidget& dialogParent)
    : QObject(&methodMenu), dialogParent_(dialogParent) {
    methodMenu.addSeparator();
    check_ = methodMenu.addAction("Monte Carlo uncertainty");
    check_->setObjectName("mnuMonteCarlo");
    check_->setCheckable(true);
    settingsItem_ = methodMenu.addAction("Uncertainty settings…");
    settingsItem_->setObjectName("mnuUncertaintySettings");
    connect(check_, &QAction::toggled, this, [this] { saveToProgramSettings(); });
    connect(settingsItem_, &QAction::triggered, this, &UncertaintyOptions::editSettings);
}

bool UncertaintyOptions::isOn() const {
    return check_->isChecked();
}

void UncertaintyOptions::setOn(bool on) {
    check_->setChecked(on);
}

void UncertaintyOptions::restore(const QSettings& store) {
    const QSignalBlocker quiet(check_);  // restoring is no change to save
    check_->setChecked(store.value(kOnKey, false).toBool());
    MonteCarloSettings settings;
    bool ok = false;
    const qulonglong draws = store.value(kDrawsKey).toULongLong(&ok);
    if (ok && draws >= 2 && draws <= kMostDraws) settings.draws = draws;
    const qulonglong seed = store.value(kSeedKey).toULongLong(&ok);
    if (ok) settings.seed = seed;
    const SigmaParseResult sigma = parseSigmaText(store.value(kSigmaKey).toString().toStdString());
    if (sigma.table) settings.sigma = *sigma.table;
    settings_ = settings;
}

void UncertaintyOptions::save(QSettings& store) const {
    store.setValue(kOnKey, check_->isChecked());
    store.setValue(kDrawsKey, qulonglong(settings_.draws));
    store.setValue(kSeedKey, qulonglong(settings_.seed));
    store.setValue(kSigmaKey, QString::fromStdString(sigmaText(settings_.sigma)));
}

void UncertaintyOptions::saveToProgramSettings() const {
    QSettings store;
    save(store);
}

void UncertaintyOptions::editSettings() {
    UncertaintyDialog dialog(settings_, &dialogParent_);
    if (dialog.exec() != QDialog::Accepted) return;
    settings_ = dialog.settings();
    saveToProgramSettings();
}

}  // namespace kelvorad
