#include "position/resultspage.h"

#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"
#include "position/core/reportfile.h"
#include "position/core/reportgrid.h"
#include "position/reportcelldelegate.h"
#include "position/reportprinter.h"
#include "position/reporttablemodel.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <set>

namespace {

const char* const kSaveTitle = "Save Position Report";
const char* const kSaveFilter = "Orlek Position Report|*.prp|All Files (*.*)|*.*|CSV|*.csv|HTML|*.html";
const char* const kOpenTitle = "Open Position Report";
const char* const kOpenFilter = "Orlek Position Report|*.PRP|All Files (*.*)|*.*";
const int kCsvFilter = 3;
const int kHtmlFilter = 4;

}  // namespace

ResultsPage::ResultsPage(ReportGrid& grid, Prompts& prompts, const ProgramFolder& folder, QWidget* parent)
    : QWidget(parent), m_grid(grid), m_prompts(prompts), m_folder(folder) {
    m_model = new ReportTableModel(grid, this);
    m_delegate = new ReportCellDelegate(this);
    m_view = new QTableView(this);
    m_view->setObjectName("reportGrid");
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->verticalHeader()->hide();
    m_view->setWordWrap(true);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);

    m_insertRowAction = new QAction("Insert Row", this);
    m_deleteRowAction = new QAction("Delete Row", this);
    connect(m_insertRowAction, &QAction::triggered, this, &ResultsPage::insertRow);
    connect(m_deleteRowAction, &QAction::triggered, this, &ResultsPage::deleteRows);
    m_view->addAction(m_insertRowAction);
    m_view->addAction(m_deleteRowAction);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnWidths();
        m_view->resizeRowsToContents();
    });
    const auto edited = [this] { m_unsaved = true; };
    connect(m_model, &QAbstractItemModel::dataChanged, this, edited);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, edited);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, edited);
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                for (int row = from.row(); row <= to.row(); ++row)
                    m_view->resizeRowToContents(row);
            });
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                GridTable& table = m_grid.table();
                if (!m_applyingWidths && column < table.columnCount())
                    table.setColumnWidth(column, width);
            });

    auto* toolbar = new PageToolbar(this);
    m_saveButton = toolbar->addButton("Save", QString(), "saveButton");
    auto* saveMenu = new QMenu(m_saveButton);
    m_saveAction = saveMenu->addAction("Save ...", this, &ResultsPage::RzToolbarButton13Click);
    saveMenu->addAction("Save to CSV ...", this, &ResultsPage::MenuItem3Click);
    saveMenu->addAction("Save to HTML ...", this, &ResultsPage::SavetoHTNL1Click);
    saveMenu->addSeparator();
    saveMenu->addAction("Help With File Save", this, &ResultsPage::MenuItem5Click);
    m_saveButton->setMenu(saveMenu);
    m_saveButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(m_saveButton, &QToolButton::clicked, this, &ResultsPage::RzToolbarButton13Click);

    m_openButton = toolbar->addButton("Open Report", "Open Existing Position Report", "openButton");
    connect(m_openButton, &QToolButton::clicked, this, &ResultsPage::RzToolbarButton12Click);
    m_printButton = toolbar->addButton("Print Report", "Print Position Report", "printButton");
    connect(m_printButton, &QToolButton::clicked, this, &ResultsPage::RzToolbarButton14Click);
    m_helpButton = toolbar->addButton("Help", "Help with the report", "helpButton");
    connect(m_helpButton, &QToolButton::clicked, this, &ResultsPage::RzToolbarButton16Click);
    m_historyButton =
        toolbar->addButton("History", "Show the rank history of the checked addresses", "historyButton");
    connect(m_historyButton, &QToolButton::clicked, this, &ResultsPage::historyRequested);
    toolbar->addStretch();
    m_restartButton =
        toolbar->addButton("Restart Wizard", "Restart Wizard from Step One (1)", "restartButton");
    connect(m_restartButton, &QToolButton::clicked, this, &ResultsPage::restartWizardRequested);
    m_previousButton = toolbar->addButton("Previous", "Go to Step 3 (Check your position)", "previousButton");
    connect(m_previousButton, &QToolButton::clicked, this, &ResultsPage::previousRequested);
    m_exitButton = toolbar->addButton("Exit", "Exit the Application", "exitButton");
    connect(m_exitButton, &QToolButton::clicked, this, &ResultsPage::exitRequested);

    m_openAction = new QAction("Open ...", this);
    connect(m_openAction, &QAction::triggered, this, &ResultsPage::RzToolbarButton12Click);
    m_printAction = new QAction("Print ...", this);
    connect(m_printAction, &QAction::triggered, this, &ResultsPage::RzToolbarButton14Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(toolbar);
    applyColumnWidths();
    m_view->resizeRowsToContents();
}

