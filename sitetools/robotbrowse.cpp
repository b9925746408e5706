// The browsing side of the robot path window: starting, expanding, fetching, reading the links
// of the page that arrives, and deleting nodes.
#include "sitetools/robotwindow.h"

#include <QSignalBlocker>

#include "platform/core/text.h"
#include "platform/displaytext.h"
#include "platform/prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int kAddressRole = Qt::UserRole;
constexpr int kPlaceholderRole = Qt::UserRole + 1;
const char* kPlaceholder = "...";

void setAddress(QTreeWidgetItem* node, const std::string& address) {
    node->setData(0, kAddressRole, QByteArray::fromStdString(address));
}

void addPlaceholder(QTreeWidgetItem* node) {
    auto* placeholder = new QTreeWidgetItem(node);
    placeholder->setText(0, kPlaceholder);
    placeholder->setData(0, kPlaceholderRole, true);
}

bool isWithin(const QTreeWidgetItem* node, const QTreeWidgetItem* subtree) {
    for (; node; node = node->parent()) {
        if (node == subtree)
            return true;
    }
    return false;
}

}  // namespace

std::string TForm4::addressOf(const QTreeWidgetItem* node) {
    return node->data(0, kAddressRole).toByteArray().toStdString();
}

bool TForm4::isPlaceholder(const QTreeWidgetItem* node) {
    return node->text(0) == kPlaceholder && node->data(0, kPlaceholderRole).toBool();
}

void TForm4::bindComponents() {
    m_reading[Http].component = &m_http;
    m_reading[Https].component = &m_https;
    for (Reading& reading : m_reading) {
        TickHTTP* component = reading.component;
        component->OnStartTransfer = [this](TickWinInet* sender) {
            readingOf(sender).parser.Reset(true);
            setStatus("Starting transfer...");
        };
        component->OnStatus = [this](TickWinInet* sender, int, const std::string& description) {
            setStatus(description);
            if (sender == &m_https)
                setBusy(false);
        };
        component->OnTransfer = [this](TickWinInet* sender, int, const std::string& text) {
            readingOf(sender).parser.Input(text);
        };
        component->OnEndTransfer = [this](TickWinInet* sender) {
            readingOf(sender).parser.Reset(true);
            setStatus("Transfer ended");
            setBusy(false);
        };
        // One parser per component: a page fetched in the other mode while one is being read
        // must not be mixed into it.
        reading.parser.OnBeginElement = [this, &reading](TickXMLp*, const std::string& element) {
            beginElement(reading, element);
        };
    }
    // Fetching from inside the tree's own expand handling would let a deleted node pull the
    // ground from under it; the fetch starts once the tree is done.
    connect(this, &TForm4::expandQueued, this, &TForm4::runQueuedExpands, Qt::QueuedConnection);
}

TForm4::Reading& TForm4::readingOf(const TickWinInet* component) {
    return component == &m_https ? m_reading[Https] : m_reading[Http];
}

void TForm4::setBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void TForm4::setStatus(const std::string& text) {
    if (!m_statusPanel)
        return;
    m_statusPanel->setText(toDisplay(text));
    m_statusPanel->repaint();
}

void TForm4::browseNowClick() {
    m_mode = Http;
    std::string domain = fromDisplay(m_domain->currentText());
    std::string file = fromDisplay(m_file->currentText());
    if (startsWithIgnoringCase(domain, "https:")) {
        m_prompts.message("For HTTPS URLS Please click on the [Browse HTTPS] Button");
        return;
    }
    if (file.empty() || domain.empty()) {
        m_prompts.message("You must type in a Domain and File to start the analysis");
        return;
    }
    start(Http, domain + file);
}

void TForm4::browseHttpsClick() {
    m_mode = Https;
    std::string domain = fromDisplay(m_domain->currentText());
    std::string file = fromDisplay(m_file->currentText());
    if (startsWithIgnoringCase(domain, "http:")) {
        m_prompts.message("For HTTP URLS Please click on the [Browse Now] Button");
        return;
    }
    if (file.empty() || domain.empty()) {
        m_prompts.message("You must type in a Domain and File to start the analysis");
        return;
    }
    start(Https, domain + file);
}

void TForm4::runClick() {
    m_mode = Http;
    std::string address = fromDisplay(m_start->text());
    if (address.empty()) {
        m_prompts.message("You must type in a BASE URL to start the analysis");
        return;
    }
    start(Http, address);
}

void TForm4::start(Mode mode, const std::string& address) {
    setBusy(true);
    auto* root = new QTreeWidgetItem(m_tree);
    root->setText(0, toDisplay(address));
    setAddress(root, address);
    m_tree->setCurrentItem(root);
    if (fetch(mode, root, address) == Fetched::Done) {
        m_reading[mode].component->setAction(ickhttpIdle);
        // The root's links are read already: its expansion must not queue a second visit, which
        // a later start's fetch would run and so take the selection back to this root.
        const QSignalBlocker quiet(m_tree);
        root->setExpanded(true);
    }
    // Also after a failure before any transfer, which brings no end-of-transfer event.
    setBusy(false);
}

