#pragma once

#include <QDialog>
#include <QSpinBox>

#include "sitetools/proxysettings.h"

class QLineEdit;
class Prompts;
class SettingsStore;

// A spin box whose Page Up and Page Down move by a page step of their own rather than by ten
// single steps.
class PagedSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;
    int pageStep() const { return m_pageStep; }
    void setPageStep(int step) { m_pageStep = step; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_pageStep = 10;
};

// The proxy settings dialog of either program. It opens the program's key without creating
// it, shows the values that exist there and writes back only those: a value missing from the
// store is neither read nor written.
class Tpset : public QDialog {
    Q_OBJECT
public:
    Tpset(SettingsStore& store, Prompts& prompts, const ProxySettingsVariant& variant,
          QWidget* parent = nullptr);

    QLineEdit* serverEdit() const { return m_server; }
    QLineEdit* userEdit() const { return m_user; }           // null in the position checker
    QLineEdit* passwordEdit() const { return m_password; }   // null in the position checker
    PagedSpinBox* timeoutSpin() const { return m_timeout; }  // null in the position checker

public slots:
    void saveClick();
    void closeClick();
    void helpClick();

private:
    void buildControls();
    void readSettings();
    // The control's text for each value the variant has.
    std::string controlText(const std::string& value) const;
    void setControlText(const std::string& value, const std::string& text);

    SettingsStore& m_store;
    Prompts& m_prompts;
    const ProxySettingsVariant& m_variant;
    QLineEdit* m_server = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    PagedSpinBox* m_timeout = nullptr;
};

// Creates the dialog, shows it modally and frees it. The caller applies the stored values
// to its HTTP components afterwards.
void showProxySettings(SettingsStore& store, Prompts& prompts, const ProxySettingsVariant& variant,
                       QWidget* parent = nullptr);
