// The vistral program run as a user runs it from a terminal: its own program folder and
// settings file, the update server on loopback.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <algorithm>
#include <map>

#include "net/tests/support/scriptedserver.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
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
        process.start(VISTRAL_BINARY, arguments);
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }

    std::string file(const std::string& relative) { return readFileBytes(home / relative); }
};

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
        {{"--version"}, 0, "vistral ", ""},
        {{"projects", "extra"}, 2, "", "vistral projects: unexpected argument extra"},
        {{"update-engines", "--now"}, 2, "", "vistral update-engines: unknown option --now"},
        {{"submit"}, 2, "", "vistral: unknown command submit"},
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
