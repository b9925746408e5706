#include "net/core/wininetcodes.h"

#include <string_view>
#include <utility>

namespace {

// Searched in this order; the first row with the code wins.
constexpr std::pair<int, std::string_view> kServiceErrors[] = {
    {12001, "Internet Out Of Handles."},
    {12002, "Internet Timeout."},
    {12003, "Internet Extended Error."},
    {12004, "Internet Internal Error."},
    {12005, "Internet Invalid Url."},
    {12006, "Internet Unrecognized Scheme."},
    {12007, "Internet Name Not Resolved."},
    {12008, "Internet Protocol Not Found."},
    {12009, "Internet Invalid Option."},
    {12010, "Internet Bad Option Length."},
    {12011, "Internet Option Not Settable."},
    {12012, "Internet Shutdown."},
    {12013, "Internet Incorrect User Name."},
    {12014, "Internet Incorrect Password."},
    {12015, "Internet Login Failure."},
    {12016, "Internet Invalid Operation."},
    {12017, "Internet Operation Cancelled."},
    {12018, "Internet Incorrect Handle Type."},
    {12019, "Internet Incorrect Handle State."},
    {12020, "Internet Not Proxy Request."},
    {12021, "Internet Registry Value Not Found."},
    {12022, "Internet Bad Registry Parameter."},
    {12023, "Internet No Direct Access."},
    {12024, "Internet No Context."},
    {12025, "Internet No Callback."},
    {12026, "Internet Request Pending."},
    {12027, "Internet Incorrect Format."},
    {12028, "Internet Item Not Found."},
    {12029, "Internet Cannot Connect."},
    {12030, "Internet Connection Aborted."},
    {12031, "Internet Connection Reset."},
    {12032, "Internet Force Retry."},
    {12033, "Internet Invalid Proxy Request."},
    {12034, "Internet Need Ui."},
    {12036, "Internet Handle Exists."},
    {12037,
     "The security Certificate has an invalid date (has expired). Check also the SecurityFlags property."},
    {12038,
     "The security Certificate has an invalid name - i.e. it's not the same name as the web site's one. "
     "Check also the SecurityFlags property."},
    {12039, "Not allowed HTTP to HTTPS redirection. Check also the SecurityFlags property."},
    {12040, "Not allowed HTTPS to HTTP redirection. Check also the SecurityFlags property."},
    {12041, "Internet Mixed Security."},
    {12042, "Internet Chg Post Is Non Secure."},
    {12043, "Internet Post Is Non Secure."},
    {12044, "Internet Client Auth Cert Needed."},
    {12045, "Invalid Certification Authority."},
    {12046, "Internet Client Auth Not Setup."},
    {12047, "Internet Async Thread Failed."},
    {12048, "Internet Redirect Scheme Change."},
    {12049, "Internet Dialog Pending."},
    {12050, "Internet Retry Dialog."},
    {12052, "Internet Https Http Submit Redir."},
    {12053, "Internet Insert Cdrom."},
    {12110, "FTP Transfer is currently in progress."},
    {12111, "FTP connection dropped."},
    {12112, "The FTP server does not support the passive mode."},
    {12150, "Http Header Not Found."},
    {12151, "Http Downlevel Server."},
    {12152, "Http Invalid Server Response."},
    {12153, "Http Invalid Header."},
    {12154, "Http Invalid Query Request."},
    {12155, "Http Header Already Exists."},
    {12156, "Http Redirect Failed."},
    {12160, "Http Not Redirected."},
    {12161, "Http Cookie Needs Confirmation."},
    {12162, "Http Cookie Declined."},
    {12168, "Http Redirect Needs Confirmation."},
    {12157, "Internet Security Channel Error."},
    {12158, "Internet Unable To Cache File."},
    {12159, "Internet Tcpip Not Installed."},
    {12163, "Internet Disconnected."},
    {12164, "Internet Server Unreachable."},
    {12165, "Internet Proxy Server Unreachable."},
    {12166, "Internet Bad Auto Proxy Script."},
    {12167, "Internet Unable To Download Script."},
    {12169, "Invalid Security Certificate."},
    {12170, "Revoked Security Certificate."},
    {12171, "Failed due to security check."},
};

std::string withInfo(std::string_view text, const std::string& info) {
    std::string result(text);
    if (!info.empty()) {
        result += ' ';
        result += info;
    }
    return result;
}

}  // namespace

std::string serviceErrorDescription(int code) {
    std::string prefix = "[" + std::to_string(code) + "] ";
    for (const auto& [rowCode, text] : kServiceErrors) {
        if (rowCode == code)
            return prefix + std::string(text);
    }
    return prefix + "(no description available)";
}

std::string componentErrorDescription(int code) {
    switch (code) {
        case ickcodes::WaitFailed:
            return "Error waiting for worker thread.";
        case ickcodes::Busy:
            return "Busy performing current action";
        case ickcodes::LocalFileWrite:
            return "Error writing to LocalFile";
        case ickcodes::NoServer:
            return "No server specified in URL.";
        case ickcodes::InvalidScheme:
            return "Specified URLScheme is invalid.";
        case ickcodes::Timeout:
            return "Timeout";
        case ickcodes::LocalFileCreate:
            return "Can't open local file for writing.";
        case ickcodes::BodyTooLarge:
            return "Response body larger than BodyLimit.";
        default:
            return {};
    }
}

std::optional<std::string> statusDescription(int code, const std::string& info, unsigned long state) {
    switch (code) {
        case 10:
            return withInfo("Looking up the IP address", info);
        case 11:
            return withInfo("Successfully found the IP address", info);
        case 20:
            return withInfo("Connecting to the socket address", info);
        case 21:
            return withInfo("Successfully connected to", info);
        case 30:
            return std::string("Sending the information request to the server.");
        case 31:
            return std::string("Successfully sent the information request to the server.");
        case 40:
            return std::string("Waiting for the server to respond to a request.");
        case 41:
            return std::string("Successfully received a response from the server.");
        case 43:
            return std::string();
        case 50:
            return std::string("Closing the connection to the server.");
        case 51:
            return std::string("Successfully closed the connection to the server.");
        case 60:
        case 70:
            return std::nullopt;
        case 100:
            return std::string("An asynchronous operation has been completed.");
        case 110:
            return withInfo("An HTTP request is about to automatically redirect the request to", info);
        case 120:
            return std::string("Received an intermediate (100 level) status code message from the server.");
        case 200:
            switch (state) {
                case 1:
                    return std::string("Online state.");
                case 2:
                    return std::string("Offline because no network connection could be established.");
                case 16:
                    return std::string("Offline by user request.");
                case 256:
                    return std::string("No network requests are being made by Wininet.");
                case 512:
                    return std::string("Network requests are being made by Wininet.");
                default:
                    return std::string("Moved between a secure (HTTPS) and a nonsecure (HTTP) site.");
            }
        default:
            return std::string("Unknown state ?!");
    }
}
