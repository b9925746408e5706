#pragma once

#include <QDialog>
#include <string>
#include <vector>

class Prompts;
class QPlainTextEdit;
class QPushButton;

// "Add Search Terms": one term per line. "Add Terms" hands the lines over, blank ones left out,
// and closes.
class AddTermsDialog : public QDialog {
    Q_OBJECT
public:
    // The dialog fills added (the caller empties it first).
    AddTermsDialog(std::vector<std::string>& added, Prompts& prompts, QWidget* parent = nullptr);

    QPlainTextEdit* editor() const { return m_editor; }

public slots:
    void addClick();
    void cancelClick();
    void helpClick();

private:
    std::vector<std::string>& m_added;
    Prompts& m_prompts;
    QPlainTextEdit* m_editor;
};
