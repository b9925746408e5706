#include "position/historywindow.h"

#include <gtest/gtest.h>

#include <QChart>
#include <QComboBox>
#include <QImage>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>
#include <QToolButton>
#include <QValueAxis>

#include "platform/core/safefile.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/tempdir.h"
#include "position/historystore.h"
#include "position/tests/historyfixture.h"

namespace {

using history_fixture::check;
using history_fixture::kSite;
constexpr long long kDay = 86400;
constexpr long long kStart = 1796860800;  // 2026-12-10

class HistoryWindowTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "history" / "ranqor.sqlite";
    ScriptedPrompts prompts;

    void SetUp() override {
        std::filesystem::create_directories(file.parent_path());
        HistoryStore store(file);
        // Three runs: "seo" rises 5, 3, 1; "ranking" drops 2, 4, and then the engine fails.
        const std::vector<std::vector<CheckRecord>> runs = {
            {check("Google", "seo", CheckOutcome::Ranked, 5),
             check("Google", "ranking", CheckOutcome::Ranked, 2)},
            {check("Google", "seo", CheckOutcome::Ranked, 3),
             check("Google", "ranking", CheckOutcome::Ranked, 4)},
            {check("Google", "seo", CheckOutcome::Ranked, 1),
             check("Google", "ranking", CheckOutcome::Failed)},
        };
        for (size_t i = 0; i < runs.size(); ++i)
            store.write({kStart + static_cast<long long>(i) * kDay, kSite, "", true, false, runs[i]});
        store.write({kStart,
                     "http://other.example/",
                     "",
                     true,
                     false,
                     {{.engine = "Yahoo", .term = "seo", .address = "http://other.example/"}}});
    }

    std::vector<std::string> row(const HistoryWindow& window, int r) const {
        std::vector<std::string> cells;
        for (int c = 0; c < window.table()->columnCount(); ++c)
            cells.push_back(window.table()->item(r, c)->text().toStdString());
        return cells;
    }

    template <typename Series>
    std::vector<Series*> seriesOf(const HistoryWindow& window) const {
        std::vector<Series*> out;
        for (QAbstractSeries* s : window.chart()->series()) {
            if (s->type() == (std::is_same_v<Series, QScatterSeries> ? QAbstractSeries::SeriesTypeScatter
                                                                     : QAbstractSeries::SeriesTypeLine))
                out.push_back(static_cast<Series*>(s));
        }
        return out;
    }
};

std::vector<std::pair<long long, int>> pointsOf(const QXYSeries* series) {
    std::vector<std::pair<long long, int>> out;
    for (const QPointF& p : series->points())
        out.emplace_back(static_cast<long long>(p.x() / 1000), static_cast<int>(p.y()));
    return out;
}

}  // namespace

TEST_F(HistoryWindowTest, TheTableShowsLatestChangeAndBestOfEachTermAndEngine) {
    HistoryWindow window(file, prompts);
    window.reload(kSite);

    EXPECT_EQ(window.addressBox()->count(), 2);
    EXPECT_EQ(window.addressBox()->currentText().toStdString(), kSite);
    ASSERT_EQ(window.table()->rowCount(), 2);
    EXPECT_EQ(row(window, 0), (std::vector<std::string>{"seo", "Google", "1", "+2", "1", "ranked"}));
    EXPECT_EQ(row(window, 1), (std::vector<std::string>{"ranking", "Google", "-", "", "2", "failed"}));
    EXPECT_EQ(window.table()->item(0, 3)->foreground().color(), QColor(0, 128, 0));
    EXPECT_TRUE(prompts.shown().empty());

    window.addressBox()->setCurrentIndex(window.addressBox()->findText("http://other.example/"));
    ASSERT_EQ(window.table()->rowCount(), 1);
    EXPECT_EQ(row(window, 0), (std::vector<std::string>{"seo", "Yahoo", "-", "", "-", "not-ranked"}));
}

TEST_F(HistoryWindowTest, ADropIsShownInRed) {
    HistoryStore(file).write(
        {kStart + 3 * kDay, kSite, "", true, false, {check("Google", "seo", CheckOutcome::Ranked, 4)}});
    HistoryWindow window(file, prompts);
    window.reload(kSite);
    EXPECT_EQ(row(window, 0), (std::vector<std::string>{"seo", "Google", "4", "-3", "1", "ranked"}));
    EXPECT_EQ(window.table()->item(0, 3)->foreground().color(), QColor(192, 0, 0));
}

