#include "submission/core/categorytranslation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The engines' vocabularies as they were written down, a row per project category and a column
// per engine, typed apart from the table in the code so that a slip in either shows here.
const char* const kWrittenVocabularies = R"(
| Project category | NetCrawler | Matilda | Pengs | Jayde | Nerd World |
|---|---|---|---|---|---|
| "Autos" | "LIFESTYLE/AUTOS" | "Lifestyle.Auto" | "Automotive" | "Miscellaneous" | "Automobiles" |
| "Careers" | "REFERENCE_RESOURCES/CLASSIFIED" | "Business_and_Economy.Employment" | "Careers" | "Miscellaneous" | "Classified Ads" |
| "Classifieds/Auctions" | "REFERENCE_RESOURCES/CLASSIFIED" | "Reference-City_Seek.Classifieds" | "Careers" | "Directories" | "Classified Ads" |
| "Computers/Internet" | "COMPUTERS_INTERNET" | "Computers_and_Internet" | "Computer/Software" | "Computers" | "Computers" |
| "Education" | "EDUCATION" | "Education" | "Education" | "Education" | "Education" |
| "Entertainment" | "ENTERTAINMENT/GAMES" | "Recreation_and_Sport" | "Sports" | "Entertainment" | "Entertainment" |
| "Games" | "ENTERTAINMENT/GAMES" | "Recreation_and_Sport" | "Games" | "Game Sites" | "Humor and Games" |
| "Health" | "HEALTH" | "Health" | "Health" | "Health" | "Fitness" |
| "Home/Real Estate" | "LIFESTYLE/HOME" | "Lifestyle.Home" | "Real_Estate" | "Bus Real Estate" | "Home" |
| "LifeStyle" | "LIFESTYLE" | "Lifestyle" | "Arts_and_Humanities" | "Personal" | "Living" |
| "Local" | "NEWS_MEDIA" | "News_and_Media" | "News_and_Media" | "News Links" | "News" |
| "News" | "NEWS_MEDIA" | "News_and_Media" | "News_and_Media" | "News Links" | "News" |
| "Money/Investing" | "BUSINESS_ECONOMY/FINANCE" | "Business_and_Economy.Finance" | "Business/Finance_and_Investment" | "Bus Financial" | "Business Opportunities" |
| "People/Chat" | "LIFESTYLE" | "Lifestyle" | "Entertainment" | "Miscellaneous" | "Clubs and Organizations" |
| "Shopping" | "ONLINE_SHOPPING" | "Business_and_Economy" | "Shopping" | "Stores and Malls" | "Shopping" |
| empty | "COMPUTERS_INTERNET/WWW" | "Computers_and_Internet" | "Internet" | "Computers" | "Computers" |
| "Small Business" | "BUSINESS_ECONOMY/BUSINESS" | "Business_and_Economy" | "Business" | "Bus General" | "Business" |
| "Sports" | "RECREATION_SPORTS" | "Recreation_and_Sport" | "Sports" | "Sports" | "Sports" |
| "Other" | "COMPUTERS_INTERNET/WWW" | "Computers_and_Internet" | "Internet" | "Miscellaneous" | "World" |
| "Travel" | "LIFESTYLE/TRAVEL" | "Recreation_and_Sport.Accommodation" | "Travel" | "Travel" | "Travel" |

| Project category | SurfGopher | A2Zsolutions | Cyber Whiz | Thunder |
|---|---|---|---|---|
| "Autos" | "T17=1" | "Automotive" | "Recreation" | "23" |
| "Careers" | "T3=1" | "Business:Employment" | "Business" | "11" |
| "Classifieds/Auctions" | "T11=1" | "News" | "Business" | "23" |
| "Computers/Internet" | "T4=1" | "Computers:Internet" | "Computers" | "12" |
| "Education" | "T5=1" | "Education" | "Education" | "13" |
| "Entertainment" | "T6=1" | "Entertainment" | "Entertainment" | "23" |
| "Games" | "T7=1" | "Games" | "Recreation" | "23" |
| "Health" | "T8=1" | "Health:Fitness" | "Health" | "15" |
| "Home/Real Estate" | "T15=1" | "Homepages" | "Homepages" | "23" |
| "LifeStyle" | "T15=1" | "Personal" | "Society" | "23" |
| "Local" | "T11=1" | "News" | "News" | "23" |
| "News" | "T11=1" | "News" | "News" | "17" |
| "Money/Investing" | "T12=1" | "Business:Finance" | "Business" | "11" |
| "People/Chat" | "T15=1" | "Community:Social Activities" | "Society" | "23" |
| "Shopping" | "T14=1" | "Community:Social Activities" | "Business" | "11" |
| empty | "T1=1" | "Personal" | "Computers" | "23" |
| "Small Business" | "T3=1" | "Business:Services" | "Business" | "11" |
| "Sports" | "T16=1" | "Sports" | "Recreation" | "19" |
| "Other" | "T1=1" | "Personal" | "Personal" | "23" |
| "Travel" | "T18=1" | "Travel" | "Recreation" | "20" |

