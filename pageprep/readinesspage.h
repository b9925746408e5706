#pragma once

#include <QWidget>

class Prompts;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class TipsPane;

// Step 3, "3. Search Engine Readiness": the page's title, description and key words as read
// from its head (Memo3, Memo4, Memo5), the tips pane and the step's commands. The check and
// moving on to step 4 are signals for the readiness check to take up; Previous and Help are
// the window's.
class ReadinessPage : public QWidget {
    Q_OBJECT
public:
    explicit ReadinessPage(Prompts& prompts, QWidget* parent = nullptr);

    QPlainTextEdit* Memo3() const { return m_title; }
    QPlainTextEdit* Memo4() const { return m_description; }
    QPlainTextEdit* Memo5() const { return m_keywords; }
    TipsPane* specificm() const { return m_tips; }
    QToolButton* readinessButton() const { return m_check; }

    // Adds the step's items to the main menu "&Verify".
    void addMenuItems(QMenu* verify);

signals:
    void checkRequested();
    void nextRequested();
    void previousRequested();

public slots:
    void helpClick();

protected:
    // A key typed into one of the three boxes is answered with why nothing is to be typed there.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Prompts& m_prompts;
    QPlainTextEdit* m_title = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QPlainTextEdit* m_keywords = nullptr;
    TipsPane* m_tips = nullptr;
    QToolButton* m_check = nullptr;
};
