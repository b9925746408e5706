#include "platform/enginelistview.h"

#include <algorithm>

#include "platform/core/enginelist.h"
#include "platform/displaytext.h"

namespace {
const int kSiteColumnWidth = 100;
}

EngineListView::EngineListView(EngineList& engines, QWidget* parent)
    : QTreeWidget(parent), m_engines(engines) {
    setObjectName("engineList");
    setColumnCount(2);
    setHeaderLabels({"Site", "Submit Url"});
    setRootIsDecorated(false);
    setColumnWidth(0, kSiteColumnWidth);
    setColumnWidth(1, 340);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        int index = indexOfTopLevelItem(item);
        if (index >= 0 && index < m_engines.size())
            m_engines.setMark(index, item->checkState(0) == Qt::Checked);
    });
}

void EngineListView::refresh() {
    QSignalBlocker block(this);
    clear();
    for (const EngineEntry& entry : m_engines.entries()) {
        auto* item = new QTreeWidgetItem(this, {toDisplay(entry.name), toDisplay(entry.submitUrl)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, entry.marked ? Qt::Checked : Qt::Unchecked);
    }
    // Names longer than the first column's 100 pixels are shown whole.
    resizeColumnToContents(0);
    setColumnWidth(0, std::max(columnWidth(0), kSiteColumnWidth));
}
