#include "platform/qtprompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "platform/displaytext.h"

namespace {

// Paragraphs of a message are separated by LF CR LF CR; a label shows a CR as a stray glyph.
QString boxText(const std::string& text) {
    return toDisplay(text).remove(QChar('\r'));
}

QString title() {
    return QApplication::applicationDisplayName();
}

}  // namespace

QtPrompts::QtPrompts(std::filesystem::path programFolder, QWidget* parent)
    : m_programFolder(std::move(programFolder)), m_parent(parent) {}

void QtPrompts::information(const std::string& text) {
    QMessageBox::information(m_parent, title(), boxText(text));
}

void QtPrompts::warning(const std::string& text) {
    QMessageBox::warning(m_parent, title(), boxText(text));
}

void QtPrompts::error(const std::string& text) {
    QMessageBox::critical(m_parent, title(), boxText(text));
}

void QtPrompts::message(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, title(), boxText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtPrompts::confirm(const std::string& text) {
    return QMessageBox::question(m_parent, title(), boxText(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

Prompts::Answer QtPrompts::question(const std::string& text) {
    switch (QMessageBox::question(m_parent, title(), boxText(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::optional<std::string> QtPrompts::input(const std::string& caption, const std::string& prompt,
                                            const std::string& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(m_parent, toDisplay(caption), toDisplay(prompt), QLineEdit::Normal,
                                         toDisplay(initial), &ok);
    if (!ok)
        return std::nullopt;
    return fromDisplay(text);
}

QStringList QtPrompts::qtFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split(QChar('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QChar(';'), QChar(' '));
        filters << parts[i] + " (" + patterns + ")";
    }
    return filters;
}

std::optional<FileDialogResult> QtPrompts::fileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(m_parent, toDisplay(request.title),
                       QString::fromStdString(request.startFolder.string()));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save                  ? QFileDialog::AnyFile
                       : request.multiSelect ? QFileDialog::ExistingFiles
                                             : QFileDialog::ExistingFile);
    QStringList filters = qtFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.fileName.empty())
        dialog.selectFile(toDisplay(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileDialogResult result;
    for (const QString& file : dialog.selectedFiles())
        result.paths.push_back(std::filesystem::path(file.toStdString()));
    result.path = result.paths.front();
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return result;
}

std::optional<FileDialogResult> QtPrompts::openFile(const FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::optional<FileDialogResult> QtPrompts::saveFile(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

bool QtPrompts::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrompts::openUrl(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void QtPrompts::openHelp(const std::string& topic) {
    std::filesystem::path page = m_programFolder / "help" / (topic + ".html");
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())));
}
