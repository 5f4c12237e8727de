// chartpreview [output folder]: writes chart3.bmp/.jpg (three resolutions),
// chart2.bmp/.jpg (two) and chart9.bmp/.jpg (every resolution, custom one
// included) into the folder, the current one by default.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/win32/gdi_canvas.h"
#include "results/chart.h"
#include "results/jpeg_writer.h"

namespace {

struct Sample {
    const char* name;
    const char* demo;
    std::vector<std::tuple<std::string, int, int, int>> rows;
};

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(fw::WideFromCp1252(path)), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Which of the chart's faces and their stand-ins this system has, since a
// missing face changes every text width.
void ReportFaces() {
    HDC screen = ::GetDC(nullptr);
    for (const wchar_t* face : {L"Tahoma", L"Verdana", L"Arial", L"Microsoft Sans Serif",
                                L"Liberation Sans", L"DejaVu Sans"}) {
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        std::wstring(face).copy(query.lfFaceName, LF_FACESIZE - 1);
        bool found = false;
        ::EnumFontFamiliesExW(screen, &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
        std::printf("font %s: %s\n", fw::Cp1252FromWide(face).c_str(),
                    found ? "present" : "missing");
    }
    ::ReleaseDC(nullptr, screen);
}

std::string Label(const char* w, const char* h) {
    return std::string(w) + "\xD7" + h;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::string folder = argc > 1 ? fw::Cp1252FromWide(argv[1]) + "\\" : std::string();
    const Sample samples[] = {
        {"chart3",
         "Benchmark GPU",
         {{Label("1024", "768"), 38, 47, 56},
          {Label("1280", "1024"), 29, 35, 41},
          {Label("1600", "1200"), 21, 24, 27}}},
        {"chart2",
         "Benchmark CPU Island",
         {{Label("800", "600"), 44, 45, 46}, {Label("1920", "1200"), 1098, 1234, 1250}}},
        {"chart9",
         "Benchmark GPU",
         {{Label("800", "600"), 60, 61, 62},
          {Label("1024", "768"), 55, 57, 58},
          {Label("1280", "1024"), 40, 44, 48},
          {Label("1600", "1200"), 30, 30, 30},
          {Label("2048", "1536"), 20, 25, 27},
          {Label("1280", "768"), 51, 52, 53},
          {Label("1920", "1080"), 28, 29, 33},
          {Label("1920", "1200"), 0, 26, 31},
          {Label("1366", "768"), 100, 110, 120}}},
    };
    ReportFaces();
    fw::win32::GdiSurfaceFactory factory;
    int failures = 0;
    for (const Sample& sample : samples) {
        fw::ResultsChart chart;
        chart.ClearChart();
        chart.SetChartDemo(sample.demo);
        for (const auto& [label, minimum, average, maximum] : sample.rows) {
            chart.AddChartPoints(label, minimum, average, maximum);
        }
        chart.SetWidthForResolutions(static_cast<int>(sample.rows.size()));
        const auto surface = factory.Create(chart.Width(), chart.Height());
        if (!surface) {
            std::fprintf(stderr, "%s: no surface\n", sample.name);
            ++failures;
            continue;
        }
        chart.Render(*surface);
        const std::string bmp = surface->EncodeBmp();
        const auto image = fw::DecodeBmp(bmp);
        const auto jpeg = image ? fw::EncodeJpeg(*image, fw::kChartJpegQuality) : std::nullopt;
        const std::string base = folder + sample.name;
        if (!WriteBytes(base + ".bmp", bmp) || !jpeg || !WriteBytes(base + ".jpg", *jpeg)) {
            std::fprintf(stderr, "%s: not written\n", sample.name);
            ++failures;
            continue;
        }
        std::printf("%s: %dx%d\n", sample.name, chart.Width(), chart.Height());
    }
    return failures == 0 ? 0 : 1;
}
