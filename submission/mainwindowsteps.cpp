// The steps of the submission tool's window: projects (step 1) and moving from step to step.

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <algorithm>

#include "pageprep/core/folderfiles.h"
#include "pageprep/readinesspage.h"
#include "pageprep/workfilespage.h"
#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "platform/displaytext.h"
#include "platform/prompts.h"
#include "submission/catalogupdate.h"
#include "submission/core/catalog.h"
#include "submission/core/projects.h"
#include "submission/mainwindow.h"
#include "submission/projecteditor.h"
#include "submission/projectspage.h"
#include "submission/selectenginespage.h"
#include "submission/submissionrun.h"
#include "submission/submitpage.h"

void TForm1::rebuildProjectList() {
    std::vector<std::string> names;
    try {
        names = listProjects(m_folder);
    } catch (const DirectoryError& e) {
        m_prompts.error(e.what());
    }
    m_projectsPage->setProjects(names);
}

void TForm1::showProjectEditor() {
    m_projectEditor->rebuildNameList();
    m_runModal(*m_projectEditor);
    rebuildProjectList();
}

void TForm1::newProjectClick() {
    showProjectEditor();
}

void TForm1::projectPropertiesClick() {
    std::optional<std::string> chosen = m_projectsPage->chosenProject();
    if (!chosen) {
        m_prompts.information(
            "You must select a project to edit its properties, Select a project to continue");
        return;
    }
    m_projectEditor->loadProject(*chosen);
    showProjectEditor();
}

void TForm1::selectProjectClick() {
    // A run reads the active project's name and web path until its end.
    if (m_run->refuseListChange())
        return;
    std::optional<std::string> chosen = m_projectsPage->chosenProject();
    if (!chosen) {
        m_prompts.information("You Must Select a Project to continue");
        return;
    }
    m_project.name = *chosen;
    setWindowTitle("Vistral (" + toDisplay(m_project.name) + ")");
    hideSteps(3);
    activate(m_filesPage);
    setStatusPanel(1, "Ready");
    setStatusPanel(2, "ActiveProject: " + m_project.name);
    setStatusPanel(3, "File Selection Screen");

    StoredProjectSettings stored;
    try {
        m_store.createKey(kVistralKey);
        stored = readProjectSettings(m_store, m_project.name);
    } catch (const SettingsError& e) {
        m_prompts.error(e.what());
    }
    // A missing value is reported and taken as the editor's own first choice would give it.
    const std::pair<const std::optional<std::string>&, const char*> values[] = {
        {stored.webPath, "ProjStr"}, {stored.webType, "WebType"}, {stored.category, "Category"}};
    for (const auto& [value, what] : values) {
        if (!value)
            m_prompts.error(std::string("Internal Error, ") + what + ", E-Mail Support: " + kSupportAddress);
    }
    m_project.webPath = stored.webPath.value_or("");
    m_project.webType = webTypeFromText(stored.webType.value_or("1"));
    m_project.category = stored.category.value_or("");
    m_submitPage->categoryField()->setText(toDisplay(m_project.category));

    if (m_project.webPath.empty()) {
        const bool update = m_prompts.confirm(
            "Cannot Continue: No Base Web Path Exists!, for the Project: " + m_project.name +
            "\n\r\n\rDo you want to update your settings now?");
        m_tabs->setCurrentWidget(m_projectsPage);
        if (!update) {
            hideSteps(2);
            return;
        }
        m_projectEditor->loadProject(m_project.name);
        showProjectEditor();
    }
    m_filesPage->OpenProjectFileLists(m_project.name, m_project.webType);
}

void TForm1::deleteProjectClick() {
    if (m_run->refuseListChange())
        return;
    std::optional<std::string> chosen = m_projectsPage->chosenProject();
    if (!chosen) {
        m_prompts.information("You must select a Project in order to remove it.");
        return;
    }
    if (isBaseProject(*chosen)) {
        m_prompts.information("You can not delete the Base project");
        return;
    }
    if (!m_prompts.confirm("Do you really want to delete the Project: " + *chosen +
                           " \r\rThis Cannot be undone   Continue?")) {
        return;
    }
    for (const std::string& message : deleteProjectFiles(m_folder, *chosen))
        m_prompts.error(message);
    hideSteps(2);
    rebuildProjectList();
}

void TForm1::filesNextClick() {
    if (m_run->refuseListChange())
        return;
    m_filesPage->saveListClick();
    showTab(m_readinessPage, true);
    m_readinessPage->Memo4()->clear();
    m_readinessPage->Memo5()->clear();
    m_activeFiles = m_filesPage->addActiveFiles();
    const bool ticked = std::any_of(m_workFiles.rows().begin(), m_workFiles.rows().end(),
                                    [](const WorkFiles::Row& row) { return row.ticked; });
    if (!ticked)
        m_prompts.information("You Must Select a file to continue");
    setStatusPanel(1, "Ready");
    setStatusPanel(2, "P/F: " + m_project.name + "/" + pageFileName(m_activeFiles.front()));
    setStatusPanel(3, "Select Key Words, Description, and Title");
    if (ticked)
        m_tabs->setCurrentWidget(m_readinessPage);
}

bool TForm1::openEngineStep() {
    // Reloading the catalog clears step 4's ticks, from which the end of a run selects again.
    if (m_run->refuseListChange())
        return false;
    try {
        m_enginesPage->loadCatalog(m_folder.resolve(kCatalogFile));
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
        return false;
    }
    showTab(m_enginesPage, true);
    setStatusPanel(2, "Engines Available: " + std::to_string(m_enginesPage->itemCount()));
    setStatusPanel(1, "Ready");
    setStatusPanel(3, "Engine Selection Screen");
    m_tabs->setCurrentWidget(m_enginesPage);
    return true;
}

void TForm1::enginesNextClick() {
    stepFiveReset();
}

void TForm1::catalogUpdateClick() {
    // The update sends through geturl, which a run is using, and replaces the engine list.
    if (m_run->refuseListChange())
        return;
    CatalogUpdate update(
        {*m_geturl, m_folder, m_prompts, [this](const std::string& t) { setStatusPanel(3, t); },
         [this](bool busy) { setBusyCursor(busy); }, [this] { m_endProgram(0); }},
        [this] { m_enginesPage->loadCatalog(m_folder.resolve(kCatalogFile)); }, m_updateServer);
    update.updateClick();
}
