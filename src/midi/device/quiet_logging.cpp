#include "midi/device/quiet_logging.h"

#include <fluidsynth.h>

#include <iostream>

#ifdef KAZ_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace kaz {

namespace {

void DiscardSynthMessage(int, const char*, void*) {}

#ifdef KAZ_HAVE_ALSA
void DiscardAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
#endif

}  // namespace

void SilenceSoundLibraryLogging() {
    for (int level = 0; level < LAST_LOG_LEVEL; ++level) {
        fluid_set_log_function(level, DiscardSynthMessage, nullptr);
    }
#ifdef KAZ_HAVE_ALSA
    snd_lib_error_set_handler(DiscardAlsaMessage);
#endif
}

QuietErrorStream::QuietErrorStream() : saved_(std::cerr.rdbuf(&discard_)) {}

QuietErrorStream::~QuietErrorStream() {
    std::cerr.rdbuf(saved_);
}

}  // namespace kaz
