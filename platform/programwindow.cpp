#include "platform/programwindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/displaytext.h"

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
    for (QAction* action : bar.actions()) {
        if (action->text() == title)
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

ProgramWindow::ProgramWindow(ProgramServices services, QWidget* parent)
    : QMainWindow(parent),
      m_folder(services.folder),
      m_store(services.settings),
      m_prompts(services.prompts),
      m_pacer(services.pacer),
      m_updateServer(std::move(services.updateServer)),
      m_endProgram([this] { close(); }),
      m_panels(*this) {}

QMenu* ProgramWindow::menu(const QString& title) const {
    return menuTitled(*menuBar(), title);
}

void ProgramWindow::centerOnScreen(int width, int height) {
    resize(width, height);
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
