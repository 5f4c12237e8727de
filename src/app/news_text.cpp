#include "app/news_text.h"

#include <array>
#include <cstdint>
#include <utility>

#include "common/text.h"

namespace fw {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == ':';
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = 0xFFFD;
    }
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

constexpr std::array<std::pair<std::string_view, std::uint32_t>, 16> kNamedEntities{{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"apos", '\''},
    {"nbsp", ' '},
    {"copy", 0xA9},
    {"reg", 0xAE},
    {"trade", 0x2122},
    {"hellip", 0x2026},
    {"mdash", 0x2014},
    {"ndash", 0x2013},
    {"laquo", 0xAB},
    {"raquo", 0xBB},
    {"euro", 0x20AC},
    {"times", 0xD7},
}};

// Decodes the entity at text[0] == '&'; returns how many bytes it used, 0 when
// it is no entity.
std::size_t DecodeEntityAt(std::string_view text, std::string& out) {
    std::size_t end = text.find(';', 1);
    if (end == std::string_view::npos || end > 12) {
        return 0;
    }
    std::string_view name = text.substr(1, end - 1);
    if (name.size() >= 2 && name[0] == '#') {
        std::uint32_t code = 0;
        bool hex = name[1] == 'x' || name[1] == 'X';
        std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty()) {
            return 0;
        }
        for (char c : digits) {
            int value = -1;
            if (c >= '0' && c <= '9') {
                value = c - '0';
            } else if (hex && c >= 'a' && c <= 'f') {
                value = c - 'a' + 10;
            } else if (hex && c >= 'A' && c <= 'F') {
                value = c - 'A' + 10;
            }
            if (value < 0) {
                return 0;
            }
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
            if (code > 0x10FFFF) {
                code = 0x110000;  // stays out of range however many digits follow
            }
        }
        AppendUtf8(out, code);
        return end + 1;
    }
    for (const auto& [entity, code] : kNamedEntities) {
        if (name == entity) {
            AppendUtf8(out, code);
            return end + 1;
        }
    }
    return 0;
}

// Tags that end a paragraph where they open or close.
bool IsBlockTag(std::string_view name) {
    constexpr std::array<std::string_view, 28> kBlocks{
        "p",   "div",  "br",         "li", "ul", "ol",  "tr",      "table",   "h1",     "h2",
        "h3",  "h4",   "h5",         "h6", "hr", "pre", "section", "article", "header", "footer",
        "nav", "main", "blockquote", "dl", "dt", "dd",  "body",    "form"};
    for (std::string_view block : kBlocks) {
        if (name == block) {
            return true;
        }
    }
    return false;
}

struct Tag {
    std::string name;  // lower case
    bool closing = false;
    std::string href;  // decoded, for <a>
    std::size_t length = 0;
};

// Reads the tag at text[0] == '<'; the tag ends at the first '>' outside quotes
// or at the end of the text.
Tag ReadTag(std::string_view text) {
    Tag tag;
    std::size_t i = 1;
    if (i < text.size() && text[i] == '/') {
        tag.closing = true;
        ++i;
    }
    std::size_t nameStart = i;
    while (i < text.size() && IsNameChar(text[i])) {
        ++i;
    }
    tag.name = ToLowerAscii(text.substr(nameStart, i - nameStart));
    // Attributes: name[=value], values quoted or bare.
    while (i < text.size() && text[i] != '>') {
        if (IsBlank(text[i]) || text[i] == '/') {
            ++i;
            continue;
        }
        std::size_t attrStart = i;
        while (i < text.size() && !IsBlank(text[i]) && text[i] != '=' && text[i] != '>') {
            ++i;
        }
        std::string attr = ToLowerAscii(text.substr(attrStart, i - attrStart));
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        if (i >= text.size() || text[i] != '=') {
            continue;
        }
        ++i;
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        std::string_view value;
        if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
            char quote = text[i++];
            std::size_t end = text.find(quote, i);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            value = text.substr(i, end - i);
            i = end < text.size() ? end + 1 : end;
        } else {
            std::size_t valueStart = i;
            while (i < text.size() && !IsBlank(text[i]) && text[i] != '>') {
                ++i;
            }
            value = text.substr(valueStart, i - valueStart);
        }
        if (attr == "href" && tag.name == "a") {
            tag.href = DecodeEntities(value);
        }
    }
    tag.length = i < text.size() ? i + 1 : text.size();
    return tag;
}

