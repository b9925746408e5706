#pragma once

#include <optional>
#include <string>

// The numbers and texts users see from the HTTP client component. They are the codes of the
// platform HTTP service the programs were first written for, kept because users, help texts and
// activity logs know them by number.

namespace ickcodes {

// Failures found by the component itself.
constexpr int WaitFailed = 120;
constexpr int Busy = 143;
constexpr int LocalFileWrite = 144;
constexpr int HttpStatus = 151;
constexpr int NoServer = 152;
constexpr int InvalidScheme = 153;
constexpr int Timeout = 301;
constexpr int LocalFileCreate = 302;
constexpr int BodyTooLarge = 303;

// Service codes the transfer maps its failures onto.
constexpr int OutOfHandles = 12001;
constexpr int InternetTimeout = 12002;
constexpr int InternalError = 12004;
constexpr int InvalidUrl = 12005;
constexpr int UnrecognizedScheme = 12006;
constexpr int NameNotResolved = 12007;
constexpr int CannotConnect = 12029;
constexpr int ConnectionAborted = 12030;
constexpr int ConnectionReset = 12031;
constexpr int CertificateDate = 12037;
constexpr int CertificateName = 12038;
constexpr int HttpToHttpsRedirect = 12039;
constexpr int HttpsToHttpRedirect = 12040;
constexpr int InvalidCertificateAuthority = 12045;
constexpr int RedirectFailed = 12156;
constexpr int InvalidServerResponse = 12152;
constexpr int SecurityChannelError = 12157;
constexpr int ProxyUnreachable = 12165;
constexpr int InvalidCertificate = 12169;
constexpr int RevokedCertificate = 12170;

// Progress notices.
constexpr int StatusResolving = 10;
constexpr int StatusResolved = 11;
constexpr int StatusConnecting = 20;
constexpr int StatusConnected = 21;
constexpr int StatusSending = 30;
constexpr int StatusSent = 31;
constexpr int StatusReceiving = 40;
constexpr int StatusReceived = 41;
constexpr int StatusClosing = 50;
constexpr int StatusClosed = 51;
constexpr int StatusRedirect = 110;
constexpr int StatusIntermediate = 120;
constexpr int StatusStateChange = 200;

}  // namespace ickcodes

// "[" code "] " and the service's text for the code, or "(no description available)".
std::string serviceErrorDescription(int code);

// The description of a failure found by the component itself (143, 152, ...), empty for the
// codes whose description comes from elsewhere (151) or from the service's table.
std::string componentErrorDescription(int code);

// The OnStatus description of a progress notice: the notice's text, then one blank and info when
// info is not empty. state is read for notice 200 only. No value for the notices that raise no
// event (60, 70).
std::optional<std::string> statusDescription(int code, const std::string& info, unsigned long state = 0);
