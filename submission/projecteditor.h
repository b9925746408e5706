#pragma once

#include <QDialog>
#include <string>

#include "platform/core/gridtable.h"

class ProgramFolder;
class Prompts;
class QAction;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QTableWidget;
class SettingsStore;
class TipsPane;

// The Project Editor: a project's name, default web path, web type and category (its settings)
// and its profile (a table of labels and values). Created once at program start and kept, so a
// new project starts as a copy of the project last shown; typing a new name and saving makes it.
class Tproject : public QDialog {
    Q_OBJECT
public:
    // Prepares the editor on the Base project; a file it cannot read is reported and ends the
    // preparation there.
    Tproject(ProgramFolder& folder, SettingsStore& store, Prompts& prompts, QWidget* parent = nullptr);

    QComboBox* nameBox() const { return m_name; }
    QLineEdit* pathBox() const { return m_path; }
    QButtonGroup* webTypeGroup() const { return m_webType; }
    QComboBox* categoryBox() const { return m_category; }
    QTableWidget* profileTable() const { return m_table; }
    TipsPane* hintPane() const { return m_hint; }
    QAction* hintItem() const { return m_hintItem; }
    const GridTable& profile() const { return m_profile; }

    // The name list, rebuilt from the project list each time the editor is shown.
    void rebuildNameList();
    // Properties: the project's settings and profile in the editor.
    void loadProject(const std::string& name);

    std::string projectName() const;

public slots:
    // For the name in the name box: each setting that exists is shown, each that does not is
    // stored from its control.
    void getdefaults();
    // Stores the three controls under the name in the name box.
    void setdefaults();
    void saveClick();
    void closeClick();
    void nameChosen();
    void customizeHintClick();

protected:
    // However the editor closes, the name shown keeps its settings.
    void done(int result) override;

private:
    void buildControls();
    void prepare();
    void readProfile(const std::string& name);
    void showProfile();

    ProgramFolder& m_folder;
    SettingsStore& m_store;
    Prompts& m_prompts;
    GridTable m_profile;

    QComboBox* m_name = nullptr;
    QLineEdit* m_path = nullptr;
    QButtonGroup* m_webType = nullptr;
    QComboBox* m_category = nullptr;
    QTableWidget* m_table = nullptr;
    TipsPane* m_hint = nullptr;
    QAction* m_hintItem = nullptr;
    bool m_editingHint = false;
};
