#include "platform/activitymonitor.h"

#include <QScrollBar>
#include <QTextCursor>

ActivityMonitor::ActivityMonitor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("activityMonitor");
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void ActivityMonitor::clearLines() {
    clear();
    m_lines = 0;
}

void ActivityMonitor::addLine(const QString& line) {
    // appendPlainText would fill an empty first line instead of adding one after it.
    if (m_lines++ == 0) {
        setPlainText(line);
    } else {
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock();
        cursor.insertText(line);
    }
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
