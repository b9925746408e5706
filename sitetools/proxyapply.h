#pragma once

#include <stdexcept>
#include <vector>

class SettingsStore;
class TickHTTP;

// A stored number that is not a whole number; what() is the message the user is shown.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The position checker hands its stored proxy to the search component only; the update
// component always goes as the system's settings say. Throws SettingsError.
void applyRanqorProxy(SettingsStore& store, TickHTTP& search);

// The submission tool hands proxy, user and password to each of its components, and the
// response timeout (in seconds) to its watchdog as milliseconds. A value that does not exist
// leaves its target as it was. Throws SettingsError, and ConversionError for a timeout that is
// not a whole number (the values before it have been applied by then).
void applyVistralSettings(SettingsStore& store, const std::vector<TickHTTP*>& components,
                          int& watchdogMilliseconds);
