#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fakes/recording_canvas.h"
#include "results/chart.h"
#include "results/chart_layout.h"
#include "results/chart_picture.h"

namespace fw {
namespace {

using testing::DrawCall;
using testing::RecordingCanvas;

struct Scores {
    std::string label;
    int minimum, average, maximum;
};

ResultsChart ChartWith(const std::vector<Scores>& rows, char thousandsMark = ',') {
    ResultsChart chart(thousandsMark);
    chart.SetChartDemo("Benchmark GPU");
    for (const Scores& row : rows) {
        chart.AddChartPoints(row.label, row.minimum, row.average, row.maximum);
    }
    return chart;
}

ChartPicture Compose(const ResultsChart& chart, int width) {
    RecordingCanvas measurer(width, 343);
    return ComposeChart(chart, width, 343, measurer);
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

// ---------------------------------------------------------------- the model

TEST(ResultsChartModel, HasThreeSeriesInOrderWithTheirColours) {
    const ResultsChart chart;
    const auto& series = chart.Series();
    EXPECT_EQ(series[0].title, "Min");
    EXPECT_EQ(series[1].title, "Average");
    EXPECT_EQ(series[2].title, "Max");
    EXPECT_EQ(series[0].colour, (Rgb{255, 106, 106}));
    EXPECT_EQ(series[1].colour, (Rgb{252, 185, 124}));
    EXPECT_EQ(series[2].colour, (Rgb{103, 165, 1}));
    EXPECT_EQ(chart.Title(), "Brimvale Framewright");
    EXPECT_EQ(chart.Width(), 681);
    EXPECT_EQ(chart.Height(), 343);
}

TEST(ResultsChartModel, AddsEachScoreToItsSeriesInTheOrderPlayed) {
    ResultsChart chart;
    chart.AddChartPoints(
        "800\xD7"
        "600",
        21, 33, 40);
    chart.AddChartPoints(
        "1366\xD7"
        "768",
        18, 27, 35);
    const auto& series = chart.Series();
    const int expected[3][2] = {{21, 18}, {33, 27}, {40, 35}};
    for (int s = 0; s < 3; ++s) {
        ASSERT_EQ(series[s].points.size(), 2u) << s;
        for (int p = 0; p < 2; ++p) {
            EXPECT_EQ(series[s].points[p].value, expected[s][p]) << s << "/" << p;
            EXPECT_EQ(series[s].points[p].colour, series[s].colour);
        }
        EXPECT_EQ(series[s].points[0].label,
                  "800\xD7"
                  "600");
        EXPECT_EQ(series[s].points[1].label,
                  "1366\xD7"
                  "768");
    }
}

TEST(ResultsChartModel, ClearEmptiesEverySeriesAndTheDemoReplacesTheSubtitle) {
    ResultsChart chart;
    chart.SetChartDemo("Benchmark GPU");
    chart.AddChartPoints("a", 1, 2, 3);
    chart.ClearChart();
    for (const ChartSeries& series : chart.Series()) {
        EXPECT_TRUE(series.points.empty()) << series.title;
    }
    chart.SetChartDemo("Core");
    EXPECT_EQ(chart.Subtitle(), "Demo: Core");
}

TEST(ResultsChartModel, WidthFollowsTheResolutionCountAndStaysForLaterRuns) {
    struct Case {
        int count;
        int width;
    };
    const Case cases[] = {{2, 380}, {3, 456}, {4, 532}, {5, 608},
                          {6, 681}, {9, 681}, {1, 681}, {0, 681}};
    for (const Case& c : cases) {
        ResultsChart chart;
        chart.SetWidthForResolutions(c.count);
        EXPECT_EQ(chart.Width(), c.width) << c.count;
        EXPECT_EQ(chart.Height(), 343) << c.count;
    }
    ResultsChart chart;
    chart.SetWidthForResolutions(4);
    chart.SetWidthForResolutions(7);
    EXPECT_EQ(chart.Width(), 532);
}

// ---------------------------------------------------------------- pure layout pieces

TEST(ChartLayout, NiceScaleHoldsTheValuesWithRoundSteps) {
    struct Case {
        double low, high;
        int maxTicks;
        double minimum, maximum, step;
    };
    const Case cases[] = {
        {0, 44, 6, 0, 50, 10}, {0, 40, 6, 0, 40, 10},      {0, 3, 6, 0, 3, 1},
        {0, 0, 6, 0, 10, 2},   {0, 1234, 7, 0, 1400, 200}, {-5, 30, 6, -10, 30, 10},
        {12, 13, 6, 0, 15, 5},
    };
    for (const Case& c : cases) {
        const AxisScale scale = NiceAxisScale(c.low, c.high, c.maxTicks);
        EXPECT_EQ(scale.minimum, c.minimum) << c.low << ".." << c.high;
        EXPECT_EQ(scale.maximum, c.maximum) << c.low << ".." << c.high;
        EXPECT_EQ(scale.step, c.step) << c.low << ".." << c.high;
    }
}

TEST(ChartLayout, MarkValuesAreWholeNumbersGroupedOnlyWhereAsked) {
    struct Case {
        double value;
        MarkFormat format;
        char mark;
        const char* text;
    };
    const Case cases[] = {
        {33, MarkFormat::WholeNumber, ',', "33"},
        {1234, MarkFormat::WholeNumber, ',', "1234"},
        {1234, MarkFormat::Grouped, ',', "1,234"},
        {1234567, MarkFormat::Grouped, '.', "1.234.567"},
        {999, MarkFormat::Grouped, ',', "999"},
        {0, MarkFormat::WholeNumber, ',', "0"},
        {-1500, MarkFormat::Grouped, ',', "-1,500"},
        {1234, MarkFormat::Grouped, '\0', "1234"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatMarkValue(c.value, c.format, c.mark), c.text) << c.value;
    }
}

TEST(ChartLayout, BarsStandSideBySideAtSeventyPercentOfTheirSlot) {
    // 300 pixels for two categories: 150 each, slots of 50, bars of 35; a
    // group of 105 leaves 22.5 pixels on each side, rounded to 23.
    const std::vector<BarSpan> spans = PlaceBars(10, 300, 2, 3, 70);
    ASSERT_EQ(spans.size(), 6u);
    for (int c = 0; c < 2; ++c) {
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(spans[c * 3 + s].width, 35);
            EXPECT_EQ(spans[c * 3 + s].x, 10 + 150 * c + 23 + 35 * s) << c << s;
        }
    }
    EXPECT_TRUE(PlaceBars(0, 300, 0, 3, 70).empty());
}

TEST(ChartLayout, MarksThatWouldMeetAreLiftedAboveEachOther) {
    // Two neighbouring bars of the same height with marks wider than a bar.
    const std::vector<Rect> bars = {{100, 200, 20, 100}, {120, 200, 20, 100}};
    const std::vector<MarkRequest> marks = {{110, 200, {30, 14}}, {130, 200, {30, 14}}};
    const std::vector<Rect> placed = PlaceMarks(marks, bars, 8, 0, 400);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0], (Rect{95, 178, 30, 14}));
    EXPECT_FALSE(Overlaps(placed[0], placed[1]));
    EXPECT_EQ(placed[1].Bottom(), placed[0].y - 1);
    // A box is kept inside the plot's sides.
    const std::vector<Rect> edge = PlaceMarks({{2, 200, {30, 14}}}, {{0, 200, 4, 100}}, 8, 0, 400);
    EXPECT_EQ(edge[0].x, 0);
}

