#include "sitetools/filelistmanager.h"

#include "platform/core/programfolder.h"
#include "platform/displaytext.h"
#include "platform/prompts.h"
#include "sitetools/core/filelist.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace fs = std::filesystem;
using Command = FileListManagerVariant::Command;

namespace {

const char* kListFolder = "My File Lists";
const char* kHintFile = "tips\\fmanage.txt";
const char* kEditHintCaption = "Edit Window Hint";
const char* kSaveHintCaption = "Editing Tips - Select this option to Save";
const char* kBadListName =
    "A list name cannot contain \"\\\", \"/\" or \"..\": the list is kept in My File Lists. "
    "Please choose another name.";

struct CommandInfo {
    Command command;
    const char* name;  // the handler's name without "Click"
    void (Tflsmanage::*handler)();
    const char* hint;
    const char* themeIcon;
    QStyle::StandardPixmap fallbackIcon;
};

// QStyle::SP_CustomBase stands for "no glyph of the style's own"; the theme may still have one.
const CommandInfo kCommands[] = {
    {Command::New, "new", &Tflsmanage::newClick, "Create a new File List", "document-new",
     QStyle::SP_FileIcon},
    {Command::Open, "open", &Tflsmanage::openClick, "Open an Existing File List", "document-open",
     QStyle::SP_DialogOpenButton},
    {Command::Save, "save", &Tflsmanage::saveClick, "Save your file list", "document-save",
     QStyle::SP_DialogSaveButton},
    {Command::SaveAs, "saveAs", &Tflsmanage::saveAsClick, "Save File List as", "document-save-as",
     QStyle::SP_DriveFDIcon},
    {Command::Close, "close", &Tflsmanage::closeClick, "", "", QStyle::SP_CustomBase},
    {Command::Exit, "exit", &Tflsmanage::exitClick, "Exit the File List Manager", "application-exit",
     QStyle::SP_DialogCloseButton},
    {Command::Cut, "cut", &Tflsmanage::cutClick, "Cut", "edit-cut", QStyle::SP_CustomBase},
    {Command::Copy, "copy", &Tflsmanage::copyClick, "Copy", "edit-copy", QStyle::SP_CustomBase},
    {Command::Paste, "paste", &Tflsmanage::pasteClick, "Paste", "edit-paste", QStyle::SP_CustomBase},
    {Command::SelectAll, "selectAll", &Tflsmanage::selectAllClick, "", "", QStyle::SP_CustomBase},
    {Command::SelectNone, "selectNone", &Tflsmanage::selectNoneClick, "", "", QStyle::SP_CustomBase},
    {Command::Undo, "undo", &Tflsmanage::undoClick, "Undo", "edit-undo", QStyle::SP_ArrowBack},
    {Command::CopyAll, "copyAll", &Tflsmanage::copyAllClick, "Copy All", "edit-select-all",
     QStyle::SP_CustomBase},
    {Command::EditHint, "editHint", &Tflsmanage::editHintClick, "", "", QStyle::SP_CustomBase},
    {Command::Help, "help", &Tflsmanage::helpClick, "Help with the File List Manager", "help-contents",
     QStyle::SP_DialogHelpButton},
    {Command::About, "about", &Tflsmanage::aboutClick, "", "", QStyle::SP_CustomBase},
};

const CommandInfo& info(Command command) {
    for (const CommandInfo& c : kCommands) {
        if (c.command == command)
            return c;
    }
    return kCommands[0];
}

// The name a title shows: what follows the last folder separator or drive colon.
std::string shownName(const fs::path& file) {
    std::string path = file.string();
    size_t cut = path.find_last_of("/\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The editor keeps its lines as blocks; breaks in the bytes are CR LF (see readFileListText).
QString toEditor(const std::string& crlfText) {
    QString text = toDisplay(crlfText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// toPlainText would turn no-break spaces into plain ones; the raw text keeps every character.
std::string fromEditor(const QPlainTextEdit* edit) {
    QString text = edit->document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return fromDisplay(text);
}

// A name becomes one file in the list folder; anything that could lead out of it is refused.
bool isSafeListName(const std::string& name) {
    return isPlainName(name) && name.find("..") == std::string::npos;
}

}  // namespace

const FileListManagerVariant& FileListManagerVariant::ranqor() {
    static const FileListManagerVariant variant{
        .initialTitle = "Ranqor - Web File List Manager",
        .titlePrefix = "Ranqor Web File List Manager: ",
        .toolbar = {{Command::New, ""},
                    {Command::Open, ""},
                    {Command::Save, ""},
                    {Command::SaveAs, ""},
                    {Command::Cut, ""},
                    {Command::Copy, ""},
                    {Command::Paste, ""},
                    {Command::Undo, "Undo"},
                    {Command::CopyAll, ""},
                    {Command::Help, "Help"},
                    {Command::Exit, "Exit"}},
        .fileMenu = {{Command::New, "&New ..."},
                     {Command::Open, "&Open ..."},
                     {Command::Save, "&Save"},
                     {Command::SaveAs, "Save &as ..."},
                     {Command::Close, "&Close"},
                     {Command::Exit, "E&xit"}},
        .editMenu = true,
        .helpItemCaption = "Web List Manager Features",
        .editorScrollBars = true,
        .newCaption = "Create New File List",
        .openFilter = "Orlek File List|*.fls",
        .saveAsFilter = "Checkora! File List|*.fls",
        .saveAsDefaultName = "New File List",
        .saveWithoutFile = SaveWithoutFile::AskForName,
        .savedBox = SavedBox::Information,
        .helpTopic = "file-list-manager",
        .aboutText = "Ranqor Web File List Manager 1.0",
    };
    return variant;
}

const FileListManagerVariant& FileListManagerVariant::vistral() {
    static const FileListManagerVariant variant{
        .initialTitle = "Vistral - File List Manager",
        .titlePrefix = "Vistral File List Manager: ",
        .toolbar = {{Command::New, "New List"},
                    {Command::Open, "Open List"},
                    {Command::Save, "Save List"},
                    {Command::Exit, "Exit"},
                    {Command::Help, "Help"}},
        .fileMenu = {{Command::New, "New ..."},
                     {Command::Open, "&Open ..."},
                     {Command::Save, "&Save"},
                     {Command::SaveAs, "Save &as ..."},
                     {Command::Exit, "E&xit"}},
        .editMenu = false,
        .helpItemCaption = "Using The File List Manager",
        .editorScrollBars = false,
        .newCaption = "Create New File list",
        .openFilter = "Vistral File List|*.fls",
        .saveAsFilter = "Vistral File List|*.fls",
        .saveAsDefaultName = "",
        .saveWithoutFile = SaveWithoutFile::ReportError,
        .savedBox = SavedBox::Plain,
        .helpTopic = "vistral-file-list-manager",
        .aboutText = "Vistral File List Manager 1.0",
    };
    return variant;
}

Tflsmanage::Tflsmanage(ProgramFolder& folder, Prompts& prompts, const FileListManagerVariant& variant,
                       QWidget* parent)
    : QDialog(parent),
      m_folder(folder),
      m_prompts(prompts),
      m_variant(variant),
      m_titlePrefix(variant.titlePrefix) {
    setObjectName("flsmanage");
    setWindowTitle(toDisplay(variant.initialTitle));
    buildControls();
    loadHint();
}

QAction* Tflsmanage::makeAction(Command command, const std::string& caption, bool onToolbar) {
    const CommandInfo& c = info(command);
    auto* action = new QAction(this);
    action->setObjectName(QString(c.name) + (onToolbar ? "Button" : "Item"));
    if (onToolbar) {
        QIcon fallback =
            c.fallbackIcon == QStyle::SP_CustomBase ? QIcon() : style()->standardIcon(c.fallbackIcon);
        action->setIcon(QIcon::fromTheme(c.themeIcon, fallback));
        action->setToolTip(c.hint);
        // A button without a caption shows its glyph; where the system has none, its hint.
        action->setText(toDisplay(caption.empty() ? std::string(c.hint) : caption));
    } else {
        action->setText(toDisplay(caption));
    }
    connect(action, &QAction::triggered, this, c.handler);
    return action;
}

void Tflsmanage::buildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName("menuBar");
    layout->setMenuBar(menuBar);
    auto addMenu = [&](const char* name, const char* title) {
        QMenu* menu = menuBar->addMenu(title);
        menu->setObjectName(name);
        return menu;
    };
    QMenu* fileMenu = addMenu("fileMenu", "&File");
    for (const FileListManagerVariant::Item& item : m_variant.fileMenu) {
        fileMenu->addAction(makeAction(item.command, item.caption, false));
    }
    if (m_variant.editMenu) {
        QMenu* editMenu = addMenu("editMenu", "Edit");
        editMenu->addAction(makeAction(Command::Cut, "Cu&t", false));
        editMenu->addAction(makeAction(Command::Copy, "&Copy", false));
        editMenu->addAction(makeAction(Command::Paste, "&Paste", false));
        editMenu->addAction(makeAction(Command::SelectAll, "Se&lect All", false));
        editMenu->addAction(makeAction(Command::SelectNone, "Select &None", false));
    }
    QMenu* specialMenu = addMenu("specialMenu", "Specia&l");
    m_editHintItem = makeAction(Command::EditHint, kEditHintCaption, false);
    specialMenu->addAction(m_editHintItem);
    QMenu* helpMenu = addMenu("helpMenu", "&Help");
    helpMenu->addAction(makeAction(Command::Help, m_variant.helpItemCaption, false));
    helpMenu->addAction(makeAction(Command::About, "About", false));

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName("toolbar");
    for (const FileListManagerVariant::Item& item : m_variant.toolbar) {
        QAction* action = makeAction(item.command, item.caption, true);
        toolbar->addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action))) {
            button->setToolButtonStyle(item.caption.empty() ? Qt::ToolButtonIconOnly
                                                            : Qt::ToolButtonTextBesideIcon);
        }
    }
    layout->addWidget(toolbar);

