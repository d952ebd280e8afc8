#include "graph_window.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QToolBar>
#include <cctype>
#include <optional>
#include <system_error>

#include "graph_launching.h"
#include "graph_picture.h"
#include "plot_data_files.h"

namespace kelvorad {

namespace {
constexpr const char* kMessageTitle = "Kelvorad";
constexpr const char* kSaveFilter =
    "PNG image(*.png)|*.png|SVG drawing(*.svg)|*.svg|PDF document(*.pdf)|*.pdf";
constexpr int kSettleMilliseconds = 300;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QString pathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// The exit status finishGraphRender takes: -1 for a gnuplot that crashed or was killed.
int exitStatusOf(const QProcess& process) {
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString gnuplotMessage(QProcess& process) {
    return QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
}

std::optional<ImageFormat> formatOfFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    if (extension.empty()) return std::nullopt;
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return imageFormatNamed(std::string_view(extension).substr(1));
}
}  // namespace

GraphWindow::GraphWindow(std::filesystem::path templatePath, GraphFolders folders,
                         DesktopServices desktop, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      templatePath_(std::move(templatePath)),
      folders_(std::move(folders)),
      desktop_(desktop) {
    setObjectName("GraphWindow");
    setWindowTitle(q(templatePath_.filename().string()) + " - Kelvorad");
    createActions();

    pages_ = new QStackedWidget(this);
    graph_ = new GraphPicture(pages_);
    graph_->setObjectName("GraphPicture");
    message_ = new QPlainTextEdit(pages_);
    message_->setObjectName("GraphMessage");
    message_->setReadOnly(true);
    message_->setFont(QFont("monospace"));
    pages_->addWidget(graph_);
    pages_->addWidget(message_);
    setCentralWidget(pages_);
    state_ = new QLabel(this);
    state_->setObjectName("GraphState");
    statusBar()->addWidget(state_, 1);

    for (QProcess* process : {&drawing_, &saving_}) {
        process->setWorkingDirectory(pathText(folders_.working));
        process->setStandardInputFile(QProcess::nullDevice());
    }
    connect(&drawing_, &QProcess::finished, this, [this] { drawingEnded(exitStatusOf(drawing_)); });
    connect(&drawing_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) drawingEnded(-1);
    });
    connect(&saving_, &QProcess::finished, this, [this] { savingEnded(exitStatusOf(saving_)); });
    connect(&saving_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) savingEnded(-1);
    });

    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &GraphWindow::checkForChanges);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { settle_.start(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { settle_.start(); });
    watchFiles();

    resize(900, 720);
    redraw();
}

// A gnuplot still running is ended with the window rather than left behind.
GraphWindow::~GraphWindow() {
    for (QProcess* process : {&drawing_, &saving_}) {
        process->disconnect();
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(1000);
        }
    }
    std::error_code ignored;
    std::filesystem::remove(savePlan_.temporary, ignored);
}

