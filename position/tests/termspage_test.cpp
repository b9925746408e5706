#include "position/termspage.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/tempdir.h"
#include "position/addtermsdialog.h"
#include "position/core/termlist.h"

namespace {

using Kind = ScriptedPrompts::Kind;
using Lines = std::vector<std::string>;

class TermsPageTest : public ::testing::Test {
protected:
    TempDir dir;
    ProgramFolder folder{dir.path()};
    ScriptedPrompts prompts;
    TermList terms;
    TermsPage page{terms, folder, prompts};
    std::vector<QString> typed;  // what the add dialog receives, one text per opening

    void SetUp() override {
        page.setModalRunner([this](QDialog& dialog) {
            auto& add = dynamic_cast<AddTermsDialog&>(dialog);
            EXPECT_EQ(add.windowTitle(), "Add Search Terms");
            if (typed.empty()) {
                add.cancelClick();
                return 0;
            }
            add.editor()->setPlainText(typed.front());
            typed.erase(typed.begin());
            add.addClick();
            return 1;
        });
    }
    Lines shownTerms() const {
        Lines out;
        for (int i = 0; i < page.termView()->topLevelItemCount(); ++i) {
            out.push_back(page.termView()->topLevelItem(i)->text(0).toStdString());
        }
        return out;
    }
};

}  // namespace

TEST_F(TermsPageTest, AddTakesEveryLineOnceLeavesBlankLinesOutAndNewStartsAFreshList) {
    typed = {"seo\nSEO\nseo\n\n \t \n rank\n"};
    page.RzToolbarButton2Click();
    EXPECT_EQ(shownTerms(), (Lines{"seo", "SEO", " rank"}));
    typed = {" rank\nnew"};
    page.RzToolbarButton2Click();
    EXPECT_EQ(shownTerms(), (Lines{"seo", "SEO", " rank", "new"}));
    typed = {"\n  \n"};
    page.RzToolbarButton2Click();
    EXPECT_EQ(shownTerms(), (Lines{"seo", "SEO", " rank", "new"}));
    typed = {"only"};
    page.RzToolbarButton10Click();
    EXPECT_EQ(shownTerms(), Lines{"only"});
    page.RzToolbarButton2Click();  // cancelled: nothing added
    EXPECT_EQ(shownTerms(), Lines{"only"});
}

TEST_F(TermsPageTest, MarksDriveSelectionAndDeletion) {
    terms.addTerms({"a", "b", "c"});
    page.refresh();
    page.termView()->topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(page.addactiveterms(), Lines{"b"});
    page.RzToolbarButton3Click();
    EXPECT_EQ(shownTerms(), (Lines{"a", "c"}));
    page.SpeedButton1Click();
    EXPECT_EQ(page.addactiveterms(), (Lines{"a", "c"}));
    EXPECT_EQ(page.termView()->topLevelItem(0)->checkState(0), Qt::Checked);
    page.SpeedButton3Click();
    EXPECT_TRUE(page.addactiveterms().empty());
}

TEST_F(TermsPageTest, SaveAndOpenKeepTermsButNotMarks) {
    terms.addTerms({"alpha", "", "beta"});
    terms.setAllMarks(true);
    page.refresh();
    prompts.saveAnswers = {FileDialogResult{dir / "terms" / "mine", 1}};
    page.RzToolbarButton4Click();
    EXPECT_EQ(prompts.shown().back(),
              (ScriptedPrompts::Shown{Kind::Information, "Search Terms were saved successfully!"}));
    const FileDialogRequest& save = prompts.fileRequests().back();
    EXPECT_EQ(save.title, "Save Search Terms");
    EXPECT_EQ(save.filter, "Search Terms File|*.tms|All Files|*.*");
    EXPECT_EQ(save.startFolder, dir / "terms");
    EXPECT_EQ(readFileBytes(dir / "terms" / "mine.tms"), "1,3\r\ncw 0,250\r\n0,0,alpha\r\n0,2,beta\r\n");

    prompts.openAnswers = {FileDialogResult{dir / "terms" / "mine.tms", 1}};
    page.RzToolbarButton5Click();
    EXPECT_EQ(prompts.fileRequests().back().title, "Open a Search Term File");
    EXPECT_EQ(prompts.fileRequests().back().filter, "Search Term File|*.tms|All Files|*.*");
    EXPECT_EQ(shownTerms(), (Lines{"alpha", "", "beta"}));
    EXPECT_TRUE(page.addactiveterms().empty());
}

TEST_F(TermsPageTest, FileErrorsAreShown) {
    terms.addTerms({"kept?"});
    page.refresh();
    prompts.openAnswers = {FileDialogResult{dir / "none.tms", 1}};
    page.RzToolbarButton5Click();
    EXPECT_EQ(prompts.shown().back(),
              (ScriptedPrompts::Shown{Kind::Error, "File " + (dir / "none.tms").string() + " not found"}));
    EXPECT_TRUE(shownTerms().empty());

    writeFileAtomically(dir / "notafolder", "x");
    prompts.saveAnswers = {FileDialogResult{dir / "notafolder" / "t.tms", 1}};
    page.RzToolbarButton4Click();
    EXPECT_EQ(prompts.shown().back(),
              (ScriptedPrompts::Shown{Kind::Error, "An error occurred when saving the Search Terms"}));
}

TEST_F(TermsPageTest, TheFrontPageOptionAsksWhetherToReadItsHelp) {
    prompts.confirmAnswers = {true, false};
    page.frontPageClicked(true);
    page.frontPageClicked(true);
    page.frontPageClicked(false);
    EXPECT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(
        prompts.shown()[0].text,
        "To use this feature you must configure an editor in the FrontPage Explorer, .tms files must be "
        "associated with NotePad.exe\n\r\n\rDo you want to read the Help topic now?");
    EXPECT_EQ(prompts.helpTopics(), Lines{"frontpage-terms"});
    EXPECT_TRUE(page.frontPageBox()->isHidden());
    EXPECT_TRUE(page.topTenBox()->isHidden());
}
