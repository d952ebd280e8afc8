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
#include "recent_files.h"
#include "recovery_keeper.h"
#include "result.h"

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
class UncertaintyOptions;

// Commands the main window offers whose work is done elsewhere in the program. Each reports
// its own failures, so none leaves anything for the toolbar's error report. Unset hooks do
// nothing.
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

// The toolbar's buttons. Each value is the button's position on the toolbar, counted from 1
// with the separators, which stand at positions 6, 12, 14 and 19.
enum class MainToolbarButton {
    New = 1,
    Open = 2,
    Save = 3,
    Close = 4,
    Exit = 5,
    Cut = 7,
    Copy = 8,
    Paste = 9,
    Delete = 10,
    SelectAll = 11,
    Calculate = 13,
    LoadXls = 15,
    LoadXlsx = 16,
    EditXls = 17,
    EditXlsx = 18,
    About = 20,
    Help = 21,
    NextScreen = 22,
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
    // The Method menu's Monte Carlo uncertainty item and its settings.
    UncertaintyOptions& uncertaintyOptions() const { return *uncertainty_; }
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
    void setFileStatus(const std::string& text);
    void showCellEditor();
    std::string cellEditorText() const;

    // The unsaved-change question. True when the caller may go on: nothing to lose, No, or
    // Yes and the table was saved. False on Cancel, or when the save was cancelled or failed.
    bool askToSaveChanges();
    // The Recent Files submenu's list, newest first. Remembering a file puts it first and
    // stores the list in the program's settings; Open File and Save As remember theirs.
    const RecentFiles& recentFiles() const { return recent_; }
    void rememberAnalysisFile(const std::string& path);
    // Fills the submenu from the list, first dropping the files that are gone (as showing
    // the submenu does).
    void fillRecentFilesMenu();

    // Shows the error report's message for a command's outcome (nothing on success, or for a
    // failure the command reported itself).
    void reportError(const Status& outcome);
    void setHook(WindowHook hook, std::function<void()> command);

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
    // A Recent Files entry: the unsaved-change question, then Open File with that name.
    void openRecentFile(const std::string& path);
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
    // "Other pressure…": asks a pressure from 1 to 10000 bars for the full model; checked
    // only when one is given (cancelling leaves the item unchecked).
    void askOtherPressure(bool checked);
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

    void runHook(WindowHook hook);
    Status runToolbarCommand(MainToolbarButton button);
    QAction& toolbarAction(MainToolbarButton button) const;
    void pushTableChange(const std::string& text, const AnalysisTable& before, bool typing);
    bool typeIntoTable(char32_t code);
    bool writeIntoCurrentCell(const std::string& text);
    void updateUndoActions();
    void noteTableChange();
    void restoreRecovered(const RecoveredTable& recovered);
    Status cutCommand();
    Status copyCommand();
    Status pasteCommand();
    bool saveWithDialog();
    bool writeAnalysisFileTo(const std::string& path);
    void reportFileFailure(const FileResult& result);
    void setToolbarEnabled(std::initializer_list<MainToolbarButton> buttons, bool enabled);
    void setEditMenuEnabled(bool enabled);
    void showPictures();
    void updateClock();
    void popUpCentred(QMenu& menu, QPoint globalPosition);

    DesktopServices desktop_;
    AnalysisDocument document_;
    std::string dialogFileName_;
    RecentFiles recent_;
    std::pair<int, int> mirroredCell_{-1, -1};  // the cell the editor took its text from
    std::array<std::function<void()>, static_cast<std::size_t>(WindowHook::Count)> hooks_;

    QUndoStack* undoStack_ = nullptr;
    bool tableEditable_ = false;  // the Edit menu is on: Undo and Redo may run
    RecoveryKeeper* recovery_ = nullptr;
    std::string tableFile_;  // last opened from or saved to, for the recovery file
    std::unique_ptr<Actions> actions_;
    std::unique_ptr<MethodMenus> methodMenus_;
    UncertaintyOptions* uncertainty_ = nullptr;  // owned by the Method menu
    std::array<QAction*, 23> toolbarActions_{};  // by position, separators included; 0 unused
    TextGridView* table_ = nullptr;
    QLineEdit* cellEditor_ = nullptr;
    QFrame* startUpPanel_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* banner_ = nullptr;
    QLabel* magnetitePicture_ = nullptr;
    QLabel* ilmenitePicture_ = nullptr;
    QPushButton* loadWorkbookButton_ = nullptr;
    QPushButton* editWorkbookButton_ = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
};

}  // namespace kelvorad