// ---------------------------------------------------------------- the composed chart

struct LayoutCase {
    const char* name;
    int width;
    std::vector<Scores> rows;
};

const std::vector<LayoutCase>& LayoutCases() {
    static const std::vector<LayoutCase> cases = {
        {"two resolutions at the narrowest width",
         380,
         {{"1024\xD7"
           "768",
           38, 39, 40},
          {"1280\xD7"
           "1024",
           30, 31, 31}}},
        {"three resolutions, four-digit values",
         456,
         {{"800\xD7"
           "600",
           1098, 1234, 1250},
          {"1024\xD7"
           "768",
           999, 1001, 1002},
          {"1920\xD7"
           "1200",
           5, 6, 7}}},
        {"every resolution at the design width",
         681,
         {{"800\xD7"
           "600",
           60, 61, 62},
          {"1024\xD7"
           "768",
           55, 57, 58},
          {"1280\xD7"
           "1024",
           40, 44, 48},
          {"1600\xD7"
           "1200",
           30, 30, 30},
          {"2048\xD7"
           "1536",
           20, 25, 27},
          {"1280\xD7"
           "768",
           51, 52, 53},
          {"1920\xD7"
           "1080",
           28, 29, 33},
          {"1920\xD7"
           "1200",
           0, 26, 31},
          {"12800\xD7"
           "10240",
           100, 110, 120}}},
        {"zero and equal values",
         380,
         {{"800\xD7"
           "600",
           0, 0, 0},
          {"1024\xD7"
           "768",
           77, 77, 77}}},
    };
    return cases;
}

