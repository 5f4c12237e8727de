#include "results/chart_export.h"

#include <memory>

#include "results/jpeg_writer.h"

namespace fw {

std::string ChartImageName(const std::string& timestamp) {
    return "result_" + timestamp + "chart.jpg";
}

bool ExportChartImage(ResultsChart& chart, int selectedCount, const std::string& programFolder,
                      const std::string& resultsFolder, const std::string& timestamp,
                      SurfaceFactory& surfaces, FileSystem& files, Clock& clock) {
    chart.SetWidthForResolutions(selectedCount);
    const std::unique_ptr<BitmapSurface> surface = surfaces.Create(chart.Width(), chart.Height());
    if (!surface) {
        return false;
    }
    chart.Render(*surface);

    const std::string bitmapPath = programFolder + "ch.bmp";
    // When the bitmap cannot be written, a ch.bmp left by an earlier export
    // must not be converted into this run's image.
    if (!files.WriteFileAtomic(bitmapPath, surface->EncodeBmp())) {
        return false;
    }
    clock.Sleep(1000);
    const bool written =
        ConvertBitmapToJpeg(files, bitmapPath, resultsFolder + ChartImageName(timestamp));
    files.DeleteFile(bitmapPath);
    return written;
}

}  // namespace fw
