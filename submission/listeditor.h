#pragma once

#include <QDialog>
#include <filesystem>

#include "platform/core/gridtable.h"

class ProgramFolder;
class Prompts;
class QTableWidget;
class TipsPane;

// The Submission List Editor: one engine list (engine names and their submission pages) as an
// editable grid, with the commands that make, open, save, import, sort and edit lists. Opened
// for one use. Each command is an action whose object name is its handler's with "Item" in
// place of "Click" ("importItem"), and stands on the toolbar as well.
class SubmissionListEditor : public QDialog {
    Q_OBJECT
public:
    SubmissionListEditor(ProgramFolder& folder, Prompts& prompts, QWidget* parent = nullptr);

    QTableWidget* grid() const { return m_grid; }
    TipsPane* hintPane() const { return m_hint; }
    const GridTable& list() const { return m_list; }
    // The file the list is saved to; empty until a list was opened or made new.
    const std::filesystem::path& currentList() const { return m_current; }

public slots:
    void newClick();
    void openClick();
    void saveClick();
    void saveAsClick();
    void importClick();
    void sortClick();
    void addClick();
    void deleteClick();
    void closeClick();
    void exitClick();
    void helpClick();

private:
    void showList();
    // The row Insert and Delete act on: the grid's current row, else the first.
    int currentRow() const;

    ProgramFolder& m_folder;
    Prompts& m_prompts;
    GridTable m_list{2, 1};
    std::filesystem::path m_current;
    std::filesystem::path m_lastOpened;
    QTableWidget* m_grid = nullptr;
    TipsPane* m_hint = nullptr;
};
