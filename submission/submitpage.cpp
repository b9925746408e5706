#include "submission/submitpage.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "pageprep/tipspane.h"
#include "platform/activitymonitor.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"

SubmitPage::SubmitPage(Prompts& prompts, QWidget* parent) : QWidget(parent), m_prompts(prompts) {
    auto* progress = new QFormLayout;
    const char* bars[] = {"File(s)", "Engines", "Overall"};
    for (int i = 0; i < 3; ++i) {
        m_bars[i] = new QProgressBar(this);
        m_bars[i]->setRange(0, 100);
        m_bars[i]->setValue(0);
        progress->addRow(bars[i], m_bars[i]);
    }
    m_totalFiles = makeField("none", "totalFilesField", this);
    m_totalEngines = makeField("none", "totalEnginesField", this);
    m_category = makeField("none", "categoryField", this);
    progress->addRow("Total Files Selected", m_totalFiles);
    progress->addRow("Total Engines Selected", m_totalEngines);
    progress->addRow("Category Selected", m_category);

    auto* processing = new QFormLayout;
    m_step = makeField("idle", "stepField", this);
    m_fileCounter = makeField("# of #", "fileCounterField", this);
    m_fileAddress = makeField("idle", "fileAddressField", this);
    m_engineCounter = makeField("# of #", "engineCounterField", this);
    m_engineName = makeField("idle", "engineNameField", this);
    processing->addRow("Current Processing Step", m_step);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileCounter);
    fileRow->addWidget(m_fileAddress, 1);
    processing->addRow("Current File", fileRow);
    auto* engineRow = new QHBoxLayout;
    engineRow->addWidget(m_engineCounter);
    engineRow->addWidget(m_engineName, 1);
    processing->addRow("Current Engine", engineRow);

    auto* status = new QGroupBox(" Status ", this);
    auto* grid = new QGridLayout(status);
    const char* columns[] = {"# to Submit", "Success", "Fail"};
    const char* rows[] = {"File", "Proj"};
    for (int column = 0; column < 3; ++column)
        grid->addWidget(new QLabel(columns[column], status), 0, column + 1);
    for (int row = 0; row < 2; ++row) {
        grid->addWidget(new QLabel(rows[row], status), row + 1, 0);
        for (int column = 0; column < 3; ++column) {
            m_status[row][column] =
                makeField("N/A", QString("status%1%2").arg(rows[row]).arg(column), status);
            grid->addWidget(m_status[row][column], row + 1, column + 1);
        }
    }

    auto* monitor = new QGroupBox(" Activity Monitor ", this);
    m_activity = new ActivityMonitor(monitor);
    (new QVBoxLayout(monitor))->addWidget(m_activity);

    m_tips = new TipsPane("six", this);
    auto* fields = new QHBoxLayout;
    fields->addLayout(progress, 1);
    fields->addLayout(processing, 1);
    auto* main = new QVBoxLayout;
    main->addLayout(fields);
    main->addWidget(status);
    main->addWidget(monitor, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(main, 3);
    body->addWidget(m_tips, 1);

    auto* toolbar = new PageToolbar(this);
    m_submit =
        toolbar->addButton("Submit Now", "Submit every ticked page to every selected engine", "submitButton");
    connect(m_submit, &QToolButton::clicked, this, &SubmitPage::submitRequested);
    m_cancel = toolbar->addButton("Cancel Submission", "Stop the submission", "cancelButton");
    m_cancel->setEnabled(false);
    connect(m_cancel, &QToolButton::clicked, this, &SubmitPage::cancelRequested);
    m_settings =
        toolbar->addButton("Submission Settings", "Review what will be submitted where", "settingsButton");
    connect(m_settings, &QToolButton::clicked, this, &SubmitPage::verifyRequested);
    toolbar->addStretch();
    connect(toolbar->addButton("Previous", "Previous - Select Engines", "previousButton"),
            &QToolButton::clicked, this, &SubmitPage::previousRequested);
    connect(toolbar->addButton("Help", "Help", "helpButton"), &QToolButton::clicked, this,
            &SubmitPage::helpClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(toolbar);
}

void SubmitPage::addMenuItems(QMenu* submission) {
    submission->addAction("Submit", this, &SubmitPage::submitRequested);
    submission->addAction("Verify...", this, &SubmitPage::verifyRequested);
    submission->addAction("Previous", this, &SubmitPage::previousRequested);
}

void SubmitPage::helpClick() {
    m_prompts.openHelp("submit");
}
