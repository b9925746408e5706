#include "pageprep/interrogator.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "pageprep/core/interrogator.h"
#include "platform/displaytext.h"
#include "platform/prompts.h"

namespace {

const char* kAdvice =
    "Type the full address of the page, for example http://www.example.com/products/index.html.\n"
    "For Excite, Yahoo and AOL NetFind leave off the http:// prefix: www.example.com/index.html.\n"
    "For Lycos type the domain name only: www.example.com.";

}  // namespace

TForm7::TForm7(Prompts& prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts) {
    setWindowTitle("Search Engine Interrogator");
    auto* choice = new QGroupBox("1. Select a Search Engine", this);
    auto* grid = new QGridLayout(choice);
    const std::vector<InterrogatedEngine>& engines = interrogatedEngines();
    const int rowsPerColumn = static_cast<int>((engines.size() + 2) / 3);
    for (size_t i = 0; i < engines.size(); ++i) {
        auto* button = new QRadioButton(toDisplay(engines[i].name), choice);
        grid->addWidget(button, static_cast<int>(i) % rowsPerColumn, static_cast<int>(i) / rowsPerColumn);
        m_engines.push_back(button);
    }
    m_engines.front()->setChecked(true);

    auto* address = new QGroupBox("2. Type in a URL ", this);
    m_url = new QLineEdit(address);
    m_url->setObjectName("urlBox");
    auto* advice = new QPlainTextEdit(kAdvice, address);
    advice->setReadOnly(true);
    auto* addressLayout = new QVBoxLayout(address);
    addressLayout->addWidget(m_url);
    addressLayout->addWidget(advice);

    auto* check = new QPushButton("3. Check to see if the URL is Listed", this);
    check->setObjectName("checkButton");
    check->setToolTip("Check to see if the URL is in the Engine");
    connect(check, &QPushButton::clicked, this, &TForm7::checkClick);
    auto* close = new QPushButton("Close the Search Engine Interrogator", this);
    close->setObjectName("closeButton");
    close->setToolTip("Close this form");
    connect(close, &QPushButton::clicked, this, &TForm7::closeClick);
    auto* help = new QPushButton("Help", this);
    help->setObjectName("helpButton");
    connect(help, &QPushButton::clicked, this, &TForm7::helpClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choice);
    layout->addWidget(address);
    layout->addWidget(check);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(close);
    buttons->addStretch();
    buttons->addWidget(help);
    layout->addLayout(buttons);
}

int TForm7::chosenEngine() const {
    for (size_t i = 0; i < m_engines.size(); ++i) {
        if (m_engines[i]->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}

void TForm7::checkClick() {
    m_prompts.openUrl(interrogationAddress(chosenEngine(), fromDisplay(m_url->text())));
}

void TForm7::closeClick() {
    close();
}

void TForm7::helpClick() {
    m_prompts.openHelp("interrogator");
}
