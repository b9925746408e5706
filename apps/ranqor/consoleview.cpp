#include "apps/ranqor/consoleview.h"

#include <QDate>
#include <QLocale>
#include <ostream>

ConsoleView::ConsoleView(std::ostream& err, std::string address, std::string compare, AnalysisOptions options)
    : m_err(err), m_address(std::move(address)), m_compare(std::move(compare)), m_options(options) {}

void ConsoleView::addActivity(const std::string& line) {
    m_err << line << '\n' << std::flush;
}

void ConsoleView::setProgress(int percent) {
    if (percent == 0)
        return;
    m_err << "Progress: " << percent << "% (engine " << m_counter << ")\n" << std::flush;
}

void ConsoleView::setAddressText(const std::string& text) {
    m_address = text;
    m_err << "Address: " << text << '\n' << std::flush;
}

std::string ConsoleView::shortDate() const {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}
