#pragma once

#include <string>
#include <string_view>

#include "chart/chart_layout.h"
#include "chart/chord_diagram.h"
#include "harmony/notation.h"

namespace kaz::cli {

//! What kaz-cli asks of the PDF module: a chart that compiles, and how to write it out.
struct PdfRequest {
    std::string_view chart;  //!< the chart's bytes
    NotationMode notation = kEnglishNotation;
    ChartPart part;
    DiagramKind diagrams = DiagramKind::None;  //!< the diagrams over the chords
    std::string_view fallbackTitle;            //!< for a chart whose first line gives no title
    std::string_view programPath;  //!< kaz-cli's own file, beside which the shipped styles are found
};

//! The module's entry, KazWriteChartPdf: the PDF's bytes into pdf, or false with the reason in error.
using WriteChartPdfEntry = bool (*)(const PdfRequest& request, std::string& pdf, std::string& error);
inline constexpr const char* kWriteChartPdfEntry = "KazWriteChartPdf";

}  // namespace kaz::cli
