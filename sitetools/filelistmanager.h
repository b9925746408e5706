#pragma once

#include "platform/displaytext.h"

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

class ProgramFolder;
class Prompts;
class QAction;
class QCloseEvent;
class QPlainTextEdit;

// What tells the position checker's file list manager from the submission tool's.
struct FileListManagerVariant {
    enum class Command {
        New,
        Open,
        Save,
        SaveAs,
        Close,
        Exit,
        Cut,
        Copy,
        Paste,
        SelectAll,
        SelectNone,
        Undo,
        CopyAll,
        EditHint,
        Help,
        About
    };
    struct Item {
        Command command;
        std::string caption;  // toolbar buttons without a caption show their glyph only
    };
    enum class SaveWithoutFile { AskForName, ReportError };
    enum class SavedBox { Information, Plain };

    std::string initialTitle;
    std::string titlePrefix;  // followed by the current file's name
    std::vector<Item> toolbar;
    std::vector<Item> fileMenu;
    bool editMenu = true;
    std::string helpItemCaption;
    bool editorScrollBars = true;
    std::string newCaption;  // of the input box that asks for a new list's name
    std::string openFilter;
    std::string saveAsFilter;
    std::string saveAsDefaultName;  // preset of the save dialog when no file is current
    SaveWithoutFile saveWithoutFile = SaveWithoutFile::AskForName;
    SavedBox savedBox = SavedBox::Information;
    std::string helpTopic;
    std::string aboutText;

    static const FileListManagerVariant& ranqor();
    static const FileListManagerVariant& vistral();
};

// The file list manager: a plain-text editor (Memo1) for one list file at a time, with a hint
// pane (Memo2) beside it. Each command of the toolbar and the menus is an action whose object
// name is the command's handler name with "Button" or "Item" in place of "Click"
// ("newButton", "newItem"); tests trigger those actions or call the handlers directly.
class Tflsmanage : public QDialog {
    Q_OBJECT
public:
    // Opens on no file. A hint file that cannot be read is reported and leaves the pane empty.
    Tflsmanage(ProgramFolder& folder, Prompts& prompts, const FileListManagerVariant& variant,
               QWidget* parent = nullptr);

    // Loads file into the editor and makes it the current file; this window's titles are then
    // titlePrefix + the file's name. A file that cannot be read is reported and the editor stays
    // empty; a missing one still becomes the current file, so Save creates it.
    void openOn(const std::filesystem::path& file, const std::string& titlePrefix);

    const std::filesystem::path& currentFile() const { return m_currentFile; }
    QPlainTextEdit* editor() const { return m_memo1; }
    QPlainTextEdit* hintPane() const { return m_memo2; }

public slots:
    void newClick();
    void openClick();
    void saveClick();
    void saveAsClick();
    void closeClick();
    void exitClick();
    void cutClick();
    void copyClick();
    void pasteClick();
    void selectAllClick();
    void selectNoneClick();
    void undoClick();
    void copyAllClick();
    void editHintClick();
    void helpClick();
    void aboutClick();

    // Closing with unsaved edits asks whether to save them first; Cancel keeps the window open.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // True when nothing unsaved is left: there was none, the user saved it, or chose to drop it.
    bool settleUnsavedEdits();
    // Save: to the current file, or under a name asked for. True when the editor was written.
    bool save();
    void buildControls();
    QAction* makeAction(FileListManagerVariant::Command command, const std::string& caption, bool onToolbar);
    void loadHint();
    bool loadFile(const std::filesystem::path& file);
    bool writeEditor(const std::filesystem::path& file);
    void setCurrentFile(const std::filesystem::path& file);

    ProgramFolder& m_folder;
    Prompts& m_prompts;
    const FileListManagerVariant& m_variant;
    std::string m_titlePrefix;
    std::filesystem::path m_currentFile;
    QPlainTextEdit* m_memo1 = nullptr;
    LineBytes m_loadedLines;  // the bytes of the loaded file's lines that UTF-8 does not show as stored
    QPlainTextEdit* m_memo2 = nullptr;
    QAction* m_editHintItem = nullptr;
    bool m_editingHint = false;
};

// Opens the manager modally with an empty editor and no current file.
void openFileListManager(ProgramFolder& folder, Prompts& prompts, const FileListManagerVariant& variant,
                         QWidget* parent = nullptr);

// Opens the manager modally on file (a full path, e.g. from ProgramFolder::resolve), titled
// titlePrefix + the file's name. The caller may read the file again when this returns.
void openFileListManager(ProgramFolder& folder, Prompts& prompts, const FileListManagerVariant& variant,
                         const std::filesystem::path& file, const std::string& titlePrefix,
                         QWidget* parent = nullptr);
