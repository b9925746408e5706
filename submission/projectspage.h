#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class Prompts;
class QListWidget;
class QMenu;
class TipsPane;

// Step 1, "1. Select Project": the projects as large icons, the tips pane and the step's
// commands, which are the window's: this page only signals them.
class ProjectsPage : public QWidget {
    Q_OBJECT
public:
    explicit ProjectsPage(Prompts& prompts, QWidget* parent = nullptr);

    QListWidget* projectList() const { return m_list; }
    TipsPane* projectm() const { return m_tips; }
    QMenu* popup() const { return m_popup; }

    // Shows these projects and chooses the first.
    void setProjects(const std::vector<std::string>& names);
    // The chosen project; nothing when none is.
    std::optional<std::string> chosenProject() const;

signals:
    void selectRequested();
    void newRequested();
    void deleteRequested();
    void propertiesRequested();

public slots:
    void helpClick();

private:
    Prompts& m_prompts;
    QListWidget* m_list = nullptr;
    TipsPane* m_tips = nullptr;
    QMenu* m_popup = nullptr;
};
