#pragma once

#include <QWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/enginelist.h"
#include "platform/core/gridtable.h"

class EngineListView;
class Prompts;
class QMenu;
class TipsPane;

// Step 4, "4. Select Engines": the engine catalog with a tick per engine, a hidden lookup table
// of the same catalog for finding an engine's submission page, and the step's commands.
class SelectEnginesPage : public QWidget {
    Q_OBJECT
public:
    explicit SelectEnginesPage(Prompts& prompts, QWidget* parent = nullptr);

    EngineListView* engineView() const { return m_view; }
    TipsPane* subm() const { return m_tips; }
    const GridTable& lookupTable() const { return m_lookup; }
    int itemCount() const { return m_engines.size(); }

    // Empties the lookup table and the list and reads the catalog into both, every tick
    // cleared. Throws GridFileError; both then stay empty.
    void loadCatalog(const std::filesystem::path& catalog);
    // The names of the ticked engines, in list order.
    std::vector<std::string> addActiveEngs() const;

    // Adds the step's items to the main menu "&Engines".
    void addMenuItems(QMenu* engines);

signals:
    void nextRequested();
    void previousRequested();
    void updateRequested();

public slots:
    void selectAllClick();
    void unselectAllClick();
    // Opens the highlighted engine's submission page in the browser.
    void gotoUrlClick();
    void helpClick();

private:
    Prompts& m_prompts;
    EngineList m_engines;
    GridTable m_lookup{2, 0};
    EngineListView* m_view = nullptr;
    TipsPane* m_tips = nullptr;
};
