#include "net/core/tickcore.h"

EickError::EickError(int code, const std::string& description)
    : std::runtime_error(std::to_string(code) + ": " + description),
      m_code(code),
      m_description(description) {}
