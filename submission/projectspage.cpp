#include "submission/projectspage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "pageprep/tipspane.h"
#include "platform/displaytext.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"

ProjectsPage::ProjectsPage(Prompts& prompts, QWidget* parent) : QWidget(parent), m_prompts(prompts) {
    auto* group = new QGroupBox("Submission Project Name", this);
    m_list = new QListWidget(group);
    m_list->setObjectName("projectList");
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(32, 32));
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ProjectsPage::selectRequested);
    (new QVBoxLayout(group))->addWidget(m_list);
    m_popup = new QMenu(this);
    m_popup->addAction("Select", this, &ProjectsPage::selectRequested);
    m_popup->addAction("New ...", this, &ProjectsPage::newRequested);
    m_popup->addAction("Delete", this, &ProjectsPage::deleteRequested);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_popup->popup(m_list->viewport()->mapToGlobal(at)); });

    m_tips = new TipsPane("projectm", this);
    auto* body = new QHBoxLayout;
    body->addWidget(group, 3);
    body->addWidget(m_tips, 1);

    auto* toolbar = new PageToolbar(this);
    connect(toolbar->addButton("New Project", "Create a new project", "newProjectButton"),
            &QToolButton::clicked, this, &ProjectsPage::newRequested);
    connect(toolbar->addButton("Delete Project", "Delete the chosen project", "deleteProjectButton"),
            &QToolButton::clicked, this, &ProjectsPage::deleteRequested);
    connect(toolbar->addButton("Project Properties", "Edit the chosen project", "propertiesButton"),
            &QToolButton::clicked, this, &ProjectsPage::propertiesRequested);
    toolbar->addStretch();
    connect(toolbar->addButton("Next", "Next - Select File(s)", "nextButton"), &QToolButton::clicked, this,
            &ProjectsPage::selectRequested);
    connect(toolbar->addButton("Help", "Help", "helpButton"), &QToolButton::clicked, this,
            &ProjectsPage::helpClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(toolbar);
}

void ProjectsPage::setProjects(const std::vector<std::string>& names) {
    m_list->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(icon, toDisplay(name), m_list);
        // The name is a file name: its bytes, not its shown form, name the project.
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

std::optional<std::string> ProjectsPage::chosenProject() const {
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return item->data(Qt::UserRole).toByteArray().toStdString();
}

void ProjectsPage::helpClick() {
    m_prompts.openHelp("select-project");
}
