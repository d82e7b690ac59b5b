#pragma once

#include <QString>

#include "render/song_map.h"

namespace kaz {

//! Where the performance stands, as a player says it: "Measure 12", "Measure 12 (2nd time)", with the section
//! first when there is one: "B · Measure 12".
[[nodiscard]] QString MeasureWords(const SongPlace& place);

//! What a screen reader hears as the chart plays: "Measure 12 (2nd time): G7, next C"; next may be empty.
[[nodiscard]] QString SoundingWords(const QString& measure, const QString& chord, const QString& next);

}  // namespace kaz
