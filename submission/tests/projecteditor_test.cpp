#include "submission/projecteditor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

#include "pageprep/tipspane.h"
#include "platform/core/gridfile.h"
#include "platform/core/safefile.h"
#include "submission/core/profile.h"
#include "submission/projectspage.h"
#include "submission/tests/windowfixture.h"

namespace fs = std::filesystem;

namespace {

const char* kKey = "\\Software\\Orlek\\Vistral";

std::string savedQuestion(const std::string& name) {
    return "Project: " + name +
           " was created/updated successfully: Do you want to exit the Project Editor and return to the "
           "Submission Program? \r\rThis will close the Project Form Window.   Close Window?";
}

// Sets the value of the profile row labelled label.
void setValue(Tproject& editor, const QString& label, const QString& value) {
    QTableWidget* table = editor.profileTable();
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == label) {
            table->item(row, 1)->setText(value);
            return;
        }
    }
    ADD_FAILURE() << "no row " << label.toStdString();
}

}  // namespace

class ProjectEditor : public VistralWindowTest {
protected:
    std::unique_ptr<TForm1> form;
    Tproject* editor = nullptr;

    void SetUp() override {
        VistralWindowTest::SetUp();
        form = open();
        editor = &form->projectEditor();
    }
    void type(const std::string& name, const std::string& path) {
        editor->nameBox()->setCurrentText(QString::fromStdString(name));
        editor->pathBox()->setText(QString::fromStdString(path));
    }
};

TEST_F(ProjectEditor, StartsOnTheBaseProfileWithTheCategoriesAndItsHint) {
    EXPECT_EQ(editor->nameBox()->currentText(), "Base");
    EXPECT_EQ(editor->categoryBox()->count(), 19);
    EXPECT_EQ(editor->categoryBox()->currentText(), "Autos");
    EXPECT_EQ(editor->webTypeGroup()->checkedId(), 1);
    EXPECT_EQ(editor->profileTable()->rowCount(), 10);
    EXPECT_EQ(editor->profileTable()->item(2, 0)->text(), "E-Mail Address");
    EXPECT_EQ(editor->profileTable()->item(9, 0)->text(), "IndexNow Key");
    EXPECT_FALSE(editor->profileTable()->item(2, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(editor->hintPane()->toPlainText().isEmpty());
    // getdefaults stored the Base project's missing settings from the controls.
    EXPECT_EQ(store.readValue(kKey, "Base"), "");
    EXPECT_EQ(store.readValue(kKey, "BaseWebType"), "1");
    EXPECT_EQ(store.readValue(kKey, "BaseCategory"), "Autos");
}

TEST_F(ProjectEditor, SavingANewProjectWritesItsFilesAndSettingsAndAsksToClose) {
    type("Shop", "http://www.example.com");
    editor->webTypeGroup()->button(2)->setChecked(true);
    editor->categoryBox()->setCurrentText("Antiques");  // not in the category file: stored as typed
    setValue(*editor, "E-Mail Address", "ann@example.com");
    prompts.confirmAnswers = {false};
    editor->saveClick();
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Confirm, savedQuestion("Shop")}}));
    EXPECT_EQ(profileValue(readProjectProfile(folder, "Shop"), "E-Mail Address"), "ann@example.com");
    EXPECT_EQ(file("My Projects/Shop/Shop.fls"), "MySample.htm\r\n");
    EXPECT_EQ(file("My Projects/Shop/Shop.key"), "Enter Site Key Words\r\n");
    EXPECT_EQ(store.readValue(kKey, "Shop"), "http://www.example.com");
    EXPECT_EQ(store.readValue(kKey, "ShopWebType"), "2");
    EXPECT_EQ(store.readValue(kKey, "ShopCategory"), "Antiques");
    EXPECT_GE(editor->nameBox()->findText("Shop"), 0);  // No keeps the editor open and refills its names

    // Saving again keeps the page list; Enter in the name box saves too.
    writeFileAtomically(dir / "My Projects" / "Shop" / "Shop.fls", "index.htm\r\n");
    writeFileAtomically(dir / "My Projects" / "Shop" / "Shop.dsc", "A real description\r\n");
    prompts.confirmAnswers = {true};
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(editor->nameBox(), &enter);
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Confirm, savedQuestion("Shop")}));
    EXPECT_EQ(file("My Projects/Shop/Shop.fls"), "index.htm\r\n");
    EXPECT_EQ(file("My Projects/Shop/Shop.dsc"), "Enter Site Description\r\n");

    // The step 1 list shows it after the editor closes.
    form->newProjectClick();
    EXPECT_EQ(form->projectsPage().projectList()->findItems("Shop", Qt::MatchExactly).size(), 1);
}

