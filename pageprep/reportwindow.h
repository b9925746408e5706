#pragma once

#include <QDialog>
#include <QPrinter>
#include <string>
#include <vector>

class Prompts;
class QTextEdit;

// What tells the submission report from the readiness report: captions, the print job's name,
// the help topic and the hints of the toolbar.
struct ReportWindowVariant {
    struct Command {
        std::string caption;  // of the toolbar button
        std::string hint;
        std::string menuItem;
    };

    std::string caption;
    std::string jobName;
    std::string helpTopic;
    std::string aboutItem;
    std::string aboutText;
    Command print;
    Command printerSetup;
    Command copy;
    Command copyAll;
    Command exit;
    Command help;

    static const ReportWindowVariant& submission();
    static const ReportWindowVariant& readiness();
};

// A report as text: a read-only pane with a toolbar and the menus File, Edit and Help. The
// program keeps one for the submission report and one for the readiness report from start to
// end; who shows one replaces its text first. Each command is an action whose object name is
// its handler's with "Item" in place of "Click" ("printItem").
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    ReportWindow(Prompts& prompts, const ReportWindowVariant& variant, QWidget* parent = nullptr);

    const ReportWindowVariant& variant() const { return m_variant; }
    QTextEdit* textPane() const { return m_text; }
    QPrinter& printer() { return m_printer; }

    // Replaces the text with these lines.
    void setLines(const std::vector<std::string>& lines);
    std::vector<std::string> lines() const;

public slots:
    // Prints the whole text on the printer last set up (the system's default at first) as a job
    // named after the report.
    void printClick();
    void printerSetupClick();
    void copyClick();
    void copyAllClick();
    void exitClick();
    void helpClick();
    void aboutClick();

private:
    Prompts& m_prompts;
    const ReportWindowVariant& m_variant;
    QPrinter m_printer;
    QTextEdit* m_text = nullptr;
};

// The documents' names of the two report windows.
using TForm3 = ReportWindow;  // the submission report
using TForm5 = ReportWindow;  // the readiness report
