#pragma once

#include <QDialog>
#include <vector>

class Prompts;
class QLineEdit;
class QRadioButton;

// The search engine interrogator: asks a chosen engine whether a typed URL is listed by opening
// the engine's query page for it in the user's browser. Opened for one use.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(Prompts& prompts, QWidget* parent = nullptr);

    QLineEdit* urlBox() const { return m_url; }
    // The choice of "1. Select a Search Engine", in its order.
    const std::vector<QRadioButton*>& engineChoices() const { return m_engines; }
    int chosenEngine() const;

public slots:
    void checkClick();
    void closeClick();
    void helpClick();

private:
    Prompts& m_prompts;
    QLineEdit* m_url = nullptr;
    std::vector<QRadioButton*> m_engines;
};
