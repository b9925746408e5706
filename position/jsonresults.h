#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "position/core/rulefile.h"

// The rows of an engine's JSON answer under a kind=json rule: the list the rule's pointer leads
// to, each item's address (without its query part, as on result pages) and label. An answer that
// is no JSON object, a pointer that leads to no list, or an item without an address gives no
// rows at all, and the reason goes into notes.
std::vector<ResultRow> jsonRuleRows(const JsonRule& rule, std::string_view page,
                                    std::vector<std::string>& notes);
