#include "platform/hintpane.h"

#include <QPlainTextEdit>

namespace {
const int kCharactersPerLine = 40;
}

QPlainTextEdit* makeHintPane(QWidget* parent) {
    auto* pane = new QPlainTextEdit(parent);
    pane->setObjectName("infoPane");
    pane->setReadOnly(true);
    sizeAsHintPane(*pane);
    return pane;
}

void sizeAsHintPane(QPlainTextEdit& pane) {
    pane.setMinimumWidth(pane.fontMetrics().averageCharWidth() * kCharactersPerLine);
}
