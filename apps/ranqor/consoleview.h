#pragma once

#include <iosfwd>
#include <string>

#include "position/positionrunview.h"

// The position run on a terminal: the activity monitor's lines and the progress go to the error
// stream; the address, compare address and options are the command's arguments.
class ConsoleView : public PositionRunView {
public:
    ConsoleView(std::ostream& err, std::string address, std::string compare, AnalysisOptions options);

    void setStatusPanel(int, const std::string&) override {}
    void clearActivity() override {}
    void addActivity(const std::string& line) override;
    void focusActivity() override {}
    void setStepField(const std::string&) override {}
    void setEngineName(const std::string&) override {}
    void setEngineCounter(const std::string& text) override { m_counter = text; }
    void setProgress(int percent) override;
    void setBusyCursor(bool) override {}
    void setRunControls(bool) override {}
    std::string addressText() const override { return m_address; }
    void setAddressText(const std::string& text) override;
    std::string compareText() const override { return m_compare; }
    AnalysisOptions options() const override { return m_options; }
    std::string shortDate() const override;
    void reportChanged() override {}
    void stepTwoNext() override {}
    void showResults() override {}
    void restartWizard() override {}

private:
    std::ostream& m_err;
    std::string m_address;
    std::string m_compare;
    AnalysisOptions m_options;
    std::string m_counter;
};
