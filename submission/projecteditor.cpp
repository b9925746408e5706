#include "submission/projecteditor.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "pageprep/core/folderfiles.h"
#include "pageprep/tipspane.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/core/text.h"
#include "platform/displaytext.h"
#include "platform/prompts.h"
#include "sitetools/core/filelist.h"
#include "submission/core/profile.h"
#include "submission/core/projects.h"

namespace {

const char* kHintItem = "Customize Window Hint";
const char* kHintSaveItem = "Click Here to Save - Window Hint";

std::string fromCell(const QString& text) {
    return withCrLf(fromDisplay(text));
}

}  // namespace

Tproject::Tproject(ProgramFolder& folder, SettingsStore& store, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_folder(folder), m_store(store), m_prompts(prompts) {
    buildControls();
    prepare();
}

void Tproject::buildControls() {
    setWindowTitle("Vistral - Project Editor");
    m_name = new QComboBox(this);
    m_name->setObjectName("nameBox");
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->setCurrentText("Base");
    connect(m_name, &QComboBox::activated, this, &Tproject::nameChosen);
    connect(m_name->lineEdit(), &QLineEdit::returnPressed, this, &Tproject::saveClick);

    auto* pathGroup = new QGroupBox("Default Web Path", this);
    m_path = new QLineEdit(pathGroup);
    m_path->setObjectName("pathBox");
    auto* pathLayout = new QFormLayout(pathGroup);
    pathLayout->addRow("Path", m_path);

    auto* typeGroup = new QGroupBox("Web Type", this);
    auto* typeLayout = new QHBoxLayout(typeGroup);
    m_webType = new QButtonGroup(this);
    const char* types[] = {"Pages Local", "Pages on Net", "Pages on Net (HTTPS)"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(types[i], typeGroup);
        m_webType->addButton(button, i);
        typeLayout->addWidget(button);
    }
    m_webType->button(1)->setChecked(true);

    m_category = new QComboBox(this);
    m_category->setObjectName("categoryBox");
    m_category->setEditable(true);
    m_category->setInsertPolicy(QComboBox::NoInsert);

    m_table = new QTableWidget(this);
    m_table->setObjectName("profileTable");
    m_table->setColumnCount(2);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 1 && item->row() + 1 < m_profile.rowCount())
            m_profile.setCell(1, item->row() + 1, fromCell(item->text()));
    });

    m_hint = new TipsPane("hintPane", this);

    auto* save = new QPushButton("Save  Project", this);
    save->setObjectName("saveButton");
    connect(save, &QPushButton::clicked, this, &Tproject::saveClick);
    auto* closeButton = new QPushButton("Close", this);
    closeButton->setObjectName("closeButton");
    // Enter saves from the name box only, not from every box of the dialog.
    for (QPushButton* button : {save, closeButton})
        button->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &Tproject::closeClick);

    auto* menus = new QMenuBar(this);
    QMenu* file = menus->addMenu("&File");
    file->addAction("&Save Project Settings", this, &Tproject::saveClick);
    m_hintItem = file->addAction(kHintItem, this, &Tproject::customizeHintClick);
    file->addSeparator();
    file->addAction("Exit", this, &Tproject::closeClick);

    auto* settings = new QFormLayout;
    settings->addRow("Project Name", m_name);
    settings->addRow(pathGroup);
    settings->addRow(typeGroup);
    settings->addRow("Category", m_category);
    auto* left = new QVBoxLayout;
    left->addLayout(settings);
    left->addWidget(m_table, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 3);
    body->addWidget(m_hint, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(640, 480);
}

