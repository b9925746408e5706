#include "pageprep/readinesspage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "pageprep/core/headreader.h"
#include "pageprep/tipspane.h"
#include "platform/displaytext.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"

namespace {

QPlainTextEdit* valueBox(const QString& caption, const QString& name, QWidget* parent, QVBoxLayout* column) {
    auto* group = new QGroupBox(caption, parent);
    auto* box = new QPlainTextEdit(group);
    box->setObjectName(name);
    box->setReadOnly(true);
    (new QVBoxLayout(group))->addWidget(box);
    column->addWidget(group);
    return box;
}

}  // namespace

ReadinessPage::ReadinessPage(Prompts& prompts, QWidget* parent) : QWidget(parent), m_prompts(prompts) {
    auto* boxes = new QVBoxLayout;
    m_title = valueBox("Page Title - Read in from the <title> tag", "Memo3", this, boxes);
    m_description =
        valueBox("Page Description - Read in from the '<meta name = description' tag", "Memo4", this, boxes);
    m_keywords =
        valueBox("Page Key Words - Read in from the '<meta name = keywords' tag", "Memo5", this, boxes);
    for (QPlainTextEdit* box : {m_title, m_description, m_keywords})
        box->installEventFilter(this);
    m_tips = new TipsPane("specificm", this);
    auto* body = new QHBoxLayout;
    body->addLayout(boxes, 3);
    body->addWidget(m_tips, 1);

    auto* toolbar = new PageToolbar(this);
    m_check = toolbar->addButton("Search Engine Readiness",
                                 "Run Readicor (tm) to determine this pages\n"
                                 "search engine preparedness. This is an important \n"
                                 "step of search engine submission.",
                                 "readinessButton");
    connect(m_check, &QToolButton::clicked, this, &ReadinessPage::checkRequested);
    toolbar->addStretch();
    connect(toolbar->addButton("Previous", "Previous - Select File(s)", "previousButton"),
            &QToolButton::clicked, this, &ReadinessPage::previousRequested);
    connect(toolbar->addButton("Next", "Next - Select Engines", "nextButton"), &QToolButton::clicked, this,
            &ReadinessPage::nextRequested);
    connect(toolbar->addButton("Help", "Help", "helpButton"), &QToolButton::clicked, this,
            &ReadinessPage::helpClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(toolbar);
}

void ReadinessPage::addMenuItems(QMenu* verify) {
    verify->addAction("Search Engine Verification...", this, &ReadinessPage::checkRequested);
    verify->addAction("Previous", this, &ReadinessPage::previousRequested);
    verify->addAction("Next", this, &ReadinessPage::nextRequested);
}

void ReadinessPage::showValues(const PageHead& head) {
    const std::string* values[] = {&head.title, &head.description, &head.keywords};
    QPlainTextEdit* boxes[] = {m_title, m_description, m_keywords};
    for (int i = 0; i < 3; ++i) {
        // The reader gives CR LF breaks only (a title may run over lines); a box holds LF.
        std::string bytes = *values[i];
        for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at))
            bytes.erase(at, 1);
        boxes[i]->setPlainText(toDisplay(bytes));
        m_read[i] = {boxes[i]->toPlainText(), std::move(bytes)};
    }
}

void ReadinessPage::clearValues() {
    for (QPlainTextEdit* box : {m_title, m_description, m_keywords})
        box->clear();
    for (ReadValue& value : m_read)
        value = {};
}

int ReadinessPage::boxIndex(const QPlainTextEdit* box) const {
    return box == m_title ? 0 : box == m_description ? 1 : 2;
}

std::vector<std::string> ReadinessPage::valueLines(const QPlainTextEdit* box) const {
    const ReadValue& read = m_read[boxIndex(box)];
    const QString shown = box->toPlainText();
    const std::string text = shown == read.shown ? read.bytes : fromDisplay(shown);
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string ReadinessPage::valueText(const QPlainTextEdit* box) const {
    const std::vector<std::string> lines = valueLines(box);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "\r\n") + lines[i];
    return text;
}

void ReadinessPage::helpClick() {
    m_prompts.openHelp("readiness");
}

bool ReadinessPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        // Keys that type nothing (arrows, copying) move and select as in any read-only text.
        if (!typed.isEmpty() && typed.at(0).isPrint()) {
            m_prompts.information(
                "These values are read directly from the HTML file, no data entry is required or useful for "
                "search engine submission! [ Press Verify search engine readiness to read in values ]");
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
