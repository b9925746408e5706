#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using HeaderFields = std::vector<std::pair<std::string, std::string>>;

// One response head as the server sent it: the status line and its header lines in order.
struct ResponseHead {
    std::string statusLine;
    int statusCode = 0;  // 0 when the status line carries no number
    HeaderFields fields;
    std::string location;  // the Location field's value, if any

    bool isInterim() const { return statusCode >= 100 && statusCode < 200; }
    bool isRedirect() const { return statusCode >= 300 && statusCode < 400 && !location.empty(); }
};

// Collects header lines until the empty line that ends a head.
class ResponseHeadReader {
public:
    // Takes one line (with or without its CR LF); true when it ended a head, which take() hands out.
    bool addLine(std::string_view line);
    ResponseHead take();
    bool started() const { return !m_head.statusLine.empty(); }

private:
    ResponseHead m_head;
    bool m_haveStatusLine = false;
};

// Splits at the first ":"; the blanks after the colon are skipped. A line without a colon is all
// field name.
std::pair<std::string, std::string> splitHeaderLine(std::string_view line);

// The status check after a transfer: fails when the status line holds a blank and the character
// after the first blank is not "2". description is then what follows that blank.
bool statusLineFails(const std::string& statusLine, std::string* description);

// Gathers body bytes into blocks of at most capacity bytes, in one buffer for the whole request:
// a block is handed on when the buffer is full, and a shorter one when flushed because no more
// bytes are at hand.
class BlockBuffer {
public:
    explicit BlockBuffer(size_t capacity) : m_buffer(capacity), m_size(0) {}

    // onBlock(const char*, size_t) returns false to stop; append then returns false too.
    template <typename OnBlock>
    bool append(const char* data, size_t length, OnBlock&& onBlock) {
        while (length > 0) {
            size_t take = std::min(length, m_buffer.size() - m_size);
            std::copy(data, data + take, m_buffer.data() + m_size);
            m_size += take;
            data += take;
            length -= take;
            if (m_size == m_buffer.size() && !flush(onBlock))
                return false;
        }
        return true;
    }

    template <typename OnBlock>
    bool flush(OnBlock&& onBlock) {
        if (m_size == 0)
            return true;
        size_t size = m_size;
        m_size = 0;
        return onBlock(static_cast<const char*>(m_buffer.data()), size);
    }

    void clear() { m_size = 0; }
    size_t pending() const { return m_size; }

private:
    std::vector<char> m_buffer;
    size_t m_size;
};
