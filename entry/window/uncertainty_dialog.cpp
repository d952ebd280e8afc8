#include "uncertainty_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <charconv>

namespace kelvorad {

namespace {
constexpr int kMostDraws = 1000000;

QComboBox& kindBox(const QTableWidget& table, int row, int column) {
    return *static_cast<QComboBox*>(table.cellWidget(row, column));
}
QDoubleSpinBox& numberBox(const QTableWidget& table, int row, int column) {
    return *static_cast<QDoubleSpinBox*>(table.cellWidget(row, column));
}

QDoubleSpinBox* makeNumberBox(double highest) {
    auto* box = new QDoubleSpinBox;
    box->setRange(0.0, highest);
    box->setDecimals(3);
    box->setSingleStep(0.1);
    box->setLocale(QLocale::c());  // "." as decimal point, as everywhere in the program
    box->setFrame(false);
    return box;
}
}  // namespace

UncertaintyDialog::UncertaintyDialog(const MonteCarloSettings& settings, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmUncertainty");
    setWindowTitle("Uncertainty settings");
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(
        "One-sigma analytical error of each oxide: relative (% of the value) or absolute (wt%), "
        "never below the floor (wt%). The defaults, 2 % with a 0.03 wt% floor, stand for a "
        "typical microprobe analysis: give the precision of your own analyses.");
    note->setWordWrap(true);
    layout->addWidget(note);

    table_ = new QTableWidget(kOxideCount, 2 * ColumnsPerPhase, this);
    table_->setObjectName("sigmaTable");
    table_->setHorizontalHeaderLabels(
        {"Mt kind", "Mt sigma", "Mt floor", "Ilm kind", "Ilm sigma", "Ilm floor"});
    QStringList oxides;
    for (const OxideConstants& oxide : kOxides) {
        oxides << QString::fromUtf8(oxide.oxide.data(), qsizetype(oxide.oxide.size()));
    }
    table_->setVerticalHeaderLabels(oxides);
    for (int row = 0; row < kOxideCount; ++row) {
        for (int phase = 0; phase < 2; ++phase) {
            auto* kind = new QComboBox;
            kind->addItems({"rel %", "abs wt%"});
            table_->setCellWidget(row, phase * ColumnsPerPhase + Kind, kind);
            table_->setCellWidget(row, phase * ColumnsPerPhase + Value, makeNumberBox(100.0));
            table_->setCellWidget(row, phase * ColumnsPerPhase + Floor, makeNumberBox(100.0));
        }
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(table_, 1);

    auto* form = new QFormLayout;
    draws_ = new QSpinBox;
    draws_->setObjectName("draws");
    draws_->setRange(2, kMostDraws);
    form->addRow("Draws a pair (N):", draws_);
    seed_ = new QLineEdit;
    seed_->setObjectName("seed");
    seed_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{1,19}"), seed_));
    form->addRow("Seed:", seed_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::RestoreDefaults);
    buttons->button(QDialogButtonBox::RestoreDefaults)->setObjectName("defaults");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { showSettings(MonteCarloSettings{}); });
    layout->addWidget(buttons);
    showSettings(settings);
    resize(620, 640);
}

void UncertaintyDialog::showSettings(const MonteCarloSettings& settings) {
    for (int row = 0; row < kOxideCount; ++row) {
        for (int phase = 0; phase < 2; ++phase) {
            const OxideSigma& sigma = settings.sigma.at(static_cast<Phase>(phase), row);
            const int first = phase * ColumnsPerPhase;
            kindBox(*table_, row, first + Kind)
                .setCurrentIndex(sigma.kind == SigmaKind::relative ? 0 : 1);
            numberBox(*table_, row, first + Value).setValue(sigma.value);
            numberBox(*table_, row, first + Floor).setValue(sigma.floorWt);
        }
    }
    draws_->setValue(static_cast<int>(std::min<std::size_t>(settings.draws, kMostDraws)));
    seed_->setText(QString::number(settings.seed));
}

MonteCarloSettings UncertaintyDialog::settings() const {
    MonteCarloSettings settings;
    for (int row = 0; row < kOxideCount; ++row) {
        for (int phase = 0; phase < 2; ++phase) {
            const int first = phase * ColumnsPerPhase;
            OxideSigma sigma;
            sigma.kind = kindBox(*table_, row, first + Kind).currentIndex() == 0
                             ? SigmaKind::relative
                             : SigmaKind::absolute;
            sigma.value = numberBox(*table_, row, first + Value).value();
            sigma.floorWt = numberBox(*table_, row, first + Floor).value();
            settings.sigma.set(static_cast<Phase>(phase), row, sigma);
        }
    }
    settings.draws = static_cast<std::size_t>(draws_->value());
    const std::string seed = seed_->text().toStdString();
    std::uint64_t value = 0;
    if (std::from_chars(seed.data(), seed.data() + seed.size(), value).ec == std::errc()) {
        settings.seed = value;
    }
    return settings;
}

}  // namespace kelvorad
