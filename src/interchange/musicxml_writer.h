#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/lead_sheet.h"

namespace kaz {

//! Where a long text goes piece by piece; false when a piece could not be taken, which ends the writing.
using TextSink = std::function<bool(std::string_view)>;

//! A MusicXML 4.0 lead sheet of the song: title, composer, meter, tempo, rehearsal marks for the sections,
//! repeats, endings, segno, coda and jump texts, the chord symbols over one slash a beat and the words of a
//! lyric line under the slash where each chord is sung. It goes to
//! sink a measure or a few at a time, so a song of any length is written in little memory. False when the
//! sink refused a piece.
[[nodiscard]] bool StreamMusicXml(const LeadSheet& sheet, const TextSink& sink);
//! The same lead sheet as one text.
[[nodiscard]] std::string WriteMusicXml(const LeadSheet& sheet);
//! What the lead sheet of measures plays or shows otherwise than the chart, one remark each: a hold sign that
//! chord symbols placed in time cannot show, such as one that ends a measure, and words under a row of
//! measures, which stand under no chord.
[[nodiscard]] std::vector<Message> MusicXmlDifferences(const std::vector<SheetMeasure>& measures);

}  // namespace kaz