void GraphWindow::createActions() {
    QToolBar* bar = addToolBar("Graph");
    bar->setObjectName("GraphToolBar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    saveAction_ = bar->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), "Save As...");
    saveAction_->setObjectName("mnuGraphSaveAs");
    saveAction_->setShortcut(QKeySequence::Save);
    saveAction_->setToolTip("Save the graph as a PNG image, an SVG drawing or a PDF document");
    QAction* redrawAction =
        bar->addAction(style()->standardIcon(QStyle::SP_BrowserReload), "Redraw");
    redrawAction->setObjectName("mnuGraphRedraw");
    redrawAction->setShortcut(QKeySequence::Refresh);
    openInGnuplotAction_ = bar->addAction("Open in gnuplot");
    openInGnuplotAction_->setObjectName("mnuGraphOpenInGnuplot");
    setOpenInGnuplotAvailable(false);
    connect(saveAction_, &QAction::triggered, this, &GraphWindow::saveAs);
    connect(redrawAction, &QAction::triggered, this, &GraphWindow::redraw);
    connect(openInGnuplotAction_, &QAction::triggered, this, &GraphWindow::openInGnuplot);
}

void GraphWindow::startGnuplot(QProcess& process, const RenderPlan& plan) {
    QStringList arguments;
    for (const std::string& argument : plan.arguments) arguments << q(argument);
    process.start(QString::fromUtf8(kGnuplotProgram.data(), qsizetype(kGnuplotProgram.size())),
                  arguments);
}

bool GraphWindow::isDrawing() const {
    return drawing_.state() != QProcess::NotRunning;
}

const QSvgRenderer& GraphWindow::picture() const {
    return graph_->renderer();
}

void GraphWindow::redraw() {
    if (isDrawing()) {
        drawAgain_ = true;
        return;
    }
    drawnStamps_ = fileStamps();
    const std::filesystem::path svg = scratch_.filePath("graph.svg").toStdString();
    drawPlan_ = planGraphRender(templatePath_, folders_, ImageFormat::Svg, svg);
    state_->setText("Drawing " + q(templatePath_.string()) + " ...");
    startGnuplot(drawing_, drawPlan_);
}

void GraphWindow::drawingEnded(int exitStatus) {
    const QString gnuplotSays = gnuplotMessage(drawing_);
    const RenderResult result = finishGraphRender(drawPlan_, exitStatus);
    if (!result.done) {
        showProblem(q(result.problem) + (gnuplotSays.isEmpty() ? "" : ":\n\n" + gnuplotSays));
    } else if (!graph_->load(pathText(drawPlan_.target))) {
        showProblem("gnuplot's drawing is not a valid SVG document");
    } else {
        problem_.clear();
        pages_->setCurrentWidget(graph_);
        const QString time = QTime::currentTime().toString("HH:mm:ss");
        // Warnings (a data file without points, say) do not stop the graph; the first shows.
        const QString warning = gnuplotSays.section('\n', 0, 0);
        state_->setText("Drawn at " + time + " from " + q(templatePath_.filename().string()) +
                        (warning.isEmpty() ? "" : "   gnuplot: " + warning));
        state_->setToolTip(gnuplotSays);
    }
    emit drawn();
    if (drawAgain_) {
        drawAgain_ = false;
        redraw();
    }
}

void GraphWindow::showProblem(const QString& problem) {
    problem_ = "The graph template " + q(templatePath_.string()) + " could not be drawn.\n\n" +
               problem + "\n\ngnuplot ran in " + q(folders_.working.string()) + ".";
    message_->setPlainText(problem_);
    pages_->setCurrentWidget(message_);
    state_->setText("Not drawn: see gnuplot's message");
    state_->setToolTip({});
}

// The files a drawing depends on: the plot data files of the working folder and the template.
// A file that is gone gives the earliest time.
std::vector<std::filesystem::file_time_type> GraphWindow::fileStamps() const {
    std::vector<std::filesystem::file_time_type> stamps;
    const auto stampOf = [&stamps](const std::filesystem::path& path) {
        std::error_code error;
        const auto time = std::filesystem::last_write_time(path, error);
        stamps.push_back(error ? std::filesystem::file_time_type::min() : time);
    };
    for (const PlotFileSpec& file : plotFiles()) stampOf(folders_.working / file.fileName);
    stampOf(templatePath_);
    return stamps;
}

// A run creates its files anew: the working folder is watched for files that appear, and
// each file again once it is there (a watch ends when its file is replaced).
void GraphWindow::watchFiles() {
    QStringList paths{pathText(folders_.working), pathText(templatePath_)};
    for (const PlotFileSpec& file : plotFiles())
        paths << pathText(folders_.working / file.fileName);
    QStringList missing;
    const QStringList watched = watcher_.files() + watcher_.directories();
    for (const QString& path : paths) {
        if (!watched.contains(path) && QFileInfo::exists(path)) missing << path;
    }
    if (!missing.isEmpty()) watcher_.addPaths(missing);
}

void GraphWindow::checkForChanges() {
    watchFiles();
    if (fileStamps() != drawnStamps_) redraw();
}

void GraphWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    checkForChanges();
}

