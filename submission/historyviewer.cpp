#include "submission/historyviewer.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "pageprep/tipspane.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/displaytext.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"
#include "sitetools/core/filelist.h"

Tsubhist::Tsubhist(ProgramFolder& folder, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_folder(folder), m_prompts(prompts) {
    setWindowTitle("Vistral - Submission History Viewer - No File Loaded");
    auto* group = new QGroupBox(" History ", this);
    m_text = new QPlainTextEdit(group);
    m_text->setObjectName("historyText");
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    (new QVBoxLayout(group))->addWidget(m_text);
    m_hint = new TipsPane("hintPane", this);
    try {
        m_hint->load(m_folder.resolve("tips\\history.txt"));
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }

    auto* menus = new QMenuBar(this);
    QMenu* file = menus->addMenu("&File");
    QMenu* edit = menus->addMenu("&Edit");
    QMenu* help = menus->addMenu("&Help");
    auto* toolbar = new PageToolbar(this);
    struct Entry {
        const char* name;
        const char* button;  // empty: no button
        const char* item;
        void (Tsubhist::*handler)();
        QMenu* menu;
    };
    const Entry entries[] = {{"open", "Open History File", "&Open ...", &Tsubhist::openClick, file},
                             {"closeFile", "Close Current File", "&Close", &Tsubhist::closeFileClick, file},
                             {"exit", "Close Viewer", "E&xit", &Tsubhist::exitClick, file},
                             {"copy", "Copy to ClipBoard", "&Copy", &Tsubhist::copyClick, edit},
                             {"help", "Help", "Using the History Viewer", &Tsubhist::helpClick, help},
                             {"about", "", "About", &Tsubhist::aboutClick, help}};
    for (const Entry& entry : entries) {
        toolbar->addCommand(*entry.menu, entry.name, entry.button, entry.button, entry.item,
                            [this, handler = entry.handler] { (this->*handler)(); });
    }
    toolbar->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(group, 3);
    body->addWidget(m_hint, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addWidget(toolbar);
    layout->addLayout(body, 1);
    resize(640, 480);
}

void Tsubhist::openClick() {
    std::optional<FileDialogResult> chosen = m_prompts.openFile({.title = "Open History File",
                                                                 .filter = "Vistral History File|*.vhs",
                                                                 .startFolder = m_folder.resolve("history"),
                                                                 .defaultExtension = "vhs"});
    if (!chosen)
        return;
    try {
        m_text->setPlainText(toDisplay(readFileListText(chosen->path)));
    } catch (const FileError& e) {
        m_prompts.error(e.what());
        return;
    }
    setWindowTitle(QString::fromStdString(chosen->path.string()));
}

void Tsubhist::closeFileClick() {
    m_text->clear();
    setWindowTitle("Vistral History Viewer - No File Loaded");
}

void Tsubhist::copyClick() {
    m_text->selectAll();
    m_text->copy();
}

void Tsubhist::exitClick() {
    close();
}

void Tsubhist::helpClick() {
    m_prompts.openHelp("history-viewer");
}

void Tsubhist::aboutClick() {
    m_prompts.message("Vistral Submission History Viewer 1.0");
}