void Tproject::prepare() {
    try {
        m_profile = readProjectProfile(m_folder, projectName());
        showProfile();
        rebuildNameList();
        m_hint->load(m_folder.resolve("tips\\projfrm.txt"));
        m_category->clear();
        for (const std::string& line : readFileList(m_folder.resolve("cats\\cat.txt")))
            m_category->addItem(toDisplay(line));
        m_category->setCurrentIndex(m_category->count() > 0 ? 0 : -1);
        getdefaults();
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
}

std::string Tproject::projectName() const {
    const int index = m_name->currentIndex();
    if (index >= 0 && m_name->itemText(index) == m_name->currentText())
        return m_name->itemData(index).toByteArray().toStdString();
    return fromDisplay(m_name->currentText());
}

void Tproject::rebuildNameList() {
    const QString text = m_name->currentText();
    m_name->clear();
    std::vector<std::string> names;
    try {
        names = listProjects(m_folder);
    } catch (const DirectoryError& e) {
        m_prompts.error(e.what());
    }
    for (const std::string& name : names)
        m_name->addItem(toDisplay(name), QByteArray::fromStdString(name));
    m_name->setCurrentIndex(m_name->findText(text));
    m_name->setCurrentText(text);
}

void Tproject::readProfile(const std::string& name) {
    try {
        m_profile = readProjectProfile(m_folder, name);
    } catch (const GridFileError& e) {
        m_prompts.error(e.what());
    }
    showProfile();
}

void Tproject::showProfile() {
    QSignalBlocker block(m_table);
    const int rows = std::max(0, m_profile.rowCount() - 1);
    m_table->setRowCount(rows);
    if (m_profile.columnCount() < 2)
        m_profile.setColumnCount(2);
    m_table->setHorizontalHeaderLabels({toDisplay(m_profile.rowCount() > 0 ? m_profile.cell(0, 0) : ""),
                                        toDisplay(m_profile.rowCount() > 0 ? m_profile.cell(1, 0) : "")});
    for (int row = 0; row < rows; ++row) {
        auto* label = new QTableWidgetItem(toDisplay(m_profile.cell(0, row + 1)));
        label->setFlags(label->flags() & ~Qt::ItemIsEditable);
        m_table->setItem(row, 0, label);
        m_table->setItem(row, 1, new QTableWidgetItem(toDisplay(m_profile.cell(1, row + 1))));
    }
}

void Tproject::loadProject(const std::string& name) {
    m_name->setCurrentText(toDisplay(name));
    getdefaults();
    readProfile(name);
}

void Tproject::nameChosen() {
    getdefaults();
    readProfile(projectName());
}

void Tproject::getdefaults() {
    const std::string name = projectName();
    const std::array<std::string, 3> names = projectValueNames(name);
    const std::string current[] = {fromDisplay(m_path->text()), std::to_string(m_webType->checkedId()),
                                   fromDisplay(m_category->currentText())};
    try {
        for (size_t i = 0; i < names.size(); ++i) {
            if (!m_store.valueExists(kVistralKey, names[i])) {
                m_store.writeValue(kVistralKey, names[i], current[i]);
                continue;
            }
            const std::string value = m_store.readValue(kVistralKey, names[i]).value_or("");
            if (i == 0)
                m_path->setText(toDisplay(value));
            else if (i == 1)
                m_webType->button(static_cast<int>(webTypeFromText(value)))->setChecked(true);
            else
                m_category->setCurrentText(toDisplay(value));
        }
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
}

void Tproject::setdefaults() {
    try {
        writeProjectSettings(m_store, projectName(), fromDisplay(m_path->text()),
                             std::to_string(m_webType->checkedId()), fromDisplay(m_category->currentText()));
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
}

void Tproject::saveClick() {
    const std::string name = projectName();
    std::vector<std::string> existing;
    try {
        existing = listProjects(m_folder);
    } catch (const DirectoryError&) {
        // The save creates the folder; with none there is no project to clash with.
    }
    if (std::optional<NameRefusal> refusal = refuseProjectName(name, existing)) {
        if (refusal->box == NameRefusal::Box::Plain)
            m_prompts.message(refusal->text);
        else
            m_prompts.error(refusal->text);
        return;
    }
    if (m_path->text().isEmpty()) {
        m_prompts.message(
            "Warning, your have not set the default web path! This is used for submissions, please make sure "
            "that you update this.");
    }
    try {
        writeProjectFiles(m_folder, name, m_profile);
    } catch (const std::exception& e) {
        showProfile();
        m_prompts.error(e.what());
        return;
    }
    showProfile();
    setdefaults();
    if (m_prompts.confirm(
            "Project: " + name +
            " was created/updated successfully: Do you want to exit the Project Editor and return "
            "to the Submission Program? \r\rThis will close the Project Form Window.   Close "
            "Window?")) {
        reject();
    } else {
        rebuildNameList();
    }
}

void Tproject::closeClick() {
    reject();
}

void Tproject::done(int result) {
    // An empty name names no project; its settings would be stored under the bare suffixes.
    if (!projectName().empty())
        setdefaults();
    QDialog::done(result);
}

void Tproject::customizeHintClick() {
    if (!m_editingHint) {
        m_editingHint = true;
        m_hint->setReadOnly(false);
        m_hintItem->setText(kHintSaveItem);
        return;
    }
    try {
        m_hint->save(m_folder.resolveForWriting("tips\\projfrm.txt"));
    } catch (const FileError& e) {
        m_prompts.error(e.what());
        return;
    }
    m_editingHint = false;
    m_hint->setReadOnly(true);
    m_hintItem->setText(kHintItem);
}