    auto* splitter = new QSplitter(this);
    m_memo1 = new QPlainTextEdit(splitter);
    m_memo1->setObjectName("Memo1");
    m_memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Qt::ScrollBarPolicy scroll = m_variant.editorScrollBars ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    m_memo1->setVerticalScrollBarPolicy(scroll);
    m_memo1->setHorizontalScrollBarPolicy(scroll);
    m_memo2 = new QPlainTextEdit(splitter);
    m_memo2->setObjectName("Memo2");
    m_memo2->setReadOnly(true);
    splitter->addWidget(m_memo1);
    splitter->addWidget(m_memo2);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    resize(720, 480);
}

void Tflsmanage::loadHint() {
    try {
        m_memo2->setPlainText(toEditor(readFileListText(m_folder.resolve(kHintFile))));
    } catch (const FileListError& e) {
        m_prompts.error(e.what());
    }
}

bool Tflsmanage::loadFile(const fs::path& file) {
    try {
        const std::string text = readFileListText(file);
        m_loadedLines.clear();
        m_loadedLines.remember(text);
        m_memo1->setPlainText(toEditor(text));
        m_memo1->document()->setModified(false);
    } catch (const FileListError& e) {
        m_prompts.error(e.what());
        return false;
    }
    return true;
}

bool Tflsmanage::writeEditor(const fs::path& file) {
    try {
        writeFileListText(file, m_loadedLines.restore(fromEditor(m_memo1)));
    } catch (const FileListError& e) {
        m_prompts.error(e.what());
        return false;
    }
    m_memo1->document()->setModified(false);
    return true;
}

