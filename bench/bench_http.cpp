// The HTTP client component against a plain libcurl easy-handle loop, both fetching from the same
// local nginx in the same run: a 50 MB body written to a file, and 1000 sequential small GETs.
// Each case prints both figures and the component's ratio to libcurl (higher is better).

#include <curl/curl.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "net/tests/support/loopbackpeers.h"
#include "net/tickhttp.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kLargeSize = 50u * 1024 * 1024;
constexpr int kSmallGets = 1000;
constexpr int kRounds = 5;  // the best round of each counts: the machine may be busy

double seconds(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

size_t writeToFile(char* data, size_t size, size_t count, void* file) {
    return std::fwrite(data, size, count, static_cast<FILE*>(file)) * size;
}

size_t discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

void curlLargeBody(const std::string& url, const std::filesystem::path& target) {
    CURL* easy = curl_easy_init();
    FILE* file = std::fopen(target.c_str(), "wb");
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &writeToFile);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, file);
    if (curl_easy_perform(easy) != CURLE_OK)
        std::fprintf(stderr, "libcurl large body failed\n");
    std::fclose(file);
    curl_easy_cleanup(easy);
}

void curlSmallGets(const std::string& url) {
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &discard);
    for (int i = 0; i < kSmallGets; ++i) {
        if (curl_easy_perform(easy) != CURLE_OK)
            std::fprintf(stderr, "libcurl small GET failed\n");
    }
    curl_easy_cleanup(easy);
}

// Handlers as light as the programs' own: they look at what they are given.
void bindEveryEvent(TickHTTP& http, size_t& seen) {
    http.OnStatus = [&seen](TickWinInet*, int code, const std::string&) {
        seen += static_cast<size_t>(code);
    };
    http.OnHeader = [&seen](TickHTTP*, const std::string& field, const std::string&) {
        seen += field.size();
    };
    http.OnStartTransfer = [&seen](TickWinInet*) { ++seen; };
    http.OnTransfer = [&seen](TickWinInet*, int, const std::string& text) { seen += text.size(); };
    http.OnEndTransfer = [&seen](TickWinInet* sender) {
        seen += static_cast<TickHTTP*>(sender)->StatusLine().size();
    };
}

void report(const char* name, double component, double curl, const char* unit) {
    std::printf("%s: TickHTTP %.1f %s, libcurl %.1f %s, ratio %.2f\n", name, component, unit, curl, unit,
                component / curl);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    auto folder = std::filesystem::temp_directory_path() / "orlek-bench-http";
    std::filesystem::create_directories(folder / "site");
    {
        std::ofstream large(folder / "site" / "large.bin", std::ios::binary);
        std::string chunk(1024 * 1024, 'x');
        for (size_t written = 0; written < kLargeSize; written += chunk.size())
            large << chunk;
        std::ofstream small(folder / "site" / "small.html", std::ios::binary);
        small << std::string(512, 's');
    }
    NginxServer nginx(folder / "site");
    const std::string largeUrl = nginx.httpUrl("/large.bin");
    const std::string smallUrl = nginx.httpUrl("/small.html");

    double bestCurlLarge = 1e9, bestTickLarge = 1e9, bestTickLargeBound = 1e9;
    double bestCurlSmall = 1e9, bestTickSmall = 1e9, bestTickSmallBound = 1e9;
    size_t seen = 0;
    for (int round = 0; round < kRounds; ++round) {
        bestCurlLarge =
            std::min(bestCurlLarge, seconds([&] { curlLargeBody(largeUrl, folder / "curl.bin"); }));
        bestTickLarge = std::min(bestTickLarge, seconds([&] {
                                     TickHTTP http;
                                     http.setURL(largeUrl);
                                     http.setLocalFile((folder / "tick.bin").string());
                                     http.setAction(ickhttpGet);
                                 }));
        bestTickLargeBound = std::min(bestTickLargeBound, seconds([&] {
                                          TickHTTP http;
                                          bindEveryEvent(http, seen);
                                          http.setURL(largeUrl);
                                          http.setLocalFile((folder / "tick.bin").string());
                                          http.setAction(ickhttpGet);
                                      }));
        bestCurlSmall = std::min(bestCurlSmall, seconds([&] { curlSmallGets(smallUrl); }));
        bestTickSmall = std::min(bestTickSmall, seconds([&] {
                                     TickHTTP http;
                                     http.setURL(smallUrl);
                                     for (int i = 0; i < kSmallGets; ++i)
                                         http.setAction(ickhttpGet);
                                 }));
        bestTickSmallBound = std::min(bestTickSmallBound, seconds([&] {
                                          TickHTTP http;
                                          bindEveryEvent(http, seen);
                                          http.setURL(smallUrl);
                                          for (int i = 0; i < kSmallGets; ++i)
                                              http.setAction(ickhttpGet);
                                      }));
    }
    if (std::filesystem::file_size(folder / "tick.bin") != kLargeSize)
        std::fprintf(stderr, "short download\n");

    const double megabytes = static_cast<double>(kLargeSize) / (1024 * 1024);
    report("50 MB body to LocalFile", megabytes / bestTickLarge, megabytes / bestCurlLarge, "MB/s");
    report("50 MB body to LocalFile, every event bound", megabytes / bestTickLargeBound,
           megabytes / bestCurlLarge, "MB/s");
    report("1000 small GETs", kSmallGets / bestTickSmall, kSmallGets / bestCurlSmall, "GET/s");
    report("1000 small GETs, every event bound", kSmallGets / bestTickSmallBound, kSmallGets / bestCurlSmall,
           "GET/s");
    std::filesystem::remove_all(folder);
    return seen == 0 ? 1 : 0;
}
