#pragma once

#include <gtest/gtest.h>

#include <string>

// The message of the `Error` that `call` throws; a test failure and an empty text when it throws
// none. Another exception leaves the test with it.
template <typename Error, typename Call>
std::string errorMessage(Call call) {
    try {
        call();
    } catch (const Error& error) {
        return error.what();
    }
    ADD_FAILURE() << "nothing thrown";
    return {};
}
