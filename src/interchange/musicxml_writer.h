#pragma once

#include <string>
#include <vector>

#include "interchange/lead_sheet.h"

namespace kaz {

//! A MusicXML 4.0 lead sheet of the song: title, composer, meter, tempo, rehearsal marks for the sections,
//! repeats, endings, segno, coda and jump texts, and the chord symbols over one slash a beat.
[[nodiscard]] std::string WriteMusicXml(const LeadSheet& sheet);
//! What the lead sheet of measures plays otherwise than the chart, one remark each: a hold sign that chord
//! symbols placed in time cannot show, such as one that ends a measure.
[[nodiscard]] std::vector<std::string> MusicXmlDifferences(const std::vector<SheetMeasure>& measures);

}  // namespace kaz
