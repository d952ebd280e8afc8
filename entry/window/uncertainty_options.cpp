#include "uncertainty_options.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QWidget>

#include "program_settings.h"
#include "uncertainty_dialog.h"

namespace kelvorad {

namespace {
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
    connect(settingsItem_, &QAction::triggered, this, &UncertaintyOptions::editSettings);
}

bool UncertaintyOptions::isOn() const {
    return check_->isChecked();
}

void UncertaintyOptions::setOn(bool on) {
    check_->setChecked(on);
}

void UncertaintyOptions::restore(const QSettings& store) {
    // The check item itself starts unchecked, as every method option does at start.
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
    store.setValue(kDrawsKey, qulonglong(settings_.draws));
    store.setValue(kSeedKey, qulonglong(settings_.seed));
    store.setValue(kSigmaKey, QString::fromStdString(sigmaText(settings_.sigma)));
}

void UncertaintyOptions::saveToProgramSettings() const {
    save(*openProgramSettings());
}

void UncertaintyOptions::editSettings() {
    UncertaintyDialog dialog(settings_, &dialogParent_);
    if (dialog.exec() != QDialog::Accepted) return;
    settings_ = dialog.settings();
    saveToProgramSettings();
}

}  // namespace kelvorad
