#pragma once

#include <QDialog>

class ProgramFolder;
class Prompts;
class QPlainTextEdit;
class TipsPane;

// The history viewer: shows a submission history file (.vhs) exactly as stored. Opened for one
// use. Each command is an action whose object name is its handler's with "Item" in place of
// "Click", and stands on the toolbar as well.
class Tsubhist : public QDialog {
    Q_OBJECT
public:
    Tsubhist(ProgramFolder& folder, Prompts& prompts, QWidget* parent = nullptr);

    QPlainTextEdit* historyText() const { return m_text; }
    TipsPane* hintPane() const { return m_hint; }

public slots:
    void openClick();
    void closeFileClick();
    void copyClick();
    void exitClick();
    void helpClick();
    void aboutClick();

private:
    ProgramFolder& m_folder;
    Prompts& m_prompts;
    QPlainTextEdit* m_text = nullptr;
    TipsPane* m_hint = nullptr;
};
