// The ranqor program run as a user runs it from a terminal: its own program folder and
// settings file, engines served from loopback.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <map>

#include "net/tests/support/scriptedserver.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/tests/tempdir.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    bool errHas(const std::string& text) const { return err.find(text) != std::string::npos; }
};

std::string googlePage(const std::vector<std::string>& urls) {
    std::string page = "<html>Search took <b>0.1</b> seconds\n";
    for (const std::string& url : urls)
        page += "<p><A HREF=" + url + ">Title</A>\n";
    return page + "<p><center>more</center>\n";
}

// How a run differs from a plain start in the test's folders.
struct Launch {
    fs::path programFolder = {};                  // RANQOR_HOME; the test's home when empty
    std::string standardOutput = {};              // a file standard output goes to instead of a pipe
    std::vector<std::string> unset = {};          // environment variables the program does not get
    std::map<std::string, std::string> set = {};  // and ones it gets
    size_t addressSpace = 0;                      // bytes the program may map; 0 for no limit
};

class RanqorCommandLine : public ::testing::Test {
protected:
    TempDir home;
    TempDir work;
    ScriptedServer server;

    void SetUp() override {
        fs::create_directories(home / "edata");
        writeFileAtomically(home / "edata" / "Google.hdf",
                            "1\r\n" + server.url("/google?q=#C&as_sitesearch=#H") + "\r\n");
    }

    Outcome ranqor(const std::vector<std::string>& args, const Launch& launch = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("RANQOR_HOME",
                   QString::fromStdString(
                       (launch.programFolder.empty() ? home.path() : launch.programFolder).string()));
        env.insert("ORLEK_SETTINGS", QString::fromStdString((home / "settings.ini").string()));
        for (const std::string& name : launch.unset)
            env.remove(QString::fromStdString(name));
        for (const auto& [name, value] : launch.set)
            env.insert(QString::fromStdString(name), QString::fromStdString(value));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QString::fromStdString(work.path().string()));
        if (!launch.standardOutput.empty())
            process.setStandardOutputFile(QString::fromStdString(launch.standardOutput));
        if (launch.addressSpace != 0) {
            const rlimit limit{launch.addressSpace, launch.addressSpace};
            process.setChildProcessModifier([limit] { ::setrlimit(RLIMIT_AS, &limit); });
        }
        QStringList arguments;
        for (const std::string& arg : args)
            arguments << QString::fromStdString(arg);
        process.start(RANQOR_BINARY, arguments);
        process.waitForFinished(120000);
        Outcome run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput().toStdString();
        run.err = process.readAllStandardError().toStdString();
        return run;
    }
};

}  // namespace

