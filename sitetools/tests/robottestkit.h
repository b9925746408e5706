#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/displaytext.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/tempdir.h"
#include "sitetools/robotwindow.h"

// A program folder with the robot window's three lists, a settings file, scripted prompts and
// the main window's collected-address list, ready to build robot windows on.
class RobotWindowTest : public ::testing::Test {
protected:
    using Kind = ScriptedPrompts::Kind;
    using Shown = ScriptedPrompts::Shown;
    using Lines = std::vector<std::string>;

    void SetUp() override {
        for (const char* name :
             {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
            unsetenv(name);
        }
        writeList("domains.lls", "http://www.example.com/\r\nhttp://www.example.org/\r\n");
        writeList("startfil.lls", "index.html\r\ndefault.htm\r\n");
        writeList("exclude.lls", ".gif\r\n.jpg\r\n");
        writeFileAtomically(dir / "tips" / "fmanage.txt", "One entry per line.\r\n");
    }

    void writeList(const std::string& name, const std::string& text) {
        writeFileAtomically(dir / "My File Lists" / name, text);
    }
    std::filesystem::path list(const std::string& name) const { return dir / "My File Lists" / name; }

    std::unique_ptr<TForm4> ranqor() {
        return std::make_unique<TForm4>(folder, store, prompts, RobotWindowVariant::ranqor(), collected);
    }
    std::unique_ptr<TForm4> vistral() {
        return std::make_unique<TForm4>(folder, store, prompts, RobotWindowVariant::vistral(), collected);
    }

    static QAction* action(TForm4& window, const char* name) {
        QAction* found = window.findChild<QAction*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void trigger(TForm4& window, const char* name) {
        if (QAction* found = action(window, name))
            found->trigger();
    }

    // The tree as lines: two blanks per level, the caption, and " -> " with the node's address
    // when it has one. Placeholders show as "...".
    static Lines treeLines(const QTreeWidget* tree) {
        Lines lines;
        std::function<void(const QTreeWidgetItem*, int)> add = [&](const QTreeWidgetItem* node, int depth) {
            std::string line = std::string(2 * depth, ' ') + fromDisplay(node->text(0));
            std::string address = TForm4::addressOf(node);
            if (!address.empty())
                line += " -> " + address;
            lines.push_back(line);
            for (int i = 0; i < node->childCount(); ++i)
                add(node->child(i), depth + 1);
        };
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            add(tree->topLevelItem(i), 0);
        return lines;
    }

    // The child of parent (the tree's top level when null) with that caption.
    static QTreeWidgetItem* child(QTreeWidget* tree, QTreeWidgetItem* parent, const std::string& caption) {
        int count = parent ? parent->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < count; ++i) {
            QTreeWidgetItem* node = parent ? parent->child(i) : tree->topLevelItem(i);
            if (fromDisplay(node->text(0)) == caption)
                return node;
        }
        ADD_FAILURE() << "no node " << caption;
        return nullptr;
    }

    static std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
        return text;
    }

    TempDir dir;
    ProgramFolder folder{dir.path()};
    SettingsStore store{dir / "settings.ini"};
    ScriptedPrompts prompts;
    std::vector<std::string> collected;
};
