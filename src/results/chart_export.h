#pragma once
// The chart image of a finished run over two or more resolutions.
#include <string>

#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "results/chart.h"

namespace fw {

// The chart image's file name, without its folder.
std::string ChartImageName(const std::string& timestamp);

// Sets the chart's width for `selectedCount` resolutions, draws it into the
// temporary bitmap program folder + "ch.bmp", waits a second and converts the
// bitmap into results folder + ChartImageName(timestamp); the bitmap is
// deleted afterwards whether or not the conversion worked. True when the JPEG
// was written.
bool ExportChartImage(ResultsChart& chart, int selectedCount, const std::string& programFolder,
                      const std::string& resultsFolder, const std::string& timestamp,
                      SurfaceFactory& surfaces, FileSystem& files, Clock& clock);

}  // namespace fw
