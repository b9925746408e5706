#pragma once

#include <array>
#include <string>
#include <string_view>

// The category names the engines' vocabularies translate, in the order the tool has always
// tested them; the shipped category file offers these lines.
inline constexpr std::array<std::string_view, 19> kProjectCategories = {
    "Autos",
    "Careers",
    "Classifieds/Auctions",
    "Computers/Internet",
    "Education",
    "Entertainment",
    "Games",
    "Health",
    "Home/Real Estate",
    "LifeStyle",
    "Local",
    "News",
    "Money/Investing",
    "People/Chat",
    "Shopping",
    "Small Business",
    "Sports",
    "Other",
    "Travel",
};

// The project's category as the engine's submission form wants it. Thirteen engines have a
// vocabulary of their own (engine names compared exactly): a category that equals one of
// kProjectCategories exactly, or the empty category, becomes the engine's word for it; any other
// text, and every category for any other engine, is sent as it stands. The result goes into the
// request unencoded, since some vocabularies are pieces of a query ("T17=1").
std::string translateCategory(std::string_view engine, std::string_view category);