TEST(ComposedChart, EveryBarHasItsValueMarkAndNoTwoMarksMeet) {
    for (const LayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.name);
        const ResultsChart chart = ChartWith(c.rows);
        const ChartPicture picture = Compose(chart, c.width);
        ASSERT_EQ(picture.bars.size(), c.rows.size() * 3);
        ASSERT_EQ(picture.marks.size(), picture.bars.size());
        for (std::size_t i = 0; i < picture.marks.size(); ++i) {
            const PlacedMark& mark = picture.marks[i];
            const PlacedBar& bar = picture.bars[i];
            EXPECT_EQ(mark.series, bar.series);
            EXPECT_EQ(mark.point, bar.point);
            const Scores& row = c.rows[bar.point];
            const int value = bar.series == 0   ? row.minimum
                              : bar.series == 1 ? row.average
                                                : row.maximum;
            EXPECT_EQ(
                mark.label.text,
                FormatMarkValue(
                    value, bar.series == 0 ? MarkFormat::WholeNumber : MarkFormat::Grouped, ','));
            EXPECT_TRUE(Inside(mark.box, picture.plot)) << mark.label.text;
            EXPECT_TRUE(Inside(mark.label.box, mark.box)) << mark.label.text;
            // The arrow leaves the bar's top and ends at the box.
            EXPECT_EQ(mark.arrowFromY, bar.box.y - 1);
            EXPECT_EQ(mark.arrowToY, mark.box.Bottom());
            EXPECT_GE(mark.arrowX, mark.box.x);
            EXPECT_LT(mark.arrowX, mark.box.Right());
            EXPECT_EQ(mark.arrowX, bar.box.x + bar.box.width / 2);
            for (std::size_t j = 0; j < picture.marks.size(); ++j) {
                if (j != i) {
                    EXPECT_FALSE(Overlaps(mark.box, picture.marks[j].box))
                        << mark.label.text << " meets " << picture.marks[j].label.text;
                    EXPECT_FALSE(Overlaps(mark.box, picture.bars[j].box))
                        << mark.label.text << " covers a bar";
                }
            }
        }
    }
}

