#pragma once

#include <QPlainTextEdit>

// The read-only text a run writes its lines into, kept scrolled to the newest line.
class ActivityMonitor : public QPlainTextEdit {
public:
    explicit ActivityMonitor(QWidget* parent = nullptr);

    void clearLines();
    // Adds a line at the end; an empty line is a line too, the first one included.
    void addLine(const QString& line);

private:
    int m_lines = 0;
};
