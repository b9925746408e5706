#pragma once

#include <string>

// What every long run of both programs shows while it goes: the main window's three-panel status
// bar, its activity monitor and the busy cursor, or a terminal. Each run extends it with the
// fields of its own page.
class RunView {
public:
    virtual ~RunView() = default;

    // panel is 1, 2 or 3.
    virtual void setStatusPanel(int panel, const std::string& text) = 0;
    virtual void clearActivity() = 0;
    virtual void addActivity(const std::string& line) = 0;
    virtual void setBusyCursor(bool busy) = 0;
};