TEST(ComposedChart, GroupsOfThreeBarsStandInTheirCategoriesInTheOrderAdded) {
    for (const LayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.name);
        const ChartPicture picture = Compose(ChartWith(c.rows), c.width);
        const int n = static_cast<int>(c.rows.size());
        const double category = double(picture.plot.width) / n;
        const int barWidth = static_cast<int>(std::lround(category / 3 * 0.7));
        ASSERT_EQ(picture.categoryLabels.size(), c.rows.size());
        for (int p = 0; p < n; ++p) {
            const PlacedBar* group = &picture.bars[p * 3];
            for (int s = 0; s < 3; ++s) {
                EXPECT_EQ(group[s].series, s);
                EXPECT_EQ(group[s].point, p);
                EXPECT_EQ(group[s].box.width, barWidth);
                EXPECT_EQ(group[s].colour, ResultsChart().Series()[s].colour);
                if (s > 0) {
                    EXPECT_EQ(group[s].box.x, group[s - 1].box.Right()) << "side by side";
                }
                // Bars stand on the zero line and are as high as their value says.
                const int value = s == 0   ? c.rows[p].minimum
                                  : s == 1 ? c.rows[p].average
                                           : c.rows[p].maximum;
                EXPECT_EQ(group[s].box.Bottom(), picture.zeroY);
                EXPECT_EQ(group[s].box.y, ValueToY(value, picture.scale, picture.plot.y,
                                                   picture.plot.Bottom() - 1));
            }
            const double centre = picture.plot.x + category * (p + 0.5);
            EXPECT_NEAR((group[0].box.x + group[2].box.Right()) / 2.0, centre, 1.0);

            const PlacedText& label = picture.categoryLabels[p];
            EXPECT_EQ(label.text, c.rows[p].label);
            EXPECT_NEAR(label.box.x + label.box.width / 2.0, centre, 1.0);
            EXPECT_GE(label.box.y, picture.plot.Bottom());
            EXPECT_LE(label.box.Bottom(), picture.bottomTitle.box.y);
            if (p > 0) {
                EXPECT_FALSE(Overlaps(label.box, picture.categoryLabels[p - 1].box));
            }
        }
        EXPECT_GE(picture.scale.maximum, 0);
        for (const PlacedBar& bar : picture.bars) {
            EXPECT_TRUE(Inside(bar.box, picture.plot));
        }
    }
}

TEST(ComposedChart, HeadingLegendAndAxesKeepClearOfEachOther) {
    for (const LayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.name);
        const ChartPicture picture = Compose(ChartWith(c.rows), c.width);
        const Rect chartArea{0, 0, c.width, 343};
        std::vector<Rect> fixed = {picture.title.box, picture.legendFrame, picture.plot,
                                   picture.leftTitle.box, picture.bottomTitle.box};
        for (const PlacedText& line : picture.subtitle) {
            fixed.push_back(line.box);
        }
        for (const PlacedText& label : picture.categoryLabels) {
            fixed.push_back(label.box);
        }
        for (const AxisTick& tick : picture.ticks) {
            fixed.push_back(tick.label.box);
        }
        for (std::size_t i = 0; i < fixed.size(); ++i) {
            EXPECT_TRUE(Inside(fixed[i], chartArea)) << i;
            for (std::size_t j = i + 1; j < fixed.size(); ++j) {
                EXPECT_FALSE(Overlaps(fixed[i], fixed[j])) << i << " and " << j;
            }
        }
        // The value axis reaches past the largest value.
        for (const Scores& row : c.rows) {
            EXPECT_GE(picture.scale.maximum, row.maximum);
        }
        ASSERT_FALSE(picture.ticks.empty());
        EXPECT_EQ(picture.ticks.front().label.text, "0");
    }
}

// ---------------------------------------------------------------- what is drawn

