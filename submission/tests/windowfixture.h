#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTabWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/gridtable.h"
#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "platform/pacer.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/modalrecorder.h"
#include "platform/tests/tempdir.h"
#include "submission/core/projects.h"
#include "submission/mainwindow.h"

// A program folder copied from the shipped one, a settings file of its own, and the window on
// them with scripted prompts; modal dialogs are recorded by their titles instead of shown.
class VistralWindowTest : public ::testing::Test {
protected:
    using Kind = ScriptedPrompts::Kind;
    using Shown = ScriptedPrompts::Shown;
    using Lines = std::vector<std::string>;

    TempDir dir;
    ProgramFolder folder{dir.path()};
    SettingsStore store{dir / "settings.ini"};
    ScriptedPrompts prompts;
    FakePacer pacer;
    ModalRecorder modal;
    std::vector<std::string>& dialogs = modal.titles;
    std::function<void(QDialog&)>& onDialog = modal.onDialog;
    std::string updateServer = "http://127.0.0.1:9";
    int ended = 0;
    int exitStatus = -1;  // of the last end of the program

    void SetUp() override {
        std::filesystem::copy(VISTRAL_DATA_DIR, dir.path(), std::filesystem::copy_options::recursive);
        std::filesystem::create_directories(dir / "history");
    }

    std::unique_ptr<TForm1> open() {
        auto form = std::make_unique<TForm1>(ProgramServices{folder, store, prompts, pacer, updateServer});
        form->setModalRunner(modal.runner());
        form->setEndProgram([this](int status) {
            ++ended;
            exitStatus = status;
        });
        return form;
    }

    // A project as the Project Editor saves it: profile from label and value pairs after the
    // header row, files and settings.
    void makeProject(const std::string& name, const std::string& webPath, WebType type = WebType::Net,
                     const std::string& category = "Travel", const Lines& labelsAndValues = {}) {
        GridTable profile(2, 1 + static_cast<int>(labelsAndValues.size() / 2));
        profile.setCell(0, 0, "Personalization Item");
        for (size_t i = 0; i + 1 < labelsAndValues.size(); i += 2) {
            profile.setCell(0, static_cast<int>(1 + i / 2), labelsAndValues[i]);
            profile.setCell(1, static_cast<int>(1 + i / 2), labelsAndValues[i + 1]);
        }
        writeProjectFiles(folder, name, profile);
        writeProjectSettings(store, name, webPath, std::to_string(static_cast<int>(type)), category);
    }

    static bool tabVisible(TForm1& form, const QString& caption) {
        for (int i = 0; i < form.tabs().count(); ++i) {
            if (form.tabs().tabText(i) == caption)
                return form.tabs().isTabVisible(i);
        }
        ADD_FAILURE() << "no tab " << caption.toStdString();
        return false;
    }
    static QStringList visibleTabs(TForm1& form) {
        QStringList tabs;
        for (int i = 0; i < form.tabs().count(); ++i) {
            if (form.tabs().isTabVisible(i))
                tabs << form.tabs().tabText(i);
        }
        return tabs;
    }
    static QString activeTab(TForm1& form) { return form.tabs().tabText(form.tabs().currentIndex()); }
    static QStringList visibleMenus(TForm1& form);
    static QAction* item(QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
        ADD_FAILURE() << "no menu item " << text.toStdString();
        return nullptr;
    }
    std::string file(const std::string& relative) const;
    std::vector<Shown> shownSince(size_t from) const {
        return {prompts.shown().begin() + static_cast<long>(from), prompts.shown().end()};
    }
};