void TForm4::queueExpand(QTreeWidgetItem* node) {
    m_queuedExpands.push_back(node);
    emit expandQueued();
}

void TForm4::runQueuedExpands() {
    // A fetch below runs the event loop, which may queue and run further expands.
    while (!m_queuedExpands.empty()) {
        QTreeWidgetItem* node = m_queuedExpands.front();
        m_queuedExpands.erase(m_queuedExpands.begin());
        treeExpanded(node);
    }
}

void TForm4::treeExpanded(QTreeWidgetItem* node) {
    m_tree->setCurrentItem(node);
    if (node->childCount() != 1 || !isPlaceholder(node->child(0)))
        return;
    delete node->takeChild(0);
    fetch(m_mode, node, addressOf(node));
}

TForm4::Fetched TForm4::fetch(Mode mode, QTreeWidgetItem* node, const std::string& address) {
    Reading& reading = m_reading[mode];
    TickHTTP& component = *reading.component;
    // While the component runs it refuses the request with its busy error; its address and the
    // page it reads stay those of the running fetch.
    bool alreadyRunning = component.Action() != ickhttpIdle;
    if (!alreadyRunning) {
        component.setURL(address);
        reading.node = node;
    }
    setBusy(true);
    try {
        component.setAction(ickhttpGet);
    } catch (const std::exception& e) {
        if (!alreadyRunning)
            reading.node = nullptr;
        setBusy(false);
        m_prompts.error(e.what());
        return Fetched::Failed;
    }
    bool kept = reading.node != nullptr;
    reading.node = nullptr;
    setBusy(false);
    return kept ? Fetched::Done : Fetched::NodeDeleted;
}

void TForm4::beginElement(Reading& reading, const std::string& element) {
    if (upperAscii(element) != "A")
        return;
    TickXMLp& parser = reading.parser;
    for (int i = 1; i <= parser.AttrCount(); ++i) {
        if (upperAscii(parser.AttrName(i)) != "HREF")
            continue;
        if (!readLink(reading, parser.AttrValue(i)))
            return;
    }
}

bool TForm4::readLink(Reading& reading, const std::string& href) {
    const RobotLinkRules& rules = *m_variant.rules;
    std::vector<std::string> excludeList;
    if (rules.filtersAndCollects)
        excludeList = readExcludeList();
    // The page's node was deleted while the page was read: its links have nowhere to go.
    QTreeWidgetItem* page = reading.node;
    if (!page)
        return false;

    std::string link = stripLinkPrefix(href);
    auto* node = new QTreeWidgetItem(page);
    node->setText(0, toDisplay(link));
    if (hasRefusedScheme(link, rules))
        return false;
    if (rules.filtersAndCollects) {
        if (matchesExcludeList(link, excludeList) || hasFragmentOrQuery(link))
            return false;
        collect(reading, link);
    }

    std::string parent = addressOf(page);
    std::string parentSite;
    if (link.starts_with('/')) {
        TickHTTP& component = *reading.component;
        component.setURL(parent);
        parentSite = siteAddress(component.URLScheme(), component.URLServer(), component.URLPort());
    }
    setAddress(node, nodeAddress(parent, parentSite, link));
    addPlaceholder(node);
    return true;
}

void TForm4::collect(Reading& reading, const std::string& link) {
    const TickHTTP& component = *reading.component;
    std::string site = siteAddress(component.URLScheme(), component.URLServer(), component.URLPort());
    Collection collection = collectLink(link, site, component.URLServer(), m_hostOnly->isChecked(),
                                        m_collected, fromDisplay(m_collectedText->toPlainText()));
    if (!collection.add)
        return;
    m_collected.push_back(collection.address);
    if (collection.showInText)
        m_collectedText->appendPlainText(toDisplay(collection.address));
    showCount();
}

void TForm4::forgetNodesWithin(const QTreeWidgetItem* subtree) {
    for (Reading& reading : m_reading) {
        if (reading.node && (!subtree || isWithin(reading.node, subtree)))
            reading.node = nullptr;
    }
    std::erase_if(m_queuedExpands,
                  [&](const QTreeWidgetItem* node) { return !subtree || isWithin(node, subtree); });
}

void TForm4::deleteNode(QTreeWidgetItem* node) {
    forgetNodesWithin(node);
    delete node;
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    if (m_tree && watched == m_tree->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            if (QTreeWidgetItem* node = m_tree->itemAt(mouse->position().toPoint())) {
                deleteNode(node);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::interruptBoth() {
    m_http.setAction(ickhttpIdle);
    m_https.setAction(ickhttpIdle);
}

void TForm4::cancelClick() {
    interruptBoth();
    setBusy(false);
    close();
}

void TForm4::stopClick() {
    interruptBoth();
    setBusy(false);
}

void TForm4::done(int result) {
    interruptBoth();
    setBusy(false);
    QDialog::done(result);
}
