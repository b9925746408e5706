#include "position/enginespage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/core/enginelist.h"
#include "platform/enginelistview.h"
#include "platform/hintpane.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"

EnginesPage::EnginesPage(EngineList& engines, Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_engines(engines), m_prompts(prompts) {
    auto* group = new QGroupBox("Search Engines Available ", this);
    m_view = new EngineListView(m_engines, group);
    (new QVBoxLayout(group))->addWidget(m_view);

    m_info = makeHintPane(this);
    auto* body = new QHBoxLayout;
    body->addWidget(group, 4);
    body->addWidget(m_info, 1);

    auto* toolbar = new PageToolbar(this);
    connect(toolbar->addButton("Update Engines", "Update Current Engine Pack", "updateEnginesButton"),
            &QToolButton::clicked, this, &EnginesPage::updateRequested);
    connect(toolbar->addButton("Select None", "Select None", "selectNoneButton"), &QToolButton::clicked, this,
            &EnginesPage::selectNoneClick);
    connect(toolbar->addButton("Select All", "Select All", "selectAllButton"), &QToolButton::clicked, this,
            &EnginesPage::selectAllClick);
    toolbar->addStretch();
    connect(toolbar->addButton("Previous", "Previous (Position Agent Settings)", "previousButton"),
            &QToolButton::clicked, this, &EnginesPage::previousRequested);
    connect(toolbar->addButton("Next", "Check Position", "nextButton"), &QToolButton::clicked, this,
            &EnginesPage::nextRequested);
    connect(toolbar->addButton("Help", "Help", "helpButton"), &QToolButton::clicked, this,
            &EnginesPage::helpClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(toolbar);
}

void EnginesPage::loadEngines(const std::filesystem::path& catalog) {
    try {
        m_engines.load(catalog);
    } catch (...) {
        refresh();
        throw;
    }
    refresh();
}

void EnginesPage::addEngines(const std::vector<std::string>& names) {
    m_engines.addMissing(names);
    refresh();
}

void EnginesPage::refresh() {
    m_view->refresh();
}

std::vector<std::string> EnginesPage::addActiveEngs() const {
    return m_engines.markedNames();
}

void EnginesPage::selectAllClick() {
    m_engines.setAllMarks(true);
    refresh();
}

void EnginesPage::selectNoneClick() {
    m_engines.setAllMarks(false);
    refresh();
}

void EnginesPage::helpClick() {
    m_prompts.openHelp("select-engines");
}
