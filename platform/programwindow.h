#pragma once

#include <QMainWindow>
#include <QString>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "platform/focusframestyle.h"
#include "platform/guardedapplication.h"
#include "platform/pacer.h"
#include "platform/pagetoolbar.h"
#include "platform/qtprompts.h"

class QLabel;
class QMenu;
class QMenuBar;
class QTabWidget;
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

// The menu of bar whose title, without its Alt letter marks, is title's; nothing when none is.
QMenu* menuTitled(const QMenuBar& bar, const QString& title);

// The Help menu items both programs share: the help topics of the program's help pages and the
// maker's pages in the browser.
void addMakerHelpItems(QMenu& help, Prompts& prompts);

// The about box: the program's name and version in a box with OK, shown through runModal.
void showAboutBox(QWidget* parent, const ModalRunner& runModal, const QString& title, const QString& text);

// What both programs' main windows share: the services they are given, modal dialogs and the
// program's end (with its exit status) through functions tests replace, the three-panel status
// bar, the busy cursor, the size and place the window starts at, F1 for the current page's help,
// and the end of the program when a handler failed.
class ProgramWindow : public QMainWindow {
    Q_OBJECT
public:
    // name: the program as the user knows it, "Ranqor" or "Vistral".
    ProgramWindow(ProgramServices services, QString name, QWidget* parent = nullptr);

    virtual void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }
    void setEndProgram(std::function<void(int status)> end) { m_endProgram = std::move(end); }

    // An exception left one of the window's handlers (memory ran out, above all): tells the user
    // and ends the program with status 1. The application object calls it.
    virtual void handlerFailed(const std::exception& e);

    QMenu* menu(const QString& title) const;
    std::string statusPanel(int panel) const { return m_panels.text(panel); }

protected:
    // At least minimum, larger where the pages ask for more, within the screen; in its middle.
    void fitToContent(QSize minimum);
    // The size and place the window was left at, kept as the settings value "windowplacement"
    // of the program's key.
    void restorePlacement(const std::string& key);
    void savePlacement(const std::string& key);
    // F1 presses the current page's "helpButton".
    void addHelpKey(QTabWidget& pages);
    void setPanel(int panel, const std::string& text) { m_panels.set(panel, text); }
    void setBusy(bool busy) { m_busyCursor.set(busy); }

    ProgramFolder& m_folder;
    SettingsStore& m_store;
    Prompts& m_prompts;
    Pacer& m_pacer;
    std::string m_updateServer;
    ModalRunner m_runModal = runModally;
    std::function<void(int)> m_endProgram;

private:
    QString m_name;
    StatusPanels m_panels;
    BusyCursor m_busyCursor;
};

// A program's window mode: the application named name (on its program folder and the user's
// settings, with the real dialogs and pauses) and MainWindow until it closes or ends the program.
// Without a display, or out of memory, the program ends with a message and status 1 rather
// than an abort.
template <typename MainWindow>
int runMainWindow(int& argc, char** argv, const QString& name, const std::filesystem::path& programFolder,
                  const std::function<std::string(SettingsStore&)>& updateServer) {
    const std::string command = name.toLower().toStdString();
    std::optional<DisplayRequired> display(
        std::in_place, command +
                           ": the window needs a display (DISPLAY or WAYLAND_DISPLAY), and "
                           "none could be opened.\nWithout a display, give " +
                           command + " a command: see " + command + " --help.");
    GuardedApplication app(argc, argv);
    display.reset();
    QApplication::setApplicationName(name);
    QApplication::setApplicationDisplayName(name);
    QApplication::setStyle(new FocusFrameStyle);
    try {
        ProgramFolder folder(programFolder);
        SettingsStore store(SettingsStore::defaultFile());
        QtPrompts prompts(folder.root());
        QtPacer pacer;
        MainWindow window(ProgramServices{folder, store, prompts, pacer, updateServer(store)});
        prompts.setParent(&window);
        window.setEndProgram([](int status) { QCoreApplication::exit(status); });
        app.setFailureReaction([&window](const std::exception& e) { window.handlerFailed(e); });
        window.show();
        const int status = app.exec();
        app.setFailureReaction(nullptr);
        return status;
    } catch (const std::bad_alloc&) {
        // Building the window is no event handler: the application object does not see this.
        std::cerr << command << ": out of memory\n";
        return 1;
    }
}

// A command of a program's command line. It runs with the Qt core the HTTP component needs, and
// without a display; it returns the exit status and throws UsageError for bad arguments.
struct ProgramCommand {
    std::string name;
    std::string usage;  // what "COMMAND --help" prints
    int (*run)(const std::vector<std::string>& args, const char* argv0);
};

// main() of either program named name: what its command line asks for, or, when that names no
// command, its window.
int programMain(int argc, char** argv, const QString& name, const std::string& version,
                const std::string& usage, const std::vector<ProgramCommand>& commands,
                const std::function<int(int&, char**)>& window);
