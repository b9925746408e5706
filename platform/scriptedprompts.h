#pragma once

#include <deque>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/prompts.h"

// Prompts for tests: every box is recorded with its kind and exact text, and every question is
// answered from a queue the test fills beforehand. A question without a queued answer throws,
// so a test never passes on an answer nobody chose.
class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Information, Warning, Error, Message, Confirm, Question, Input };
    struct Shown {
        Kind kind;
        std::string text;
        bool operator==(const Shown&) const = default;
    };

    void information(const std::string& text) override { m_shown.push_back({Kind::Information, text}); }
    void warning(const std::string& text) override { m_shown.push_back({Kind::Warning, text}); }
    void error(const std::string& text) override { m_shown.push_back({Kind::Error, text}); }
    void message(const std::string& text) override { m_shown.push_back({Kind::Message, text}); }
    bool confirm(const std::string& text) override;
    Answer question(const std::string& text) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
    std::optional<FileDialogResult> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;
    void openUrl(const std::string& url) override { m_urls.push_back(url); }
    void openHelp(const std::string& topic) override { m_helpTopics.push_back(topic); }

    // Answers, taken in order.
    std::deque<bool> confirmAnswers;
    std::deque<Answer> questionAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<std::optional<FileDialogResult>> openAnswers;
    std::deque<std::optional<FileDialogResult>> saveAnswers;
    // A confirmed print dialog prints into this PDF file; an empty path cancels the dialog.
    std::deque<std::filesystem::path> printAnswers;

    const std::vector<Shown>& shown() const { return m_shown; }
    const std::vector<FileDialogRequest>& fileRequests() const { return m_fileRequests; }
    const std::vector<std::string>& inputCaptions() const { return m_inputCaptions; }
    const std::vector<std::string>& urls() const { return m_urls; }
    const std::vector<std::string>& helpTopics() const { return m_helpTopics; }
    void clear();

private:
    std::vector<Shown> m_shown;
    std::vector<FileDialogRequest> m_fileRequests;
    std::vector<std::string> m_inputCaptions;
    std::vector<std::string> m_urls;
    std::vector<std::string> m_helpTopics;
};
