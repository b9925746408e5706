// The vistral program run as a user runs it from a terminal: its own program folder and
// settings file, the update server on loopback.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <algorithm>
#include <csignal>
#include <map>

#include "net/tests/support/scriptedserver.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/core/text.h"
#include "platform/tests/tempdir.h"

namespace fs = std::filesystem;

namespace {

const char* kKey = "\\Software\\Orlek\\Vistral";
const char* kOldCatalog = "2,1\r\ncw 0,100\r\ncw 1,340\r\n0,0,Old\r\n";
const char* kNewCatalog =
    "2,2\r\ncw 0,100\r\ncw 1,340\r\n0,0,Excite\r\n1,0,http://www.excite.com/add\r\n0,1,Nerd World\r\n";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    bool errHas(const std::string& text) const { return err.find(text) != std::string::npos; }
};

class VistralCommandLine : public ::testing::Test {
protected:
    TempDir home;
    ScriptedServer server;
    SettingsStore store{home / "settings.ini"};

    void SetUp() override {
        for (const char* profile : {"Shop", "Base", "Alpha"})
            writeFileAtomically(home / "My Profiles" / (std::string(profile) + ".rpf"),
                                "2,1\r\n0,0,Label\r\n");
        writeFileAtomically(home / "My Profiles" / "notes.txt", "not a profile");
        writeFileAtomically(home / "engines" / "engines.txt", kOldCatalog);
        store.writeValue(kKey, "updateserver", server.url(""));
    }

    // Runs the program with the test's program folder and settings file in its environment, and
    // without the variables named in unset.
    Outcome vistral(const std::vector<std::string>& args, const QStringList& unset = {}) {
        const std::map<QString, std::string> own = {{"VISTRAL_HOME", home.path().string()},
                                                    {"ORLEK_SETTINGS", store.file().string()}};
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : own)
            environment.insert(name, QString::fromStdString(value));
        for (const QString& name : unset)
            environment.remove(name);
        QStringList arguments;
        std::transform(args.begin(), args.end(), std::back_inserter(arguments),
                       [](const std::string& arg) { return QString::fromStdString(arg); });
        QProcess process;
        process.setProcessEnvironment(environment);
        // Page files are named relative to the program folder, as a user in it names them.
        process.setWorkingDirectory(QString::fromStdString(home.path().string()));
        process.start(VISTRAL_BINARY, arguments);
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }

    std::string file(const std::string& relative) { return readFileBytes(home / relative); }
};

// The project Shop with its profile, settings and default list, a catalog of three engines, and
// definitions that send Excite and Lycos to the loopback server ("Nerd World" has none).
class VistralSubmit : public VistralCommandLine {
protected:
    void SetUp() override {
        VistralCommandLine::SetUp();
        writeFileAtomically(home / "My Profiles" / "Shop.rpf",
                            "2,5\r\n0,0,Personalization Item\r\n0,1,First Name\r\n1,1,Ann\r\n"
                            "0,2,Last Name\r\n1,2,Smith\r\n0,3,E-Mail Address\r\n1,3,ann@example.com\r\n"
                            "0,4,Company Name\r\n1,4, Shoes & Socks \r\n");
        store.writeValue(kKey, "Shop", "http://www.shop.com");
        store.writeValue(kKey, "ShopWebType", "1");
        store.writeValue(kKey, "ShopCategory", "Travel");
        writeFileAtomically(home / "My Projects" / "Shop" / "Shop.fls", "\r\n \r\nindex.htm\r\n");
        writeFileAtomically(home / "engines" / "engines.txt",
                            "2,3\r\ncw 0,100\r\ncw 1,340\r\n0,0,Excite\r\n0,1,Lycos\r\n0,2,Nerd World\r\n");
        for (const char* engine : {"Excite", "Lycos"}) {
            writeFileAtomically(home / "edata" / (std::string(engine) + ".hdf"),
                                "1\r\n" + server.url("/" + std::string(engine) + "?page=#H") + "\r\n");
        }
    }