TEST_F(HistoryWindowTest, TheChartDrawsTheSelectedRowsWithGapsAndMarkers) {
    HistoryWindow window(file, prompts);
    window.reload(kSite);

    // Nothing selected: the first row is drawn.
    std::vector<QLineSeries*> lines = seriesOf<QLineSeries>(window);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(pointsOf(lines[0]), (std::vector<std::pair<long long, int>>{
                                      {kStart, 5}, {kStart + kDay, 3}, {kStart + 2 * kDay, 1}}));
    EXPECT_TRUE(seriesOf<QScatterSeries>(window).empty());

    window.table()->selectRow(1);
    lines = seriesOf<QLineSeries>(window);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(pointsOf(lines[0]), (std::vector<std::pair<long long, int>>{{kStart, 2}, {kStart + kDay, 4}}));
    std::vector<QScatterSeries*> markers = seriesOf<QScatterSeries>(window);
    ASSERT_EQ(markers.size(), 1u);
    ASSERT_EQ(markers[0]->count(), 1);
    EXPECT_EQ(static_cast<long long>(markers[0]->at(0).x() / 1000), kStart + 2 * kDay);

    // Rank 1 at the top.
    auto* rankAxis = qobject_cast<QValueAxis*>(window.chart()->axes(Qt::Vertical).front());
    ASSERT_NE(rankAxis, nullptr);
    EXPECT_TRUE(rankAxis->isReverse());
    EXPECT_EQ(rankAxis->min(), 1);
}

TEST_F(HistoryWindowTest, ARankLostAndRegainedBreaksTheLine) {
    HistoryStore store(file);
    store.write(
        {kStart + 3 * kDay, kSite, "", true, false, {check("Google", "seo", CheckOutcome::NotRanked)}});
    store.write(
        {kStart + 4 * kDay, kSite, "", true, false, {check("Google", "seo", CheckOutcome::Ranked, 8)}});
    HistoryWindow window(file, prompts);
    window.reload(kSite);
    std::vector<QLineSeries*> lines = seriesOf<QLineSeries>(window);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->count(), 3);
    EXPECT_EQ(pointsOf(lines[1]), (std::vector<std::pair<long long, int>>{{kStart + 4 * kDay, 8}}));
    EXPECT_EQ(row(window, 0), (std::vector<std::string>{"seo", "Google", "8", "new", "1", "ranked"}));
}

TEST_F(HistoryWindowTest, TheShownRowsExportAsCsvAndTheChartAsPng) {
    HistoryWindow window(file, prompts);
    window.resize(700, 500);
    window.reload(kSite);
    prompts.saveAnswers.push_back(FileDialogResult{dir / "history.csv"});
    window.exportCsvClick();
    EXPECT_EQ(readFileBytes(dir / "history.csv"),
              "Term,Engine,Latest,Change,Best,Outcome\r\n"
              "seo,Google,1,+2,1,ranked\r\n"
              "ranking,Google,,,2,failed\r\n");

    prompts.saveAnswers.push_back(FileDialogResult{dir / "chart.png"});
    window.exportChartClick();
    QImage picture(QString::fromStdString((dir / "chart.png").string()));
    EXPECT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 100);
    EXPECT_EQ(prompts.shown().back(),
              (ScriptedPrompts::Shown{ScriptedPrompts::Kind::Information, "The chart was exported."}));

    // A name below a file cannot be written.
    prompts.saveAnswers.push_back(FileDialogResult{dir / "history.csv" / "x.csv"});
    window.exportCsvClick();
    EXPECT_EQ(prompts.shown().back().kind, ScriptedPrompts::Kind::Error);
}

TEST_F(HistoryWindowTest, AnUnreadableHistoryIsToldAndShowsNothing) {
    writeFileAtomically(file, std::string(2048, 'x'));
    HistoryWindow window(file, prompts);
    window.reload(kSite);
    EXPECT_EQ(window.table()->rowCount(), 0);
    ASSERT_FALSE(prompts.shown().empty());
    EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_NE(prompts.shown()[0].text.find("damaged or is no history database"), std::string::npos);
}

TEST_F(HistoryWindowTest, HelpOpensTheShippedHistoryTopic) {
    HistoryWindow window(file, prompts);
    QToolButton* help = window.findChild<QToolButton*>("helpButton");
    ASSERT_NE(help, nullptr);
    help->click();
    ASSERT_EQ(prompts.helpTopics(), std::vector<std::string>{"rank-history"});
    EXPECT_TRUE(
        std::filesystem::exists(std::filesystem::path(RANQOR_DATA_DIR) / "help" / "rank-history.html"));
}
