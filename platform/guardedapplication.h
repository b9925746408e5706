#pragma once

#include <QApplication>
#include <exception>
#include <functional>
#include <string>

// A window program's application object. Every event handler runs inside notify(), so an
// exception that leaves one (memory that ran out, above all) arrives here instead of aborting the
// program, and the program's reaction tells the user and ends it with status 1.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // Gets the exception that left a handler; it tells the user and ends the program. Without a
    // reaction, or when the reaction throws too, the error stream gets the exception's text and
    // the program ends at once with status 1.
    void setFailureReaction(std::function<void(const std::exception&)> reaction) {
        m_reaction = std::move(reaction);
    }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void failed(const std::exception& e);

    std::function<void(const std::exception&)> m_reaction;
};

// While one lives, Qt's fatal message that no window system could be reached (no display, or
// one that does not answer) ends the program with status 1 after Qt's text and advice, instead
// of Qt's abort. Make one before the application object and drop it once that exists.
class DisplayRequired {
public:
    explicit DisplayRequired(std::string advice);
    ~DisplayRequired();
    DisplayRequired(const DisplayRequired&) = delete;
    DisplayRequired& operator=(const DisplayRequired&) = delete;

private:
    QtMessageHandler m_previous;
};
