#pragma once

#include <stdexcept>
#include <string>

// The common exception of the internet components: a numeric code, and the message made of the
// code, ": " and the description.
class EickError : public std::runtime_error {
public:
    EickError(int code, const std::string& description);

    int Code() const { return m_code; }
    const std::string& Description() const { return m_description; }

private:
    int m_code;
    std::string m_description;
};

// The common base of the internet components: keeps the last failure's code and description
// and raises failures as the component's own exception class.
class TickCore {
public:
    virtual ~TickCore() = default;

    int LastErrorCode() const { return m_lastErrorCode; }
    const std::string& LastErrorDescription() const { return m_lastErrorDescription; }

protected:
    template <typename E>
    [[noreturn]] void raiseError(int code, const std::string& description) {
        m_lastErrorCode = code;
        m_lastErrorDescription = description;
        throw E(code, description);
    }
    void clearLastErrorDescription() { m_lastErrorDescription.clear(); }
    void clearLastError() {
        m_lastErrorCode = 0;
        m_lastErrorDescription.clear();
    }

private:
    int m_lastErrorCode = 0;
    std::string m_lastErrorDescription;
};
