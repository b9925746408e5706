#include "platform/scriptedprompts.h"

#include <QPrinter>

namespace {

template <typename T>
T take(std::deque<T>& queue, const char* what) {
    if (queue.empty())
        throw std::logic_error(std::string("ScriptedPrompts: no answer queued for ") + what);
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

}  // namespace

bool ScriptedPrompts::confirm(const std::string& text) {
    m_shown.push_back({Kind::Confirm, text});
    return take(confirmAnswers, ("the question: " + text).c_str());
}

Prompts::Answer ScriptedPrompts::question(const std::string& text) {
    m_shown.push_back({Kind::Question, text});
    return take(questionAnswers, ("the question: " + text).c_str());
}

std::optional<std::string> ScriptedPrompts::input(const std::string& caption, const std::string& prompt,
                                                  const std::string&) {
    m_shown.push_back({Kind::Input, prompt});
    m_inputCaptions.push_back(caption);
    return take(inputAnswers, "an input box");
}

std::optional<FileDialogResult> ScriptedPrompts::openFile(const FileDialogRequest& request) {
    m_fileRequests.push_back(request);
    return take(openAnswers, ("the open dialog " + request.title).c_str());
}

std::optional<FileDialogResult> ScriptedPrompts::saveFile(const FileDialogRequest& request) {
    m_fileRequests.push_back(request);
    return take(saveAnswers, ("the save dialog " + request.title).c_str());
}

bool ScriptedPrompts::choosePrinter(QPrinter& printer) {
    std::filesystem::path file = take(printAnswers, "the print dialog");
    if (file.empty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    return true;
}

void ScriptedPrompts::clear() {
    m_shown.clear();
    m_fileRequests.clear();
    m_inputCaptions.clear();
    m_urls.clear();
    m_helpTopics.clear();
}
