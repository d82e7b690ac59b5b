#!/usr/bin/python3
"""Reads a Standard MIDI File with mido and prints its events the way `kaz-cli events` lists them (without the
editor's highlights), so a test can compare what an independent reader finds with what Kaz meant to write.
Usage: midi_dump.py FILE.mid; exits 1 with a message when the file is not a format-0 file of one track."""
import sys

import mido

CREDIT_START = "\n\nThis file was created by Kaz software ( "


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def main(path):
    song = mido.MidiFile(path)
    if song.type != 0 or len(song.tracks) != 1 or song.ticks_per_beat != 480:
        fail(f"type {song.type}, {len(song.tracks)} tracks, division {song.ticks_per_beat}")
    track = song.tracks[0]
    first = track[0]
    if first.type != "text" or first.time != 0 or not first.text.startswith(CREDIT_START):
        fail(f"first event is not the credit text: {first}")
    time = 0
    lines = []
    for message in track[1:]:
        time += message.time
        kind = message.type
        if kind == "set_tempo":
            lines.append(f"{time} tempo {round(mido.tempo2bpm(message.tempo))}")
        elif kind == "program_change":
            lines.append(f"{time} program {message.channel} {message.program}")
        elif kind == "control_change":
            lines.append(f"{time} control {message.channel} {message.control} {message.value}")
        elif kind == "time_signature":
            if message.clocks_per_click != 24 or message.notated_32nd_notes_per_beat != 8:
                fail(f"time signature with unusual clocks: {message}")
            lines.append(f"{time} timesig {message.numerator} {message.denominator}")
        elif kind == "note_on":
            lines.append(f"{time} on {message.channel} {message.note} {message.velocity}")
        elif kind == "note_off":
            lines.append(f"{time} off {message.channel} {message.note} {message.velocity}")
        elif kind == "end_of_track":
            lines.append(f"{time} end")
        else:
            fail(f"unexpected event: {message}")
    print("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv[1])
