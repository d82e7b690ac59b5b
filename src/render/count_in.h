#pragma once

#include <cstdint>

#include "base/ticks.h"
#include "render/event_list.h"

namespace kaz {

//! Add one measure of num/den to clicks, lasting measureTicks and ending at songStart: a click on every beat
//! on the count-in's own channel, the first one higher. The clicks come in time order after what the list
//! holds, so it needs no sorting for them.
void AddCountIn(EventList& clicks, std::int32_t num, std::int32_t den, Ticks measureTicks, Ticks songStart);

}  // namespace kaz
