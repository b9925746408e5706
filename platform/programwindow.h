#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "platform/pacer.h"
#include "platform/pagetoolbar.h"
#include "platform/qtprompts.h"

class QLabel;
class QMenu;
class QMenuBar;
class QWidget;

// What both programs' main windows are given: the program folder, the settings, the prompts and
// the pacer of the run, and the update server their engine update fetches from.
struct ProgramServices {
    ProgramFolder& folder;
    SettingsStore& settings;
    Prompts& prompts;
    Pacer& pacer;
    std::string updateServer;
};

// A program's window mode: the application named name on its program folder and the user's
// settings, the real dialogs and pauses, and MainWindow until it closes (or asks to end).
template <typename MainWindow>
int runMainWindow(int& argc, char** argv, const QString& name, const std::filesystem::path& programFolder,
                  const std::function<std::string(SettingsStore&)>& updateServer) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(name);
    QApplication::setApplicationDisplayName(name);
    ProgramFolder folder(programFolder);
    SettingsStore store(SettingsStore::defaultFile());
    QtPrompts prompts(folder.root());
    QtPacer pacer;
    MainWindow window(ProgramServices{folder, store, prompts, pacer, updateServer(store)});
    prompts.setParent(&window);
    window.setEndProgram([] { QCoreApplication::quit(); });
    window.show();
    return app.exec();
}

// The three-panel status bar of a main window: 50, 200 and the rest of the pixels wide. Panels
// are numbered 1 to 3 and hold the programs' bytes.
class StatusPanels {
public:
    explicit StatusPanels(QMainWindow& window);
    void set(int panel, const std::string& text);
    std::string text(int panel) const;

private:
    QLabel* m_panels[3] = {};
};

// The busy cursor of a run, shown once however often it is asked for.
class BusyCursor {
public:
    ~BusyCursor() { set(false); }
    void set(bool busy);

private:
    bool m_busy = false;
};

// The menu of bar whose title is title; nothing when there is none.
QMenu* menuTitled(const QMenuBar& bar, const QString& title);

// The Help menu items both programs share: the help topics of the program's help pages and the
// maker's pages in the browser.
void addMakerHelpItems(QMenu& help, Prompts& prompts);

// The about box: the program's name and version in a box with OK, shown through runModal.
void showAboutBox(QWidget* parent, const ModalRunner& runModal, const QString& title, const QString& text);

// What both programs' main windows share: the services they are given, modal dialogs and the
// program's end through functions tests replace, the three-panel status bar, the busy cursor
// and the lookup of a menu by its title.
class ProgramWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ProgramWindow(ProgramServices services, QWidget* parent = nullptr);

    virtual void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }
    void setEndProgram(std::function<void()> end) { m_endProgram = std::move(end); }

    QMenu* menu(const QString& title) const;
    std::string statusPanel(int panel) const { return m_panels.text(panel); }

protected:
    // Sizes the window and places it in the middle of the screen.
    void centerOnScreen(int width, int height);
    void setPanel(int panel, const std::string& text) { m_panels.set(panel, text); }
    void setBusy(bool busy) { m_busyCursor.set(busy); }

    ProgramFolder& m_folder;
    SettingsStore& m_store;
    Prompts& m_prompts;
    Pacer& m_pacer;
    std::string m_updateServer;
    ModalRunner m_runModal = runModally;
    std::function<void()> m_endProgram;

private:
    StatusPanels m_panels;
    BusyCursor m_busyCursor;
};
