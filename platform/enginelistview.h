#pragma once

#include <QTreeWidget>

class EngineList;

// The engine catalog as an engine step shows it: one item per entry with its tick, the engine's
// name ("Site", shown whole) and its submission page ("Submit Url"). Ticking an item marks its
// entry.
class EngineListView : public QTreeWidget {
public:
    explicit EngineListView(EngineList& engines, QWidget* parent = nullptr);

    // Shows the list's entries and marks again, after the list changed.
    void refresh();

private:
    EngineList& m_engines;
};