TEST_F(ProjectEditor, RefusedNamesWriteNothing) {
    type("Shop", "http://www.example.com");
    prompts.confirmAnswers = {false};
    editor->saveClick();
    prompts.clear();
    struct Case {
        std::string name;
        Shown shown;
    };
    const std::vector<Case> cases = {
        {"", {Kind::Message, "You must specify a name to save the project"}},
        {"My Shop", {Kind::Error, "Character in Project name [SPACE] Spaces Are not Allowed! "}},
        {"../../outside",
         {Kind::Error,
          "The project name \"../../outside\" cannot be used: it holds a \\ or a /, which separate folders. "
          "A "
          "project name is used as a file and folder name."}},
        {"..",
         {Kind::Error,
          "The project name \"..\" cannot be used: \".\" and \"..\" name folders. A project name is used as "
          "a "
          "file and folder name."}},
        {"shop",
         {Kind::Error,
          "The project \"Shop\" exists already. \"shop\" differs from it only in letter case, and the two "
          "would "
          "share their settings: choose another name."}},
    };
    for (const Case& c : cases) {
        type(c.name, "http://other.example.com");
        editor->saveClick();
        EXPECT_EQ(prompts.shown(), std::vector<Shown>{c.shown}) << c.name;
        prompts.clear();
    }
    EXPECT_FALSE(fs::exists(dir / "outside.rpf"));
    EXPECT_FALSE(fs::exists(dir / "outside"));
    EXPECT_EQ(listProjects(folder).size(), 2u);
    EXPECT_EQ(store.readValue(kKey, "Shop"), "http://www.example.com");
}

TEST_F(ProjectEditor, AMissingWebPathIsAWarningAndTheSaveGoesOn) {
    type("NoPath", "");
    prompts.confirmAnswers = {false};
    editor->saveClick();
    EXPECT_EQ(
        prompts.shown().front(),
        (Shown{Kind::Message,
               "Warning, your have not set the default web path! This is used for submissions, please make "
               "sure that you update this."}));
    EXPECT_TRUE(fs::exists(dir / "My Profiles" / "NoPath.rpf"));
}

TEST_F(ProjectEditor, BlankRowsGoOnSaveAndAShorterProfileLeavesNothingOfTheLongerOne) {
    writeFileAtomically(dir / "My Profiles" / "Rows.rpf",
                        "2,6\r\n0,0,Item\r\n1,0,Value\r\n0,1,First Name\r\n1,1,Ann\r\n0,4,Last Name\r\n"
                        "1,4,Lee\r\n");
    editor->rebuildNameList();
    editor->nameBox()->setCurrentIndex(editor->nameBox()->findText("Rows"));
    editor->nameChosen();
    EXPECT_EQ(editor->profileTable()->rowCount(), 5);
    prompts.confirmAnswers = {false};
    editor->saveClick();
    GridTable saved;
    readGridFile(saved, dir / "My Profiles" / "Rows.rpf");
    ASSERT_EQ(saved.rowCount(), 4);  // rows 2 and 3 were blank; the blank last row stays
    EXPECT_EQ(saved.cell(0, 2), "Last Name");
    EXPECT_EQ(saved.cell(0, 3), "");
    EXPECT_EQ(editor->profileTable()->rowCount(), 3);

    editor->nameBox()->setCurrentIndex(editor->nameBox()->findText("Base"));
    editor->nameChosen();
    EXPECT_EQ(editor->profileTable()->rowCount(), 10);
    editor->loadProject("Rows");
    EXPECT_EQ(editor->profileTable()->rowCount(), 3);
    EXPECT_EQ(editor->profileTable()->item(0, 1)->text(), "Ann");
    EXPECT_EQ(editor->profile().rowCount(), 4);
}

TEST_F(ProjectEditor, ClosingStoresTheSettingsOfTheNameShownWithoutMakingAProject) {
    type("Draft", "http://draft.example.com");
    editor->closeClick();
    EXPECT_EQ(store.readValue(kKey, "Draft"), "http://draft.example.com");
    EXPECT_EQ(store.readValue(kKey, "DraftWebType"), "1");
    EXPECT_FALSE(fs::exists(dir / "My Profiles" / "Draft.rpf"));
    form->newProjectClick();
    EXPECT_TRUE(form->projectsPage().projectList()->findItems("Draft", Qt::MatchExactly).isEmpty());
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ProjectEditor, PropertiesLoadTheChosenProject) {
    makeProject("Shop", "http://www.example.com", WebType::Local, "Games", {"First Name", "Ann"});
    form->projectsPage().setProjects({"Shop"});
    form->projectsPage().projectList()->clearSelection();
    form->projectPropertiesClick();
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Information,
                     "You must select a project to edit its properties, Select a project to continue"}));
    EXPECT_TRUE(dialogs.empty());

    form->projectsPage().setProjects({"Shop"});
    form->projectPropertiesClick();
    EXPECT_EQ(dialogs, Lines{"Vistral - Project Editor"});
    EXPECT_EQ(editor->nameBox()->currentText(), "Shop");
    EXPECT_EQ(editor->pathBox()->text(), "http://www.example.com");
    EXPECT_EQ(editor->webTypeGroup()->checkedId(), 0);
    EXPECT_EQ(editor->categoryBox()->currentText(), "Games");
    EXPECT_EQ(editor->profileTable()->item(0, 1)->text(), "Ann");
    // The step 1 list is rebuilt afterwards, with its first project chosen.
    EXPECT_EQ(form->projectsPage().projectList()->count(), 2);
}

TEST_F(ProjectEditor, TheWindowHintIsEditedAndSavedFromTheFileMenu) {
    editor->customizeHintClick();
    EXPECT_EQ(editor->hintItem()->text(), "Click Here to Save - Window Hint");
    EXPECT_FALSE(editor->hintPane()->isReadOnly());
    editor->hintPane()->setPlainText("My own hint\nsecond line");
    editor->customizeHintClick();
    EXPECT_EQ(editor->hintItem()->text(), "Customize Window Hint");
    EXPECT_EQ(file("tips/projfrm.txt"), "My own hint\r\nsecond line");
}
