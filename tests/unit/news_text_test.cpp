#include "app/news_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace fw {
namespace {

TEST(NewsText, PageGivesTitleParagraphsAndLinks) {
    const std::string body =
        "<!DOCTYPE html>\n<html><head><title> Brimvale &amp; friends </title>\n"
        "<style>p { color: red; }</style><script>var a = '<p>hidden</p>';</script>\n"
        "</head><body><h1>News</h1>\n<p>Version   1.1 is\nout.<br>Get it <a "
        "href=\"https://www.brimvale.example/get?a=1&amp;b=2\">here</a>.</p>"
        "<!-- <p>a comment</p> --><p>Caf&eacute; &#233;&#xE9; &lt;b&gt; &copy;</p>"
        "<a href='mailto:x@y'>mail</a><a href=/relative>rel</a><A HREF=http://h.example/></a>"
        "</body></html>";
    NewsPage page = ReadNewsPage(body);
    EXPECT_EQ(page.title, "Brimvale & friends");
    EXPECT_EQ(page.paragraphs,
              (std::vector<std::string>{"News", "Version 1.1 is out.", "Get it here.",
                                        "Caf&eacute; \xC3\xA9\xC3\xA9 <b> \xC2\xA9", "mailrel"}));
    ASSERT_EQ(page.links.size(), 2u);
    EXPECT_EQ(page.links[0].text, "here");
    EXPECT_EQ(page.links[0].address, "https://www.brimvale.example/get?a=1&b=2");
    // A link without text shows its address.
    EXPECT_EQ(page.links[1].text, "http://h.example/");
    EXPECT_EQ(page.links[1].address, "http://h.example/");
}

TEST(NewsText, BodiesThatAreNotHtmlArePlainText) {
    struct Case {
        std::string body;
        std::vector<std::string> paragraphs;
    };
    const std::vector<Case> cases = {
        {"Plain news\r\n\r\n  second   line <b>\n", {"Plain news", "second line <b>"}},
        {"\xEF\xBB\xBF  Server says a & b", {"Server says a & b"}},
        {"", {}},
        {" \r\n\t ", {}},
    };
    for (const Case& c : cases) {
        NewsPage page = ReadNewsPage(c.body);
        EXPECT_EQ(page.paragraphs, c.paragraphs) << c.body;
        EXPECT_TRUE(page.title.empty());
        EXPECT_TRUE(page.links.empty());
    }
}

TEST(NewsText, EntitiesDecodeOrStayAsWritten) {
    struct Case {
        std::string in;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"&#65;&#x42;&#X43;", "ABC"},
        {"&#x20AC;&euro;", "\xE2\x82\xAC\xE2\x82\xAC"},
        {"&#0;&#xD800;&#9999999;", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"&unknown; & &#; &#x; &#12a; &amp", "&unknown; & &#; &#x; &#12a; &amp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeEntities(c.in), c.out) << c.in;
    }
}

TEST(NewsText, BrokenMarkupEndsWithoutLosingTheTextBefore) {
    struct Case {
        std::string body;
        std::vector<std::string> paragraphs;
    };
    const std::vector<Case> cases = {
        {"<p>kept<script>never closed", {"kept"}},   {"<p>kept<!-- never closed", {"kept"}},
        {"<p>kept<a href=\"never closed", {"kept"}}, {"<p>1 < 2 and 3 <4</p>", {"1 < 2 and 3 <4"}},
        {"<p>a</P ><DIV>b</div>", {"a", "b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadNewsPage(c.body).paragraphs, c.paragraphs) << c.body;
    }
}

TEST(NewsText, RandomBytesNeverCrash) {
    std::mt19937 random(12345);
    const std::string pieces[] = {
        "<",        ">",    "&",   ";",       "#x",   "<a href=", "\"", "'", "</a>", "<script>",
        "</script", "<!--", "-->", "<title>", "\xFF", "\0",       "p",  " ", "\n"};
    for (int round = 0; round < 2000; ++round) {
        std::string body;
        int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            if (random() % 3 == 0) {
                body += static_cast<char>(random() % 256);
            } else {
                body += pieces[random() % std::size(pieces)];
            }
        }
        NewsPage page = ReadNewsPage(body);
        for (const NewsLink& link : page.links) {
            EXPECT_FALSE(link.text.empty());
        }
    }
}

}  // namespace
}  // namespace fw
