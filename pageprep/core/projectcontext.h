#pragma once

#include <string>
#include <string_view>

// Where a project's pages come from.
enum class WebType { Local = 0, Net = 1, SecureNet = 2 };

// The project the submission tool works on, as selecting it in step 1 reads it from the
// settings: the later steps take its pages, addresses and category from here.
struct ActiveProject {
    std::string name;
    std::string webPath;  // the address the site's pages are published under, no "/" expected at the end
    WebType webType = WebType::Net;
    std::string category;
};

// The file name part of a page entry: the text after its last "\" or ":", the whole entry when
// it has neither, so "C:\web\index.htm" gives "index.htm" and "sub/page.htm" stays whole.
std::string pageFileName(std::string_view entry);

// The page's published address: the web path, "/" and the entry's file name part. A web path
// that already ends in "/" gives "//"; the address is taken as the user wrote the path.
std::string pageAddress(std::string_view webPath, std::string_view entry);
