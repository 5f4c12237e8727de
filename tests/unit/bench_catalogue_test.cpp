#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

#include "bench/resolution_catalogue.h"

namespace fw {
namespace {

// "\xD7" is the multiplication sign; a literal is split after it where a digit
// follows, since a hex escape would swallow the digits.
struct FixedRow {
    int position;
    const char* width;
    const char* height;
    const char* caption;
    const char* modeText;
    const char* settingName;
    const char* runTag;
    const char* statusText;
    const char* sizeText;
    const char* resultTitle;
    const char* reportHeading;
    const char* shotSuffix;
    bool widescreen;
};

const FixedRow kFixedRows[] = {
    {0, "800", "600", "800 \xD7 600", "800 x 600", "800", "800", "Resolution: 800 \xD7 600...",
     "800\xD7"
     "600",
     "Resolution: 800\xD7"
     "600",
     "Resolution: 800\xD7"
     "600",
     "_800\xD7"
     "600",
     false},
    {1, "1024", "768", "1024 \xD7 768", "1024 x 768", "1024", "1024",
     "Resolution: 1024 \xD7 768...",
     "1024\xD7"
     "768",
     "Resolution: 1024\xD7"
     "768",
     "Resolution: 1024\xD7"
     "768",
     "_1024\xD7"
     "768",
     false},
    {2, "1280", "1024", "1280 \xD7 1024", "1280 x 1024", "1280", "1280",
     "Resolution: 1280 \xD7 1024...",
     "1280\xD7"
     "1024",
     "Resolution: 1280\xD7"
     "1024",
     "Resolution: 1280\xD7"
     "1024",
     "_1280\xD7"
     "1024",
     false},
    {3, "1600", "1200", "1600 \xD7 1200", "1600 x 1200", "1600", "1600",
     "Resolution: 1600 \xD7 1200...",
     "1600\xD7"
     "1200",
     "Resolution: 1600\xD7"
     "1200",
     "Resolution: 1600\xD7"
     "1200",
     "_1600\xD7"
     "1200",
     false},
    {4, "2048", "1536", "2048 \xD7 1536", "2048 x 1536", "2048", "2048",
     "Resolution: 2048 \xD7 1536...",
     "2048\xD7"
     "1536",
     "Resolution: 2048\xD7"
     "1536",
     "Resolution: 2048\xD7"
     "1536",
     "_2048", false},
    {5, "1280", "768", "1280 \xD7 768", "1280 x 768", "hdw1", "hdtv1",
     "Resolution: 1280 \xD7 768 (HD WideScreen)...",
     "1280\xD7"
     "768",
     "Resolution: 1280\xD7"
     "768",
     "Resolution: 1280\xD7"
     "768 (HD WideScreen)",
     "_1280\xD7"
     "768",
     true},
    {6, "1920", "1080", "1920 \xD7 1080", "1920 x 1080", "hdw2", "hdtv2",
     "Resolution: 1920 \xD7 1080 (HD WideScreen)...",
     "1920\xD7"
     "1080",
     "Resolution: 1920\xD7"
     "1080",
     "Resolution: 1920\xD7"
     "1080 (HD WideScreen)",
     "_1920\xD7"
     "1080",
     true},
    {7, "1920", "1200", "1920 \xD7 1200", "1920 x 1200", "hdw3", "hdtv3",
     "Resolution: 1920 \xD7 1200 (HD WideScreen)...",
     "1920\xD7"
     "1200",
     "Resolution: 1920\xD7"
     "1200",
     "Resolution: 1920\xD7"
     "1200 (HD WideScreen)",
     "_1920\xD7"
     "1200",
     true},
};

void ExpectRow(const ResolutionEntry& e, const FixedRow& row) {
    EXPECT_EQ(e.Position, std::optional<int>(row.position));
    EXPECT_EQ(e.Width, row.width);
    EXPECT_EQ(e.Height, row.height);
    EXPECT_EQ(e.Caption, row.caption);
    EXPECT_EQ(e.ModeText, row.modeText);
    EXPECT_EQ(e.SettingName, row.settingName);
    EXPECT_EQ(e.RunTag, row.runTag);
    EXPECT_EQ(e.StatusText, row.statusText);
    EXPECT_EQ(e.SizeText, row.sizeText);
    EXPECT_EQ(e.ResultTitle, row.resultTitle);
    EXPECT_EQ(e.ReportHeading, row.reportHeading);
    EXPECT_EQ(e.ShotSuffix, row.shotSuffix);
    EXPECT_EQ(e.Widescreen, row.widescreen);
}

TEST(ResolutionCatalogue, FixedRowsCarryTheirTextsByteForByte) {
    for (const FixedRow& row : kFixedRows) {
        SCOPED_TRACE(row.position);
        ExpectRow(EntryAt(row.position), row);
    }
}

TEST(ResolutionCatalogue, PositionsOutsideTheFixedRowsAreRefused) {
    EXPECT_THROW(EntryAt(-1), std::out_of_range);
    EXPECT_THROW(EntryAt(8), std::out_of_range);
}

TEST(ResolutionCatalogue, RunTagsFindTheirRowsExactly) {
    for (const FixedRow& row : kFixedRows) {
        SCOPED_TRACE(row.runTag);
        const auto e = EntryForTag(row.runTag, "1680", "1050");
        ASSERT_TRUE(e.has_value());
        ExpectRow(*e, row);
    }
    // Settings value names, other spellings and near misses are not run tags.
    for (const char* tag : {"hdw1", "hdw3", "HDTV1", "Custom", "800 ", "", "hdtv4", "CusRes"}) {
        SCOPED_TRACE(tag);
        EXPECT_FALSE(EntryForTag(tag, "1680", "1050").has_value());
    }
}

TEST(ResolutionCatalogue, CustomTagBuildsTheCustomEntryFromTheFieldTexts) {
    const auto e = EntryForTag("custom", "1680", "1050");
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Position.has_value());
    EXPECT_EQ(e->Width, "1680");
    EXPECT_EQ(e->Height, "1050");
    EXPECT_EQ(e->RunTag, "custom");
    EXPECT_EQ(e->SettingName, "CusRes");
    EXPECT_EQ(e->Caption, "Custom resolution:");
    EXPECT_EQ(e->SizeText,
              "1680\xD7"
              "1050");
    EXPECT_EQ(e->ResultTitle,
              "Resolution: 1680\xD7"
              "1050");
    EXPECT_EQ(e->StatusText, "Resolution: 1680 \xD7 1050 (Custom)...");
    EXPECT_EQ(e->ReportHeading, "Resolution: 1680 \xD7 1050 (Custom)");
    EXPECT_EQ(e->ShotSuffix,
              "_1680\xD7"
              "1050");
    EXPECT_FALSE(e->Widescreen);
}

TEST(ResolutionCatalogue, CustomTextsAreTakenAsTheyStand) {
    const ResolutionEntry e = MakeCustomEntry("01680", "900");
    EXPECT_EQ(e.Width, "01680");
    EXPECT_EQ(e.SizeText,
              "01680\xD7"
              "900");
    EXPECT_EQ(e.ReportHeading, "Resolution: 01680 \xD7 900 (Custom)");
}

TEST(ResolutionCatalogue, CustomEntryRunsOnlyTickedWithTwoNumbers) {
    struct Case {
        bool ticked;
        const char* w;
        const char* h;
        bool eligible;
    };
    const Case cases[] = {
        {true, "1680", "1050", true},
        {false, "1680", "1050", false},
        {true, "", "1050", false},
        {true, "1680", "", false},
        {true, "", "", false},
        // Anything but digits would reach the game's command line as extra tokens.
        {true, "1680 +map ice", "1050", false},
        {true, "1680", "1050 ", false},
        {true, "-1", "1050", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.w) + "|" + c.h + "|" + (c.ticked ? "ticked" : "cleared"));
        EXPECT_EQ(IsCustomEligible(c.ticked, c.w, c.h), c.eligible);
    }
}

