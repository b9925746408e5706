#include "submission/core/categorytranslation.h"

namespace {

struct EngineVocabulary {
    std::string_view engine;
    std::string_view empty;                              // a project without a category
    std::array<std::string_view, 19> byProjectCategory;  // in the order of kProjectCategories
};

// Blanks inside the words are part of what each engine expects.
constexpr EngineVocabulary kVocabularies[] = {
    {"NetCrawler",
     "COMPUTERS_INTERNET/WWW",
     {"LIFESTYLE/AUTOS", "REFERENCE_RESOURCES/CLASSIFIED", "REFERENCE_RESOURCES/CLASSIFIED",
      "COMPUTERS_INTERNET", "EDUCATION", "ENTERTAINMENT/GAMES", "ENTERTAINMENT/GAMES", "HEALTH",
      "LIFESTYLE/HOME", "LIFESTYLE", "NEWS_MEDIA", "NEWS_MEDIA", "BUSINESS_ECONOMY/FINANCE", "LIFESTYLE",
      "ONLINE_SHOPPING", "BUSINESS_ECONOMY/BUSINESS", "RECREATION_SPORTS", "COMPUTERS_INTERNET/WWW",
      "LIFESTYLE/TRAVEL"}},
    {"Matilda",
     "Computers_and_Internet",
     {"Lifestyle.Auto", "Business_and_Economy.Employment", "Reference-City_Seek.Classifieds",
      "Computers_and_Internet", "Education", "Recreation_and_Sport", "Recreation_and_Sport", "Health",
      "Lifestyle.Home", "Lifestyle", "News_and_Media", "News_and_Media", "Business_and_Economy.Finance",
      "Lifestyle", "Business_and_Economy", "Business_and_Economy", "Recreation_and_Sport",
      "Computers_and_Internet", "Recreation_and_Sport.Accommodation"}},
    {"Pengs",
     "Internet",
     {"Automotive", "Careers", "Careers", "Computer/Software", "Education", "Sports", "Games", "Health",
      "Real_Estate", "Arts_and_Humanities", "News_and_Media", "News_and_Media",
      "Business/Finance_and_Investment", "Entertainment", "Shopping", "Business", "Sports", "Internet",
      "Travel"}},
    {"Jayde",
     "Computers",
     {"Miscellaneous", "Miscellaneous", "Directories", "Computers", "Education", "Entertainment",
      "Game Sites", "Health", "Bus Real Estate", "Personal", "News Links", "News Links", "Bus Financial",
      "Miscellaneous", "Stores and Malls", "Bus General", "Sports", "Miscellaneous", "Travel"}},
    {"Nerd World",
     "Computers",
     {"Automobiles", "Classified Ads", "Classified Ads", "Computers", "Education", "Entertainment",
      "Humor and Games", "Fitness", "Home", "Living", "News", "News", "Business Opportunities",
      "Clubs and Organizations", "Shopping", "Business", "Sports", "World", "Travel"}},
    {"SurfGopher",
     "T1=1",
     {"T17=1", "T3=1", "T11=1", "T4=1", "T5=1", "T6=1", "T7=1", "T8=1", "T15=1", "T15=1", "T11=1", "T11=1",
      "T12=1", "T15=1", "T14=1", "T3=1", "T16=1", "T1=1", "T18=1"}},
    {"A2Zsolutions",
     "Personal",
     {"Automotive", "Business:Employment", "News", "Computers:Internet", "Education", "Entertainment",
      "Games", "Health:Fitness", "Homepages", "Personal", "News", "News", "Business:Finance",
      "Community:Social Activities", "Community:Social Activities", "Business:Services", "Sports", "Personal",
      "Travel"}},
    {"Cyber Whiz",
     "Computers",
     {"Recreation", "Business", "Business", "Computers", "Education", "Entertainment", "Recreation", "Health",
      "Homepages", "Society", "News", "News", "Business", "Society", "Business", "Business", "Recreation",
      "Personal", "Recreation"}},
    {"Thunder",
     "23",
     {"23", "11", "23", "12", "13", "23", "23", "15", "23", "23", "23", "17", "11", "23", "11", "11", "19",
      "23", "20"}},
    {"WWW Hunter",
     "../cgi-bin/databases/miscellaneous.txt",
     {"../cgi-bin/databases/automobiles.txt", "../cgi-bin/databases/jobs.txt",
      "../cgi-bin/databases/advertising.txt", "../cgi-bin/databases/computers.txt",
      "../cgi-bin/databases/education.txt", "../cgi-bin/databases/entertainment.txt",
      "../cgi-bin/databases/games.txt", "../cgi-bin/databases/health.txt",
      "../cgi-bin/databases/realestate.txt", "../cgi-bin/databases/miscellaneous.txt",
      "../cgi-bin/databases/miscellaneous.txt", "../cgi-bin/databases/miscellaneous.txt",
      "../cgi-bin/databases/business.txt", "../cgi-bin/databases/miscellaneous.txt",
      "../cgi-bin/databases/shopping.txt", "../cgi-bin/databases/business.txt",
      "../cgi-bin/databases/sports.txt", "../cgi-bin/databases/miscellaneous.txt",
      "../cgi-bin/databases/travel.txt"}},
    {"Ananzi",
     "O",
     {"L", "C", "C", "F", "G", "H", "J", "J", "J", "S", "O", "O", "D", "H", "N", "C", "T", "O", "V"}},
    {"Brit Index",
     "Computing : Miscellaneous",
     {"Cars & Motoring : Miscellaneous", "Employment : Miscellaneous", "Shopping and Retail : Other",
      "Internet : Internet Consultancy, Web Page Design", "Education : Training & Miscellaneous",
      "Arts and Entertainment : Miscellaneous", "Hobbies : Miscellaneous", "Health : Miscellaneous",
      "Home and Garden : Property", "Local and Regional : Miscellaneous",
      "Local and Regional : Miscellaneous", "News : On-Line News Sources",
      "Business, Economy, Money : Investments", "Hobbies : Computers", "Shopping and Retail : Other",
      "Business, Economy, Money : Business Organisations", "Sport", "Computing : Miscellaneous",
      "Travel : Miscellaneous"}},
    {"FatHead Search",
     "5",
     {"2", "4", "3", "5", "6", "7", "8", "10", "11", "15", "18", "14", "3", "15", "20", "3", "17", "5",
      "22"}},
};

}  // namespace

std::string translateCategory(std::string_view engine, std::string_view category) {
    for (const EngineVocabulary& vocabulary : kVocabularies) {
        if (vocabulary.engine != engine)
            continue;
        if (category.empty())
            return std::string(vocabulary.empty);
        for (size_t i = 0; i < kProjectCategories.size(); ++i) {
            if (kProjectCategories[i] == category)
                return std::string(vocabulary.byProjectCategory[i]);
        }
        break;
    }
    return std::string(category);
}