void ResultsPage::reload() {
    m_model->reload();
    m_unsaved = true;
}

bool ResultsPage::hasUnsavedReport() const {
    if (!m_unsaved)
        return false;
    const GridTable& table = m_grid.table();
    for (int row = 1; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            if (!table.cell(column, row).empty())
                return true;
        }
    }
    return false;
}

void ResultsPage::setPreviousVisible(bool visible) {
    m_previousButton->setVisible(visible);
}

RgbColour ResultsPage::htmlHeaderColour() const {
    QColor colour = palette().color(QPalette::Active, QPalette::Window);
    return {static_cast<unsigned char>(colour.red()), static_cast<unsigned char>(colour.green()),
            static_cast<unsigned char>(colour.blue())};
}

void ResultsPage::applyColumnWidths() {
    m_applyingWidths = true;
    const GridTable& table = m_grid.table();
    for (int column = 0; column < table.columnCount(); ++column) {
        m_view->setColumnWidth(column, std::max(0, table.columnWidth(column)));
    }
    m_applyingWidths = false;
}

void ResultsPage::commitEdits() {
    for (auto* editor : m_view->viewport()->findChildren<QPlainTextEdit*>("cellEditor")) {
        m_delegate->commitAndClose(editor);
    }
}

bool ResultsPage::saveReport(ReportFormat command, int startFilterIndex) {
    commitEdits();
    if (startFilterIndex > 0)
        m_saveFilterIndex = startFilterIndex;
    const char* extension = command == ReportFormat::Csv    ? "csv"
                            : command == ReportFormat::Html ? "html"
                                                            : "prp";
    FileDialogRequest request;
    request.title = kSaveTitle;
    request.filter = kSaveFilter;
    request.startFolder = m_folder.folder("reports");
    request.defaultExtension = extension;
    request.filterIndex = m_saveFilterIndex;
    std::optional<FileDialogResult> chosen = m_prompts.saveFile(request);
    if (!chosen)
        return false;
    m_saveFilterIndex = chosen->filterIndex;
    std::filesystem::path path = chosen->path;
    if (!path.has_extension())
        path += std::string(".") + extension;
    // A file named "report.csv" holds CSV whichever command saved it; another name gets the
    // command's format.
    const ReportFormat format = reportFormatOf(path).value_or(command);
    try {
        writeReportFile(path, m_grid.table(), format, htmlHeaderColour());
    } catch (const std::runtime_error&) {
        m_prompts.error("An error occurred when saving the Report");
        return false;
    }
    m_unsaved = false;
    m_prompts.information("Report was saved successfully!");
    return true;
}

void ResultsPage::RzToolbarButton13Click() {
    saveReport(ReportFormat::Report, 0);
}

void ResultsPage::MenuItem3Click() {
    saveReport(ReportFormat::Csv, kCsvFilter);
}

void ResultsPage::SavetoHTNL1Click() {
    saveReport(ReportFormat::Html, kHtmlFilter);
}

void ResultsPage::MenuItem5Click() {
    m_prompts.openHelp("saving-files");
}

void ResultsPage::RzToolbarButton12Click() {
    commitEdits();
    FileDialogRequest request;
    request.title = kOpenTitle;
    request.filter = kOpenFilter;
    request.startFolder = m_folder.folder("reports");
    request.filterIndex = m_openFilterIndex;
    std::optional<FileDialogResult> chosen = m_prompts.openFile(request);
    if (!chosen)
        return;
    m_openFilterIndex = chosen->filterIndex;
    // Read aside: a file that turns out corrupt must not cost the report on the screen.
    GridTable opened;
    try {
        readGridFile(opened, chosen->path);
    } catch (const std::runtime_error& error) {
        m_prompts.error(error.what());
        return;
    }
    m_grid.table() = std::move(opened);
    m_model->reload();
    m_unsaved = false;
}

void ResultsPage::RzToolbarButton14Click() {
    commitEdits();
    QPrinter printer(QPrinter::HighResolution);
    if (!m_prompts.choosePrinter(printer))
        return;
    if (!printReport(m_grid.table(), printer, m_clock()))
        m_prompts.error("An error occurred when printing the Report");
}

void ResultsPage::RzToolbarButton16Click() {
    m_prompts.openHelp("report");
}

void ResultsPage::insertRow() {
    commitEdits();
    QModelIndex current = m_view->currentIndex();
    int row = current.isValid() ? current.row() : m_model->rowCount();
    m_model->insertRows(row, 1);
}

void ResultsPage::deleteRows() {
    commitEdits();
    std::set<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty() && m_view->currentIndex().isValid())
        rows.insert(m_view->currentIndex().row());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        m_model->removeRows(*row, 1);
}
