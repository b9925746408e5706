#include "net/core/curlerrors.h"

#include "net/core/wininetcodes.h"

namespace {

// OpenSSL's X509_V_ERR_* values, named here so this file needs no OpenSSL header.
enum VerifyResult : long {
    UnableToGetIssuerCert = 2,
    CertNotYetValid = 9,
    CertHasExpired = 10,
    DepthZeroSelfSigned = 18,
    SelfSignedInChain = 19,
    UnableToGetIssuerCertLocally = 20,
    UnableToVerifyLeafSignature = 21,
    CertRevoked = 23,
    InvalidCa = 24,
    CertUntrusted = 27,
    HostnameMismatch = 62,
    IpAddressMismatch = 64,
};

int certificateCode(long verifyResult) {
    switch (verifyResult) {
        case CertNotYetValid:
        case CertHasExpired:
            return ickcodes::CertificateDate;
        case 0:
        case HostnameMismatch:
        case IpAddressMismatch:
            return ickcodes::CertificateName;
        case UnableToGetIssuerCert:
        case DepthZeroSelfSigned:
        case SelfSignedInChain:
        case UnableToGetIssuerCertLocally:
        case UnableToVerifyLeafSignature:
        case InvalidCa:
        case CertUntrusted:
            return ickcodes::InvalidCertificateAuthority;
        case CertRevoked:
            return ickcodes::RevokedCertificate;
        default:
            return ickcodes::InvalidCertificate;
    }
}

bool mentions(const std::string& text, const char* what) {
    return text.find(what) != std::string::npos;
}

}  // namespace

int serviceCodeForCurl(const CurlFailure& failure) {
    switch (failure.code) {
        case CURLE_OK:
            return 0;
        case CURLE_UNSUPPORTED_PROTOCOL:
            return mentions(failure.errorText, "HTTP/0.9") ? ickcodes::InvalidServerResponse
                                                           : ickcodes::UnrecognizedScheme;
        case CURLE_URL_MALFORMAT:
            return ickcodes::InvalidUrl;
        case CURLE_COULDNT_RESOLVE_PROXY:
            return ickcodes::ProxyUnreachable;
        case CURLE_COULDNT_RESOLVE_HOST:
            return ickcodes::NameNotResolved;
        case CURLE_COULDNT_CONNECT:
            return failure.viaProxy ? ickcodes::ProxyUnreachable : ickcodes::CannotConnect;
        case CURLE_OPERATION_TIMEDOUT:
            return ickcodes::InternetTimeout;
        case CURLE_PARTIAL_FILE:
            return ickcodes::ConnectionAborted;
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
            return mentions(failure.errorText, "reset") ? ickcodes::ConnectionReset
                                                        : ickcodes::ConnectionAborted;
        case CURLE_GOT_NOTHING:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_BAD_CONTENT_ENCODING:
            return ickcodes::InvalidServerResponse;
        case CURLE_TOO_MANY_REDIRECTS:
            return ickcodes::RedirectFailed;
        case CURLE_PEER_FAILED_VERIFICATION:
            // libcurl checks the name itself once OpenSSL has accepted the chain, and says so.
            if (mentions(failure.errorText, "target host name"))
                return ickcodes::CertificateName;
            return certificateCode(failure.certificateVerifyResult);
        case CURLE_SSL_ISSUER_ERROR:
            return ickcodes::InvalidCertificateAuthority;
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
            return ickcodes::InvalidCertificate;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_SETFAILED:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_SHUTDOWN_FAILED:
        case CURLE_SSL_CRL_BADFILE:
            return ickcodes::SecurityChannelError;
        case CURLE_SSL_CERTPROBLEM:
            return 12044;  // the client certificate the server asked for
        case CURLE_LOGIN_DENIED:
            return 12015;
        case CURLE_OUT_OF_MEMORY:
            return ickcodes::OutOfHandles;
        default:
            return ickcodes::InternalError;
    }
}
