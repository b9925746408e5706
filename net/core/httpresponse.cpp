#include "net/core/httpresponse.h"

#include "platform/core/text.h"

namespace {

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

int statusCodeOf(std::string_view statusLine) {
    size_t blank = statusLine.find(' ');
    if (blank == std::string_view::npos)
        return 0;
    int code = 0;
    size_t i = blank + 1;
    for (; i < statusLine.size() && i < blank + 4; ++i) {
        if (statusLine[i] < '0' || statusLine[i] > '9')
            return 0;
        code = code * 10 + (statusLine[i] - '0');
    }
    return i == blank + 4 ? code : 0;
}

}  // namespace

bool ResponseHeadReader::addLine(std::string_view line) {
    line = withoutLineEnd(line);
    if (!m_haveStatusLine) {
        // Blank lines before a status line are noise between heads.
        if (line.empty())
            return false;
        m_head.statusLine = std::string(line);
        m_head.statusCode = statusCodeOf(line);
        m_haveStatusLine = true;
        return false;
    }
    if (line.empty())
        return true;
    auto field = splitHeaderLine(line);
    if (equalsIgnoringCase(field.first, "Location") && m_head.location.empty())
        m_head.location = field.second;
    m_head.fields.push_back(std::move(field));
    return false;
}

ResponseHead ResponseHeadReader::take() {
    ResponseHead head = std::move(m_head);
    m_head = ResponseHead();
    m_haveStatusLine = false;
    return head;
}

std::pair<std::string, std::string> splitHeaderLine(std::string_view line) {
    size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return {std::string(line), std::string()};
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    return {std::string(line.substr(0, colon)), std::string(value)};
}

bool statusLineFails(const std::string& statusLine, std::string* description) {
    size_t blank = statusLine.find(' ');
    if (blank == std::string::npos)
        return false;
    if (blank + 1 < statusLine.size() && statusLine[blank + 1] == '2')
        return false;
    if (description)
        *description = statusLine.substr(blank + 1);
    return true;
}
