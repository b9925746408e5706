#include "submission/listeditor.h"

#include <QPlainTextEdit>
#include <QTableWidget>

#include "pageprep/tipspane.h"
#include "platform/core/gridfile.h"
#include "platform/core/safefile.h"
#include "submission/historyviewer.h"
#include "submission/tests/windowfixture.h"

namespace fs = std::filesystem;

namespace {

std::string engineList(const std::vector<std::string>& names) {
    std::string text = "2," + std::to_string(names.size()) + "\r\ncw 0,100\r\ncw 1,340\r\n";
    for (size_t row = 0; row < names.size(); ++row) {
        if (!names[row].empty())
            text += "0," + std::to_string(row) + "," + names[row] + "\r\n";
    }
    return text;
}

}  // namespace

class ListEditor : public VistralWindowTest {
protected:
    std::unique_ptr<SubmissionListEditor> editor;

    void SetUp() override {
        VistralWindowTest::SetUp();
        editor = std::make_unique<SubmissionListEditor>(folder, prompts);
    }
    Lines names() const {
        Lines out;
        for (int row = 0; row < editor->grid()->rowCount(); ++row) {
            QTableWidgetItem* cell = editor->grid()->item(row, 0);
            out.push_back(cell ? cell->text().toStdString() : "");
        }
        return out;
    }
    void openList(const std::string& relative) {
        prompts.openAnswers.push_back(FileDialogResult{dir / relative});
        editor->openClick();
    }
};

TEST_F(ListEditor, OpensEditsAndSavesAList) {
    EXPECT_FALSE(editor->hintPane()->toPlainText().isEmpty());
    writeFileAtomically(dir / "engines" / "mine.txt", engineList({"Lycos", "", "", "Excite", ""}));
    openList("engines/mine.txt");
    EXPECT_EQ(prompts.fileRequests().back().title, "Open Existing Engine List");
    EXPECT_EQ(prompts.fileRequests().back().filter, "Engine List (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(names(), (Lines{"Lycos", "", "", "Excite", ""}));

    editor->grid()->item(0, 0)->setText("HotBot");
    editor->grid()->setCurrentCell(1, 0);
    editor->deleteClick();
    editor->grid()->setCurrentCell(0, 0);
    editor->addClick();
    EXPECT_EQ(names(), (Lines{"", "HotBot", "", "Excite", ""}));
    editor->sortClick();
    EXPECT_EQ(names(), (Lines{"", "", "", "Excite", "HotBot"}));
    editor->saveClick();
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Information,
                     "File: " + (dir / "engines" / "mine.txt").string() + " Saved Successfully"}));
    // The blank rows between the first and the last went.
    EXPECT_EQ(file("engines/mine.txt"), engineList({"", "Excite", "HotBot"}));

    prompts.saveAnswers.push_back(FileDialogResult{dir / "engines" / "copy.txt"});
    editor->saveAsClick();
    EXPECT_EQ(prompts.fileRequests().back().title, "Save Engine List");
    EXPECT_EQ(prompts.fileRequests().back().fileName, "mine.txt");
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Information, "File Saved Successfully"}));
    EXPECT_EQ(file("engines/copy.txt"), file("engines/mine.txt"));
    EXPECT_EQ(editor->currentList(), dir / "engines" / "mine.txt");

    editor->closeClick();
    EXPECT_EQ(names(), (Lines{"", "", ""}));
    EXPECT_EQ(editor->currentList(), dir / "engines" / "mine.txt");
}

TEST_F(ListEditor, ImportPutsTheImportedRowsOnTopOfAnOpenListOnly) {
    writeFileAtomically(dir / "imp" / "pack.txt", engineList({"First", "Second", "Third"}));
    writeFileAtomically(dir / "engines" / "six.txt", engineList({"a", "b", "c", "d", "e", "f"}));
    writeFileAtomically(dir / "engines" / "seven.txt", engineList({"a", "b", "c", "d", "e", "f", "g"}));
    editor->importClick();
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Error, "Cannot import unless a engine list is open to import to!"}));
    openList("engines/six.txt");
    editor->importClick();
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Error, "Cannot import unless a engine list is open to import to!"}));

    openList("engines/seven.txt");
    prompts.openAnswers.push_back(FileDialogResult{dir / "imp" / "pack.txt"});
    editor->importClick();
    EXPECT_EQ(prompts.fileRequests().back().title, "Import Engine List");
    EXPECT_EQ(prompts.fileRequests().back().startFolder, dir / "imp");
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Information, "Imported: 3 successfully!"}));
    EXPECT_EQ(names(), (Lines{"Third", "Second", "First", "a", "b", "c", "d", "e", "f", "g"}));
}

TEST_F(ListEditor, NewStartsFromTheTemplateAndFailuresNameTheirFile) {
    editor->newClick();
    EXPECT_EQ(editor->currentList(), dir / "engines" / "New.txt");
    EXPECT_EQ(editor->grid()->rowCount(), 10);

    editor = std::make_unique<SubmissionListEditor>(folder, prompts);
    editor->saveClick();
    EXPECT_EQ(prompts.shown().back().kind, Kind::Error);

    writeFileAtomically(dir / "engines" / "broken.txt", "0,0\r\n");
    openList("engines/broken.txt");
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Error, "An Error occurrecd while opening: " +
                                                              (dir / "engines" / "broken.txt").string()}));
    fs::remove(dir / "engines" / "New.txt");
    editor->newClick();
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Error, "An Error occurred while opening: " +
                                                              (dir / "engines" / "broken.txt").string()}));

    fs::create_directories(dir / "blocked.txt");
    prompts.saveAnswers = {FileDialogResult{dir / "blocked.txt"}};
    editor->saveAsClick();
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Error, "An error occurred when saving: " + (dir / "blocked.txt").string()}));
}

TEST_F(ListEditor, TheHistoryViewerShowsAFileAsStored) {
    writeFileAtomically(dir / "history" / "Shop0703010905.vhs", "Process Start: Shop\r\n\r\n6, 6\r\n");
    Tsubhist viewer(folder, prompts);
    EXPECT_EQ(viewer.windowTitle(), "Vistral - Submission History Viewer - No File Loaded");
    prompts.openAnswers.push_back(FileDialogResult{dir / "history" / "Shop0703010905.vhs"});
    viewer.openClick();
    EXPECT_EQ(prompts.fileRequests().back().filter, "Vistral History File|*.vhs");
    EXPECT_EQ(prompts.fileRequests().back().startFolder, dir / "history");
    EXPECT_EQ(viewer.windowTitle().toStdString(), (dir / "history" / "Shop0703010905.vhs").string());
    EXPECT_EQ(viewer.historyText()->toPlainText(), "Process Start: Shop\n\n6, 6\n");
    viewer.closeFileClick();
    EXPECT_EQ(viewer.windowTitle(), "Vistral History Viewer - No File Loaded");
    EXPECT_TRUE(viewer.historyText()->toPlainText().isEmpty());
    viewer.helpClick();
    EXPECT_EQ(prompts.helpTopics(), Lines{"history-viewer"});
}
