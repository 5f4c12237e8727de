#pragma once
// The news page made readable without a browser: its title, its text as
// paragraphs (tags dropped, entities decoded, scripts and styles left out) and
// its links. Texts are UTF-8, as web pages are. Any bytes at all are accepted.
#include <string>
#include <string_view>
#include <vector>

namespace fw {

struct NewsLink {
    std::string text;     // what the page shows for it; the address when it shows nothing
    std::string address;  // absolute http or https address
};

struct NewsPage {
    std::string title;
    std::vector<std::string> paragraphs;
    std::vector<NewsLink> links;
};

// A body that does not start with a tag (after blanks and a byte-order mark) is
// plain text: its lines become the paragraphs as they stand.
NewsPage ReadNewsPage(std::string_view body);

// "&amp;", "&#233;", "&#xE9;" and the common named entities; anything unknown
// stays as written.
std::string DecodeEntities(std::string_view text);

}  // namespace fw
