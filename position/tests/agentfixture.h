#pragma once

#include <gtest/gtest.h>

#include "net/tickhttp.h"
#include "platform/pacer.h"
#include "platform/scriptedprompts.h"
#include "position/positionagent.h"
#include "position/tests/runfixture.h"

using Lines = std::vector<std::string>;
inline const std::string kSite = "http://www.example.com/";

// A position agent on a loopback engine, with the parts the window would give it.
class PositionAgentTest : public ::testing::Test {
protected:
    RunFixture fx;
    TickHTTP http;
    ScriptedPrompts prompts;
    FakePacer pacer;
    ReportGrid report;
    TemplateVariables variables;
    std::vector<std::string> terms;
    std::vector<std::string> engines;
    RecordingView view;
    PositionAgent agent{{http, fx.folder, prompts, pacer, report, variables, terms, engines, view}};

    void SetUp() override {
        http.setTimeout(10);
        view.address = kSite;
    }

    Lines column(int column) const {
        Lines out;
        for (int row = 0; row < report.rowCount(); ++row)
            out.push_back(report.table().cell(column, row));
        return out;
    }
    int countOf(const std::string& text) const {
        int n = 0;
        for (const std::string& cell : column(0))
            n += cell == text;
        return n;
    }
};
