// Graph windows drawn by the real gnuplot (gnuplot-nox is enough): the shipped T - DeltaNNO
// template over a plot data file written here, a broken template, a redraw after the data
// file is rewritten, and saving in the three formats.
#include <QSignalSpy>
#include <QStackedWidget>
#include <QSvgRenderer>
#include <fstream>
#include <iterator>

#include "graph_window.h"
#include "results_window_fixture.h"

namespace kelvorad::fakes {
namespace {

constexpr int kGnuplotWait = 20000;  // milliseconds; gnuplot takes well under one

class GraphWindows : public ResultsWindowTest {
  protected:
    void SetUp() override {
        ResultsWindowTest::SetUp();
        writeDeltaNno({{"MT-1", 850, -0.4}, {"MT-2", 910, 0.8}});
    }

    struct Point {
        const char* sample;
        double temperature;
        double deltaNno;
    };
    // TDeltaNNO.dat as a run writes it: a header line, then one line per pair.
    void writeDeltaNno(std::initializer_list<Point> points) {
        std::ofstream file(folder.path() / "TDeltaNNO.dat", std::ios::binary);
        file << "SampleNo T(oC) DeltaNNO\r\n";
        for (const Point& p : points)
            file << p.sample << " " << p.temperature << " " << p.deltaNno << " \r\n";
    }

    // Shows a template's graph and waits for its first drawing.
    GraphWindow& drawn(const std::filesystem::path& templatePath) {
        GraphWindow& graph = window->showGraph(templatePath);
        QSignalSpy drawings(&graph, &GraphWindow::drawn);
        EXPECT_TRUE(drawings.wait(kGnuplotWait)) << "gnuplot did not finish";
        return graph;
    }
    static std::filesystem::path shipped(const char* name) {
        return std::filesystem::path(KELVORAD_SHARE_DIR) / "templates" / name;
    }
    static std::string head(const std::filesystem::path& path, std::size_t size) {
        std::ifstream file(path, std::ios::binary);
        std::string bytes(size, '\0');
        file.read(bytes.data(), std::streamsize(size));
        bytes.resize(std::size_t(file.gcount()));
        return bytes;
    }
};

TEST_F(GraphWindows, TheShippedTemplateIsDrawnAsAValidSvgDocument) {
    GraphWindow& graph = drawn(shipped("TDeltaNNO.grf"));
    EXPECT_TRUE(graph.problemText().isEmpty()) << graph.problemText().toStdString();
    ASSERT_TRUE(graph.picture().isValid());
    // gnuplot's 1200 x 900 drawing, shown at its proportions.
    EXPECT_EQ(graph.picture().defaultSize(), QSize(1200, 900));
    auto* pages = graph.findChild<QStackedWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentWidget()->objectName(), "GraphPicture");
}

TEST_F(GraphWindows, ABrokenTemplateShowsGnuplotsMessageInsteadOfAGraph) {
    const auto broken = folder.path() / "broken.grf";
    std::ofstream(broken) << "set title 'fine'\nplot sin(x) +\n";
    GraphWindow& graph = drawn(broken);
    EXPECT_FALSE(graph.picture().isValid());
    const std::string problem = graph.problemText().toStdString();
    EXPECT_NE(problem.find("broken.grf"), std::string::npos) << problem;
    EXPECT_NE(problem.find("line 2"), std::string::npos) << "gnuplot's own message: " << problem;
    EXPECT_NE(problem.find("gnuplot failed (exit status 1)"), std::string::npos) << problem;
    auto* pages = graph.findChild<QStackedWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentWidget()->objectName(), "GraphMessage");

    // Mended, it draws: the window watches its template too.
    std::ofstream(broken) << "plot 'TDeltaNNO.dat' using 2:3 with points\n";
    QSignalSpy drawings(&graph, &GraphWindow::drawn);
    ASSERT_TRUE(drawings.wait(kGnuplotWait));
    EXPECT_TRUE(graph.picture().isValid()) << graph.problemText().toStdString();
    EXPECT_EQ(pages->currentWidget()->objectName(), "GraphPicture");
}