| Project category | WWW Hunter | Ananzi | Brit Index | FatHead Search |
|---|---|---|---|---|
| "Autos" | "../cgi-bin/databases/automobiles.txt" | "L" | "Cars & Motoring : Miscellaneous" | "2" |
| "Careers" | "../cgi-bin/databases/jobs.txt" | "C" | "Employment : Miscellaneous" | "4" |
| "Classifieds/Auctions" | "../cgi-bin/databases/advertising.txt" | "C" | "Shopping and Retail : Other" | "3" |
| "Computers/Internet" | "../cgi-bin/databases/computers.txt" | "F" | "Internet : Internet Consultancy, Web Page Design" | "5" |
| "Education" | "../cgi-bin/databases/education.txt" | "G" | "Education : Training & Miscellaneous" | "6" |
| "Entertainment" | "../cgi-bin/databases/entertainment.txt" | "H" | "Arts and Entertainment : Miscellaneous" | "7" |
| "Games" | "../cgi-bin/databases/games.txt" | "J" | "Hobbies : Miscellaneous" | "8" |
| "Health" | "../cgi-bin/databases/health.txt" | "J" | "Health : Miscellaneous" | "10" |
| "Home/Real Estate" | "../cgi-bin/databases/realestate.txt" | "J" | "Home and Garden : Property" | "11" |
| "LifeStyle" | "../cgi-bin/databases/miscellaneous.txt" | "S" | "Local and Regional : Miscellaneous" | "15" |
| "Local" | "../cgi-bin/databases/miscellaneous.txt" | "O" | "Local and Regional : Miscellaneous" | "18" |
| "News" | "../cgi-bin/databases/miscellaneous.txt" | "O" | "News : On-Line News Sources" | "14" |
| "Money/Investing" | "../cgi-bin/databases/business.txt" | "D" | "Business, Economy, Money : Investments" | "3" |
| "People/Chat" | "../cgi-bin/databases/miscellaneous.txt" | "H" | "Hobbies : Computers" | "15" |
| "Shopping" | "../cgi-bin/databases/shopping.txt" | "N" | "Shopping and Retail : Other" | "20" |
| empty | "../cgi-bin/databases/miscellaneous.txt" | "O" | "Computing : Miscellaneous" | "5" |
| "Small Business" | "../cgi-bin/databases/business.txt" | "C" | "Business, Economy, Money : Business Organisations" | "3" |
| "Sports" | "../cgi-bin/databases/sports.txt" | "T" | "Sport" | "17" |
| "Other" | "../cgi-bin/databases/miscellaneous.txt" | "O" | "Computing : Miscellaneous" | "5" |
| "Travel" | "../cgi-bin/databases/travel.txt" | "V" | "Travel : Miscellaneous" | "22" |
)";

std::vector<std::string> cellsOf(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    for (size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '|') {
            size_t first = cell.find_first_not_of(' ');
            size_t last = cell.find_last_not_of(' ');
            cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
            cell.clear();
        } else {
            cell += line[i];
        }
    }
    return cells;
}

std::string unquoted(const std::string& cell) {
    return cell.size() >= 2 && cell.front() == '"' && cell.back() == '"' ? cell.substr(1, cell.size() - 2)
                                                                         : cell;
}

struct WrittenCell {
    std::string engine;
    std::string category;  // empty for the row of a project without a category
    std::string value;
};

std::vector<WrittenCell> writtenCells() {
    std::vector<WrittenCell> out;
    std::vector<std::string> engines;
    std::istringstream lines(kWrittenVocabularies);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] != '|') {
            engines.clear();
            continue;
        }
        std::vector<std::string> cells = cellsOf(line);
        if (cells[0] == "Project category") {
            engines.assign(cells.begin() + 1, cells.end());
            continue;
        }
        if (cells[0].rfind("---", 0) == 0)
            continue;
        const std::string category = cells[0] == "empty" ? "" : unquoted(cells[0]);
        for (size_t e = 0; e < engines.size(); ++e)
            out.push_back({engines[e], category, unquoted(cells[e + 1])});
    }
    return out;
}

}  // namespace

TEST(CategoryTranslation, EveryCellOfTheWrittenVocabulariesIsWhatTheEngineGets) {
    const std::vector<WrittenCell> cells = writtenCells();
    ASSERT_EQ(cells.size(), 13u * 20u);
    for (const WrittenCell& cell : cells)
        EXPECT_EQ(translateCategory(cell.engine, cell.category), cell.value)
            << cell.engine << " / " << cell.category;
}

TEST(CategoryTranslation, TheWrittenRowsAreTheProjectCategoriesAndTheEmptyOne) {
    std::vector<std::string> rows;
    for (const WrittenCell& cell : writtenCells()) {
        if (cell.engine == "Thunder")
            rows.push_back(cell.category);
    }
    std::vector<std::string> expected(kProjectCategories.begin(), kProjectCategories.end());
    expected.insert(expected.begin() + 15, "");  // the written table keeps it after "Shopping"
    EXPECT_EQ(rows, expected);
}

TEST(CategoryTranslation, OtherTextsAndOtherEnginesPassUnchanged) {
    struct Case {
        const char* engine;
        const char* category;
        const char* sent;
    };
    const Case cases[] = {
        {"Thunder", "", "23"},
        {"Teoma", "", ""},  // outside the table: empty stays empty
        {"Teoma", "Travel", "Travel"},
        {"Thunder", "Travel ", "Travel "},  // a trailing blank matches no row
        {"Thunder", " Travel", " Travel"},
        {"Thunder", "travel", "travel"},        // nor another letter case
        {"Thunder", "Gardening", "Gardening"},  // a category typed in the editor
        {"thunder", "Travel", "Travel"},        // engine names are compared exactly
        {"Thunder ", "Travel", "Travel"},
        {"Brit Index", "Autos", "Cars & Motoring : Miscellaneous"},
        {"SurfGopher", "Autos", "T17=1"},
        {"WWW Hunter", "Games", "../cgi-bin/databases/games.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(translateCategory(c.engine, c.category), c.sent) << c.engine << " / " << c.category;
}
