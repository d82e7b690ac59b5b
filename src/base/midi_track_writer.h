#pragma once

#include <cstdint>

#include "base/ticks.h"

namespace kaz {

//! Where the events write the bytes of a Standard MIDI File track.
class MidiTrackWriter {
  public:
    virtual ~MidiTrackWriter() = default;

    virtual void WriteByte(std::uint8_t byte) = 0;
    //! A MIDI variable-length quantity, most significant 7-bit group first.
    virtual void WriteVarLen(std::uint32_t value) = 0;

    //! Time of the last event written; the next event's delta time counts from here.
    Ticks lastTime = 0;
};

}  // namespace kaz
