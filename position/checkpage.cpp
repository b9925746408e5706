#include "position/checkpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/activitymonitor.h"
#include "platform/displaytext.h"
#include "platform/hintpane.h"
#include "platform/pagetoolbar.h"

namespace {

void fillCombo(QComboBox* box, const std::vector<std::string>& items) {
    QString text = box->currentText();
    box->clear();
    for (const std::string& item : items)
        box->addItem(toDisplay(item));
    box->setCurrentText(text);
}

}  // namespace

CheckPage::CheckPage(QWidget* parent) : QWidget(parent) {
    m_total = makeField("none", "totalEnginesField", this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_address = new QComboBox(this);
    m_address->setEditable(true);
    m_address->setObjectName("addressBox");
    m_compareCheck = new QCheckBox("Compare to this domain", this);
    m_compare = new QComboBox(this);
    m_compare->setEditable(true);
    m_compare->setObjectName("compareBox");
    m_step = makeField("idle", "stepField", this);
    m_counter = makeField("# of #", "engineCounterField", this);
    m_engine = makeField("idle", "engineNameField", this);

    auto* form = new QFormLayout;
    form->addRow("Total engines selected", m_total);
    form->addRow("Progress ", m_progress);
    form->addRow(new QLabel("Enter URL Name to check or Domain Name for URL Checks for Sub Domains", this));
    form->addRow(m_address);
    auto* compareRow = new QHBoxLayout;
    compareRow->addWidget(m_compareCheck);
    compareRow->addWidget(m_compare, 1);
    form->addRow(compareRow);
    form->addRow("Current processing step", m_step);
    auto* engineRow = new QHBoxLayout;
    engineRow->addWidget(m_counter);
    engineRow->addWidget(m_engine, 1);
    form->addRow("Current engine", engineRow);

    auto* monitor = new QGroupBox(" Activity Monitor ", this);
    m_activity = new ActivityMonitor(monitor);
    (new QVBoxLayout(monitor))->addWidget(m_activity);

    m_info = makeHintPane(this);
    auto* main = new QVBoxLayout;
    main->addLayout(form);
    main->addWidget(monitor, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(main, 4);
    body->addWidget(m_info, 1);

    auto* toolbar = new PageToolbar(this);
    m_cancel = toolbar->addButton("Cancel", "Stop Current Step", "cancelButton");
    m_cancel->setEnabled(false);
    connect(m_cancel, &QToolButton::clicked, this, &CheckPage::cancelRequested);

    QToolButton* webList = toolbar->addButton("Web List", "Web List", "webListButton");
    auto* webMenu = new QMenu(webList);
    webMenu->addAction("&New/Edit ...", this, &CheckPage::fileListsRequested);
    webMenu->addAction("Browse Web List Builder  ...", this, &CheckPage::webListRequested);
    webList->setMenu(webMenu);
    webList->setPopupMode(QToolButton::MenuButtonPopup);
    connect(webList, &QToolButton::clicked, this, &CheckPage::webListRequested);

    connect(
        toolbar->addButton("Proxy Server",
                           "Set proxy server settings if you go through a proxy to connect to the internet",
                           "proxyButton"),
        &QToolButton::clicked, this, &CheckPage::proxyRequested);

    m_check = toolbar->addButton("Check Position", "Check Position", "checkButton");
    auto* checkMenu = new QMenu(m_check);
    checkMenu->addAction("Select List ...", this, &CheckPage::batchRequested);
    checkMenu->addAction("Help with Using Lists", this, &CheckPage::listHelpRequested);
    m_check->setMenu(checkMenu);
    m_check->setPopupMode(QToolButton::MenuButtonPopup);
    connect(m_check, &QToolButton::clicked, this, &CheckPage::checkRequested);

    toolbar->addStretch();
    connect(toolbar->addButton("Previous", "Previous - Select Engines", "previousButton"),
            &QToolButton::clicked, this, &CheckPage::previousRequested);
    connect(toolbar->addButton("Help", "Help", "helpButton"), &QToolButton::clicked, this,
            &CheckPage::helpRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(toolbar);
}

void CheckPage::setAddressItems(const std::vector<std::string>& items) {
    fillCombo(m_address, items);
}

void CheckPage::setCompareItems(const std::vector<std::string>& items) {
    fillCombo(m_compare, items);
}

QPlainTextEdit* CheckPage::activityMonitor() const {
    return m_activity;
}

void CheckPage::clearActivity() {
    m_activity->clearLines();
}

void CheckPage::addActivity(const QString& line) {
    m_activity->addLine(line);
}