void Tflsmanage::setCurrentFile(const fs::path& file) {
    m_currentFile = file;
    setWindowTitle(toDisplay(m_titlePrefix + shownName(file)));
}

void Tflsmanage::openOn(const fs::path& file, const std::string& titlePrefix) {
    m_titlePrefix = titlePrefix;
    // A list that does not exist yet becomes the file Save creates; one that exists but cannot
    // be read is never overwritten by a Save the user did not aim at it.
    std::error_code ec;
    if (loadFile(file) || !fs::exists(file, ec))
        setCurrentFile(file);
}

void Tflsmanage::newClick() {
    std::optional<std::string> name = m_prompts.input(m_variant.newCaption, "Enter in List name", "");
    // Empty, a lone blank or a leading control character: the user meant no name.
    if (!name || *name <= std::string(" "))
        return;
    if (!isSafeListName(*name)) {
        m_prompts.error(kBadListName);
        return;
    }
    fs::path file = m_folder.resolveForWriting(std::string(kListFolder) + "\\" + *name + ".fls");
    if (!writeEditor(file))
        return;
    m_prompts.message("File Created Successfully");
    setCurrentFile(file);
}

void Tflsmanage::openClick() {
    FileDialogRequest request{.title = "Open",
                              .filter = m_variant.openFilter,
                              .startFolder = m_folder.resolve(kListFolder),
                              .defaultExtension = "fls",
                              .filterIndex = 1,
                              .fileName = ""};
    std::optional<FileDialogResult> chosen = m_prompts.openFile(request);
    if (!chosen)
        return;
    if (loadFile(chosen->path))
        setCurrentFile(chosen->path);
}

void Tflsmanage::saveClick() {
    save();
}

