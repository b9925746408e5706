#include "platform/guardedapplication.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

std::string g_displayAdvice;
QtMessageHandler g_previousHandler = nullptr;

void displayMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (g_previousHandler)
            g_previousHandler(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(message));
        return;
    }
    std::fprintf(stderr, "%s\n%s\n", qPrintable(message), g_displayAdvice.c_str());
    std::_Exit(1);
}

}  // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        failed(e);
    }
    return false;
}

void GuardedApplication::failed(const std::exception& e) {
    if (m_reaction) {
        try {
            m_reaction(e);
            return;
        } catch (...) {
            // Telling the user failed too (a box needs memory): end below without it.
        }
    }
    const bool outOfMemory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
    std::string name;
    try {
        name = applicationName().toStdString() + ": ";
    } catch (...) {
    }
    std::fprintf(stderr, "%s%s\n", name.c_str(), outOfMemory ? "out of memory" : e.what());
    std::_Exit(1);
}

DisplayRequired::DisplayRequired(std::string advice) {
    g_displayAdvice = std::move(advice);
    m_previous = qInstallMessageHandler(displayMessage);
    g_previousHandler = m_previous;
}

DisplayRequired::~DisplayRequired() {
    qInstallMessageHandler(m_previous);
}