    std::vector<std::string> historyFiles() {
        std::vector<std::string> names;
        if (fs::exists(home / "history")) {
            for (const auto& entry : fs::directory_iterator(home / "history"))
                names.push_back(entry.path().filename().string());
        }
        return names;
    }
};

const std::vector<std::string> kShopHead = {"Process Start: Shop", "Web Base Address: http://www.shop.com",
                                            "Name: Ann Smith", "E-Mail: ann@example.com",
                                            "Company Name: Shoes & Socks"};

std::vector<std::string> withHead(const std::vector<std::string>& pairs) {
    std::vector<std::string> lines = kShopHead;
    lines.insert(lines.end(), pairs.begin(), pairs.end());
    return lines;
}

ScriptedResponse answer(const std::string& statusLine) {
    ScriptedResponse response = ScriptedResponse::ok("<html>thanks</html>");
    response.statusLine = statusLine;
    return response;
}

}  // namespace

TEST_F(VistralCommandLine, ProjectsListsOneNamePerLine) {
    Outcome run = vistral({"projects"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Alpha\nBase\nShop\n");

    fs::remove_all(home / "My Profiles");
    Outcome missing = vistral({"projects"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.errHas("Invalid Directory - " + (home / "My Profiles").string())) << missing.err;
}

TEST_F(VistralCommandLine, HelpAndBadArguments) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"--help"}, 0, "Usage: vistral [COMMAND]", ""},
        {{"projects", "--help"}, 0, "Usage: vistral projects", ""},
        {{"help", "update-engines"}, 0, "Usage: vistral update-engines", ""},
        {{"--help"}, 0, "  readiness ", ""},
        {{"readiness", "--help"}, 0, "Usage: vistral readiness FILE\n", ""},
        {{"--version"}, 0, "vistral ", ""},
        {{"projects", "extra"}, 2, "", "vistral projects: unexpected argument extra"},
        {{"update-engines", "--now"}, 2, "", "vistral update-engines: unknown option --now"},
        {{"readiness"}, 2, "", "vistral readiness: a page FILE, or --project and --page, is required"},
        {{"readiness", "a.htm", "b.htm"}, 2, "", "vistral readiness: unexpected argument b.htm"},
        {{"readiness", "a.htm", "--project", "Shop", "--page", "a.htm"},
         2,
         "",
         "vistral readiness: give FILE or --project with --page, not both"},
        {{"readiness", "--project", "Shop"}, 2, "", "vistral readiness: --page is required"},
        {{"readiness", "--page", "a.htm"}, 2, "", "vistral readiness: --project is required"},
        {{"--help"}, 0, "  indexnow-key ", ""},
        {{"indexnow-key", "--help"}, 0, "Usage: vistral indexnow-key --project NAME --folder FOLDER\n", ""},
        {{"indexnow-key", "--project", "Shop"}, 2, "", "vistral indexnow-key: --folder is required"},
        {{"indexnow-key", "--folder", "."}, 2, "", "vistral indexnow-key: --project is required"},
        {{"indexnow-key", "--project", "Shop", "--folder", ""},
         2,
         "",
         "vistral indexnow-key: --folder needs a folder"},
        {{"publish"}, 2, "", "vistral: unknown command publish"},
    };
    for (const Case& c : cases) {
        Outcome run = vistral(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0];
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_TRUE(run.errHas(c.err)) << run.err;
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(VistralCommandLine, UpdateEnginesReplacesTheCatalogAndTheDefinitions) {
    server.script("/updatevistralfp/engines.txt", ScriptedResponse::ok(kNewCatalog));
    server.script("/updatevistralfp/Excite.hdf", ScriptedResponse::ok("1\r\nhttp://excite/?u=#H\r\n"));
    server.script("/updatevistralfp/Nerd%20World.hdf", ScriptedResponse::ok("1\r\nhttp://nerd/?u=#H\r\n"));
    Outcome run = vistral({"update-engines"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(file("engines/engines.txt"), kNewCatalog);
    EXPECT_EQ(file("edata/Nerd World.hdf"), "1\r\nhttp://nerd/?u=#H\r\n");
    EXPECT_TRUE(run.errHas("Getting Definition: Nerd World\n"));
    EXPECT_TRUE(run.errHas("Engine definition update is complete, Vistral will now shutdown."));
    ASSERT_FALSE(server.requests().empty());
    EXPECT_EQ(server.requests()[0].header("User-Agent"), "Redore Web Browser Beta One");
}

TEST_F(VistralCommandLine, AFailedUpdateLeavesTheOldCatalogAndFailsTheCommand) {
    ScriptedResponse error = ScriptedResponse::ok("<html>Down for maintenance</html>");
    error.statusLine = "HTTP/1.0 503 Service Unavailable";
    server.script("/updatevistralfp/engines.txt", error);
    Outcome run = vistral({"update-engines"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errHas("Could Not Connect to Update Server!")) << run.err;
    EXPECT_EQ(file("engines/engines.txt"), kOldCatalog);

    // A definition the server does not have fails the command; the others are fetched.
    server.script("/updatevistralfp/engines.txt", ScriptedResponse::ok(kNewCatalog));
    server.script("/updatevistralfp/Excite.hdf", ScriptedResponse::ok("1\r\nhttp://excite/?u=#H\r\n"));
    Outcome partial = vistral({"update-engines"});
    EXPECT_EQ(partial.status, 1);
    EXPECT_TRUE(partial.errHas("Update Definition!Nerd World")) << partial.err;
    EXPECT_EQ(file("edata/Excite.hdf"), "1\r\nhttp://excite/?u=#H\r\n");
}

TEST_F(VistralCommandLine, WithoutADisplayTheWindowSaysWhatItNeedsAndExitsOne) {
    Outcome run = vistral({}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_TRUE(
        run.errHas("vistral: the window needs a display (DISPLAY or WAYLAND_DISPLAY), and none could be "
                   "opened.\nWithout a display, give vistral a command: see vistral --help.\n"))
        << run.err;
}

namespace {

const std::string kGardenPage =
    "<html><head><title>Garden Tools</title>\n"
    "<meta name=\"description\" content=\"Tools for your garden\">\n"
    "<meta name=\"keywords\" content=\"garden, tools\">\n"
    "</head><body>Garden tools for every garden.</body></html>";

const char* const kClosingLine =
    "These rules can change, please check back with Orlek on a monthly basis to see if there are updates!\n";

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}
bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST_F(VistralCommandLine, ReadinessPrintsTheValuesThenTheReportOneLfALine) {
    writeFileAtomically(home / "pages" / "garden.htm", kGardenPage);
    Outcome run = vistral({"readiness", "pages/garden.htm"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(
        startsWith(run.out,
                   "Title: Garden Tools\nDescription: Tools for your garden\nKeywords: garden, tools\n"
                   "Verimane Meta Tag Analysis"))
        << run.out;
    EXPECT_NE(run.out.find("\n REPORT: Warning, You are not using the Key words tag effectively\n"
                           " You are using: 13 Characters\n"),
              std::string::npos);
    // The tally lines keep their trailing blank; the last line ends in LF too.
    EXPECT_NE(run.out.find("\n\ngarden - 2 \ntools - 1 \n\n\n[Information]\n"), std::string::npos) << run.out;
    EXPECT_TRUE(endsWith(run.out, kClosingLine));
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(VistralCommandLine, ReadinessTellsFaultsByTheFileNameAsGiven) {
    struct Case {
        std::string page;
        int status;
        std::string start;  // of the output
        bool report;
    };
    const std::vector<Case> cases = {
        // A title without its end tag runs to the end of the head, its line break escaped.
        {"<html><head><title>Open\n<script></head><body>garden</body>", 0,
         "Title: Open\\r\\n<script></head>\nDescription: \nKeywords: \nMessage: The File './p q.htm' is not "
         "a "
         "valid HTML 3.2 File\\r(Invalid Usage in HEAD, Missing '</SCRIPT>' Tag - Cannot Continue!)\n"
         "Verimane",
         true},
        {"<head><title>T</title><meta\t=\"keywords\" content=\"k\"></head><body>", 1,
         "Title: T\nDescription: \nKeywords: \nMessage: not valid meta tag\n", false},
    };
    for (const Case& c : cases) {
        writeFileAtomically(home / "p q.htm", c.page);
        Outcome run = vistral({"readiness", "./p q.htm"});
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_TRUE(startsWith(run.out, c.start)) << run.out;
        EXPECT_EQ(endsWith(run.out, kClosingLine), c.report) << run.out;
    }

    Outcome missing = vistral({"readiness", "missing.htm"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "Title: \nDescription: \nKeywords: \nMessage: Could not Load File, Error 101!\n");
    EXPECT_TRUE(missing.errHas("missing.htm")) << missing.err;
}

TEST_F(VistralCommandLine, ReadinessOfAProjectsPageReadsItByTheWebType) {
    server.script("/site/sub/garden.htm", ScriptedResponse::ok(kGardenPage));
    store.writeValue(kKey, "Shop", server.url("/site"));
    store.writeValue(kKey, "ShopWebType", "1");
    Outcome net = vistral({"readiness", "--project", "shop", "--page", "sub/garden.htm"});
    EXPECT_EQ(net.status, 0) << net.err;
    EXPECT_TRUE(startsWith(net.out, "Title: Garden Tools\nDescription: Tools for your garden\n")) << net.out;
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].header("User-Agent"), "Orlek - Meta verification Utility");
    EXPECT_EQ(file("temp/temp.htm"), kGardenPage);

    Outcome gone = vistral({"readiness", "--project", "Shop", "--page", "gone.htm"});
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(gone.out, "Title: \nDescription: \nKeywords: \nMessage: Could not Load File, Error 101!\n");
    EXPECT_TRUE(gone.errHas(server.url("/site/gone.htm"))) << gone.err;
    EXPECT_FALSE(fs::exists(home / "temp" / "temp.htm"));

    // A local web reads the entry's file; nothing goes to the net.
    writeFileAtomically(home / "local" / "garden.htm", kGardenPage);
    store.writeValue(kKey, "ShopWebType", "0");
    Outcome local =
        vistral({"readiness", "--project", "Shop", "--page", (home / "local" / "garden.htm").string()});
    EXPECT_EQ(local.status, 0) << local.err;
    EXPECT_TRUE(startsWith(local.out, "Title: Garden Tools\n")) << local.out;
    EXPECT_EQ(server.requests().size(), 2u);

    store.writeValue(kKey, "Alpha", "");
    const std::pair<std::string, std::string> refusals[] = {
        {"Nowhere", "vistral readiness: there is no project Nowhere\n"},
        {"Alpha", "vistral readiness: the project Alpha has no web path"}};
    for (const auto& [project, message] : refusals) {
        Outcome refused = vistral({"readiness", "--project", project, "--page", "index.htm"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_TRUE(refused.out.empty()) << refused.out;
        EXPECT_TRUE(refused.errHas(message)) << refused.err;
    }
}

TEST_F(VistralSubmit, SubmitLogsEveryPairOnStandardOutputAndWritesTheHistory) {
    server.script("/Excite?page=http://www.shop.com/index.htm", answer("HTTP/1.1 200 OK"));
    // Lycos's request is not scripted: the server answers 404.
    Outcome run = vistral({"submit", "--project", "Shop", "--engines", "Excite, Lycos"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> log = withHead(
        {"", "Set Current file to: Excite: http://www.shop.com/index.htm", "Status: HTTP/1.1 200 OK", "2, 1",
         "", "Set Current file to: Lycos: http://www.shop.com/index.htm", "Status: HTTP/1.0 404 Not Found",
         "Submission Failed: Engine Did Not Respond, An Error Has Occurred!", "2, 2"});
    EXPECT_EQ(splitLines(run.out), log);
    EXPECT_TRUE(
        run.errHas("The submission project has completed. Do you want to view the report? (answered No)\n"))
        << run.err;
    const std::vector<std::string> files = historyFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(run.errHas("History file: " + (home / "history" / files[0]).string() + "\n")) << run.err;
    EXPECT_EQ(file("history/" + files[0]), joinStrings(log, "\r\n") + "\r\n");
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[0].header("User-Agent"), "Redore Web Browser Beta One");
}

TEST_F(VistralSubmit, VerifyPrintsThePairsInTheOrderGivenAndSendsNothing) {
    Outcome pages = vistral({"verify", "--project", "shop", "--page", "b.htm", "--page", "C:\\web\\a.htm",
                             "--engines", "lycos,Excite"});
    EXPECT_EQ(pages.status, 0) << pages.err;
    EXPECT_EQ(
        splitLines(pages.out),
        (std::vector<std::string>{"",
                                  "",
                                  "Review this report to review what you will be submitting and where you "
                                  "will be submitting.",
                                  "",
                                  "",
                                  "Active Project: Shop",
                                  "Web Base Address: http://www.shop.com",
                                  "",
                                  "",
                                  "Personalization",
                                  "",
                                  "Name: Ann Smith",
                                  "E-Mail: ann@example.com",
                                  "",
                                  "Submitting File",
                                  "",
                                  "http://www.shop.com/b.htm",
                                  "",
                                  "",
                                  "to: Lycos",
                                  "to: Excite",
                                  " ",
                                  " ",
                                  "Submitting File",
                                  "",
                                  "http://www.shop.com/a.htm",
                                  "",
                                  "",
                                  "to: Lycos",
                                  "to: Excite",
                                  " ",
                                  " "}));
    EXPECT_EQ(pages.err, "");

    // A list's pages are the entries that get a row, in file order; a missing e-mail is marked.
    writeFileAtomically(home / "My Projects" / "Shop" / "Spring.fls", "news.htm\r\n\r\nabout.htm\r\n");
    writeFileAtomically(home / "My Profiles" / "Shop.rpf",
                        "2,2\r\n0,0,Personalization Item\r\n0,1,First Name\r\n");
    Outcome list = vistral({"verify", "--project", "Shop", "--list", "Spring", "--engines", "Nerd World"});
    EXPECT_EQ(list.status, 0) << list.err;
    const std::vector<std::string> lines = splitLines(list.out);
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), "E-Mail: NO VALUE EXIST, Submission will not be possible"), 1);
    std::vector<std::string> addresses;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(addresses),
                 [](const std::string& line) { return line.starts_with("http://"); });
    EXPECT_EQ(addresses,
              (std::vector<std::string>{"http://www.shop.com/news.htm", "http://www.shop.com/about.htm"}));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(historyFiles().empty());
}

TEST_F(VistralSubmit, BadArgumentsAndJobsThatCannotStart) {
    writeFileAtomically(home / "My Projects" / "Shop" / "Empty.fls", "\r\n \r\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"submit", "--engines", "Excite"}, 2, "vistral submit: --project is required"},
        {{"submit", "--project", "Shop"}, 2, "vistral submit: --engines is required"},
        {{"submit", "--project", "Shop", "--engines", " , "}, 2, "--engines needs at least one engine name"},
        {{"submit", "--project", "Shop", "--engines", "Excite,Nobody"},
         2,
         "Nobody is no engine of the catalog"},
        {{"submit", "--project", "Shop", "--list", "Shop", "--page", "a.htm", "--engines", "Excite"},
         2,
         "give either --list or --page"},
        {{"submit", "--project", "Shop", "--page", " ", "--engines", "Excite"},
         2,
         "--page needs a page entry"},
        {{"submit", "--project", "../Shop", "--engines", "Excite"}, 2, "vistral submit: --project: "},
        {{"submit", "--project", "Shop", "--list", "a/b", "--engines", "Excite"},
         2,
         "vistral submit: --list: "},
        {{"submit", "--project", "Shop", "--engines", "Excite", "--timeout", "0"},
         2,
         "--timeout needs a whole number from 1 to 86400"},
        {{"verify", "--project", "Shop", "--engines", "Excite", "--timeout", "5"},
         2,
         "unknown option --timeout"},
        {{"submit", "--project", "Shop", "--engines", "Excite", "extra"}, 2, "unexpected argument extra"},
        {{"submit", "--project", "Nowhere", "--engines", "Excite"},
         1,
         "vistral submit: there is no project Nowhere"},
        {{"verify", "--project", "Shop", "--list", "Gone", "--engines", "Excite"}, 1, "Gone.fls"},
        {{"submit", "--project", "Shop", "--list", "Empty", "--engines", "Excite"},
         1,
         "vistral submit: the list Empty of the project Shop has no pages"},
    };
    for (const Case& c : cases) {
        Outcome run = vistral(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << "\n" << run.err;
        EXPECT_TRUE(run.errHas(c.err)) << run.err;
        EXPECT_EQ(run.out, "") << c.args.back();
    }

    // Without the catalog nothing can be checked; without an e-mail address the run refuses.
    fs::rename(home / "engines" / "engines.txt", home / "engines" / "moved.txt");
    Outcome noCatalog = vistral({"verify", "--project", "Shop", "--engines", "Excite"});
    EXPECT_EQ(noCatalog.status, 1);
    EXPECT_TRUE(noCatalog.errHas("vistral verify: ")) << noCatalog.err;
    fs::rename(home / "engines" / "moved.txt", home / "engines" / "engines.txt");
    writeFileAtomically(home / "My Profiles" / "Shop.rpf",
                        "2,2\r\n0,0,Personalization Item\r\n0,1,First Name\r\n");
    Outcome noEmail = vistral({"submit", "--project", "Shop", "--engines", "Excite"});
    EXPECT_EQ(noEmail.status, 1);
    EXPECT_TRUE(
        noEmail.errHas("error: Cannot Complete Submission Unless you assign an e-mail address to this "
                       "project!, To assign an e-mail address:\n"))
        << noEmail.err;
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(historyFiles().empty());
}

TEST_F(VistralSubmit, TheTimeoutAbandonsAnAnswerThatStallsAndTheRunGoesOn) {
    ScriptedResponse stalled = answer("HTTP/1.0 200 OK");
    stalled.body = std::string(64, 'x');
    stalled.delivery = ScriptedResponse::Delivery::InPieces;
    stalled.pieceSize = 16;
    stalled.piecesOnRelease = true;
    server.script("/Excite?page=http://www.shop.com/index.htm", stalled);
    server.script("/Lycos?page=http://www.shop.com/index.htm", answer("HTTP/1.0 200 OK"));
    Outcome run = vistral({"submit", "--project", "Shop", "--engines", "Excite,Lycos", "--timeout", "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(splitLines(run.out), withHead({"", "Set Current file to: Excite: http://www.shop.com/index.htm",
                                             "Status: HTTP/1.0 200 OK", "2, 1", "",
                                             "Set Current file to: Lycos: http://www.shop.com/index.htm",
                                             "Status: HTTP/1.0 200 OK", "2, 2"}));
    EXPECT_EQ(historyFiles().size(), 1u);
}

TEST_F(VistralSubmit, CtrlCCancelsTheRunAsCancelSubmissionDoes) {
    ScriptedResponse silent;
    silent.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/Excite?page=http://www.shop.com/index.htm", silent);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VISTRAL_HOME", QString::fromStdString(home.path().string()));
    environment.insert("ORLEK_SETTINGS", QString::fromStdString(store.file().string()));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(VISTRAL_BINARY, {"submit", "--project", "Shop", "--engines", "Excite,Lycos"});
    ASSERT_TRUE(process.waitForStarted());
    // The server holds its answer: the run waits in the request when Ctrl-C comes.
    ASSERT_TRUE(server.waitForResponsesWritten(1));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(60000));

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    const std::vector<std::string> out = splitLines(process.readAllStandardOutput().toStdString());
    // The request under way was abandoned: it logged neither a status nor a failure.
    EXPECT_EQ(out, withHead({"", "Set Current file to: Excite: http://www.shop.com/index.htm",
                             "Operation Cancelled at user request"}));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(historyFiles().empty());
    EXPECT_EQ(process.readAllStandardError().toStdString(), "");
}

// The project Shop whose profile holds an IndexNow key, and a folder for the key file.
class VistralIndexNowKey : public VistralCommandLine {
protected:
    fs::path site;

    void SetUp() override {
        VistralCommandLine::SetUp();
        profileWithKey("Shop", " 5b2e8a47-c9f1 ");
        store.writeValue(kKey, "Shop", "https://www.shop.com/pages/");
        site = home / "site";
        fs::create_directories(site);
    }
    void profileWithKey(const std::string& project, const std::string& key) {
        writeFileAtomically(home / "My Profiles" / (project + ".rpf"),
                            "2,3\r\n0,0,Personalization Item\r\n0,1,E-Mail Address\r\n1,1,ann@example.com\r\n"
                            "0,2,IndexNow Key\r\n1,2," +
                                key + "\r\n");
    }
};

TEST_F(VistralIndexNowKey, WritesTheKeyFileIntoTheFolderAndSaysWhereToPublishIt) {
    Outcome run = vistral({"indexnow-key", "--project", "shop", "--folder", site.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(file("site/5b2e8a47-c9f1.txt"), "5b2e8a47-c9f1");
    EXPECT_EQ(run.err, "Key file: " + (site / "5b2e8a47-c9f1.txt").string() +
                           "\nPublish it as https://www.shop.com/5b2e8a47-c9f1.txt\n");
    EXPECT_TRUE(run.out.empty());

    // Again, over the file it wrote, for a project without a web path.
    store.writeValue(kKey, "Shop", "");
    writeFileAtomically(site / "5b2e8a47-c9f1.txt", "old");
    run = vistral({"indexnow-key", "--project", "Shop", "--folder", site.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(file("site/5b2e8a47-c9f1.txt"), "5b2e8a47-c9f1");
    EXPECT_TRUE(run.errHas("Publish it at the root of the site.\n")) << run.err;
}

TEST_F(VistralIndexNowKey, RefusesAMissingOrUnusableKeyAndAMissingFolder) {
    profileWithKey("Alpha", "short");
    profileWithKey("Dots", "../../5b2e8a47");
    profileWithKey("Empty", "  ");
    writeFileAtomically(home / "plain.txt", "a file");
    struct Case {
        std::string project;
        fs::path folder;
        std::string err;
    };
    const std::string who = "vistral indexnow-key: ";
    const Case cases[] = {
        {"Nobody", site, who + "there is no project Nobody\n"},
        {"Base", site,
         who +
             "the project Base has no IndexNow key: give its profile the row \"IndexNow Key\" with a key in "
             "the Project Editor\n"},
        {"Empty", site,
         who + "the project Empty has no IndexNow key: give its profile the row \"IndexNow Key\" with a key "
               "in the Project Editor\n"},
        {"Alpha", site,
         who + "the IndexNow key of the project Alpha cannot be used: it has 5 characters; a key has 8 to "
               "128\n"},
        {"Dots", site,
         who + "the IndexNow key of the project Dots cannot be used: it holds \".\"; a key has only letters "
               "a-z and A-Z, digits and \"-\"\n"},
        {"Shop", home / "missing", who + "there is no folder " + (home / "missing").string() + "\n"},
        {"Shop", home / "plain.txt", who + "there is no folder " + (home / "plain.txt").string() + "\n"},
    };
    for (const Case& c : cases) {
        Outcome run = vistral({"indexnow-key", "--project", c.project, "--folder", c.folder.string()});
        EXPECT_EQ(run.status, 1) << c.project;
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_TRUE(fs::is_empty(site));
    EXPECT_FALSE(fs::exists(home / "missing"));
    EXPECT_FALSE(fs::exists(home / "5b2e8a47.txt"));
}
