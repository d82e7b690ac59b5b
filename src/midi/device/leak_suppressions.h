#pragma once

// Included once by every program that may load RtMidi: the program itself must define these hooks, since the
// leak checker reads them when the program starts.
#if defined(__SANITIZE_ADDRESS__)
// RtMidi's JACK interface leaks its ring buffers when no JACK server runs, which is the usual case; that is
// the library's, not ours, so the leak checker of sanitized builds is told to pass over it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:jack_ringbuffer_create\n";
}
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
#endif
