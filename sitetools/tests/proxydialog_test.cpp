#include "sitetools/proxydialog.h"

#include "platform/core/settingsstore.h"
#include "platform/displaytext.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/tempdir.h"
#include "sitetools/proxysettings.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

namespace {

using Kind = ScriptedPrompts::Kind;
using Shown = ScriptedPrompts::Shown;

const char* kRanqor = "\\Software\\Orlek\\Ranqor";
const char* kVistral = "\\Software\\Orlek\\Vistral";

class ProxyDialogTest : public ::testing::Test {
protected:
    static void trigger(Tpset& dialog, const char* name) {
        QAction* action = dialog.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }

    static std::vector<std::string> labels(const Tpset& dialog) {
        std::vector<std::string> out;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            out.push_back(fromDisplay(label->text()));
        return out;
    }

    static std::vector<std::pair<std::string, std::string>> buttons(const Tpset& dialog) {
        std::vector<std::pair<std::string, std::string>> out;
        for (QAction* action : dialog.findChild<QToolBar*>("toolbar")->actions()) {
            out.emplace_back(fromDisplay(action->text()), fromDisplay(action->toolTip()));
        }
        return out;
    }

    TempDir dir;
    SettingsStore store{dir / "settings.ini"};
    ScriptedPrompts prompts;
};

TEST_F(ProxyDialogTest, RanqorShowsTheServerOnly) {
    Tpset dialog(store, prompts, ProxySettingsVariant::ranqor());
    EXPECT_EQ(fromDisplay(dialog.windowTitle()), "Ranqor - Proxy Settings");
    EXPECT_EQ(dialog.userEdit(), nullptr);
    EXPECT_EQ(dialog.passwordEdit(), nullptr);
    EXPECT_EQ(dialog.timeoutSpin(), nullptr);
    EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 1);
    EXPECT_EQ(labels(dialog),
              (std::vector<std::string>{
                  "Server", "The proxy server address, e.g. 172.16.0.99, must be entered in the above box.",
                  "The Format must be ###.###.###.### e.g. 172.16.0.99"}));
    EXPECT_EQ(buttons(dialog),
              (std::vector<std::pair<std::string, std::string>>{{"Save Settings", "Save Proxy Setting"},
                                                                {"Close", "Close Proxy Setting Window"},
                                                                {"Help", "Help with the Proxy Settings"}}));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ProxyDialogTest, VistralShowsServerUserMaskedPasswordAndTimeout) {
    Tpset dialog(store, prompts, ProxySettingsVariant::vistral());
    EXPECT_EQ(fromDisplay(dialog.windowTitle()), "Vistral - Settings");
    EXPECT_EQ(labels(dialog),
              (std::vector<std::string>{
                  "Server", "The Proxy Server Address, e.g. 172.16.0.99, must be entered in the above box.",
                  "User", "Password", "Timeout in Seconds"}));
    EXPECT_EQ(buttons(dialog),
              (std::vector<std::pair<std::string, std::string>>{{"Save Settings", "Save Vistral Settings"},
                                                                {"Close", "Close the settings form"},
                                                                {"Help", "Help"}}));

    ASSERT_NE(dialog.passwordEdit(), nullptr);
    dialog.passwordEdit()->setText("s3cret");
    EXPECT_EQ(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
    dialog.passwordEdit()->ensurePolished();
    EXPECT_EQ(dialog.passwordEdit()->displayText(), "******");

    PagedSpinBox* spin = dialog.timeoutSpin();
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->value(), 30);
    EXPECT_EQ(spin->singleStep(), 5);
    EXPECT_EQ(spin->pageStep(), 10);
    EXPECT_EQ(spin->maximum(), 600);
    EXPECT_FALSE(spin->isReadOnly());
    spin->stepUp();
    EXPECT_EQ(spin->value(), 35);
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(spin, &pageUp);
    EXPECT_EQ(spin->value(), 45);
    QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(spin, &pageDown);
    QApplication::sendEvent(spin, &pageDown);
    EXPECT_EQ(spin->value(), 25);
    spin->setValue(900);
    EXPECT_EQ(spin->value(), 600);
}

TEST_F(ProxyDialogTest, RanqorShowsAnEmptyProxyAndStoresWhatIsTyped) {
    store.writeValue(kRanqor, "proxy", "");
    Tpset dialog(store, prompts, ProxySettingsVariant::ranqor());
    EXPECT_EQ(dialog.serverEdit()->text(), "");
    dialog.serverEdit()->setText("10.0.0.1:8080");
    trigger(dialog, "saveButton");
    EXPECT_EQ(store.readValue(kRanqor, "proxy"), "10.0.0.1:8080");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Message, "Proxy Setting Updated"}}));
}

TEST_F(ProxyDialogTest, AMissingValueIsNeitherReadNorWrittenButSaveStillConfirms) {
    store.writeValue(kVistral, "proxy", "vistral-only");
    Tpset dialog(store, prompts, ProxySettingsVariant::ranqor());
    EXPECT_EQ(dialog.serverEdit()->text(), "");
    dialog.serverEdit()->setText("10.0.0.1");
    trigger(dialog, "saveButton");
    EXPECT_FALSE(store.keyExists(kRanqor));
    EXPECT_EQ(store.readValue(kVistral, "proxy"), "vistral-only");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Message, "Proxy Setting Updated"}}));
}

