#include "platform/programwindow.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/core/commandline.h"
#include "platform/displaytext.h"

namespace {
const std::string kParagraph = "\n\r\n\r";
// The window's size and position between sessions, as Qt stores them.
const char* kPlacementValue = "windowplacement";
}  // namespace

StatusPanels::StatusPanels(QMainWindow& window) {
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(&window);
        m_panels[i]->setObjectName(QString("panel%1").arg(i + 1));
        m_panels[i]->setMinimumWidth(i == 0 ? 50 : i == 1 ? 200 : 100);
        window.statusBar()->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }
}

void StatusPanels::set(int panel, const std::string& text) {
    m_panels[panel - 1]->setText(toDisplay(text));
}

std::string StatusPanels::text(int panel) const {
    return fromDisplay(m_panels[panel - 1]->text());
}

void BusyCursor::set(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QMenu* menuTitled(const QMenuBar& bar, const QString& title) {
    const auto shown = [](QString text) { return text.remove(QChar('&')); };
    for (QAction* action : bar.actions()) {
        if (shown(action->text()) == shown(title))
            return action->menu();
    }
    return nullptr;
}

void addMakerHelpItems(QMenu& help, Prompts& prompts) {
    const std::pair<const char*, const char*> topics[] = {{"Contents", "contents"},
                                                          {"Getting Started", "getting-started"},
                                                          {"Getting Support", "getting-support"},
                                                          {"Web Site Promotion FAQS", "promotion-faq"}};
    for (const auto& [caption, topic] : topics) {
        std::string name = topic;
        help.addAction(caption, [&prompts, name] { prompts.openHelp(name); });
    }
    help.addAction("Orlek Online", [&prompts] { prompts.openUrl("http://www.orlek.example/"); });
    help.addAction("Ordering Information",
                   [&prompts] { prompts.openUrl("http://www.orlek.example/order.html"); });
}

void showAboutBox(QWidget* parent, const ModalRunner& runModal, const QString& title, const QString& text) {
    QDialog about(parent);
    about.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&about);
    layout->addWidget(new QLabel(text, &about));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addWidget(buttons);
    runModal(about);
}

ProgramWindow::ProgramWindow(ProgramServices services, QString name, QWidget* parent)
    : QMainWindow(parent),
      m_folder(services.folder),
      m_store(services.settings),
      m_prompts(services.prompts),
      m_pacer(services.pacer),
      m_updateServer(std::move(services.updateServer)),
      m_endProgram([this](int) { close(); }),
      m_name(std::move(name)),
      m_panels(*this) {}

void ProgramWindow::handlerFailed(const std::exception& e) {
    const std::string name = fromDisplay(m_name);
    if (dynamic_cast<const std::bad_alloc*>(&e))
        m_prompts.error(name + " has run out of memory and must close." + kParagraph +
                        "Work that was not saved is lost.");
    else
        m_prompts.error(name + " must close after an unexpected error: " + e.what());
    m_endProgram(1);
}

QMenu* ProgramWindow::menu(const QString& title) const {
    return menuTitled(*menuBar(), title);
}

void ProgramWindow::fitToContent(QSize minimum) {
    QSize size = sizeHint().expandedTo(minimum);
    QScreen* screen = QApplication::primaryScreen();
    if (screen)
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void ProgramWindow::restorePlacement(const std::string& key) {
    try {
        if (std::optional<std::string> placement = m_store.readValue(key, kPlacementValue))
            restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*placement)));
    } catch (const std::exception&) {
        // A placement that cannot be read leaves the window where it was put.
    }
}

void ProgramWindow::savePlacement(const std::string& key) {
    try {
        m_store.writeValue(key, kPlacementValue, saveGeometry().toBase64().toStdString());
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
}

void ProgramWindow::addHelpKey(QTabWidget& pages) {
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, [&pages] {
        if (auto* button = pages.currentWidget()->findChild<QToolButton*>("helpButton"))
            button->click();
    });
    addAction(help);
}

int programMain(int argc, char** argv, const QString& name, const std::string& version,
                const std::string& usage, const std::vector<ProgramCommand>& commands,
                const std::function<int(int&, char**)>& window) {
    CommandLineProgram program{name.toLower().toStdString(), version, usage, {}};
    for (const ProgramCommand& command : commands) {
        program.commands.push_back(
            {command.name, command.usage,
             [&argc, argv, &name, run = command.run](const std::vector<std::string>& args) {
                 QCoreApplication app(argc, argv);
                 QCoreApplication::setApplicationName(name);
                 return run(args, argv[0]);
             }});
    }
    std::optional<int> status = runCommandLine(program, {argv + 1, argv + argc}, std::cout, std::cerr);
    if (!status)
        return window(argc, argv);
    return finishStandardOutput(program.name, *status, std::cerr);
}
