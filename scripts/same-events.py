#!/usr/bin/env python3
"""same-events.py OLD_KAZ_CLI NEW_KAZ_CLI [COUNT]

The rule of additions on generated charts: chord symbols, signs and bar lines set close together, with the
characters the newer language gives a meaning to ("#", "^", "(", ")", "M", "N", ".", "Δ", "ø", "°", "/9") put
in between; and lines of bracket marks, bar lines, repeat signs and chords in every order, where the grammar
decides between a line of marks and a line of measures. Every chart that OLD compiles must give NEW the same
events, transposition and check result. Prints each chart that differs and a summary; exits 1 when any does."""
import random
import subprocess
import sys

ROOTS = ["C", "C#", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B", "H"]
SUFFIXES = ["", "m", "7", "m7", "maj7", "m7-5", "6", "6add9", "9", "13", "sus4", "7sus4", "dim", "+", "-",
            "-7", "-9", "+7", "7-9", "7+9", "mmaj7", "5", "o", "0", "aug", "maj", "m6", "11", "7-13"]
BETWEEN = ["", " ", " ", " | ", " || ", "/", "=", "-", "/E", "/G", " / ", " - ", " = "]
ODD = ["#", "^", "(", ")", "M", "N", "NC", "N.C.", ".", "\u0394", "\u00f8", "\u00b0", "/9", "6/9", "b", "b9",
       "#11", "#"]


def chord(rng):
    text = rng.choice(ROOTS) + rng.choice(SUFFIXES)
    if rng.random() < 0.2:
        text += "/" + rng.choice(ROOTS)
    return text


def chart(rng):
    lines = []
    for _ in range(rng.randint(1, 3)):
        line = ""
        for _ in range(rng.randint(1, 8)):
            line += chord(rng) + (rng.choice(ODD) if rng.random() < 0.03 else rng.choice(BETWEEN))
        lines.append(line)
    return "\n".join(lines) + "\n"


MARK_LINE_PARTS = ["[4/4]", "[3/4]", "[TEMPO=100]", "[TEMPO=90]", "[3]", "[CHORD x = 0 4 7]", "[CHORD = 0 3]",
                   "|", "||", "|||", "%", "%%", "*", "C", "Am7", "Cx", "G7 D", "-", "=", "/", "[A]", "[1.]",
                   "|:", ":|", "[SEGNO]", "[STYLE=Funk]", "[FINE]", "[x2]"]


def marks_chart(rng):
    lines = []
    for _ in range(rng.randint(1, 4)):
        lines.append(" ".join(rng.choice(MARK_LINE_PARTS) for _ in range(rng.randint(1, 6))))
    return "\n".join(lines) + rng.choice(["", "\n"])


def run(cli, args, text):
    done = subprocess.run([cli, args[0], "-"] + args[1:], input=text.encode(),
                          capture_output=True)
    return done.returncode, done.stdout, done.stderr


def main():
    old, new = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 2000
    rng = random.Random(17)
    compiled = differ = 0
    for index in range(count):
        text = chart(rng) if index % 2 == 0 else marks_chart(rng)
        if run(old, ["check"], text)[0] != 0:
            continue
        compiled += 1
        for args in (["events"], ["events", "--notation", "german"], ["transpose", "--shift", "3"],
                     ["check", "--json"]):
            if run(old, args, text) != run(new, args, text):
                differ += 1
                print("differs:", " ".join(args), repr(text))
                break
    print(f"same-events: {compiled} of {count} generated charts compile with OLD, {differ} differ with NEW")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
