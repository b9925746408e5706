#pragma once

#include <QWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/enginelistview.h"

class EngineList;
class Prompts;
class QPlainTextEdit;
class QToolButton;

// Step 2, "2. Select engines": the engine list with its marks and commands.
class EnginesPage : public QWidget {
    Q_OBJECT
public:
    EnginesPage(EngineList& engines, Prompts& prompts, QWidget* parent = nullptr);

    QTreeWidget* engineView() const { return m_view; }
    QPlainTextEdit* infoPane() const { return m_info; }

    // Empties the list and reads the engine catalog into it. Throws GridFileError.
    void loadEngines(const std::filesystem::path& catalog);
    // Lists engines the catalog does not name (those a user added with a rule file).
    void addEngines(const std::vector<std::string>& names);
    void refresh();
    // The selected-engines list: the names of the marked entries in list order.
    std::vector<std::string> addActiveEngs() const;

signals:
    void previousRequested();
    void nextRequested();
    void updateRequested();

public slots:
    void selectAllClick();
    void selectNoneClick();
    void helpClick();

private:
    EngineList& m_engines;
    Prompts& m_prompts;
    EngineListView* m_view;
    QPlainTextEdit* m_info;
};