TEST(RenderedChart, DrawsTitlesLegendAndAxisTitlesWithTheirFonts) {
    ResultsChart chart = ChartWith({{"800\xD7"
                                     "600",
                                     20, 30, 40},
                                    {"1024\xD7"
                                     "768",
                                     15, 25, 35}});
    RecordingCanvas canvas(380, 343);
    chart.Render(canvas);

    ASSERT_FALSE(canvas.calls.empty());
    const DrawCall& background = canvas.calls.front();
    EXPECT_EQ(background.kind, DrawCall::Kind::FillRect);
    EXPECT_EQ((Rect{background.x, background.y, background.width, background.height}),
              (Rect{0, 0, 380, 343}));
    EXPECT_EQ(background.colour, (Rgb{255, 255, 255}));

    struct Expected {
        const char* text;
        int pixelHeight;
        bool bold;
        Rgb colour;
    };
    const Expected heading[] = {{"Brimvale Framewright", 13, true, {0, 111, 164}},
                                {"Demo: Benchmark GPU", 12, false, {0, 128, 192}}};
    for (const Expected& e : heading) {
        const DrawCall* call = canvas.FindText(e.text);
        ASSERT_NE(call, nullptr) << e.text;
        EXPECT_EQ(call->font.face, "Tahoma");
        EXPECT_EQ(call->font.pixelHeight, e.pixelHeight) << e.text;
        EXPECT_EQ(call->font.bold, e.bold) << e.text;
        EXPECT_EQ(call->colour, e.colour) << e.text;
    }
    EXPECT_LT(canvas.FindText("Brimvale Framewright")->y,
              canvas.FindText("Demo: Benchmark GPU")->y);

    const DrawCall* fps = canvas.FindText("FPS");
    ASSERT_NE(fps, nullptr);
    EXPECT_EQ(fps->kind, DrawCall::Kind::TextRotated);
    EXPECT_TRUE(fps->font.bold);
    const DrawCall* resolution = canvas.FindText("Resolution");
    ASSERT_NE(resolution, nullptr);
    EXPECT_EQ(resolution->kind, DrawCall::Kind::Text);
    EXPECT_TRUE(resolution->font.bold);

    // Legend: one entry per series, left to right in series order, each
    // beside a swatch in its series colour.
    const char* titles[] = {"Min", "Average", "Max"};
    int previousX = -1;
    for (int s = 0; s < 3; ++s) {
        const DrawCall* entry = canvas.FindText(titles[s]);
        ASSERT_NE(entry, nullptr) << titles[s];
        EXPECT_GT(entry->x, previousX) << titles[s];
        previousX = entry->x;
        const bool hasSwatch =
            std::any_of(canvas.calls.begin(), canvas.calls.end(), [&](const DrawCall& d) {
                return d.kind == DrawCall::Kind::Gradient &&
                       d.colour2 == chart.Series()[s].colour && d.x + d.width <= entry->x &&
                       d.x + d.width >= entry->x - 8 && d.y < entry->y + entry->height &&
                       entry->y < d.y + d.height;
            });
        EXPECT_TRUE(hasSwatch) << titles[s];
    }
}

TEST(RenderedChart, BarsAreGradientsLighterAtTheTopAndEveryValueIsWritten) {
    ResultsChart chart = ChartWith({{"800\xD7"
                                     "600",
                                     1498, 1601, 1703},
                                    {"1024\xD7"
                                     "768",
                                     15, 25, 35}},
                                   '.');
    RecordingCanvas canvas(380, 343);
    chart.Render(canvas);
    const ChartPicture picture = Compose(chart, 380);

    for (const PlacedBar& bar : picture.bars) {
        const auto drawn =
            std::find_if(canvas.calls.begin(), canvas.calls.end(), [&](const DrawCall& d) {
                return d.kind == DrawCall::Kind::Gradient &&
                       (Rect{d.x, d.y, d.width, d.height}) == bar.box;
            });
        ASSERT_NE(drawn, canvas.calls.end()) << bar.series << "/" << bar.point;
        EXPECT_EQ(drawn->colour2, bar.colour);
        EXPECT_GT(drawn->colour.r + drawn->colour.g + drawn->colour.b,
                  bar.colour.r + bar.colour.g + bar.colour.b);
    }
    // "Min" is written without grouping, the others with the system's mark.
    for (const char* text : {"1498", "1.601", "1.703", "15", "25", "35"}) {
        EXPECT_NE(canvas.FindText(text), nullptr) << text;
    }
    EXPECT_EQ(canvas.FindText("1.498"), nullptr);
    EXPECT_EQ(canvas.FindText("1601"), nullptr);
}

TEST(RenderedChart, AnEmptyChartStillDrawsItsFrameWithoutBars) {
    const ResultsChart chart;
    RecordingCanvas canvas(681, 343);
    chart.Render(canvas);
    EXPECT_NE(canvas.FindText("Brimvale Framewright"), nullptr);
    EXPECT_EQ(canvas.FindText("Demo: "), nullptr);
    const ChartPicture picture = Compose(chart, 681);
    EXPECT_TRUE(picture.bars.empty());
    EXPECT_TRUE(picture.subtitle.empty());
    EXPECT_GE(picture.ticks.size(), 2u);
}

}  // namespace
}  // namespace fw
