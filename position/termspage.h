#pragma once

#include <QWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/pagetoolbar.h"

class ProgramFolder;
class Prompts;
class QCheckBox;
class QPlainTextEdit;
class QToolButton;
class QTreeWidget;
class TermList;

// Step 1, "1. Position agent settings": the settings check boxes, the search term list and its
// commands, and the information pane.
class TermsPage : public QWidget {
    Q_OBJECT
public:
    TermsPage(TermList& terms, ProgramFolder& folder, Prompts& prompts, QWidget* parent = nullptr);

    QCheckBox* topTenBox() const { return m_topTen; }
    QCheckBox* otherSitesBox() const { return m_otherSites; }
    QCheckBox* preciseBox() const { return m_precise; }
    QCheckBox* frontPageBox() const { return m_frontPage; }
    QCheckBox* historyBox() const { return m_history; }
    QTreeWidget* termView() const { return m_view; }
    QPlainTextEdit* infoPane() const { return m_info; }
    QToolButton* nextButton() const { return m_next; }
    void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }

    // Empties the list and reads a term file into it. Throws TermFileError.
    void loadTermFile(const std::filesystem::path& file);
    // Shows the list as the term list holds it.
    void refresh();
    // The selected-terms list: the captions of the marked entries in list order.
    std::vector<std::string> addactiveterms() const;

    // Terms added or deleted since the list was last opened or saved (marks are not stored).
    bool hasUnsavedTerms() const { return m_unsaved; }
    // Save, returning whether the list was written (not cancelled, no error).
    bool saveTerms();

signals:
    void nextRequested();

public slots:
    void RzToolbarButton10Click();  // New list
    void RzToolbarButton5Click();   // Open
    void RzToolbarButton4Click();   // Save
    void RzToolbarButton2Click();   // Add terms
    void RzToolbarButton3Click();   // Delete marked
    void SpeedButton3Click();       // Select none
    void SpeedButton1Click();       // Select all
    void helpClick();
    void frontPageClicked(bool checked);

private:
    void addTerms();

    TermList& m_terms;
    ProgramFolder& m_folder;
    Prompts& m_prompts;
    ModalRunner m_runModal = runModally;
    std::vector<std::string> m_addedTerms;
    QCheckBox* m_topTen;
    QCheckBox* m_otherSites;
    QCheckBox* m_precise;
    QCheckBox* m_frontPage;
    QCheckBox* m_history;
    QTreeWidget* m_view;
    QPlainTextEdit* m_info;
    QToolButton* m_next;
    bool m_unsaved = false;
};
