#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class ActivityMonitor;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QToolButton;

// Step 3, "3. Check your position": the address to check, the run's fields and activity
// monitor, and the run commands. The commands are the main window's; this page only signals.
class CheckPage : public QWidget {
    Q_OBJECT
public:
    explicit CheckPage(QWidget* parent = nullptr);

    QComboBox* addressBox() const { return m_address; }
    QComboBox* compareBox() const { return m_compare; }
    QCheckBox* compareCheck() const { return m_compareCheck; }
    QLabel* totalEnginesField() const { return m_total; }
    QProgressBar* progressBar() const { return m_progress; }
    QLabel* stepField() const { return m_step; }
    QLabel* engineCounterField() const { return m_counter; }
    QLabel* engineNameField() const { return m_engine; }
    QPlainTextEdit* activityMonitor() const;
    QPlainTextEdit* infoPane() const { return m_info; }
    QToolButton* cancelButton() const { return m_cancel; }
    QToolButton* checkButton() const { return m_check; }

    void setAddressItems(const std::vector<std::string>& items);
    void clearActivity();
    // Adds a line at the end of the activity monitor; an empty line is a line too.
    void addActivity(const QString& line);
    void setCompareItems(const std::vector<std::string>& items);

signals:
    void cancelRequested();
    void webListRequested();
    void fileListsRequested();
    void proxyRequested();
    void checkRequested();
    void batchRequested();
    void listHelpRequested();
    void previousRequested();
    void helpRequested();

private:
    QComboBox* m_address;
    QComboBox* m_compare;
    QCheckBox* m_compareCheck;
    QLabel* m_total;
    QProgressBar* m_progress;
    QLabel* m_step;
    QLabel* m_counter;
    QLabel* m_engine;
    ActivityMonitor* m_activity;
    QPlainTextEdit* m_info;
    QToolButton* m_cancel;
    QToolButton* m_check;
};