bool Tflsmanage::save() {
    if (m_currentFile.empty() &&
        m_variant.saveWithoutFile == FileListManagerVariant::SaveWithoutFile::AskForName) {
        saveAsClick();
        return !m_memo1->document()->isModified();
    }
    if (!writeEditor(m_currentFile))
        return false;
    if (m_variant.savedBox == FileListManagerVariant::SavedBox::Information) {
        m_prompts.information("File Saved Successfully");
    } else {
        m_prompts.message("File Saved Successfully");
    }
    return true;
}

void Tflsmanage::saveAsClick() {
    std::string preset = m_currentFile.empty() ? m_variant.saveAsDefaultName : m_currentFile.string();
    FileDialogRequest request{.title = "Save As",
                              .filter = m_variant.saveAsFilter,
                              .startFolder = m_folder.resolve(kListFolder),
                              .defaultExtension = "fls",
                              .filterIndex = 1,
                              .fileName = preset};
    std::optional<FileDialogResult> chosen = m_prompts.saveFile(request);
    if (!chosen)
        return;
    if (writeEditor(chosen->path))
        setCurrentFile(chosen->path);
}

void Tflsmanage::closeClick() {
    // Asked whether or not the text changed.
    std::string question = std::string("Information:") + " " + " File has Changed \r\r" + " " +
                           "Do you want to save before Closing?" + "?";
    if (m_prompts.confirm(question) && !writeEditor(m_currentFile))
        return;
    m_memo1->clear();
    m_memo1->document()->setModified(false);
}

void Tflsmanage::exitClick() {
    close();
}

bool Tflsmanage::settleUnsavedEdits() {
    if (!m_memo1->document()->isModified())
        return true;
    const std::string name =
        m_currentFile.empty() ? "The file list" : "The file list " + shownName(m_currentFile);
    switch (
        m_prompts.question(name + " has changed.\n\r\n\rDo you want to save the changes before closing?")) {
        case Prompts::Answer::Yes:
            return save();
        case Prompts::Answer::No:
            // Dropped: closing goes on without asking again.
            m_memo1->document()->setModified(false);
            return true;
        case Prompts::Answer::Cancel:
            break;
    }
    return false;
}

void Tflsmanage::reject() {
    if (settleUnsavedEdits())
        QDialog::reject();
}

void Tflsmanage::closeEvent(QCloseEvent* event) {
    // The close button and close() come here, Escape goes to reject(); once settled, the
    // reject() QDialog's closing calls finds nothing left to ask.
    if (!settleUnsavedEdits()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Tflsmanage::cutClick() {
    m_memo1->cut();
}

void Tflsmanage::copyClick() {
    m_memo1->copy();
}

void Tflsmanage::pasteClick() {
    m_memo1->paste();
}

void Tflsmanage::selectAllClick() {
    m_memo1->selectAll();
}

void Tflsmanage::selectNoneClick() {
    QTextCursor cursor = m_memo1->textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_memo1->setTextCursor(cursor);
}

void Tflsmanage::undoClick() {
    if (m_memo1->document()->isUndoAvailable()) {
        m_memo1->undo();
    } else {
        m_prompts.information("Cannot Perform Undo");
    }
}

void Tflsmanage::copyAllClick() {
    m_memo1->selectAll();
    m_memo1->copy();
    selectNoneClick();
}

void Tflsmanage::editHintClick() {
    if (!m_editingHint) {
        m_memo2->setReadOnly(false);
        m_editHintItem->setText(kSaveHintCaption);
        m_editingHint = true;
        return;
    }
    try {
        writeFileListText(m_folder.resolveForWriting(kHintFile), fromEditor(m_memo2));
    } catch (const FileListError& e) {
        m_prompts.error(e.what());
        return;
    }
    m_editHintItem->setText(kEditHintCaption);
    m_editingHint = false;
}

void Tflsmanage::helpClick() {
    m_prompts.openHelp(m_variant.helpTopic);
}

void Tflsmanage::aboutClick() {
    m_prompts.message(m_variant.aboutText);
}

void openFileListManager(ProgramFolder& folder, Prompts& prompts, const FileListManagerVariant& variant,
                         QWidget* parent) {
    Tflsmanage manager(folder, prompts, variant, parent);
    manager.exec();
}

void openFileListManager(ProgramFolder& folder, Prompts& prompts, const FileListManagerVariant& variant,
                         const fs::path& file, const std::string& titlePrefix, QWidget* parent) {
    Tflsmanage manager(folder, prompts, variant, parent);
    manager.openOn(file, titlePrefix);
    manager.exec();
}