TEST_F(ProxyDialogTest, VistralReadsAndWritesTheValuesThatExist) {
    store.writeValue(kVistral, "proxy", "172.16.0.99");
    store.writeValue(kVistral, "puser", "ann");
    store.writeValue(kVistral, "puserp", "pw");
    store.writeValue(kVistral, "timeout", "45");
    Tpset dialog(store, prompts, ProxySettingsVariant::vistral());
    EXPECT_EQ(dialog.serverEdit()->text(), "172.16.0.99");
    EXPECT_EQ(dialog.userEdit()->text(), "ann");
    EXPECT_EQ(dialog.passwordEdit()->text(), "pw");
    EXPECT_EQ(dialog.timeoutSpin()->value(), 45);

    dialog.serverEdit()->setText("proxy.example:3128");
    dialog.userEdit()->setText("bob");
    dialog.passwordEdit()->setText("p@ss word*");
    dialog.timeoutSpin()->setValue(120);
    trigger(dialog, "saveButton");
    EXPECT_EQ(store.readValue(kVistral, "proxy"), "proxy.example:3128");
    EXPECT_EQ(store.readValue(kVistral, "puser"), "bob");
    EXPECT_EQ(store.readValue(kVistral, "puserp"), "p@ss word*");
    EXPECT_EQ(store.readValue(kVistral, "timeout"), "120");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Message, "Proxy Settings Updated"}}));
}

TEST_F(ProxyDialogTest, VistralWritesOnlyThePresentValues) {
    store.writeValue(kVistral, "puser", "ann");
    Tpset dialog(store, prompts, ProxySettingsVariant::vistral());
    EXPECT_EQ(dialog.timeoutSpin()->value(), 30);
    dialog.serverEdit()->setText("10.1.1.1");
    dialog.userEdit()->setText("carl");
    dialog.passwordEdit()->setText("pw");
    trigger(dialog, "saveButton");
    EXPECT_EQ(store.readValue(kVistral, "puser"), "carl");
    for (const char* absent : {"proxy", "puserp", "timeout"})
        EXPECT_FALSE(store.valueExists(kVistral, absent)) << absent;
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Message, "Proxy Settings Updated"}}));
}

TEST_F(ProxyDialogTest, ATimeoutThatIsNoNumberLeavesTheDefault) {
    store.writeValue(kVistral, "timeout", "soon");
    Tpset dialog(store, prompts, ProxySettingsVariant::vistral());
    EXPECT_EQ(dialog.timeoutSpin()->value(), 30);
    trigger(dialog, "saveButton");
    EXPECT_EQ(store.readValue(kVistral, "timeout"), "30");
}

TEST_F(ProxyDialogTest, CloseWritesNothingAndHelpOpensTheTopic) {
    store.writeValue(kRanqor, "proxy", "before");
    for (const auto* variant : {&ProxySettingsVariant::ranqor(), &ProxySettingsVariant::vistral()}) {
        prompts.clear();
        Tpset dialog(store, prompts, *variant);
        dialog.show();
        dialog.serverEdit()->setText("after");
        trigger(dialog, "helpButton");
        trigger(dialog, "closeButton");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(prompts.helpTopics(), std::vector<std::string>{"proxy-settings"});
        EXPECT_TRUE(prompts.shown().empty());
    }
    EXPECT_EQ(store.readValue(kRanqor, "proxy"), "before");
    EXPECT_FALSE(store.keyExists(kVistral));
}

TEST_F(ProxyDialogTest, ASettingsStoreThatCannotBeReadIsReportedAndNothingConfirmed) {
    std::filesystem::create_directories(dir / "settings.ini");  // a folder where the file should be
    Tpset dialog(store, prompts, ProxySettingsVariant::ranqor());
    trigger(dialog, "saveButton");
    ASSERT_EQ(prompts.shown().size(), 2u);
    for (const Shown& shown : prompts.shown()) {
        EXPECT_EQ(shown.kind, Kind::Error);
        EXPECT_EQ(shown.text.rfind("Cannot read the settings: ", 0), 0u) << shown.text;
    }
}

// --- First start -------------------------------------------------------------------------------

TEST(FirstStartProxyValues, AreCreatedForEachProgramsOwnKey) {
    TempDir dir;
    SettingsStore store(dir / "settings.ini");
    createMissingProxyValues(store, ProxySettingsVariant::ranqor());
    EXPECT_EQ(store.readValue(kRanqor, "proxy"), "");
    EXPECT_FALSE(store.valueExists(kRanqor, "puser"));
    EXPECT_FALSE(store.keyExists(kVistral));

    createMissingProxyValues(store, ProxySettingsVariant::vistral());
    EXPECT_EQ(store.readValue(kVistral, "proxy"), "");
    EXPECT_EQ(store.readValue(kVistral, "puser"), "");
    EXPECT_EQ(store.readValue(kVistral, "puserp"), "");
    EXPECT_EQ(store.readValue(kVistral, "timeout"), "60");
}

TEST(FirstStartProxyValues, NeverChangeExistingValues) {
    TempDir dir;
    SettingsStore store(dir / "settings.ini");
    store.writeValue(kRanqor, "proxy", "10.0.0.1");
    store.writeValue(kVistral, "timeout", "45");
    store.writeValue(kVistral, "PUSER", "ann");  // value names ignore letter case
    createMissingProxyValues(store, ProxySettingsVariant::ranqor());
    createMissingProxyValues(store, ProxySettingsVariant::vistral());
    EXPECT_EQ(store.readValue(kRanqor, "proxy"), "10.0.0.1");
    EXPECT_EQ(store.readValue(kVistral, "timeout"), "45");
    EXPECT_EQ(store.readValue(kVistral, "puser"), "ann");
    EXPECT_EQ(store.readValue(kVistral, "proxy"), "");
    EXPECT_EQ(store.readValue(kVistral, "puserp"), "");
}

}  // namespace