// Collects running text with blanks folded into single spaces.
class Paragraphs {
public:
    void AddText(std::string_view text) {
        for (char c : text) {
            AddChar(c);
        }
    }
    void AddChar(char c) {
        if (IsBlank(c)) {
            pendingSpace_ = !current_.empty();
            return;
        }
        if (pendingSpace_) {
            current_ += ' ';
            pendingSpace_ = false;
        }
        current_ += c;
    }
    void Break() {
        if (!current_.empty()) {
            done_.push_back(std::move(current_));
        }
        current_.clear();
        pendingSpace_ = false;
    }
    std::vector<std::string> Take() {
        Break();
        return std::move(done_);
    }

private:
    std::vector<std::string> done_;
    std::string current_;
    bool pendingSpace_ = false;
};

std::string Folded(std::string_view text) {
    Paragraphs folded;
    folded.AddText(text);
    auto lines = folded.Take();
    return lines.empty() ? std::string{} : lines.front();
}

bool IsWebAddress(std::string_view address) {
    std::string lower = ToLowerAscii(address.substr(0, 8));
    if (!lower.starts_with("http://") && !lower.starts_with("https://")) {
        return false;
    }
    for (char c : address) {
        auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return address.size() <= 2048;
}

std::size_t FindIgnoreCase(std::string_view text, std::string_view part, std::size_t from) {
    if (part.size() > text.size()) {
        return std::string_view::npos;
    }
    for (std::size_t i = from; i + part.size() <= text.size(); ++i) {
        if (EqualsIgnoreCase(text.substr(i, part.size()), part)) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string_view SkipLeadingBlanks(std::string_view body) {
    if (body.starts_with("\xEF\xBB\xBF")) {
        body.remove_prefix(3);
    }
    while (!body.empty() && IsBlank(body.front())) {
        body.remove_prefix(1);
    }
    return body;
}

NewsPage ReadPlainText(std::string_view body) {
    NewsPage page;
    for (std::string& line : SplitLines(body)) {
        std::string folded = Folded(line);
        if (!folded.empty()) {
            page.paragraphs.push_back(std::move(folded));
        }
    }
    return page;
}

}  // namespace

std::string DecodeEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            std::size_t used = DecodeEntityAt(text.substr(i), out);
            if (used > 0) {
                i += used;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

NewsPage ReadNewsPage(std::string_view body) {
    std::string_view html = SkipLeadingBlanks(body);
    if (!html.starts_with("<")) {
        return ReadPlainText(html);
    }
    NewsPage page;
    Paragraphs text;
    std::string titleText;
    bool inTitle = false;
    bool inLink = false;
    NewsLink link;

    auto addText = [&](std::string_view raw) {
        std::string decoded = DecodeEntities(raw);
        if (inTitle) {
            titleText += decoded;
            return;
        }
        text.AddText(decoded);
        if (inLink) {
            link.text += decoded;
        }
    };
    auto endLink = [&] {
        if (inLink && IsWebAddress(link.address)) {
            link.text = Folded(link.text);
            if (link.text.empty()) {
                link.text = link.address;
            }
            page.links.push_back(std::move(link));
        }
        link = {};
        inLink = false;
    };

    std::size_t i = 0;
    while (i < html.size()) {
        std::size_t lt = html.find('<', i);
        if (lt == std::string_view::npos) {
            addText(html.substr(i));
            break;
        }
        addText(html.substr(i, lt - i));
        std::string_view rest = html.substr(lt);
        if (rest.starts_with("<!--")) {
            std::size_t end = rest.find("-->", 4);
            i = end == std::string_view::npos ? html.size() : lt + end + 3;
            continue;
        }
        const char next = rest.size() < 2 ? '\0' : rest[1];
        const bool letter = (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z');
        if (!(letter || next == '/' || next == '!' || next == '?')) {
            // A lone '<' in the text.
            addText("<");
            i = lt + 1;
            continue;
        }
        Tag tag = ReadTag(rest);
        i = lt + tag.length;
        if (!tag.closing && (tag.name == "script" || tag.name == "style")) {
            std::string closing = "</" + tag.name;
            std::size_t end = FindIgnoreCase(html, closing, i);
            if (end == std::string_view::npos) {
                break;
            }
            std::size_t close = html.find('>', end);
            i = close == std::string_view::npos ? html.size() : close + 1;
            continue;
        }
        if (tag.name == "title") {
            inTitle = !tag.closing;
            continue;
        }
        if (tag.name == "a") {
            endLink();
            if (!tag.closing) {
                inLink = true;
                link.address = tag.href;
            }
            continue;
        }
        if (IsBlockTag(tag.name)) {
            text.Break();
        }
    }
    endLink();
    page.title = Folded(titleText);
    page.paragraphs = text.Take();
    return page;
}

}  // namespace fw
