#pragma once

#include <functional>
#include <memory>

#include "app/settings.h"
#include "harmony/transposition.h"
#include "midi/device/midi_out_system.h"
#include "midi/playback_seams.h"
#include "qt/qt_playback_timer.h"
#include "render/arrangement_renderer.h"

namespace kaz {

//! Everything the program keeps for one run, made once in main and lent to the window: the settings the
//! charts are read and played with (the notation, the voices, the style), the Transpose dialog's note names
//! and the user's spelling choices, the snippets, the outputs listed at start-up, and the clock and timer
//! the window's playback runs on. No compile lives here: each is the window's, made from these.
struct Session {
    RenderSettings settings;
    NoteNameTables noteNames;
    FastInputSnippets snippets;
    MidiOutDeviceNames devices;   //!< what the device list starts with, before the machine's are read
    MidiOutPortFactory makePort;  //!< the port every Play opens
    //! Whether a port made now opens at once; while it does not (the sounds still loading), Play waits
    //! with the window alive. Empty: always.
    std::function<bool()> portReady;
    QtPlaybackClock clock;
    QtPlaybackTimer timer{clock};
};

}  // namespace kaz
