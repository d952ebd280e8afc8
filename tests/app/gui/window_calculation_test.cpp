// The calculation run started from the main window: title, option menus as the run leaves
// them, the results window's panels and rows, the plot data files, and the file asked for
// when none was opened.
#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <clocale>
#include <fstream>
#include <locale>
#include <map>

#include "analysis_file.h"
#include "calculation_run.h"
#include "comma_locale.h"
#include "gui_main.h"
#include "program_info.h"
#include "program_windows_fixture.h"
#include "results_row.h"
#include "sha256.h"

namespace kelvorad::fakes {
namespace {

using WindowCalculation = ProgramWindowsTest;
using Answer = MessageBoxes::Answer;

constexpr int kExamplePairs = 24;

std::vector<std::string> splitFields(const std::string& row) {
    std::vector<std::string> fields(1);
    for (char c : row) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::string> panels(ResultsWindow& window) {
    std::vector<std::string> texts;
    for (int k = 2; k <= 6; ++k) texts.push_back(window.statusPanel(k));
    return texts;
}

std::vector<std::string> checkedNames(MainWindow& window) {
    return window.methodChecks().checkedNames();
}

long lineCount(const std::filesystem::path& path) {
    std::ifstream in(path);
    long lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
}

TEST_F(WindowCalculation, ExampleFileRunsWithTheDefaultMethods) {
    openExample();
    std::string titleDuringRun;
    QTimer::singleShot(0, [this, &titleDuringRun] {
        titleDuringRun = main().findChild<QLabel*>("Label3")->text().toStdString();
    });
    calculate();
    EXPECT_EQ(titleDuringRun, "Wait Please");
    EXPECT_EQ(main().screenTitle(), "Data Entry Screen");
    ASSERT_NE(results(), nullptr);
    EXPECT_TRUE(results()->isVisible());
    EXPECT_EQ(panels(*results()),
              (std::vector<std::string>{"4 oxygen", "3 oxygen", "Stormer (1983)", "NNO (2000 bars)",
                                        "Anderson & Lindsley (1985) using Stormer (1983)"}));
    EXPECT_EQ(results()->statusPanel(1), examplePath());
    EXPECT_EQ(results()->statusPanel(9), "Ghiorso and Evans (2008) model at 2000 bars");
    EXPECT_EQ(checkedNames(main()),
              (std::vector<std::string>{"mnuFe3Stormer", "mnu2000NNO", "mnuAL85uS83",
                                        "mnuGE08Model", "mnuTNNOAL85"}));
    EXPECT_EQ(results()->resultsTable().rowCount(), 2 + kExamplePairs);
    EXPECT_TRUE(desktop.messages.shown.empty());

    // Every plot data file was written in the working folder, one header line at least.
    for (const PlotFileSpec& file : plotFiles()) {
        const auto path = folder.path() / file.fileName;
        ASSERT_TRUE(std::filesystem::exists(path)) << file.fileName;
        EXPECT_GE(lineCount(path), 1) << file.fileName;
    }
    EXPECT_EQ(lineCount(folder.path() / "TlogfO2.dat"), 1 + kExamplePairs);
}

TEST_F(WindowCalculation, EveryCellOfAResultsRowIsTheEnginesRow) {
    openExample();
    calculate();
    const AnalysisTable& input = main().analysisTable();
    MethodChecks checks = startingMethodChecks();
    CalculationRun engine(checks);
    for (int pair : {1, 7, kExamplePairs}) {
        std::string expected;
        engine.processPair(
            readAnalysisPair([&](int k) -> const std::string& { return input.text(pair, k + 1); }),
            nullptr, expected);
        const std::vector<std::string> fields = splitFields(expected);
        ASSERT_EQ(fields.size(), static_cast<std::size_t>(kResultsRowFieldsWithFullModel));
        const ResultsTable& table = results()->resultsTable();
        for (int c = 0; c < ResultsTable::kColumns; ++c) {
            const std::string want = c < kResultsRowFieldsWithFullModel ? fields[c] : std::string();
            ASSERT_EQ(table.text(1 + pair, c), want) << "pair " << pair << ", column " << c;
        }
    }
}

TEST_F(WindowCalculation, ChosenMethodsAreShownAndDefaultsGiveWay) {
    openExample();
    mainAction("mnu1NNO").trigger();
    mainAction("mnuFe3Droop").trigger();
    calculate();
    EXPECT_EQ(panels(*results()),
              (std::vector<std::string>{"4 oxygen", "3 oxygen", "Droop (1987)", "NNO (1 bar)",
                                        "Anderson & Lindsley (1985) using Stormer (1983)"}));
    EXPECT_EQ(checkedNames(main()),
              (std::vector<std::string>{"mnuFe3Droop", "mnu1NNO", "mnuAL85uS83", "mnuGE08Model",
                                        "mnuTNNOAL85"}));
    // The rows were computed with Droop (1987) at 1 bar: the same as the engine's with those
    // options.
    MethodChecks checks;
    checks.setChecked(MethodItem::NNO1, true);
    checks.setChecked(MethodItem::Fe3Droop, true);
    CalculationRun engine(checks);
    std::string expected;
    const AnalysisTable& input = main().analysisTable();
    engine.processPair(
        readAnalysisPair([&](int k) -> const std::string& { return input.text(3, k + 1); }),
        nullptr, expected);
    EXPECT_EQ(splitFields(expected)[126], results()->resultsTable().text(4, 126));
}

TEST_F(WindowCalculation, FullThermodynamicModelFillsColumns135To146ByDefault) {
    openExample();
    calculate();
    const ResultsTable& table = results()->resultsTable();
    EXPECT_EQ(table.text(1, 135), "[TGE08model](oC)");
    EXPECT_EQ(table.text(1, 140), "Status]");
    EXPECT_EQ(table.text(1, 142), "[DeltaFMQ_GE08model]");
    EXPECT_EQ(table.text(1, 146), "DeltaFMQ_AL85S83]");
    EXPECT_EQ(table.text(0, 146), "146");
    for (int row = 2; row < table.rowCount(); ++row) {
        EXPECT_EQ(table.text(row, 134), "") << row;
        const std::string& status = table.text(row, 140);
        EXPECT_TRUE(status == "converged" || status == "no root" || status == "outside model")
            << row << ": " << status;
    }
    EXPECT_FALSE(table.text(2, 135).empty());
    EXPECT_FALSE(table.text(2, 142).empty());
    EXPECT_TRUE(main().methodChecks().isChecked(MethodItem::GE08Model));
}

TEST_F(WindowCalculation, UncheckedModelLeavesItsColumnsEmpty) {
    openExample();
    mainAction("mnuGE08Model").trigger();
    calculate();
    const ResultsTable& table = results()->resultsTable();
    for (int row = 2; row < table.rowCount(); ++row) {
        for (int c = kResultsRowFields; c < ResultsTable::kColumns; ++c) {
            ASSERT_EQ(table.text(row, c), "") << row << "," << c;
        }
    }
    EXPECT_EQ(results()->statusPanel(9), "Ghiorso and Evans (2008) model off");
}

// A typed pressure: the model runs at it, the older columns at the nearest buffer pressure,
// and the status bar says both.
TEST_F(WindowCalculation, OtherPressureRunsTheModelThereAndTheBufferAtTheNearest) {
    openExample();
    desktop.dialogs.numberAnswers = {2600.0};
    mainAction("mnuOtherPressure").trigger();
    calculate();
    EXPECT_EQ(results()->statusPanel(5), "NNO (3000 bars, the nearest to 2600 bars)");
    EXPECT_EQ(results()->statusPanel(9), "Ghiorso and Evans (2008) model at 2600 bars");
    const AnalysisTable& input = main().analysisTable();
    const AnalysisPair pair =
        readAnalysisPair([&](int k) -> const std::string& { return input.text(1, k + 1); });
    MethodChecks at3000 = startingMethodChecks();
    at3000.setChecked(MethodItem::NNO3000, true);
    std::string older;
    CalculationRun(at3000).processPair(pair, nullptr, older);
    const ResultsTable& table = results()->resultsTable();
    EXPECT_EQ(table.text(2, 126), splitFields(older)[126]);
    const ge08::Ge08Result model =
        ge08::computeGe08Model(pair.magnetite.wt, pair.ilmenite.wt, 2600.0);
    EXPECT_EQ(table.text(2, 135), formatNumber(model.temperatureC));
}

TEST_F(WindowCalculation, RowsAccumulateUntilTheWindowIsClosed) {
    openExample();
    calculate();
    calculate();
    ResultsTable& table = results()->resultsTable();
    EXPECT_EQ(table.rowCount(), 2 + 2 * kExamplePairs);
    EXPECT_EQ(table.text(2, 0), table.text(2 + kExamplePairs, 0));
    closeResultsWindow();
    EXPECT_EQ(results(), nullptr);
    calculate();
    ASSERT_NE(results(), nullptr);
    EXPECT_EQ(results()->resultsTable().rowCount(), 2 + kExamplePairs);
    EXPECT_EQ(results()->resultsTable().text(1, 0), "Sample");
}

// Each run keeps its record with its rows: file, fingerprint, choices, and the rows it made
// (numbered as in Output.xlsx); a row's sample cell names its own run's file and scheme.
TEST_F(WindowCalculation, EachRunIsRecordedWithItsRows) {
    openExample();
    calculate();
    mainAction("mnuFe3Droop").trigger();
    calculate();
    const std::vector<RunRecord>& runs = results()->runRecords();
    ASSERT_EQ(runs.size(), 2u);
    std::ifstream in(examplePath(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(runs[0].inputSha256, sha256Hex(bytes));
    EXPECT_EQ(runs[0].inputPath, std::filesystem::absolute(examplePath()).string());
    EXPECT_EQ(runs[0].programVersion, versionLine(kProgramTitle));
    EXPECT_EQ(runs[0].ferricScheme, "Stormer (1983)");
    EXPECT_EQ(runs[1].ferricScheme, "Droop (1987)");
    EXPECT_EQ(runs[0].firstResultsRow, 3);
    EXPECT_EQ(runs[0].lastResultsRow, 2 + kExamplePairs);
    EXPECT_EQ(runs[1].firstResultsRow, 3 + kExamplePairs);
    EXPECT_EQ(runs[1].lastResultsRow, 2 + 2 * kExamplePairs);
    const std::string tip = results()->cellToolTip(2 + kExamplePairs, 0);
    EXPECT_NE(tip.find("File: " + runs[1].inputPath), std::string::npos) << tip;
    EXPECT_NE(tip.find("Ferric iron: Droop (1987)"), std::string::npos) << tip;
    EXPECT_NE(tip.find("Pressure: 2000 bars"), std::string::npos) << tip;
}

TEST_F(WindowCalculation, WithoutAnOpenedFileTheRunAsksForOneAndLoadsIt) {
    desktop.dialogs.answers.push_back(examplePath());
    main().toolbarButton(13).trigger();
    ASSERT_EQ(desktop.dialogs.calls.size(), 1u);
    EXPECT_EQ(desktop.dialogs.calls[0].filter, "Magnetite and Ilmenite(*.mi) |*.mi");
    EXPECT_EQ(results()->resultsTable().rowCount(), 2 + kExamplePairs);
    EXPECT_FALSE(main().isOpenFileToCalculateChecked()) << "this path does not check mnuOpen";
    EXPECT_EQ(results()->statusPanel(1), examplePath());
    EXPECT_TRUE(desktop.messages.shown.empty());
}

TEST_F(WindowCalculation, CancelledDialogCalculatesThePairsAlreadyTyped) {
    mainAction("mnuNewFile").trigger();
    AnalysisTable& table = main().analysisTable();
    table.setCurrent(1, 1);
    table.setSelectionEnd(1, 35);
    table.putIntoSelection(
        "T1\t0.1\t8.4\t2.1\t0.4\t0.05\t\t\t81.2\t0.5\t\t0.1\t1.9\t\t\t\t\t\tI1\t0.03\t46.1\t0.1\t"
        "0.3\t0.02\t\t\t48.9\t0.65\t\t\t2.85");
    main().showTableChanges();
    calculate();  // the dialog is cancelled
    EXPECT_EQ(desktop.dialogs.calls.size(), 1u);
    EXPECT_EQ(desktop.messages.questionCount(), 0) << "nothing is loaded, nothing to ask";
    ASSERT_NE(results(), nullptr);
    ASSERT_EQ(results()->resultsTable().rowCount(), 3);
    EXPECT_EQ(results()->resultsTable().text(2, 0), "T1");
    EXPECT_EQ(table.text(1, 1), "T1");
}

TEST_F(WindowCalculation, LoadingOverUnsavedPairsAsksFirstAndCancelWritesNothing) {
    mainAction("mnuNewFile").trigger();
    AnalysisTable& table = main().analysisTable();
    table.setText(1, 1, "typed, not saved");
    main().showTableChanges();
    desktop.dialogs.answers.push_back(examplePath());
    desktop.messages.answers = {Answer::Cancel};
    calculate();
    EXPECT_EQ(desktop.messages.questionCount(), 1);
    EXPECT_EQ(table.text(1, 1), "typed, not saved");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "TlogfO2.dat"));
    EXPECT_EQ(results()->resultsTable().rowCount(), 2);
    EXPECT_EQ(main().screenTitle(), "Data Entry Screen");

    desktop.dialogs.answers.push_back(examplePath());
    desktop.messages.answers = {Answer::No};
    calculate();
    EXPECT_EQ(results()->resultsTable().rowCount(), 2 + kExamplePairs);
    EXPECT_EQ(table.text(1, 1), "KV-01 Mt");
}

TEST_F(WindowCalculation, AnEmptyTableWritesHeaderLinesOnly) {
    main().toolbarButton(13).trigger();
    EXPECT_EQ(results()->resultsTable().rowCount(), 2);
    for (const PlotFileSpec& file : plotFiles()) {
        EXPECT_EQ(lineCount(folder.path() / file.fileName), 1) << file.fileName;
    }
    EXPECT_EQ(main().screenTitle(), "Data Entry Screen");
    EXPECT_TRUE(desktop.messages.shown.empty());
}

TEST_F(WindowCalculation, PlotFilesThatCannotBeWrittenAreNamedOnceAfterTheRun) {
    std::filesystem::create_directory(folder.path() / "TiR2R3.dat");
    std::filesystem::create_directory(folder.path() / "TDeltaNNO.dat");
    openExample();
    calculate();
    EXPECT_EQ(results()->resultsTable().rowCount(), 2 + kExamplePairs) << "the run goes on";
    ASSERT_EQ(desktop.messages.shown.size(), 1u);
    const std::string& text = desktop.messages.shown[0].text;
    EXPECT_NE(text.find("TiR2R3.dat"), std::string::npos) << text;
    EXPECT_NE(text.find("TDeltaNNO.dat"), std::string::npos) << text;
    EXPECT_EQ(text.find("TlogfO2.dat"), std::string::npos) << text;
    EXPECT_EQ(lineCount(folder.path() / "TlogfO2.dat"), 1 + kExamplePairs);
}

// A pair as a spreadsheet with a comma decimal separator copies it, with one cell that is no
// number at all; and the same pair as the run must read it.
constexpr const char* kPastedPair =
    "T1\t0,1\t8,4\t2,1\t0,4\t0,05\t\t\t81,2\t0,5\t\t0,1\t1,9\t\t\t\t\t\tI1\t0,03\t46,1\t0,1\t"
    "0,3\t0,02\t\t\t48,9\t0,65\tn.d.\t\t2,85";
constexpr const char* kPairAsRead =
    "T1\t0.1\t8.4\t2.1\t0.4\t0.05\t\t\t81.2\t0.5\t\t0.1\t1.9\t\t\t\t\t\tI1\t0.03\t46.1\t0.1\t"
    "0.3\t0.02\t\t\t48.9\t0.65\t\t\t2.85";

std::string engineRow(const std::string& line) {
    const std::vector<std::string> cells = splitFields(line);
    MethodChecks checks;
    CalculationRun engine(checks);
    std::string row;
    engine.processPair(readAnalysisPair([&](int k) -> std::string_view {
                           return k < static_cast<int>(cells.size()) ? std::string_view(cells[k])
                                                                     : std::string_view();
                       }),
                       nullptr, row);
    return row;
}

TEST_F(WindowCalculation, PastedDecimalCommasAreReadAndNamedInOneMessage) {
    mainAction("mnuNewFile").trigger();
    AnalysisTable& table = main().analysisTable();
    table.setCurrent(1, 1);
    table.setSelectionEnd(2, 35);
    desktop.clipboard.content = std::string(kPastedPair) + "\r\n" + kPastedPair + "\r\n";
    mainAction("mnuEditPaste").trigger();
    ASSERT_EQ(table.text(2, 9), "81,2");
    calculate();  // the dialog is cancelled: the pasted pairs are calculated

    ASSERT_EQ(results()->resultsTable().rowCount(), 4);
    const std::vector<std::string> expected = splitFields(engineRow(kPairAsRead));
    for (int c = 0; c < kResultsRowFields; ++c) {
        ASSERT_EQ(results()->resultsTable().text(3, c), expected[c]) << "column " << c;
    }
    // 17 cells with a decimal comma and one "n.d." in each of the two rows: one message.
    ASSERT_EQ(desktop.messages.shown.size(), 1u);
    const std::string& text = desktop.messages.shown[0].text;
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "36 analysis cells are not plain numbers; the calculation read them so:");
    EXPECT_NE(text.find("\nrow 1, SiO2 [M]: \"0,1\" read as 0.1 with a decimal comma\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nrow 1, NiO [I]: \"n.d.\" is not a number, read as 0\n"),
              std::string::npos)
        << text;
    // The first 20 in full, then how many more.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "... and 16 more cells.");
    EXPECT_NE(text.find("\nrow 2, TiO2 [M]: "), std::string::npos) << text;
    EXPECT_EQ(text.find("\nrow 2, Al2O3 [M]: "), std::string::npos) << "beyond the first 20";
}

TEST_F(WindowCalculation, AnyCommaDecimalLocaleReadsAndWritesPoints) {
    const auto locales = commaLocalePath(folder.path() / "locales");
    if (!locales) GTEST_SKIP() << "no de_DE.UTF-8 locale here, and localedef could not build one";
    // Each workbook format loaded into the table, as the table's file content.
    desktop.messages.defaultAnswer = Answer::No;
    const auto loadWorkbooks = [this] {
        const std::filesystem::path workbooks =
            std::filesystem::path(KELVORAD_TEST_DATA_DIR) / "workbooks";
        std::vector<std::string> tables;
        for (const char* name : {"pairs.xlsx", "pairs.ods", "pairs.xls"}) {
            desktop.dialogs.answers.push_back((workbooks / name).string());
            mainAction(std::string(name).ends_with(".xls") ? "mnu9703" : "mnu07Later").trigger();
            tables.push_back(analysisFileContent(main().analysisTable()));
        }
        return tables;
    };
    const std::vector<std::string> workbooksUnderC = loadWorkbooks();
    ASSERT_NE(workbooksUnderC[0].find("\t77.123456789\t"), std::string::npos) << workbooksUnderC[0];
    openExample();
    calculate();
    std::map<std::string, std::string> plotFilesUnderC;
    for (const PlotFileSpec& file : plotFiles()) {
        std::ifstream in(folder.path() / file.fileName, std::ios::binary);
        plotFilesUnderC[std::string(file.fileName)] = {std::istreambuf_iterator<char>(in), {}};
    }

    // The desktop's locale, taken by the window toolkit as the program starts, then the
    // program's own start-up step.
    if (!locales->empty()) setenv("LOCPATH", locales->c_str(), 1);
    const std::locale previous = std::locale::global(commaCppLocale());
    std::setlocale(LC_ALL, kCommaLocale);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    keepNumbersInCNotation();
    const std::string timeLocale = std::setlocale(LC_TIME, nullptr);
    mainAction("mnuClose").trigger();  // the workbook commands wait on the start-up screen
    const std::vector<std::string> workbooksUnderComma = loadWorkbooks();
    openExample();
    calculate();
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    if (!locales->empty()) unsetenv("LOCPATH");
    ASSERT_EQ(timeLocale, kCommaLocale) << "the desktop's locale was in force";
    for (const auto& shown : desktop.messages.shown) EXPECT_TRUE(shown.question) << shown.text;
    ASSERT_EQ(workbooksUnderComma.size(), workbooksUnderC.size());
    for (std::size_t k = 0; k < workbooksUnderC.size(); ++k) {
        const std::string& a = workbooksUnderC[k];
        const std::string& b = workbooksUnderComma[k];
        const auto at = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
        EXPECT_EQ(a, b) << "workbook " << k << " differs at " << at << ": \"" << a.substr(at, 40)
                        << "\" under C, \"" << b.substr(at, 40) << "\"";
    }

    const ResultsTable& table = results()->resultsTable();
    ASSERT_EQ(table.rowCount(), 2 + 2 * kExamplePairs);
    for (int pair = 0; pair < kExamplePairs; ++pair) {
        for (int c = 0; c < ResultsTable::kColumns; ++c) {
            ASSERT_EQ(table.text(2 + kExamplePairs + pair, c), table.text(2 + pair, c))
                << "pair " << pair << ", column " << c;
        }
    }
    for (const PlotFileSpec& file : plotFiles()) {
        std::ifstream in(folder.path() / file.fileName, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                  plotFilesUnderC[std::string(file.fileName)])
            << file.fileName;
    }
}

}  // namespace
}  // namespace kelvorad::fakes