TEST_F(GraphWindows, ARunRewritingTheDataFilesRedrawsTheGraph) {
    GraphWindow& graph = drawn(shipped("TDeltaNNO.grf"));
    QSignalSpy drawings(&graph, &GraphWindow::drawn);
    EXPECT_FALSE(drawings.wait(800)) << "nothing changed, so nothing is drawn again";

    // A run creates the files anew: removed, then written again.
    std::filesystem::remove(folder.path() / "TDeltaNNO.dat");
    writeDeltaNno({{"MT-9", 700, -2.5}, {"MT-8", 760, -1.5}, {"MT-7", 1010, 2.0}});
    ASSERT_TRUE(drawings.wait(kGnuplotWait));
    EXPECT_TRUE(graph.picture().isValid());
    QTest::qWait(800);
    const int afterFirstChange = int(drawings.size());
    EXPECT_LE(afterFirstChange, 2) << "one run is drawn once or twice, not on every write";

    // And again for the next run, now that the new file is watched.
    writeDeltaNno({{"MT-1", 800, 0.1}});
    EXPECT_TRUE(drawings.wait(kGnuplotWait));
    EXPECT_GT(int(drawings.size()), afterFirstChange);
}

TEST_F(GraphWindows, SavesPngSvgAndPdfWithGnuplotsTerminals) {
    GraphWindow& graph = drawn(shipped("TDeltaNNO.grf"));
    const std::vector<std::pair<std::string, std::string>> formats{
        {"graph.png", "\x89PNG\r\n"}, {"graph.svg", "<?xml"}, {"Graph.PDF", "%PDF-"}};
    for (const auto& [name, magic] : formats) {
        const auto path = folder.path() / "saved" / name;
        std::filesystem::create_directories(path.parent_path());
        QSignalSpy saves(&graph, &GraphWindow::saved);
        ASSERT_TRUE(graph.saveTo(path)) << name;
        ASSERT_TRUE(saves.wait(kGnuplotWait)) << name;
        EXPECT_EQ(saves.at(0).at(0).toString(), "") << name;
        EXPECT_EQ(head(path, magic.size()), magic) << name;
    }
    std::ifstream svg(folder.path() / "saved" / "graph.svg");
    const std::string text{std::istreambuf_iterator<char>(svg), {}};
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("NNO buffer"), std::string::npos) << "the key is in the drawing";
    EXPECT_FALSE(graph.saveTo(folder.path() / "graph.jpg")) << "no such format";
}

TEST_F(GraphWindows, SaveAsAsksForTheFileAndReportsWhatCannotBeSaved) {
    GraphWindow& graph = drawn(shipped("TDeltaNNO.grf"));
    QSignalSpy saves(&graph, &GraphWindow::saved);
    desktop.dialogs.answers.push_back((folder.path() / "picked.pdf").string());
    graph.saveAs();
    ASSERT_TRUE(saves.wait(kGnuplotWait));
    ASSERT_EQ(desktop.dialogs.calls.size(), 1u);
    EXPECT_TRUE(desktop.dialogs.calls[0].save);
    EXPECT_EQ(desktop.dialogs.calls[0].filter,
              "PNG image(*.png)|*.png|SVG drawing(*.svg)|*.svg|PDF document(*.pdf)|*.pdf");
    EXPECT_EQ(head(folder.path() / "picked.pdf", 5), "%PDF-");
    EXPECT_TRUE(desktop.messages.shown.empty());

    desktop.dialogs.answers.push_back((folder.path() / "picked.jpg").string());
    graph.saveAs();
    ASSERT_EQ(desktop.messages.shown.size(), 1u);
    EXPECT_NE(desktop.messages.shown[0].text.find(".png, .svg and .pdf"), std::string::npos);

    // A folder that does not exist: gnuplot's complaint reaches the user, no file is made.
    const auto nowhere = folder.path() / "no such folder" / "graph.png";
    desktop.dialogs.answers.push_back(nowhere.string());
    graph.saveAs();
    ASSERT_TRUE(saves.wait(kGnuplotWait));
    EXPECT_FALSE(saves.last().at(0).toString().isEmpty());
    ASSERT_EQ(desktop.messages.shown.size(), 2u);
    EXPECT_NE(desktop.messages.shown[1].text.find("could not be saved"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    graph.saveAs();  // cancelled
    EXPECT_EQ(desktop.messages.shown.size(), 2u);
}

TEST_F(GraphWindows, OpenInGnuplotIsOfferedOnlyWhenGnuplotHasWindows) {
    GraphWindow& graph = drawn(shipped("TDeltaNNO.grf"));
    QAction& openInGnuplot = namedChild<QAction>(graph, "mnuGraphOpenInGnuplot");
    for (int waited = 0; !window->gnuplotOpensWindows() && waited < kGnuplotWait; waited += 50)
        QTest::qWait(50);
    ASSERT_TRUE(window->gnuplotOpensWindows().has_value()) << "gnuplot did not answer";
    EXPECT_EQ(openInGnuplot.isEnabled(), *window->gnuplotOpensWindows());
}

}  // namespace
}  // namespace kelvorad::fakes
