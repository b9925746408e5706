#pragma once

#include "position/core/reportexport.h"
#include "position/core/reportfile.h"

#include <QDateTime>
#include <QWidget>
#include <functional>

class ProgramFolder;
class Prompts;
class QAction;
class QTableView;
class QToolButton;
class ReportCellDelegate;
class ReportGrid;
class ReportTableModel;

// The "Review your results" page: the report grid and its commands. The wizard buttons
// (Restart Wizard, Previous, Exit) belong to the main window, which hears them as signals.
// Help topics opened: "report" (Help) and "saving-files" (Help With File Save).
class ResultsPage : public QWidget {
    Q_OBJECT
public:
    ResultsPage(ReportGrid& grid, Prompts& prompts, const ProgramFolder& folder, QWidget* parent = nullptr);

    ReportTableModel& model() const { return *m_model; }
    QTableView* view() const { return m_view; }

    // Shows the grid as it is now; call it after the analysis wrote into the grid.
    void reload();

    // Results written or edited since the report was last saved or opened. A grid with nothing
    // below its header row holds no results to lose.
    bool hasUnsavedReport() const;
    // Save (the report file format, or the one the chosen name says), returning whether the
    // report was written.
    bool saveReportFile() { return saveReport(ReportFormat::Report, 0); }

    // Report viewing mode hides the Previous button; Restart Wizard shows it again.
    void setPreviousVisible(bool visible);

    // The background of the HTML export's header row: the active window colour, the nearest
    // thing to a window border colour the palette has.
    RgbColour htmlHeaderColour() const;

    // The moment printed on the report; tests fix it.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // The commands, for the main window's "Results" menu: "Save ...", "Open ...", "Print ...".
    QAction* saveAction() const { return m_saveAction; }
    QAction* openAction() const { return m_openAction; }
    QAction* printAction() const { return m_printAction; }

    QToolButton* saveButton() const { return m_saveButton; }
    QToolButton* openButton() const { return m_openButton; }
    QToolButton* printButton() const { return m_printButton; }
    QToolButton* helpButton() const { return m_helpButton; }
    QToolButton* historyButton() const { return m_historyButton; }
    QToolButton* restartButton() const { return m_restartButton; }
    QToolButton* previousButton() const { return m_previousButton; }
    QToolButton* exitButton() const { return m_exitButton; }
    QAction* insertRowAction() const { return m_insertRowAction; }
    QAction* deleteRowAction() const { return m_deleteRowAction; }

signals:
    void restartWizardRequested();
    void previousRequested();
    void exitRequested();
    void historyRequested();

public slots:
    void RzToolbarButton13Click();  // Save ...
    void MenuItem3Click();          // Save to CSV ...
    void SavetoHTNL1Click();        // Save to HTML ...
    void MenuItem5Click();          // Help With File Save
    void RzToolbarButton12Click();  // Open ...
    void RzToolbarButton14Click();  // Print ...
    void RzToolbarButton16Click();  // Help

    // Inserts an empty row before the current row (at the end when there is none).
    void insertRow();
    // Deletes the selected rows, or the current row when none is selected.
    void deleteRows();

private:
    bool saveReport(ReportFormat command, int startFilterIndex);
    void commitEdits();
    void applyColumnWidths();

    ReportGrid& m_grid;
    Prompts& m_prompts;
    const ProgramFolder& m_folder;
    ReportTableModel* m_model;
    ReportCellDelegate* m_delegate;
    QTableView* m_view;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
    int m_saveFilterIndex = 1;
    int m_openFilterIndex = 1;
    bool m_applyingWidths = false;
    bool m_unsaved = false;

    QAction* m_saveAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_insertRowAction = nullptr;
    QAction* m_deleteRowAction = nullptr;
    QToolButton* m_saveButton = nullptr;
    QToolButton* m_openButton = nullptr;
    QToolButton* m_printButton = nullptr;
    QToolButton* m_helpButton = nullptr;
    QToolButton* m_historyButton = nullptr;
    QToolButton* m_restartButton = nullptr;
    QToolButton* m_previousButton = nullptr;
    QToolButton* m_exitButton = nullptr;
};
