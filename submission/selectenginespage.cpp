#include "submission/selectenginespage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include "pageprep/tipspane.h"
#include "platform/core/gridfile.h"
#include "platform/displaytext.h"
#include "platform/enginelistview.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"
#include "submission/core/catalog.h"

SelectEnginesPage::SelectEnginesPage(Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_prompts(prompts) {
    auto* group = new QGroupBox("Search Engines and Directories", this);
    m_view = new EngineListView(m_engines, group);
    (new QVBoxLayout(group))->addWidget(m_view);
    m_tips = new TipsPane("subm", this);
    auto* body = new QHBoxLayout;
    body->addWidget(group, 3);
    body->addWidget(m_tips, 1);

    auto* toolbar = new PageToolbar(this);
    connect(toolbar->addButton("Select All", "Select All", "selectAllButton"), &QToolButton::clicked, this,
            &SelectEnginesPage::selectAllClick);
    connect(toolbar->addButton("UnSelect All", "UnSelect All", "unselectAllButton"), &QToolButton::clicked,
            this, &SelectEnginesPage::unselectAllClick);
    connect(toolbar->addButton("Go to URL", "Open the engine's own submission page", "gotoUrlButton"),
            &QToolButton::clicked, this, &SelectEnginesPage::gotoUrlClick);
    connect(toolbar->addButton("Update", "Update the engine list and definitions", "updateButton"),
            &QToolButton::clicked, this, &SelectEnginesPage::updateRequested);
    toolbar->addStretch();
    connect(toolbar->addButton("Previous", "Previous - Search Engine Readiness", "previousButton"),
            &QToolButton::clicked, this, &SelectEnginesPage::previousRequested);
    connect(toolbar->addButton("Next", "Next - Submit to Engines", "nextButton"), &QToolButton::clicked, this,
            &SelectEnginesPage::nextRequested);
    connect(toolbar->addButton("Help", "Help", "helpButton"), &QToolButton::clicked, this,
            &SelectEnginesPage::helpClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(toolbar);
}

void SelectEnginesPage::addMenuItems(QMenu* engines) {
    engines->addAction("Select All", this, &SelectEnginesPage::selectAllClick);
    engines->addAction("UnSelect All", this, &SelectEnginesPage::unselectAllClick);
    engines->addAction("Go to URL", this, &SelectEnginesPage::gotoUrlClick);
    engines->addAction("Update", this, &SelectEnginesPage::updateRequested);
    engines->addAction("Previous", this, &SelectEnginesPage::previousRequested);
    engines->addAction("Next", this, &SelectEnginesPage::nextRequested);
}

void SelectEnginesPage::loadCatalog(const std::filesystem::path& catalog) {
    try {
        readGridFile(m_lookup, catalog);
        m_engines.load(catalog);
    } catch (...) {
        m_lookup = GridTable(2, 0);
        m_engines = EngineList();
        m_view->refresh();
        throw;
    }
    m_view->refresh();
}

std::vector<std::string> SelectEnginesPage::addActiveEngs() const {
    return m_engines.markedNames();
}

void SelectEnginesPage::selectAllClick() {
    m_engines.setAllMarks(true);
    m_view->refresh();
}

void SelectEnginesPage::unselectAllClick() {
    m_engines.setAllMarks(false);
    m_view->refresh();
}

void SelectEnginesPage::gotoUrlClick() {
    QTreeWidgetItem* item = m_view->currentItem();
    if (!item || !item->isSelected()) {
        m_prompts.information(
            "You must click on the name of the engine to continue\n\r\n\rClick on the name of an engine, the "
            "name "
            "will appear highlighted.\n\rThen click on the [Goto URL] button");
        return;
    }
    const int row = m_view->indexOfTopLevelItem(item);
    if (std::optional<std::string> page =
            submissionPageOf(m_lookup, m_engines.entries()[static_cast<size_t>(row)].name))
        m_prompts.openUrl(*page);
}

void SelectEnginesPage::helpClick() {
    m_prompts.openHelp("select-engines");
}
