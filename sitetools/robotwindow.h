#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "net/tickhttp.h"
#include "sitetools/core/robotlinks.h"
#include "sitetools/core/tickxmlp.h"

class ProgramFolder;
class Prompts;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;
class SettingsStore;

// What tells the position checker's robot path analysis ("Browse Verification": domain and
// start file lists, HTTPS, collected addresses) from the submission tool's reduced form (one
// start address box and the tree).
struct RobotWindowVariant {
    enum class Form { BrowseVerification, RobotPathAnalysis };

    Form form;
    std::string caption;
    std::string settingsKey;
    bool readsHostOnly = false;  // the "hostonly" setting
    std::string proxyBypass;
    const RobotLinkRules* rules = nullptr;
    std::string helpTopic;
    std::string aboutText;  // empty: no About item

    static const RobotWindowVariant& ranqor();
    static const RobotWindowVariant& vistral();
};

// The robot path analysis window: fetches a start page, shows its links as a tree whose nodes
// fetch their page when expanded, and (position checker) collects the site's page addresses into
// the caller's list, which Save URL List writes as a file list below "My File Lists".
//
// Each command is an action whose object name is its handler's name with "Button" (toolbar) or
// "Item" (menu) in place of "Click": "browseNowButton", "browseNowItem", "domainListDropItem" for
// the List Editor drop-down. Tests trigger those or call the handlers; nothing needs exec().
class TForm4 : public QDialog {
    Q_OBJECT
public:
    // Opens the list files as the manager window does; tests replace it to look at the call.
    using ListEditorOpener =
        std::function<void(const std::filesystem::path& file, const std::string& titlePrefix)>;

    // Reads the settings from the variant's key without creating it and fills the Domain and File
    // boxes from their lists; a list that cannot be read is reported and leaves its box empty.
    // collected is the position checker's collected-address list, which this window fills and
    // Save URL List empties; the submission tool's form never touches it.
    TForm4(ProgramFolder& folder, SettingsStore& settings, Prompts& prompts,
           const RobotWindowVariant& variant, std::vector<std::string>& collected, QWidget* parent = nullptr);
    ~TForm4() override;

    // The position checker's controls (null in the submission tool's form).
    QComboBox* domainBox() const { return m_domain; }
    QComboBox* fileBox() const { return m_file; }
    QCheckBox* hostOnlyBox() const { return m_hostOnly; }
    QCheckBox* renameBox() const { return m_rename; }
    QLineEdit* nameEdit() const { return m_name; }
    QLabel* countLabel() const { return m_count; }
    QPlainTextEdit* collectedText() const { return m_collectedText; }
    QLabel* statusPanel() const { return m_statusPanel; }
    // The submission tool's start address box (null in the position checker's form).
    QLineEdit* startEdit() const { return m_start; }
    QTreeWidget* tree() const { return m_tree; }

    TickHTTP& http() { return m_http; }
    TickHTTPS& https() { return m_https; }

    void setListEditorOpener(ListEditorOpener opener) { m_openListEditor = std::move(opener); }

    // The address a node fetches when expanded; empty for a link that is not followed.
    static std::string addressOf(const QTreeWidgetItem* node);
    static bool isPlaceholder(const QTreeWidgetItem* node);

public slots:
    void browseNowClick();
    void browseHttpsClick();
    void cancelClick();
    void exitClick();
    void domainListClick();
    void domainListDropClick();
    void startFileListClick();
    void excludeListClick();
    void saveClick();
    void helpClick();
    void aboutClick();
    void renameClick(bool checked);
    void runClick();
    void stopClick();
    // Expanding a node that holds only its placeholder fetches the node's page.
    void treeExpanded(QTreeWidgetItem* node);
    // The right mouse button's action: the node and its subtree go.
    void deleteNode(QTreeWidgetItem* node);

signals:
    void expandQueued();

protected:
    // However the window closes, a running fetch is stopped first.
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Mode { Http, Https };
    // The page one component is reading: its parser and the node its links go under. The node is
    // null while no fetch runs, and once the node has been deleted during the fetch.
    struct Reading {
        TickHTTP* component = nullptr;
        TickXMLp parser;
        QTreeWidgetItem* node = nullptr;
    };
    enum class Fetched { Failed, Done, NodeDeleted };

    void buildBrowseVerification();
    void buildRobotPathAnalysis();
    QAction* makeAction(const char* name, const std::string& caption, const std::string& hint,
                        void (TForm4::*handler)());
    void readSettings();
    void bindComponents();
    void loadList(QComboBox* box, const char* file);
    std::vector<std::string> readExcludeList();
    void openListEditor(const char* file, const char* titlePrefix);
    // The count label after an address has been collected.
    void showCount();

    void start(Mode mode, const std::string& address);
    Fetched fetch(Mode mode, QTreeWidgetItem* node, const std::string& address);
    void queueExpand(QTreeWidgetItem* node);
    void runQueuedExpands();
    void interruptBoth();
    void setBusy(bool busy);
    void setStatus(const std::string& text);

    Reading& readingOf(const TickWinInet* component);
    void beginElement(Reading& reading, const std::string& element);
    bool readLink(Reading& reading, const std::string& href);
    void collect(Reading& reading, const std::string& link);
    void forgetNodesWithin(const QTreeWidgetItem* node);

    ProgramFolder& m_folder;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    const RobotWindowVariant& m_variant;
    std::vector<std::string>& m_collected;
    ListEditorOpener m_openListEditor;

    TickHTTP m_http;
    TickHTTPS m_https;
    std::array<Reading, 2> m_reading;
    std::vector<QTreeWidgetItem*> m_queuedExpands;
    Mode m_mode = Http;
    bool m_busy = false;
    bool m_excludeErrorShown = false;

    QComboBox* m_domain = nullptr;
    QComboBox* m_file = nullptr;
    QCheckBox* m_hostOnly = nullptr;
    QCheckBox* m_rename = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_count = nullptr;
    QPlainTextEdit* m_collectedText = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_statusPanel = nullptr;
    QLineEdit* m_start = nullptr;
    QTreeWidget* m_tree = nullptr;
};

// Opens the window modally and returns when it has closed. The position checker's main window
// empties its collected-address list before the call; the submission tool passes a list of its
// own that stays empty.
void openRobotWindow(ProgramFolder& folder, SettingsStore& settings, Prompts& prompts,
                     const RobotWindowVariant& variant, std::vector<std::string>& collected,
                     QWidget* parent = nullptr);
