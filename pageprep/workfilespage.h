#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "pageprep/core/projectcontext.h"

class ProgramFolder;
class Prompts;
class QComboBox;
class QMenu;
class QToolButton;
class QTreeWidget;
class TipsPane;
class WorkFiles;

// Step 2, "2. Select File(s)": the named page lists of the active project, the list being worked
// on (WorkFileList) as rows with tick boxes, and the operations on both. Every operation stands
// on a button, in the popup menu of the rows (FileUp) and in the main menu "Fi&les" the window
// fills through addMenuItems. Going on to step 3 and back to step 1 is the window's.
class WorkFilesPage : public QWidget {
    Q_OBJECT
public:
    struct Context {
        ProgramFolder& folder;
        Prompts& prompts;
        WorkFiles& workFiles;
        std::function<void(int panel, const std::string& text)> setStatus;
    };

    explicit WorkFilesPage(Context context, QWidget* parent = nullptr);

    QComboBox* flist() const { return m_flist; }
    QTreeWidget* workfiles() const { return m_view; }
    TipsPane* filem() const { return m_tips; }
    QMenu* fileUp() const { return m_popup; }
    QToolButton* localButton() const { return m_local; }
    QToolButton* webButton() const { return m_web; }
    // Where the "List" dialog starts: "My File Lists" until a project is opened.
    const std::filesystem::path& listDialogFolder() const { return m_listFolder; }
    void setListDialogFolder(std::filesystem::path folder) { m_listFolder = std::move(folder); }

    // Adds the page's operations to the main menu "Fi&les".
    void addMenuItems(QMenu* files);

    // Fills the page for a project that has just been selected and loads its default list.
    void OpenProjectFileLists(const std::string& project, WebType webType);
    // The name of the current list: the flist text.
    std::string listName() const;
    // ActiveFiles from the ticked rows ("None" when none is ticked).
    std::vector<std::string> addActiveFiles() const;
    // Shows why name cannot be a list's file name and returns false, or returns true. What is
    // stored under a list's name (its pages, the values read for it) goes through here.
    bool acceptListName(const std::string& name);

signals:
    void nextRequested();
    void previousRequested();
    // The last rows were deleted: the window falls back to step 1.
    void pagesEmptied();

public slots:
    // Loads the list named by the flist text.
    void chooseList();
    void localClick();
    void webClick();
    void listClick();
    // Writes WorkFileList under the flist text; false when nothing was written.
    bool saveListClick();
    void deleteListClick();
    void renameClick();
    void deleteFilesClick();
    void WorkFilesSelectAll();
    void WorkFilesClearAll();
    void helpClick();

private:
    void buildControls();
    void showRows();
    void addEntry(const std::string& entry);
    void refillLists();

    ProgramFolder& m_folder;
    Prompts& m_prompts;
    std::string m_project;
    WebType m_webType = WebType::Net;
    WorkFiles& m_files;
    std::function<void(int, const std::string&)> m_setStatus;
    std::filesystem::path m_listFolder;

    QComboBox* m_flist = nullptr;
    QTreeWidget* m_view = nullptr;
    TipsPane* m_tips = nullptr;
    QMenu* m_popup = nullptr;
    QToolButton* m_local = nullptr;
    QToolButton* m_web = nullptr;
};
