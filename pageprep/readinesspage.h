#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

struct PageHead;
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

    // Shows what was read from a page's head in the three boxes.
    void showValues(const PageHead& head);
    void clearValues();
    // A box's text as the bytes that were read, one entry a line; none for an empty box.
    std::vector<std::string> valueLines(const QPlainTextEdit* box) const;
    // The same lines joined by CR LF.
    std::string valueText(const QPlainTextEdit* box) const;

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
    // What each box was last given, as the page's bytes and as the box then showed them: a box
    // that still shows that text stands for those bytes, so the report counts the page's own
    // characters even where showing them changed them (bytes that are not UTF-8, for one).
    struct ReadValue {
        QString shown;
        std::string bytes;
    };
    ReadValue m_read[3];
    int boxIndex(const QPlainTextEdit* box) const;
};
