#include "pageprep/reportwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/displaytext.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"

const ReportWindowVariant& ReportWindowVariant::submission() {
    static const ReportWindowVariant variant{
        .caption = "Vistral  Report",
        .jobName = "Vistral Submission Report",
        .helpTopic = "submission-report",
        .aboutItem = "About",
        .aboutText = "Vistral Submission Report 1.0",
        .print = {"Print", "Print", "&Print"},
        .printerSetup = {"Printer Setup", "Printer Setup", "Printer Set&up ..."},
        .copy = {"Copy", "Copy", "&Copy"},
        .copyAll = {"Copy All", "Copy All", "Copy &All"},
        .exit = {"Exit", "Exit", "E&xit"},
        .help = {"Help", "Help", "Help with this report"},
    };
    return variant;
}

const ReportWindowVariant& ReportWindowVariant::readiness() {
    static const ReportWindowVariant variant{
        .caption = "Vistral [Meta Tag Analysis (Verimane Module)",
        .jobName = "Vistral Readicor Report",
        .helpTopic = "readiness",
        .aboutItem = "About the Report",
        .aboutText =
            "Readicor reads a page's title, description and key words and checks them against the "
            "rules the search engines followed when the report was written.",
        .print = {"Print", "Print the report", "&Print"},
        .printerSetup = {"Printer Setup", "Printer Setup", "Printer Set&up ..."},
        .copy = {"Copy", "Copy Selected text to the clipboard", "&Copy"},
        .copyAll = {"Copy All", "Copy the entire report to the clipboard", "Copy &All"},
        .exit = {"Exit", "Exit the report", "E&xit"},
        .help = {"Help", "Help", "With this window"},
    };
    return variant;
}

ReportWindow::ReportWindow(Prompts& prompts, const ReportWindowVariant& variant, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_variant(variant) {
    setWindowTitle(toDisplay(variant.caption));
    m_text = new QTextEdit(this);
    m_text->setObjectName("reportText");
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* toolbar = new PageToolbar(this);
    auto* menus = new QMenuBar(this);
    QMenu* file = menus->addMenu("&File");
    QMenu* edit = menus->addMenu("&Edit");
    QMenu* help = menus->addMenu("&Help");
    struct Entry {
        const char* name;
        const ReportWindowVariant::Command& command;
        void (ReportWindow::*handler)();
        QMenu* menu;
    };
    const Entry entries[] = {{"print", variant.print, &ReportWindow::printClick, file},
                             {"printerSetup", variant.printerSetup, &ReportWindow::printerSetupClick, file},
                             {"copy", variant.copy, &ReportWindow::copyClick, edit},
                             {"copyAll", variant.copyAll, &ReportWindow::copyAllClick, edit},
                             {"exit", variant.exit, &ReportWindow::exitClick, file},
                             {"help", variant.help, &ReportWindow::helpClick, help}};
    for (const Entry& entry : entries) {
        toolbar->addCommand(*entry.menu, entry.name, toDisplay(entry.command.caption),
                            toDisplay(entry.command.hint), toDisplay(entry.command.menuItem),
                            [this, handler = entry.handler] { (this->*handler)(); });
    }
    toolbar->addCommand(*help, "about", "", "", toDisplay(variant.aboutItem), [this] { aboutClick(); });
    toolbar->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addWidget(toolbar);
    layout->addWidget(m_text, 1);
    resize(640, 480);
}

void ReportWindow::setLines(const std::vector<std::string>& lines) {
    QStringList shown;
    for (const std::string& line : lines)
        shown << toDisplay(line);
    m_text->setPlainText(shown.join('\n'));
}

std::vector<std::string> ReportWindow::lines() const {
    std::vector<std::string> out;
    for (const QString& line : m_text->toPlainText().split('\n'))
        out.push_back(fromDisplay(line));
    return out;
}

void ReportWindow::printClick() {
    m_printer.setDocName(toDisplay(m_variant.jobName));
    if (!m_printer.isValid()) {
        m_prompts.error(
            "The report could not be printed: no printer is set up. Choose one with Printer Setup.");
        return;
    }
    m_text->document()->print(&m_printer);
    if (m_printer.printerState() == QPrinter::Error)
        m_prompts.error("The report could not be printed on " + fromDisplay(m_printer.printerName()) + ".");
}

void ReportWindow::printerSetupClick() {
    m_prompts.choosePrinter(m_printer);
}

void ReportWindow::copyClick() {
    m_text->copy();
}

void ReportWindow::copyAllClick() {
    m_text->selectAll();
    m_text->copy();
}

void ReportWindow::exitClick() {
    close();
}

void ReportWindow::helpClick() {
    m_prompts.openHelp(m_variant.helpTopic);
}

void ReportWindow::aboutClick() {
    m_prompts.message(m_variant.aboutText);
}
