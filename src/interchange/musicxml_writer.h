#pragma once

#include <string>

#include "interchange/lead_sheet.h"

namespace kaz {

//! A MusicXML 4.0 lead sheet of the song: title, composer, meter, tempo, rehearsal marks for the sections,
//! repeats, endings, segno, coda and jump texts, and the chord symbols over one slash a beat.
[[nodiscard]] std::string WriteMusicXml(const LeadSheet& sheet);

}  // namespace kaz
