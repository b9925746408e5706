#include "sitetools/proxydialog.h"

#include "platform/core/settingsstore.h"
#include "platform/displaytext.h"
#include "platform/prompts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

void PagedSpinBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        setValue(value() + (event->key() == Qt::Key_PageUp ? m_pageStep : -m_pageStep));
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

Tpset::Tpset(SettingsStore& store, Prompts& prompts, const ProxySettingsVariant& variant, QWidget* parent)
    : QDialog(parent), m_store(store), m_prompts(prompts), m_variant(variant) {
    setObjectName("pset");
    setWindowTitle(toDisplay(variant.caption));
    buildControls();
    readSettings();
}

void Tpset::buildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* proxyGroup = new QGroupBox("Proxy Server", this);
    proxyGroup->setObjectName("proxyGroup");
    auto* form = new QFormLayout(proxyGroup);
    m_server = new QLineEdit(proxyGroup);
    m_server->setObjectName("server");
    form->addRow("Server", m_server);
    for (const std::string& note : m_variant.serverNotes) {
        auto* label = new QLabel(toDisplay(note), proxyGroup);
        label->setWordWrap(true);
        form->addRow(label);
    }
    if (m_variant.hasUserPasswordTimeout) {
        m_user = new QLineEdit(proxyGroup);
        m_user->setObjectName("user");
        form->addRow("User", m_user);
        m_password = new QLineEdit(proxyGroup);
        m_password->setObjectName("password");
        m_password->setEchoMode(QLineEdit::Password);
        m_password->setStyleSheet("lineedit-password-character: 42");  // '*'
        form->addRow("Password", m_password);
    }
    layout->addWidget(proxyGroup);

    if (m_variant.hasUserPasswordTimeout) {
        auto* timeoutGroup = new QGroupBox("Engine Response Override", this);
        timeoutGroup->setObjectName("timeoutGroup");
        auto* timeoutForm = new QFormLayout(timeoutGroup);
        m_timeout = new PagedSpinBox(timeoutGroup);
        m_timeout->setObjectName("timeout");
        m_timeout->setRange(0, 600);
        m_timeout->setSingleStep(5);
        m_timeout->setPageStep(10);
        m_timeout->setValue(30);
        timeoutForm->addRow("Timeout in Seconds", m_timeout);
        layout->addWidget(timeoutGroup);
    }

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName("toolbar");
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto addButton = [&](const char* name, const char* caption, const std::string& hint,
                         void (Tpset::*slot)()) {
        QAction* action = toolbar->addAction(caption);
        action->setObjectName(name);
        action->setToolTip(toDisplay(hint));
        connect(action, &QAction::triggered, this, slot);
    };
    addButton("saveButton", "Save Settings", m_variant.saveHint, &Tpset::saveClick);
    addButton("closeButton", "Close", m_variant.closeHint, &Tpset::closeClick);
    addButton("helpButton", "Help", m_variant.helpHint, &Tpset::helpClick);
    layout->addWidget(toolbar);
}

std::string Tpset::controlText(const std::string& value) const {
    if (value == "proxy")
        return fromDisplay(m_server->text());
    if (value == "puser" && m_user)
        return fromDisplay(m_user->text());
    if (value == "puserp" && m_password)
        return fromDisplay(m_password->text());
    if (value == "timeout" && m_timeout)
        return std::to_string(m_timeout->value());
    return {};
}

void Tpset::setControlText(const std::string& value, const std::string& text) {
    if (value == "proxy") {
        m_server->setText(toDisplay(text));
    } else if (value == "puser" && m_user) {
        m_user->setText(toDisplay(text));
    } else if (value == "puserp" && m_password) {
        m_password->setText(toDisplay(text));
    } else if (value == "timeout" && m_timeout) {
        // A text that is no number leaves the default; saving then stores a number again.
        bool ok = false;
        int seconds = toDisplay(text).trimmed().toInt(&ok);
        if (ok)
            m_timeout->setValue(seconds);
    }
}

void Tpset::readSettings() {
    try {
        for (const ProxySettingsVariant::Value& value : m_variant.values) {
            if (auto text = m_store.readValue(m_variant.key, value.name))
                setControlText(value.name, *text);
        }
    } catch (const SettingsError& e) {
        m_prompts.error(e.what());
    }
}

void Tpset::saveClick() {
    // A half-typed timeout counts as what the box shows once the user leaves it, so an empty or
    // partial text never reaches the store, where the main window would fail to convert it.
    if (m_timeout)
        m_timeout->interpretText();
    try {
        for (const ProxySettingsVariant::Value& value : m_variant.values) {
            if (m_store.valueExists(m_variant.key, value.name)) {
                m_store.writeValue(m_variant.key, value.name, controlText(value.name));
            }
        }
    } catch (const SettingsError& e) {
        m_prompts.error(e.what());
        return;
    }
    m_prompts.message(m_variant.confirmation);
}

void Tpset::closeClick() {
    reject();
}

void Tpset::helpClick() {
    m_prompts.openHelp(m_variant.helpTopic);
}

void showProxySettings(SettingsStore& store, Prompts& prompts, const ProxySettingsVariant& variant,
                       QWidget* parent) {
    Tpset dialog(store, prompts, variant, parent);
    dialog.exec();
}
