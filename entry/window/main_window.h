#pragma once
// The main window (kkj): the analysis table, its files, editing, menus, toolbar and the method
// options. The table and its commands live in AnalysisDocument; this window runs each command's
// steps in order and shows their effect. Desktop side effects go through DesktopServices.

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "analysis_document.h"
#include "desktop_services.h"
#include "method_options.h"
#include "recovery_keeper.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QUndoStack;

namespace kelvorad {

class TextGridView;
class MethodMenus;

// Commands the main window offers whose work is done elsewhere in the program. Each is a
// function returning an error code for the toolbar's error report (0: no error, or one the
// command has reported itself). Unset hooks do nothing.
enum class WindowHook {
    Calculate,          // mnuOpen "Open File to Calculate", toolbar 13
    About,              // mnuAbout, toolbar 20
    Help,               // mnuHelpContents, F1, opening the Help menu, toolbar 21
    NextScreen,         // toolbar 22: show the results window
    LoadXlsFromMenu,    // mnu9703: load a .xls workbook, stopping when no file is chosen
    LoadXlsFromButton,  // toolbar 15 and Command2: load a .xls workbook
    LoadXlsx,           // mnu07Later, toolbar 16: load a .xlsx workbook
    EditXlsFromMenu,    // mnu9703e: open the .xls template for editing
    EditXlsFromButton,  // toolbar 17 and Command3: the same, setting the screen title
    EditXlsx,           // mnu07Latere, toolbar 18: open the .xlsx template for editing
    CloseOtherWindows,  // Exit, step 1: close the results window
    QuitSpreadsheet,    // Exit, step 2: ask the spreadsheet application to quit
    Count
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the window in its start-up state. The services must outlive the window.
    explicit MainWindow(DesktopServices desktop, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The analysis table. After changing it directly, call showTableChanges() (which empties
    // the undo history), or recordTableChange() to make the change a step of it.
    AnalysisTable& analysisTable() { return document_.table(); }
    AnalysisDocument& document() { return document_; }
    void showTableChanges();
    // Shows the table and adds the change from `before` to the table as it is now to the undo
    // history as one step named `text` ("Load Workbook"); no step when no cell changed.
    void recordTableChange(const std::string& text, const AnalysisTable& before);
    // The undo history of the analysis table: emptied by New File and Open File, marked clean
    // by a save.
    QUndoStack& undoStack() { return *undoStack_; }
    // Lays the table out (counts, headers, row numbers) without clearing data, and shows it.
    void capCell();

    // Keeps a recovery file of the table in `folder` from now on, while the table has unsaved
    // changes (see RecoveryKeeper). A clean save, New File or Open File, and closing the
    // window remove it.
    void keepRecoveryFile(const std::filesystem::path& folder, RecoveryTimings timings = {});
    // This window's recovery file (it exists only while there is something to keep); empty
    // when no recovery file is kept.
    std::filesystem::path recoveryFilePath() const;
    // Offers, one after another and newest first, the recovery files of the recovery folder
    // left by a Kelvorad that no longer runs: Yes restores one into a new table (and ends the
    // offers), No discards it, Cancel keeps it and the rest for the next start. True when a
    // table was restored.
    bool offerRecovery();

    // The method options' check marks; setting them updates the menus.
    MethodChecks methodChecks() const;
    void setMethodChecks(const MethodChecks& checks);
    // The check mark of "Open File to Calculate" (mnuOpen), set by Open File.
    bool isOpenFileToCalculateChecked() const;
    void setOpenFileToCalculateChecked(bool checked);

    // The file name last chosen in Open File (or set by a workbook import); empty at start.
    const std::string& currentFileName() const { return document_.fileName(); }
    void setCurrentFileName(const std::string& name) {
        document_.setFileName(name);
        tableFile_ = name;
    }
    // The name the window's file dialog last returned (Open File, Save As, or below).
    const std::string& dialogFileName() const { return dialogFileName_; }
    // Shows the open dialog with the analysis-file filter; returns the chosen name, or the
    // empty text when cancelled. A chosen name becomes the dialog's file name.
    std::string askForAnalysisFileName();

    // The screen title (Label3).
    void setScreenTitle(const std::string& title);
    std::string screenTitle() const;
    // Status panel 1 (the current file): sets its text and enables it.
    void setStatusPanel1(const std::string& text);
    void showCellEditor();
    std::string cellEditorText() const;

    // The unsaved-change question. True when the caller may go on: nothing to lose, No, or
    // Yes and the table was saved. False on Cancel, or when the save was cancelled or failed.
    bool askToSaveChanges();
    // Shows the error report's message for `code` (nothing for 0 and unknown codes).
    void reportError(int code);
    void setHook(WindowHook hook, std::function<int()> command);

    // Toolbar position 1 to 22 (separators included).
    QAction& toolbarButton(int position) const;
    // Runs the command of a toolbar position, then the error report on its error.
    void runToolbarButton(int position);

  public slots:
    void newFile();
    // Open File: asks for a file, then the unsaved-change question, then opens it.
    void openFile();
    // Open File with the name already chosen (the command line's file): no question asked.
    void openFileNamed(const std::string& path);
    void saveAs();
    void closeFile();
    // Exit: closes the window (after the unsaved-change question) and ends the program.
    void exitProgram();
    void clearAll();
    void removeRow();
    void insertRow();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();
    void undo();
    void redo();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Actions;

    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createCentralArea();
    void applyStartUpState();
    void connectTable();

    int runHook(WindowHook hook);
    void pushTableChange(const std::string& text, const AnalysisTable& before, bool typing);
    bool typeIntoTable(char32_t code);
    bool writeIntoCurrentCell(const std::string& text);
    void updateUndoActions();
    void noteTableChange();
    void restoreRecovered(const RecoveredTable& recovered);
    int cutCommand();
    int copyCommand();
    int pasteCommand();
    bool saveWithDialog();
    bool writeAnalysisFileTo(const std::string& path);
    void reportFileFailure(const FileResult& result);
    void setToolbarEnabled(std::initializer_list<int> positions, bool enabled);
    void setEditMenuEnabled(bool enabled);
    void showPictures();
    void updateClock();
    void popUpCentred(QMenu& menu, QPoint globalPosition);

    DesktopServices desktop_;
    AnalysisDocument document_;
    std::string dialogFileName_;
    std::pair<int, int> mirroredCell_{-1, -1};  // the cell the editor took its text from
    std::array<std::function<int()>, static_cast<std::size_t>(WindowHook::Count)> hooks_;

    QUndoStack* undoStack_ = nullptr;
    bool tableEditable_ = false;  // the Edit menu is on: Undo and Redo may run
    RecoveryKeeper* recovery_ = nullptr;
    std::string tableFile_;  // last opened from or saved to, for the recovery file
    std::unique_ptr<Actions> actions_;
    std::unique_ptr<MethodMenus> methodMenus_;
    std::array<QAction*, 23> toolbar_{};  // by position; 0 unused
    std::array<std::function<int()>, 23> toolbarCommands_;
    TextGridView* table_ = nullptr;
    QLineEdit* cellEditor_ = nullptr;
    QFrame* startUpPanel_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* banner_ = nullptr;
    QLabel* magnetitePicture_ = nullptr;
    QLabel* ilmenitePicture_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
};

}  // namespace kelvorad
