#pragma once

#include <QWidget>

class ActivityMonitor;
class Prompts;
class QLabel;
class QMenu;
class QProgressBar;
class QToolButton;
class TipsPane;

// Step 5, "5. Submit to Engines": the run's progress, processing and status fields, its activity
// monitor, the tips pane and the step's commands. Submit, Cancel and the pre-submission report
// are signals for the submission run to take up; Previous and Help are the window's.
class SubmitPage : public QWidget {
    Q_OBJECT
public:
    enum StatusRow { FileRow, ProjRow };
    enum StatusColumn { ToSubmit, Success, Fail };

    explicit SubmitPage(Prompts& prompts, QWidget* parent = nullptr);

    QProgressBar* filesBar() const { return m_bars[0]; }
    QProgressBar* enginesBar() const { return m_bars[1]; }
    QProgressBar* overallBar() const { return m_bars[2]; }
    QLabel* totalFilesField() const { return m_totalFiles; }
    QLabel* totalEnginesField() const { return m_totalEngines; }
    QLabel* categoryField() const { return m_category; }
    QLabel* stepField() const { return m_step; }
    QLabel* fileCounterField() const { return m_fileCounter; }
    QLabel* fileAddressField() const { return m_fileAddress; }
    QLabel* engineCounterField() const { return m_engineCounter; }
    QLabel* engineNameField() const { return m_engineName; }
    QLabel* statusField(StatusRow row, StatusColumn column) const { return m_status[row][column]; }
    ActivityMonitor* activityMonitor() const { return m_activity; }
    TipsPane* six() const { return m_tips; }
    QToolButton* submitButton() const { return m_submit; }
    QToolButton* cancelButton() const { return m_cancel; }
    QToolButton* settingsButton() const { return m_settings; }

    // Adds the step's items to the main menu "&Submission".
    void addMenuItems(QMenu* submission);

signals:
    void submitRequested();
    void cancelRequested();
    void verifyRequested();
    void previousRequested();

public slots:
    void helpClick();

private:
    Prompts& m_prompts;
    QProgressBar* m_bars[3] = {};
    QLabel* m_totalFiles = nullptr;
    QLabel* m_totalEngines = nullptr;
    QLabel* m_category = nullptr;
    QLabel* m_step = nullptr;
    QLabel* m_fileCounter = nullptr;
    QLabel* m_fileAddress = nullptr;
    QLabel* m_engineCounter = nullptr;
    QLabel* m_engineName = nullptr;
    QLabel* m_status[2][3] = {};
    ActivityMonitor* m_activity = nullptr;
    TipsPane* m_tips = nullptr;
    QToolButton* m_submit = nullptr;
    QToolButton* m_cancel = nullptr;
    QToolButton* m_settings = nullptr;
};