TEST_F(RanqorCommandLine, AnalyzeWritesTheBlockOfSavedPages) {
    writeFileAtomically(work / "page.html", googlePage({"http://a.com/", "http://www.example.com/"}));
    Outcome run = ranqor(
        {"analyze", "--engine", "Google", "--url", "http://WWW.example.com/", "--term", "seo", "page.html"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Ranqor TM Report,"), std::string::npos);
    EXPECT_NE(run.out.find("\r\nPlacement of precise matches for seo,http://WWW.example.com/\r\n"
                           "Google result 2,http://www.example.com/\r\n"
                           "Positioning Results:,1 precise URL match was found for seo on Google.\r\n"
                           "\"\",\"\"\r\n"),
              std::string::npos)
        << run.out;
}

TEST_F(RanqorCommandLine, AnalyzeReadsWithTheEnginesRuleFileAndNamesABrokenOne) {
    writeFileAtomically(work / "page.html",
                        "<ol><li class=\"r\"><a href=\"http://a.com/\">A</a></li>\n"
                        "<li class=\"r\"><a href=\"http://www.example.com/\">E</a></li></ol>\n");
    writeFileAtomically(
        home / "edata" / "Modern.rule",
        "kind=page\nname=Modern Search\nstep=replace\nfind=<li class=\"r\">\nwith=[[]]\nstep=number\n"
        "item-start=[[\nitem-end=</li>\nlabel-start=\nlabel-end=]]\naddress-start=href=\"\n"
        "address-end=\"\n");
    Outcome run = ranqor(
        {"analyze", "--engine", "Modern", "--url", "http://www.example.com/", "--term", "seo", "page.html"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Modern Search result 2,http://www.example.com/\r\n"), std::string::npos)
        << run.out;

    writeFileAtomically(home / "edata" / "Modern.rule", "kind=page\nname=Modern Search\nitem-start=[[\n");
    run = ranqor(
        {"analyze", "--engine", "modern", "--url", "http://www.example.com/", "--term", "seo", "page.html"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(
                  "Modern.rule cannot be used (the line item-end= is missing (it may be empty)); modern is "
                  "left out of this run.\n"),
              std::string::npos)
        << run.err;
}

TEST_F(RanqorCommandLine, AnalyzeJoinsPagesAndTreatsUnixLineBreaksLikeCrLf) {
    // DirectHit's rule cuts addresses at a CR LF marker; a page saved with LF breaks reads the same.
    const std::string page =
        "<FONT SIZE=\"-1\">1. <A HREF=\"r\">Example</A></FONT><BR>\nhttp://www.example.com/<BR><BR>\n"
        "<TABLE BORDER=\"0\"></TABLE>\n";
    writeFileAtomically(work / "lf.html", page);
    std::string crlf;
    for (char c : page)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    writeFileAtomically(work / "crlf.html", crlf);
    Outcome lf = ranqor(
        {"analyze", "--engine", "DirectHit", "--url", "http://www.example.com/", "--term", "t", "lf.html"});
    Outcome cr = ranqor(
        {"analyze", "--engine", "DirectHit", "--url", "http://www.example.com/", "--term", "t", "crlf.html"});
    EXPECT_EQ(lf.status, 0);
    EXPECT_EQ(lf.out, cr.out);
    EXPECT_NE(lf.out.find("DirectHit result 1,http://www.example.com/"), std::string::npos) << lf.out;

    // Two files are one page text: page 2's result follows page 1's.
    writeFileAtomically(work / "p1.html", "<UL><LI><A HREF=\"http://a.com/\">a</A>\n");
    writeFileAtomically(work / "p2.html", "<LI><A HREF=\"http://www.example.com/\">b</A>\n<LI>\n");
    Outcome two = ranqor({"analyze", "--engine", "yahoo", "--url", "http://www.example.com/", "--term", "t",
                          "p1.html", "p2.html"});
    EXPECT_NE(two.out.find("Yahoo! result 2,http://www.example.com/"), std::string::npos) << two.out;
}

TEST_F(RanqorCommandLine, AnalyzeWritesEachFormatItsOutNames) {
    writeFileAtomically(work / "page.html", googlePage({"http://www.example.com/"}));
    for (const char* out : {"r.prp", "r.csv", "r.html"}) {
        Outcome run = ranqor({"analyze", "--engine", "Google", "--url", "http://www.example.com/", "--term",
                              "seo", "--out", out, "page.html"});
        EXPECT_EQ(run.status, 0) << out << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(readFileBytes(work / "r.prp").substr(0, 5), "2,6\r\n");
    EXPECT_EQ(readFileBytes(work / "r.csv").substr(0, 16), "Ranqor TM Report");
    EXPECT_EQ(readFileBytes(work / "r.html").substr(0, 16), "<table border=1>");
}

TEST_F(RanqorCommandLine, RefusesWhatCannotRunWithOneLineThatSaysWhy) {
    writeFileAtomically(work / "page.html", "x");
    writeFileAtomically(work / "pages.fls", "http://a.com/\r\n");
    writeFileAtomically(work / "terms.tms", "1,1\r\ncw 0,250\r\n0,0,seo\r\n");
    // Inputs whose names a report could have.
    writeFileAtomically(work / "terms.csv", "1,1\r\ncw 0,250\r\n0,0,seo\r\n");
    writeFileAtomically(work / "pages.html", "http://a.com/\r\n");
    const std::string missingHome = (work / "no such folder").string();
    const std::string googleDefinition = (home / "edata" / "Google.hdf").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
        fs::path programFolder = {};
    };
    const std::vector<Case> cases = {
        {{"analyze", "--engine", "HotBot", "--url", "u", "--term", "t", "page.html"},
         1,
         "RanqorEngDefs:Analyze:The definition for HotBot is not current. "},
        {{"analyze", "--engine", "", "--url", "u", "--term", "t", "page.html"},
         1,
         "No search engine is selected. Please select an engine and try again."},
        {{"analyze", "--engine", "Google", "--url", "u", "--term", "t", "missing.html"},
         1,
         "ranqor analyze: missing.html: No such file or directory\n"},
        {{"analyze", "--url", "u", "--term", "t", "page.html"},
         2,
         "ranqor analyze: --engine is required\nTry 'ranqor analyze --help' for more information.\n"},
        {{"analyze", "--engine", "Google", "--url", "u", "--term", "t"}, 2, "PAGEFILE"},
        {{"analyze", "--engine", "Google", "--url", "u", "--term", "t", "--out", "r.txt", "page.html"},
         2,
         ".prp"},
        {{"analyze", "--engine", "Google", "--url", "u", "--term", "t", "--out", "./page.html", "page.html"},
         2,
         "--out ./page.html is an input file"},
        {{"analyze", "--engine", "Google", "--url", "u", "--term", "t", "--out", "gone/r.csv", "page.html"},
         1,
         "ranqor analyze: the folder gone for --out does not exist\n"},
        {{"analyze", "--bogus"}, 2, "unknown option --bogus\nTry 'ranqor analyze --help'"},
        {{"frobnicate"},
         2,
         "ranqor: unknown command frobnicate\nTry 'ranqor --help' for more information.\n"},
        {{"check", "--term", "t", "--engines", "Google"}, 2, "--url is required"},
        {{"check", "--url", "u", "--engines", "Google"}, 2, "give either --terms or --term"},
        {{"check", "--url", "u", "--term", "t", "--terms", "x.tms", "--engines", "Google"}, 2, "either"},
        {{"check", "--url", "u", "--term", " \t", "--engines", "Google"}, 2, "--term needs a term"},
        {{"check", "--url", "u", "--terms", "missing.tms", "--engines", "Google"},
         1,
         "File missing.tms not found"},
        {{"check", "--url", "u", "--term", "t", "--engines", ","},
         1,
         "You must select at least one engine to run the position agent"},
        {{"check", "--url", "u", "--term", "t", "--engines", "Google, Yahoo"},
         1,
         "ranqor check: Cannot read engine definition " + (home / "edata" / "Yahoo.hdf").string() +
             ": No such file or directory\nranqor check: Cannot read engine definition " +
             (home / "edata" / "Yahoo2.hdf").string() + ": No such file or directory\n"},
        {{"check", "--url", "u", "--term", "t", "--engines", "Google"},
         1,
         "ranqor check: The program folder " + missingHome + " does not exist. Set RANQOR_HOME",
         missingHome},
        {{"check", "--url", "u", "--terms", "terms.csv", "--engines", "Google", "--out", "terms.csv"},
         2,
         "--out terms.csv is an input file"},
        {{"batch", "--list", "none.fls", "--term", "t", "--engines", "Google"}, 1, "none.fls"},
        {{"batch", "--list", "pages.html", "--term", "t", "--engines", "Google", "--out", "pages.html"},
         2,
         "--out pages.html is an input file"},
        {{"update-engines"}, 1, "ranqor update-engines: The program folder " + missingHome, missingHome},
    };
    for (const Case& c : cases) {
        Outcome run = ranqor(c.args, {.programFolder = c.programFolder});
        EXPECT_EQ(run.status, c.status) << testing::PrintToString(c.args);
        EXPECT_TRUE(run.errHas(c.err)) << testing::PrintToString(c.args) << "\n" << run.err;
    }
    EXPECT_FALSE(fs::exists(missingHome));
    EXPECT_EQ(readFileBytes(work / "page.html"), "x");
    EXPECT_TRUE(readFileBytes(work / "terms.csv").starts_with("1,1\r\n"));
    EXPECT_EQ(readFileBytes(work / "pages.html"), "http://a.com/\r\n");
    EXPECT_EQ(readFileBytes(googleDefinition).substr(0, 3), "1\r\n");
}

TEST_F(RanqorCommandLine, TheTimeoutTakesOneSecondToOneDay) {
    ScriptedResponse silence;
    silence.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/google?q=seo&as_sitesearch=u", silence);
    const std::vector<std::pair<std::string, int>> cases = {
        {"0", 2}, {"86401", 2}, {"2147484", 2}, {"-1", 2}, {"soon", 2}, {"", 2}, {"1", 0}};
    for (const auto& [timeout, status] : cases) {
        Outcome run =
            ranqor({"check", "--url", "u", "--term", "seo", "--engines", "Google", "--timeout", timeout});
        EXPECT_EQ(run.status, status) << timeout << "\n" << run.err;
        if (status == 2) {
            EXPECT_TRUE(run.errHas("--timeout needs a whole number from 1 to 86400\n")) << run.err;
        }
    }
}

TEST_F(RanqorCommandLine, HelpAndVersionAnswerWithoutRunning) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--help"}, "Usage: ranqor [COMMAND] [OPTIONS]"},
        {{"help"}, "Usage: ranqor [COMMAND] [OPTIONS]"},
        {{"help", "check"}, "Usage: ranqor check --url ADDRESS"},
        {{"analyze", "--help"}, "Usage: ranqor analyze"},
        {{"--version"}, "ranqor 1.0.0\n"},
    };
    for (const auto& [args, out] : cases) {
        Outcome run = ranqor(args);
        EXPECT_EQ(run.status, 0) << args[0];
        EXPECT_TRUE(run.out.starts_with(out)) << run.out;
        EXPECT_TRUE(run.err.empty()) << run.err;
    }
}

TEST_F(RanqorCommandLine, CheckRunsThePositionAgentAgainstTheEngines) {
    server.script("/google?q=seo&as_sitesearch=http://www.example.com/",
                  ScriptedResponse::ok(googlePage({"http://www.example.com/"})));
    Outcome run = ranqor({"check", "--url", "http://www.example.com/", "--term", "seo", "--term", "web",
                          "--engines", " Google ,", "--out", "report.csv"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(
        run.errHas("Set Current file to: Google: http://www.example.com/\nCurrent Term: seo\n"
                   "Status: HTTP/1.0 200 OK\n"))
        << run.err;
    EXPECT_TRUE(run.errHas(
        "Status: HTTP/1.0 404 Not Found\nIntel Failed: Engine Did Not Respond, An Error Has "
        "Occurred!\nFetch of " +
        server.url("/google?q=web&as_sitesearch=http://www.example.com/") + " failed: 151: 404 Not Found\n"))
        << run.err;
    EXPECT_TRUE(run.errHas("Progress: 100%"));
    const std::string csv = readFileBytes(work / "report.csv");
    EXPECT_NE(csv.find("Google result 1,http://www.example.com/"), std::string::npos) << csv;
    EXPECT_NE(csv.find("No precise URL matches were found for web on Google."), std::string::npos);
}

TEST_F(RanqorCommandLine, ASilentEngineIsAFailedFetchAfterTheTimeout) {
    ScriptedResponse silence;
    silence.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/google?q=seo&as_sitesearch=http://www.example.com/", silence);
    Outcome run = ranqor({"check", "--url", "http://www.example.com/", "--term", "seo", "--engines", "Google",
                          "--timeout", "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.errHas("Intel Failed: Engine Did Not Respond, An Error Has Occurred!"));
    EXPECT_NE(run.out.find("No precise URL matches were found for seo on Google."), std::string::npos);
}

TEST_F(RanqorCommandLine, AnEndlessPageStopsAtTheStoredLimitAndCountsAsFailed) {
    SettingsStore(home / "settings.ini").writeValue("\\Software\\Orlek\\Ranqor", "pagelimit", "1");
    ScriptedResponse endless = ScriptedResponse::ok(googlePage({"http://www.example.com/"}));
    endless.contentLength = false;
    endless.delivery = ScriptedResponse::Delivery::Endless;
    server.script("/google?q=seo&as_sitesearch=http://www.example.com/", endless);
    Outcome run =
        ranqor({"check", "--url", "http://www.example.com/", "--term", "seo", "--engines", "Google"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.errHas("Intel Failed: Engine Did Not Respond, An Error Has Occurred!")) << run.err;
    EXPECT_FALSE(fs::exists(home / "Temp" / "Google.ef"));
    EXPECT_NE(run.out.find("No precise URL matches were found for seo on Google."), std::string::npos);
}

TEST_F(RanqorCommandLine, EngineNamesThatLeaveTheProgramFolderAreBadArguments) {
    // From Temp\ in the program folder, two steps up and into the working folder.
    const std::string victim = "..\\..\\" + work.path().filename().string() + "\\victim\\data";
    fs::create_directories(work / "victim");
    writeFileAtomically(work / "victim" / "data.ef", "precious");
    writeFileAtomically(work / "victim" / "data.hdf", "1\r\n" + server.url("/x?q=#C") + "\r\n");
    for (const std::string& engines : std::vector<std::string>{victim, "Google," + victim, "a..b"}) {
        Outcome run = ranqor({"check", "--url", "u", "--term", "t", "--engines", engines});
        EXPECT_EQ(run.status, 2) << engines;
        EXPECT_TRUE(run.errHas("cannot be used: an engine name must not")) << run.err;
    }
    EXPECT_EQ(readFileBytes(work / "victim" / "data.ef"), "precious");
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(RanqorCommandLine, BatchChecksEveryAddressOfTheList) {
    writeFileAtomically(work / "pages.fls", "http://a.com/\r\nhttp://b.com/\r\n");
    writeFileAtomically(work / "terms.tms", "1,1\r\ncw 0,250\r\n0,0,seo\r\n");
    for (const char* site : {"http://a.com/", "http://b.com/"}) {
        server.script(std::string("/google?q=seo&as_sitesearch=") + site,
                      ScriptedResponse::ok(googlePage({site})));
    }
    Outcome run = ranqor(
        {"batch", "--list", "pages.fls", "--terms", "terms.tms", "--engines", "Google", "--out", "b.prp"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string report = readFileBytes(work / "b.prp");
    EXPECT_NE(report.find("1 precise URL match was found for seo on Google."), std::string::npos) << report;
    EXPECT_NE(report.find("\r\n0,0,Ranqor TM Report\r\n"), std::string::npos) << report;

    // Its CSV starts with the line a single check's does.
    Outcome csv = ranqor({"batch", "--list", "pages.fls", "--terms", "terms.tms", "--engines", "Google"});
    Outcome single = ranqor({"check", "--url", "http://a.com/", "--term", "seo", "--engines", "Google"});
    EXPECT_TRUE(csv.out.starts_with("Ranqor TM Report,")) << csv.out;
    EXPECT_EQ(csv.out.substr(0, csv.out.find("\r\n")), single.out.substr(0, single.out.find("\r\n")));
    size_t blocks = 0;
    for (size_t at = report.find("Placement of"); at != std::string::npos;
         at = report.find("Placement of", at + 1)) {
        ++blocks;
    }
    EXPECT_EQ(blocks, 2u);
}

TEST_F(RanqorCommandLine, UpdateEnginesFetchesFromTheConfiguredServer) {
    SettingsStore(home / "settings.ini")
        .writeValue("\\Software\\Orlek\\Ranqor", "updateserver", server.url(""));
    server.script("/updateranqorfp2/engines.txt", ScriptedResponse::ok("2,1\r\n0,0,Google\r\n"));
    server.script("/updateranqorfp2/def.txt", ScriptedResponse::ok("Google.hdf\r\n"));
    server.script("/updateranqorfp2/Google.hdf", ScriptedResponse::ok("1\r\nhttp://new/?q=#C\r\n"));
    Outcome run = ranqor({"update-engines"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFileBytes(home / "edata" / "Google.hdf"), "1\r\nhttp://new/?q=#C\r\n");
    EXPECT_EQ(readFileBytes(home / "engines" / "engines.txt"), "2,1\r\n0,0,Google\r\n");
    EXPECT_TRUE(run.errHas("Engine Update Complete"));
}

TEST_F(RanqorCommandLine, ATermWithQuerySignsReachesTheEngineWholeAndTheReportNamesIt) {
    const std::string site = "http://www.example.com/";
    server.script("/google?q=c%2B%2B%20%26%20c%23%20tips&as_sitesearch=" + site,
                  ScriptedResponse::ok(googlePage({site})));
    Outcome run = ranqor({"check", "--url", site, "--term", "c++ & c# tips", "--engines", "Google"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, "/google?q=c%2B%2B%20%26%20c%23%20tips&as_sitesearch=" + site);
    EXPECT_TRUE(run.errHas("Current Term: c++ & c# tips\n")) << run.err;
    EXPECT_NE(run.out.find("Placement of precise matches for c++ & c# tips," + site), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1 precise URL match was found for c++ & c# tips on Google."), std::string::npos);
}

TEST_F(RanqorCommandLine, AReportThatCannotReachStandardOutputIsAFailure) {
    writeFileAtomically(work / "page.html", googlePage({"http://www.example.com/"}));
    const std::vector<std::pair<std::vector<std::string>, std::string>> commands = {
        {{"analyze", "--engine", "Google", "--url", "http://www.example.com/", "--term", "seo", "page.html"},
         "ranqor analyze: cannot write to standard output: No space left on device\n"},
        {{"--help"}, "ranqor: cannot write to standard output: No space left on device\n"},
    };
    for (const auto& [args, err] : commands) {
        Outcome run = ranqor(args, {.standardOutput = "/dev/full"});
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_EQ(run.err, err);
    }
}

TEST_F(RanqorCommandLine, WithoutADisplayTheWindowSaysWhatItNeedsAndExitsOne) {
    const std::vector<std::string> noDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const std::vector<Launch> launches = {
        {.unset = noDisplay},
        {.unset = noDisplay, .set = {{"DISPLAY", ":4711"}}},  // a display nobody answers on
    };
    for (const Launch& launch : launches) {
        Outcome run = ranqor({}, launch);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_TRUE(
            run.errHas("ranqor: the window needs a display (DISPLAY or WAYLAND_DISPLAY), and none "
                       "could be opened.\nWithout a display, give ranqor a command: see ranqor --help.\n"))
            << run.err;
    }
}

// Under the address sanitizer an allocation that fails is the sanitizer's to report and never
// reaches the program as std::bad_alloc, and its shadow memory does not fit an address space
// limit; there the failure is injected instead (CommandLine.AnswersHelpVersionAndEveryWayACommandEnds,
// MainWindowTest.MemoryThatRunsOutInAHandlerIsToldAndEndsTheProgramWithStatusOne).
#if !defined(__SANITIZE_ADDRESS__)
TEST_F(RanqorCommandLine, MemoryThatRunsOutEndsTheCommandWithAMessageAndStatusOne) {
    const size_t limit = size_t(256) << 20;
    writeFileAtomically(work / "small.html", googlePage({"http://www.example.com/"}));
    writeFileAtomically(work / "huge.html", "");
    fs::resize_file(work / "huge.html", size_t(1) << 30);  // sparse: no disk is used
    const std::vector<std::string> analyze = {
        "analyze", "--engine", "Google", "--url", "http://www.example.com/", "--term", "seo"};
    std::vector<std::string> small = analyze, huge = analyze;
    small.push_back("small.html");
    huge.push_back("huge.html");

    Outcome fits = ranqor(small, {.addressSpace = limit});
    EXPECT_EQ(fits.status, 0) << fits.err;
    Outcome run = ranqor(huge, {.addressSpace = limit});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err, "ranqor analyze: out of memory\n");
    EXPECT_TRUE(run.out.empty());
}
#endif
