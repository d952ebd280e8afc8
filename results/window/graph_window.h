#pragma once
// A graph shown inside Kelvorad: one graph template drawn by gnuplot as SVG and displayed with
// Qt SVG. gnuplot runs as a process of its own in the working folder, where the calculation
// run writes the plot data files, so the window never waits for it. The window draws again
// when a run rewrites those files or the template changes; a template that fails shows
// gnuplot's message in place of the graph. Save As writes PNG, SVG or PDF with gnuplot's own
// terminals (cairo for PNG and PDF: smooth lines and real text, sharper than a redrawn SVG);
// "Open in gnuplot" opens the template in gnuplot's own window for editing, when the installed
// gnuplot has one.

#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <vector>

#include "desktop_services.h"
#include "graph_rendering.h"
#include "graph_templates.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QSvgRenderer;

namespace kelvorad {

class GraphPicture;

class GraphWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Starts drawing at once. The services must outlive the window.
    GraphWindow(std::filesystem::path templatePath, GraphFolders folders, DesktopServices desktop,
                QWidget* parent = nullptr);
    ~GraphWindow() override;

    const std::filesystem::path& templatePath() const { return templatePath_; }
    const GraphFolders& folders() const { return folders_; }

    // Draws the graph again; while a drawing runs, once more when it ends.
    void redraw();
    bool isDrawing() const;
    // The graph last drawn (not valid while none could be drawn).
    const QSvgRenderer& picture() const;
    // What went wrong with the last drawing, gnuplot's message included; empty after a good
    // one. The window shows it instead of the graph.
    QString problemText() const { return problem_; }

    // Save As: asks for a file name and writes the graph in the format of its extension
    // (.png, .svg or .pdf). Failures are reported in a message box.
    void saveAs();
    // Writes the graph to `path` in the format of its extension, without a dialog; false when
    // the extension names no format or a save is still running. `saved` tells the outcome.
    bool saveTo(const std::filesystem::path& path);

    // "Open in gnuplot": the template in gnuplot's own window. Enabled only when the
    // installed gnuplot can open windows (see probeWindowedGnuplot).
    void openInGnuplot();
    void setOpenInGnuplotAvailable(bool available);

  signals:
    // A drawing ended, with a picture or with a problem.
    void drawn();
    // A save ended; `problem` is empty when the file is in place.
    void saved(const QString& problem);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void createActions();
    void startGnuplot(QProcess& process, const RenderPlan& plan);
    void drawingEnded(int exitStatus);
    void savingEnded(int exitStatus);
    void watchFiles();
    void checkForChanges();
    std::vector<std::filesystem::file_time_type> fileStamps() const;
    void showProblem(const QString& problem);

    std::filesystem::path templatePath_;
    GraphFolders folders_;
    DesktopServices desktop_;
    QTemporaryDir scratch_;  // the SVG file drawn for display
    QProcess drawing_;
    QProcess saving_;
    RenderPlan drawPlan_;
    RenderPlan savePlan_;
    bool drawAgain_ = false;
    QString problem_;
    std::vector<std::filesystem::file_time_type> drawnStamps_;
    QFileSystemWatcher watcher_;
    QTimer settle_;  // a run writes its files in several steps: draw once they rest

    QStackedWidget* pages_ = nullptr;
    GraphPicture* graph_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QLabel* state_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* openInGnuplotAction_ = nullptr;
};

// Asks gnuplot, without waiting, whether it can open plot windows (its terminal list names
// qt, wxt or x11), and calls `answer` with the reply once it ended; false when gnuplot is
// missing. The process belongs to `owner` and deletes itself after answering; an owner that
// goes first ends it with endGnuplotProbe, so that `answer` never runs on a half-destroyed
// owner.
QProcess* probeWindowedGnuplot(QObject* owner, std::function<void(bool)> answer);
void endGnuplotProbe(QProcess* probe);

}  // namespace kelvorad
