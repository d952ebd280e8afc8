// Monte Carlo uncertainty in the window: the Method menu's items, the settings dialog and the
// program settings that keep them, the uncertainty columns of a run, its progress, and a
// cancelled run that leaves nothing behind.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <fstream>

#include "program_windows_fixture.h"
#include "results_row.h"
#include "uncertainty_columns.h"
#include "uncertainty_dialog.h"
#include "uncertainty_options.h"

namespace kelvorad::fakes {
namespace {

constexpr int kExamplePairs = 24;

class WindowUncertainty : public ProgramWindowsTest {
  protected:
    void SetUp() override {
        // Toggling the option saves it: into the test's own settings, not the user's.
        QStandardPaths::setTestModeEnabled(true);
        ProgramWindowsTest::SetUp();
    }
    void TearDown() override {
        QSettings().clear();
        ProgramWindowsTest::TearDown();
    }
    // The option on, with few draws so that the test stays short.
    void turnOn(std::size_t draws) {
        MonteCarloSettings settings;
        settings.draws = draws;
        main().uncertaintyOptions().setSettings(settings);
        mainAction("mnuMonteCarlo").trigger();
        ASSERT_TRUE(main().uncertaintyOptions().isOn());
    }
};

TEST_F(WindowUncertainty, MethodMenuOffersTheOptionAndItsSettings) {
    QAction& option = mainAction("mnuMonteCarlo");
    EXPECT_TRUE(option.isCheckable());
    EXPECT_FALSE(option.isChecked());
    EXPECT_EQ(option.text().toStdString(), "Monte Carlo uncertainty");
    EXPECT_EQ(mainAction("mnuUncertaintySettings").text().toStdString(), "Uncertainty settings…");
    const auto& methodActions = namedChild<QMenu>(main(), "mnuMethod").actions();
    EXPECT_TRUE(methodActions.contains(&option));
}

TEST_F(WindowUncertainty, RunWithTheOptionAddsNamedColumnsAndSigmaFiles) {
    openExample();
    turnOn(20);
    calculate();
    ASSERT_NE(results(), nullptr);
    const ResultsTable& table = results()->resultsTable();
    ASSERT_EQ(table.rowCount(), 2 + kExamplePairs);
    const std::vector<std::string> heads = uncertaintyHeaders();
    for (int k = 0; k < kUncertaintyColumnCount; ++k) {
        EXPECT_EQ(table.text(1, kUncertaintyFirstColumn + k), heads[std::size_t(k)]);
    }
    EXPECT_EQ(table.text(1, 147), "TAL85S83](oC) sd");
    EXPECT_EQ(table.text(0, 147), "147");
    for (int row = 2; row < table.rowCount(); ++row) {
        EXPECT_FALSE(table.text(row, 147).empty()) << row;  // sd of T, AL85
        EXPECT_LT(std::stod(table.text(row, 148)), std::stod(table.text(row, 149))) << row;
    }
    // The progress box was asked for, and its fraction grew to the end.
    ASSERT_EQ(desktop.messages.waits.size(), 1u);
    EXPECT_NE(desktop.messages.waits[0].text.find("20 draws"), std::string::npos);
    const std::vector<double>& progress = desktop.messages.progress;
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_LE(progress.back(), 1.0);
    // The data files as always, and a sigma line for each of their data lines.
    for (const auto& [data, sigma] : {std::pair{"TlogfO2.dat", "TlogfO2Sigma.dat"},
                                      std::pair{"TDeltaNNO.dat", "TDeltaNNOSigma.dat"}}) {
        std::ifstream dataFile(folder.path() / data), sigmaFile(folder.path() / sigma);
        const auto lines = [](std::ifstream& in) {
            long n = 0;
            for (std::string line; std::getline(in, line);) ++n;
            return n;
        };
        EXPECT_EQ(lines(sigmaFile), lines(dataFile)) << sigma;
    }

    // A run without the option keeps the data files' form and removes the sigma files.
    mainAction("mnuMonteCarlo").trigger();
    calculate();
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "TlogfO2Sigma.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "TDeltaNNOSigma.dat"));
    EXPECT_EQ(table.rowCount(), 2 + 2 * kExamplePairs);
    EXPECT_EQ(table.text(2 + kExamplePairs, 147), "");
}

TEST_F(WindowUncertainty, CancelledRunLeavesNoRowsAndNoFiles) {
    openExample();
    turnOn(200);
    desktop.messages.cancelWaits = true;
    calculate();
    EXPECT_EQ(desktop.messages.waits.size(), 1u);
    if (results()) {
        EXPECT_EQ(results()->resultsTable().rowCount(), 2);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "TlogfO2.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "TlogfO2Sigma.dat"));
    EXPECT_EQ(main().screenTitle(), "Data Entry Screen");

    // The next run, not cancelled, gives every row.
    desktop.messages.cancelWaits = false;
    MonteCarloSettings fewer;
    fewer.draws = 10;
    main().uncertaintyOptions().setSettings(fewer);
    calculate();
    ASSERT_NE(results(), nullptr);
    EXPECT_EQ(results()->resultsTable().rowCount(), 2 + kExamplePairs);
}

TEST(UncertaintyDialog, ShowsAndReturnsTheSettingsAndRestoresTheDefaults) {
    MonteCarloSettings given;
    given.draws = 750;
    given.seed = 12345678901234ull;
    given.sigma.set(Phase::ilmenite, Mg, {SigmaKind::absolute, 0.05, 0.0});
    UncertaintyDialog dialog(given);
    EXPECT_EQ(dialog.settings().sigma, given.sigma);
    EXPECT_EQ(dialog.settings().draws, 750u);
    EXPECT_EQ(dialog.settings().seed, 12345678901234ull);

    // The user sets the magnetite's TiO2 to 0.4 wt% absolute, 300 draws and seed 9.
    QTableWidget& table = dialog.sigmaTable();
    ASSERT_EQ(table.rowCount(), kOxideCount);
    ASSERT_EQ(table.verticalHeaderItem(Ti)->text().toStdString(), "TiO2");
    static_cast<QComboBox*>(table.cellWidget(Ti, UncertaintyDialog::Kind))->setCurrentIndex(1);
    static_cast<QDoubleSpinBox*>(table.cellWidget(Ti, UncertaintyDialog::Value))->setValue(0.4);
    namedChild<QSpinBox>(dialog, "draws").setValue(300);
    namedChild<QLineEdit>(dialog, "seed").setText("9");
    const MonteCarloSettings edited = dialog.settings();
    EXPECT_EQ(edited.sigma.at(Phase::magnetite, Ti),
              (OxideSigma{SigmaKind::absolute, 0.4, kDefaultSigmaFloorWt}));
    EXPECT_EQ(edited.sigma.at(Phase::ilmenite, Ti), OxideSigma{});
    EXPECT_EQ(edited.draws, 300u);
    EXPECT_EQ(edited.seed, 9u);

    namedChild<QPushButton>(dialog, "defaults").click();
    EXPECT_EQ(dialog.settings().sigma, SigmaTable{});
    EXPECT_EQ(dialog.settings().draws, MonteCarloSettings{}.draws);
}

TEST(UncertaintyOptions, SettingsGoToTheProgramSettingsAndComeBack) {
    QTemporaryDir dir;
    const QString file = dir.filePath("kelvorad.ini");
    QMenu menu;
    QWidget parent;
    MonteCarloSettings settings;
    settings.draws = 333;
    settings.seed = 77;
    settings.sigma = uniformRelativeSigma(1.5, 0.01);
    settings.sigma.set(Phase::magnetite, Fe2, {SigmaKind::absolute, 0.4, 0.0});
    {
        UncertaintyOptions options(menu, parent);
        const QSignalBlocker noSave(&options);  // the toggle saves to the program's settings
        options.setSettings(settings);
        QSettings store(file, QSettings::IniFormat);
        options.save(store);
    }
    QMenu otherMenu;
    UncertaintyOptions restored(otherMenu, parent);
    restored.restore(QSettings(file, QSettings::IniFormat));
    EXPECT_FALSE(restored.isOn());
    EXPECT_EQ(restored.settings().draws, 333u);
    EXPECT_EQ(restored.settings().seed, 77u);
    EXPECT_EQ(restored.settings().sigma, settings.sigma);

    // What cannot be read keeps its default; the item starts unchecked as every option does.
    {
        QSettings store(file, QSettings::IniFormat);
        store.setValue("uncertainty/on", true);
        store.setValue("uncertainty/draws", "many");
        store.setValue("uncertainty/sigma", "mt TiO3 rel 2");
    }
    restored.restore(QSettings(file, QSettings::IniFormat));
    EXPECT_FALSE(restored.isOn());
    EXPECT_EQ(restored.settings().draws, MonteCarloSettings{}.draws);
    EXPECT_EQ(restored.settings().sigma, SigmaTable{});
}

}  // namespace
}  // namespace kelvorad::fakes
