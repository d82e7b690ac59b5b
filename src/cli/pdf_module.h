#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_layout.h"
#include "chart/chord_diagram.h"
#include "chart/set_list.h"
#include "harmony/notation.h"

namespace kaz::cli {

//! One chart to print: its bytes (a chart that compiles) and how to write it out.
struct PdfSong {
    std::string_view chart;
    ChartPart part;
    std::string_view fallbackTitle;     //!< for a chart whose first line gives no title
    int tempo = 0;                      //!< the tempo to print in place of the chart's own; 0 for its own
    const SetListSong* song = nullptr;  //!< the song of a set it is, printed in the list's key
};

//! What kaz-cli asks of the PDF module: one chart, or the songs of a set after a contents page.
struct PdfRequest {
    std::vector<PdfSong> songs;
    bool isSet = false;  //!< a set: the contents page first, headed by setTitle
    std::string_view setTitle;
    NotationMode notation = kEnglishNotation;
    DiagramKind diagrams = DiagramKind::None;  //!< the diagrams over the chords
    std::string_view programPath;  //!< kaz-cli's own file, beside which the shipped styles are found
};

//! The module's entry, KazWriteChartPdf: the PDF's bytes into pdf, or false with the reason in error.
using WriteChartPdfEntry = bool (*)(const PdfRequest& request, std::string& pdf, std::string& error);
inline constexpr const char* kWriteChartPdfEntry = "KazWriteChartPdf";

}  // namespace kaz::cli
