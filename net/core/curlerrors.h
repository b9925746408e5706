#pragma once

#include <curl/curl.h>

#include <string>

// What the transfer knew when libcurl gave up, to tell apart failures libcurl reports alike.
struct CurlFailure {
    CURLcode code = CURLE_OK;
    long certificateVerifyResult = 0;  // OpenSSL's verification result, 0 when it passed
    bool viaProxy = false;
    std::string errorText;  // libcurl's error buffer
};

// The service code users see for a libcurl failure.
int serviceCodeForCurl(const CurlFailure& failure);