void GraphWindow::saveAs() {
    const std::string name = desktop_.dialogs.askSaveFileName("Save Graph", kSaveFilter);
    if (name.empty()) return;
    if (!formatOfFile(name)) {
        desktop_.messages.showMessage(
            kMessageTitle, "A graph is saved as a PNG image, an SVG drawing or a PDF document: \"" +
                               name + "\" ends in none of .png, .svg and .pdf.");
        return;
    }
    if (!saveTo(name)) {
        desktop_.messages.showMessage(kMessageTitle,
                                      "The graph is still being saved; try again in a moment.");
    }
}

bool GraphWindow::saveTo(const std::filesystem::path& path) {
    const std::optional<ImageFormat> format = formatOfFile(path);
    if (!format || saving_.state() != QProcess::NotRunning) return false;
    savePlan_ = planGraphRender(templatePath_, folders_, *format, path);
    if (!savePlan_.problem.empty()) {
        savingEnded(-2);
        return true;
    }
    saveAction_->setEnabled(false);
    state_->setText("Saving " + pathText(path) + " ...");
    startGnuplot(saving_, savePlan_);
    return true;
}

void GraphWindow::savingEnded(int exitStatus) {
    saveAction_->setEnabled(true);
    QString problem;
    if (exitStatus == -2) {
        problem = q(savePlan_.problem);
    } else {
        const QString gnuplotSays = gnuplotMessage(saving_);
        const RenderResult result = finishGraphRender(savePlan_, exitStatus);
        if (!result.done) {
            problem = q(result.problem) + (gnuplotSays.isEmpty() ? "" : ":\n\n" + gnuplotSays);
        }
    }
    if (problem.isEmpty()) {
        state_->setText("Saved " + pathText(savePlan_.target));
    } else {
        state_->setText("Not saved");
        desktop_.messages.showMessage(kMessageTitle, "The graph could not be saved as " +
                                                         savePlan_.target.string() + ".\n\n" +
                                                         problem.toStdString());
    }
    emit saved(problem);
}

void GraphWindow::openInGnuplot() {
    if (!openTemplateInGnuplot(templatePath_, desktop_.shell, folders_)) {
        desktop_.messages.showMessage(kMessageTitle, "gnuplot could not be started.");
    }
}

void GraphWindow::setOpenInGnuplotAvailable(bool available) {
    openInGnuplotAction_->setEnabled(available);
    openInGnuplotAction_->setToolTip(
        available ? "Open the template in gnuplot's own window, to change it interactively"
                  : "The installed gnuplot cannot open windows (install gnuplot-qt or "
                    "gnuplot-x11 for this)");
}

QProcess* probeWindowedGnuplot(QObject* owner, std::function<void(bool)> answer) {
    auto* process = new QProcess(owner);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    const auto reply = [process, answer](bool windowed) {
        process->disconnect();
        process->deleteLater();
        answer(windowed);
    };
    QObject::connect(process, &QProcess::finished, process, [process, reply] {
        reply(listsWindowTerminal(process->readAll().toStdString()));
    });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [reply](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) reply(false);
                     });
    QStringList arguments;
    for (const std::string& argument : terminalListArguments()) arguments << q(argument);
    process->start(QString::fromUtf8(kGnuplotProgram.data(), qsizetype(kGnuplotProgram.size())),
                   arguments);
    return process;
}

void endGnuplotProbe(QProcess* probe) {
    if (!probe) return;
    probe->disconnect();
    if (probe->state() != QProcess::NotRunning) {
        probe->kill();
        probe->waitForFinished(1000);
    }
    delete probe;
}

}  // namespace kelvorad
