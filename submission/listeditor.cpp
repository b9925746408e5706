#include "submission/listeditor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "pageprep/tipspane.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/text.h"
#include "platform/displaytext.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"
#include "submission/core/gridrows.h"

SubmissionListEditor::SubmissionListEditor(ProgramFolder& folder, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_folder(folder), m_prompts(prompts) {
    setWindowTitle("Submission List Editor - Developer Edition");
    m_grid = new QTableWidget(this);
    m_grid->setObjectName("grid");
    m_grid->setColumnCount(2);
    m_grid->horizontalHeader()->setVisible(false);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->row() < m_list.rowCount() && item->column() < m_list.columnCount())
            m_list.setCell(item->column(), item->row(), withCrLf(fromDisplay(item->text())));
    });
    m_hint = new TipsPane("hintPane", this);
    try {
        m_hint->load(m_folder.resolve("tips\\sedit.txt"));
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }

    auto* menus = new QMenuBar(this);
    auto* toolbar = new PageToolbar(this);
    struct Entry {
        const char* name;
        const char* button;
        const char* item;
        void (SubmissionListEditor::*handler)();
        QMenu* menu;
    };
    QMenu* file = menus->addMenu("&File");
    QMenu* edit = menus->addMenu("&Edit");
    QMenu* help = menus->addMenu("&Help");
    const Entry entries[] = {
        {"new", "New", "&New List", &SubmissionListEditor::newClick, file},
        {"open", "Open", "&Open List ...", &SubmissionListEditor::openClick, file},
        {"save", "Save", "&Save List", &SubmissionListEditor::saveClick, file},
        {"saveAs", "Save As", "Save &As ...", &SubmissionListEditor::saveAsClick, file},
        {"import", "Import", "&Import list ...", &SubmissionListEditor::importClick, file},
        {"close", "Close", "&Close", &SubmissionListEditor::closeClick, file},
        {"exit", "Exit", "E&xit", &SubmissionListEditor::exitClick, file},
        {"sort", "Sort", "Sort the list", &SubmissionListEditor::sortClick, edit},
        {"add", "Add", "Insert Row", &SubmissionListEditor::addClick, edit},
        {"delete", "Delete", "Delete Row", &SubmissionListEditor::deleteClick, edit},
        {"help", "Help", "Using the Submission List Editor", &SubmissionListEditor::helpClick, help}};
    for (const Entry& entry : entries) {
        toolbar->addCommand(*entry.menu, entry.name, entry.button, entry.button, entry.item,
                            [this, handler = entry.handler] { (this->*handler)(); });
    }
    toolbar->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 3);
    body->addWidget(m_hint, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addWidget(toolbar);
    layout->addLayout(body, 1);
    resize(700, 480);
    showList();
}

void SubmissionListEditor::showList() {
    QSignalBlocker block(m_grid);
    m_grid->clearContents();
    m_grid->setRowCount(m_list.rowCount());
    for (int row = 0; row < m_list.rowCount(); ++row) {
        for (int column = 0; column < std::min(2, m_list.columnCount()); ++column)
            m_grid->setItem(row, column, new QTableWidgetItem(toDisplay(m_list.cell(column, row))));
    }
}

int SubmissionListEditor::currentRow() const {
    return std::max(0, m_grid->currentRow());
}

void SubmissionListEditor::newClick() {
    try {
        const std::filesystem::path file = m_folder.resolve("Engines\\New.txt");
        readGridFile(m_list, file);
        m_current = file;
    } catch (const GridFileError&) {
        m_prompts.error("An Error occurred while opening: " + m_lastOpened.string());
    }
    showList();
}

void SubmissionListEditor::openClick() {
    std::optional<FileDialogResult> chosen =
        m_prompts.openFile({.title = "Open Existing Engine List",
                            .filter = "Engine List (*.txt)|*.txt|All Files (*.*)|*.*",
                            .startFolder = m_folder.resolve("Engines")});
    if (!chosen)
        return;
    m_lastOpened = chosen->path;
    try {
        readGridFile(m_list, chosen->path);
        m_current = chosen->path;
    } catch (const GridFileError&) {
        m_prompts.error("An Error occurrecd while opening: " + chosen->path.string());
    }
    showList();
}

void SubmissionListEditor::saveClick() {
    if (m_current.empty()) {
        m_prompts.error(
            "There is no engine list to save to: open a list or make a new one first, or use Save As.");
        return;
    }
    removeBlankRows(m_list);
    showList();
    try {
        writeGridFile(m_current, m_list);
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
        return;
    }
    m_prompts.information("File: " + m_current.string() + " Saved Successfully");
}

void SubmissionListEditor::saveAsClick() {
    std::optional<FileDialogResult> chosen = m_prompts.saveFile(
        {.title = "Save Engine List",
         .filter = "Orlek Engine List|*.txt|All Files (*.*)|*.*",
         .startFolder = m_current.empty() ? m_folder.resolve("Engines") : m_current.parent_path(),
         .fileName = m_current.filename().string()});
    if (!chosen)
        return;
    removeBlankRows(m_list);
    showList();
    try {
        writeGridFile(chosen->path, m_list);
    } catch (const std::exception&) {
        m_prompts.error("An error occurred when saving: " + chosen->path.string());
        return;
    }
    m_prompts.information("File Saved Successfully");
}

void SubmissionListEditor::importClick() {
    if (!canImportInto(m_list)) {
        m_prompts.error("Cannot import unless a engine list is open to import to!");
        return;
    }
    std::optional<FileDialogResult> chosen = m_prompts.openFile(
        {.title = "Import Engine List", .filter = "*.*|*.*", .startFolder = m_folder.resolve("imp")});
    if (!chosen)
        return;
    GridTable imported;
    try {
        readGridFile(imported, chosen->path);
    } catch (const GridFileError& e) {
        m_prompts.error(e.what());
        return;
    }
    importRows(m_list, imported);
    showList();
    m_prompts.information("Imported: " + std::to_string(imported.rowCount()) + " successfully!");
}

void SubmissionListEditor::sortClick() {
    sortRows(m_list);
    showList();
}

void SubmissionListEditor::addClick() {
    m_list.insertRow(std::min(currentRow(), m_list.rowCount()));
    showList();
}

void SubmissionListEditor::deleteClick() {
    if (m_list.rowCount() == 0)
        return;
    m_list.removeRow(std::min(currentRow(), m_list.rowCount() - 1));
    showList();
}

void SubmissionListEditor::closeClick() {
    m_list.clearCells();
    showList();
}

void SubmissionListEditor::exitClick() {
    close();
}

void SubmissionListEditor::helpClick() {
    m_prompts.openHelp("submission-list-editor");
}