TEST(ResolutionCatalogue, ChainContinuesAfterEachFinishedTag) {
    struct Case {
        const char* tag;
        std::optional<int> next;
    };
    const Case cases[] = {
        {"800", 1},
        {"1024", 2},
        {"1280", 3},
        {"1600", 4},
        {"2048", 5},
        {"hdtv1", 6},
        {"hdtv2", 7},
        {"hdtv3", 8},
        {"custom", std::nullopt},
        {"hdw2", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(NextPositionAfter(c.tag), c.next);
    }
}

TEST(ResolutionCatalogue, ChainPicksTheFirstSelectedRowThenTheCustomEntry) {
    using Rows = std::array<bool, 8>;
    const Rows none{};
    const Rows rows1And6{false, true, false, false, false, false, true, false};
    const Rows all{true, true, true, true, true, true, true, true};
    struct Case {
        const char* name;
        int from;
        Rows rows;
        bool customEligible;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"only custom", 0, none, true, 8},
        {"nothing at all", 0, none, false, std::nullopt},
        {"rows 1 and 6, start", 0, rows1And6, false, 1},
        {"rows 1 and 6, after 1024", 2, rows1And6, false, 6},
        {"rows 1 and 6, after hdtv2", 7, rows1And6, false, std::nullopt},
        {"rows 1 and 6, after hdtv2, custom", 7, rows1And6, true, 8},
        {"all, from the middle", 3, all, true, 3},
        {"last row itself", 7, all, false, 7},
        {"from custom", 8, all, true, 8},
        {"from custom, not eligible", 8, all, false, std::nullopt},
        {"past the custom entry", 9, all, true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FirstSelectedFrom(c.from, c.rows, c.customEligible), c.expected);
    }
}

}  // namespace
}  // namespace fw
