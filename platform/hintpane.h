#pragma once

class QPlainTextEdit;
class QWidget;

// The read-only information pane beside a wizard page's controls, named "infoPane". It asks for
// room for about a short sentence a line, so a window sized to its content shows the hints
// without a line break every few words.
QPlainTextEdit* makeHintPane(QWidget* parent);

// Asks for the room of a hint pane: about a short sentence a line.
void sizeAsHintPane(QPlainTextEdit& pane);
