#include "pageprep/tipspane.h"

#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "platform/displaytext.h"
#include "platform/hintpane.h"

TipsPane::TipsPane(const QString& objectName, QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(objectName);
    setReadOnly(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    sizeAsHintPane(*this);
}

void TipsPane::load(const std::filesystem::path& file) {
    const std::string bytes = readFileBytes(file);
    m_loaded.clear();
    m_loaded.remember(bytes);
    setPlainText(toDisplay(bytes));
}

void TipsPane::save(const std::filesystem::path& file) const {
    writeFileAtomically(file, withCrLf(m_loaded.restore(fromDisplay(toPlainText()))));
}
