#pragma once

#include <string>

#include "position/core/history.h"

namespace history_fixture {

inline const std::string kSite = "http://www.example.com/";

// A check of kSite; a position above 0 makes it a match there.
inline CheckRecord check(const std::string& engine, const std::string& term, CheckOutcome outcome,
                         int position = 0) {
    CheckRecord c;
    c.engine = engine;
    c.term = term;
    c.address = kSite;
    c.outcome = outcome;
    c.position = position;
    c.matches = position > 0 ? 1 : 0;
    if (position > 0)
        c.matched = {kSite};
    return c;
}

}  // namespace history_fixture
