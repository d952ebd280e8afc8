#pragma once
// "Uncertainty settings…": the analytical error of each of the sixteen oxides of both phases
// (relative % or absolute wt%, with a floor in wt%), the number of draws a pair and the seed of
// a Monte Carlo run. OK hands the settings back; Defaults puts back 2 % relative with a
// 0.03 wt% floor for every oxide.

#include <QDialog>

#include "monte_carlo_run.h"

class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace kelvorad {

class UncertaintyDialog : public QDialog {
    Q_OBJECT
  public:
    // Columns of the sigma table (object name "sigmaTable"): for the magnetite, then the
    // ilmenite, the kind (a list: "rel %" or "abs wt%"), the value and the floor.
    enum Column { Kind = 0, Value = 1, Floor = 2, ColumnsPerPhase = 3 };

    UncertaintyDialog(const MonteCarloSettings& settings, QWidget* parent = nullptr);

    // The settings as the dialog shows them now.
    MonteCarloSettings settings() const;
    void showSettings(const MonteCarloSettings& settings);

    QTableWidget& sigmaTable() const { return *table_; }

  private:
    QTableWidget* table_ = nullptr;
    QSpinBox* draws_ = nullptr;  // object name "draws"
    QLineEdit* seed_ = nullptr;  // object name "seed"
};

}  // namespace kelvorad
