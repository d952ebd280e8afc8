#pragma once
// The Method menu's "Monte Carlo uncertainty" check item (mnuMonteCarlo) and its
// "Uncertainty settings…" item (mnuUncertaintySettings), which opens UncertaintyDialog. The
// check mark and the settings are kept in the program's settings (QSettings keys under
// "uncertainty/": on, draws, seed, and sigma in the text format of sigma_table.h), saved
// whenever they change and read back at start-up by restore().

#include <QObject>

#include "monte_carlo_run.h"

class QAction;
class QMenu;
class QSettings;
class QWidget;

namespace kelvorad {

class UncertaintyOptions : public QObject {
    Q_OBJECT
  public:
    // Adds a separator and the two items to the end of `methodMenu`; the dialog is owned by
    // `dialogParent`.
    UncertaintyOptions(QMenu& methodMenu, QWidget& dialogParent);

    bool isOn() const;
    void setOn(bool on);
    const MonteCarloSettings& settings() const { return settings_; }
    void setSettings(const MonteCarloSettings& settings) { settings_ = settings; }

    // Reads the check mark and the settings; what is missing or unreadable keeps its default.
    void restore(const QSettings& store);
    void save(QSettings& store) const;

    // Opens the settings dialog; OK keeps and saves what it shows.
    void editSettings();

  private:
    void saveToProgramSettings() const;

    QWidget& dialogParent_;
    QAction* check_ = nullptr;
    QAction* settingsItem_ = nullptr;
    MonteCarloSettings settings_;
};

}  // namespace kelvorad
