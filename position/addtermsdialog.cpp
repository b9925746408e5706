#include "position/addtermsdialog.h"

#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/core/text.h"
#include "platform/displaytext.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"

AddTermsDialog::AddTermsDialog(std::vector<std::string>& added, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_added(added), m_prompts(prompts) {
    setWindowTitle("Add Search Terms");
    m_editor = new QPlainTextEdit(this);
    m_editor->setObjectName("termsEditor");
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* toolbar = new PageToolbar(this);
    connect(toolbar->addButton("Add Terms", "Add Terms to the Terms List", "addTermsButton"),
            &QToolButton::clicked, this, &AddTermsDialog::addClick);
    connect(toolbar->addButton("Cancel Add", "Close without adding terms", "cancelAddButton"),
            &QToolButton::clicked, this, &AddTermsDialog::cancelClick);
    toolbar->addStretch();
    connect(toolbar->addButton("Help", "Help with this window", "helpButton"), &QToolButton::clicked, this,
            &AddTermsDialog::helpClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editor, 1);
    layout->addWidget(toolbar);
    resize(360, 280);
}

void AddTermsDialog::addClick() {
    try {
        // A blank line is the gap between terms, never a term of its own to search for.
        for (std::string& line : splitLines(fromDisplay(m_editor->toPlainText()))) {
            if (!trimText(line).empty())
                m_added.push_back(std::move(line));
        }
    } catch (const std::runtime_error&) {
        m_prompts.error("An Error Occurred Loading Search Terms");
    }
    accept();
}

void AddTermsDialog::cancelClick() {
    reject();
}

void AddTermsDialog::helpClick() {
    m_prompts.openHelp("add-terms");
}
