#include "app/dialogs/general_midi.h"

#include <QtGlobal>

namespace kaz {

// The names as published, in English; the window says them in its language. to_array makes a list of any
// other length than the array's fail to compile.
const std::array<std::string_view, kGeneralMidiProgramCount> kGeneralMidiProgramNames = std::to_array<
    std::string_view>(
    {// Piano
     QT_TRANSLATE_NOOP("GeneralMidi", "Acoustic Grand Piano"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Bright Acoustic Piano"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Electric Grand Piano"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Honky-tonk Piano"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Electric Piano 1"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Electric Piano 2"), QT_TRANSLATE_NOOP("GeneralMidi", "Harpsichord"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Clavi"),
     // Chromatic percussion
     QT_TRANSLATE_NOOP("GeneralMidi", "Celesta"), QT_TRANSLATE_NOOP("GeneralMidi", "Glockenspiel"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Music Box"), QT_TRANSLATE_NOOP("GeneralMidi", "Vibraphone"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Marimba"), QT_TRANSLATE_NOOP("GeneralMidi", "Xylophone"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Tubular Bells"), QT_TRANSLATE_NOOP("GeneralMidi", "Dulcimer"),
     // Organ
     QT_TRANSLATE_NOOP("GeneralMidi", "Drawbar Organ"), QT_TRANSLATE_NOOP("GeneralMidi", "Percussive Organ"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Rock Organ"), QT_TRANSLATE_NOOP("GeneralMidi", "Church Organ"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Reed Organ"), QT_TRANSLATE_NOOP("GeneralMidi", "Accordion"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Harmonica"), QT_TRANSLATE_NOOP("GeneralMidi", "Tango Accordion"),
     // Guitar
     QT_TRANSLATE_NOOP("GeneralMidi", "Acoustic Guitar (nylon)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Acoustic Guitar (steel)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Electric Guitar (jazz)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Electric Guitar (clean)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Electric Guitar (muted)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Overdriven Guitar"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Distortion Guitar"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Guitar harmonics"),
     // Bass
     QT_TRANSLATE_NOOP("GeneralMidi", "Acoustic Bass"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Electric Bass (finger)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Electric Bass (pick)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Fretless Bass"), QT_TRANSLATE_NOOP("GeneralMidi", "Slap Bass 1"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Slap Bass 2"), QT_TRANSLATE_NOOP("GeneralMidi", "Synth Bass 1"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Synth Bass 2"),
     // Strings
     QT_TRANSLATE_NOOP("GeneralMidi", "Violin"), QT_TRANSLATE_NOOP("GeneralMidi", "Viola"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Cello"), QT_TRANSLATE_NOOP("GeneralMidi", "Contrabass"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Tremolo Strings"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Pizzicato Strings"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Orchestral Harp"), QT_TRANSLATE_NOOP("GeneralMidi", "Timpani"),
     // Ensemble
     QT_TRANSLATE_NOOP("GeneralMidi", "String Ensemble 1"),
     QT_TRANSLATE_NOOP("GeneralMidi", "String Ensemble 2"),
     QT_TRANSLATE_NOOP("GeneralMidi", "SynthStrings 1"), QT_TRANSLATE_NOOP("GeneralMidi", "SynthStrings 2"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Choir Aahs"), QT_TRANSLATE_NOOP("GeneralMidi", "Voice Oohs"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Synth Voice"), QT_TRANSLATE_NOOP("GeneralMidi", "Orchestra Hit"),
     // Brass
     QT_TRANSLATE_NOOP("GeneralMidi", "Trumpet"), QT_TRANSLATE_NOOP("GeneralMidi", "Trombone"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Tuba"), QT_TRANSLATE_NOOP("GeneralMidi", "Muted Trumpet"),
     QT_TRANSLATE_NOOP("GeneralMidi", "French Horn"), QT_TRANSLATE_NOOP("GeneralMidi", "Brass Section"),
     QT_TRANSLATE_NOOP("GeneralMidi", "SynthBrass 1"), QT_TRANSLATE_NOOP("GeneralMidi", "SynthBrass 2"),
     // Reed
     QT_TRANSLATE_NOOP("GeneralMidi", "Soprano Sax"), QT_TRANSLATE_NOOP("GeneralMidi", "Alto Sax"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Tenor Sax"), QT_TRANSLATE_NOOP("GeneralMidi", "Baritone Sax"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Oboe"), QT_TRANSLATE_NOOP("GeneralMidi", "English Horn"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Bassoon"), QT_TRANSLATE_NOOP("GeneralMidi", "Clarinet"),
     // Pipe
     QT_TRANSLATE_NOOP("GeneralMidi", "Piccolo"), QT_TRANSLATE_NOOP("GeneralMidi", "Flute"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Recorder"), QT_TRANSLATE_NOOP("GeneralMidi", "Pan Flute"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Blown Bottle"), QT_TRANSLATE_NOOP("GeneralMidi", "Shakuhachi"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Whistle"), QT_TRANSLATE_NOOP("GeneralMidi", "Ocarina"),
     // Synth lead
     QT_TRANSLATE_NOOP("GeneralMidi", "Lead 1 (square)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Lead 2 (sawtooth)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Lead 3 (calliope)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Lead 4 (chiff)"), QT_TRANSLATE_NOOP("GeneralMidi", "Lead 5 (charang)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Lead 6 (voice)"), QT_TRANSLATE_NOOP("GeneralMidi", "Lead 7 (fifths)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Lead 8 (bass + lead)"),
     // Synth pad
     QT_TRANSLATE_NOOP("GeneralMidi", "Pad 1 (new age)"), QT_TRANSLATE_NOOP("GeneralMidi", "Pad 2 (warm)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Pad 3 (polysynth)"), QT_TRANSLATE_NOOP("GeneralMidi", "Pad 4 (choir)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Pad 5 (bowed)"), QT_TRANSLATE_NOOP("GeneralMidi", "Pad 6 (metallic)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Pad 7 (halo)"), QT_TRANSLATE_NOOP("GeneralMidi", "Pad 8 (sweep)"),
     // Synth effects
     QT_TRANSLATE_NOOP("GeneralMidi", "FX 1 (rain)"), QT_TRANSLATE_NOOP("GeneralMidi", "FX 2 (soundtrack)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "FX 3 (crystal)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "FX 4 (atmosphere)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "FX 5 (brightness)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "FX 6 (goblins)"), QT_TRANSLATE_NOOP("GeneralMidi", "FX 7 (echoes)"),
     QT_TRANSLATE_NOOP("GeneralMidi", "FX 8 (sci-fi)"),
     // Ethnic
     QT_TRANSLATE_NOOP("GeneralMidi", "Sitar"), QT_TRANSLATE_NOOP("GeneralMidi", "Banjo"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Shamisen"), QT_TRANSLATE_NOOP("GeneralMidi", "Koto"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Kalimba"), QT_TRANSLATE_NOOP("GeneralMidi", "Bag pipe"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Fiddle"), QT_TRANSLATE_NOOP("GeneralMidi", "Shanai"),
     // Percussive
     QT_TRANSLATE_NOOP("GeneralMidi", "Tinkle Bell"), QT_TRANSLATE_NOOP("GeneralMidi", "Agogo"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Steel Drums"), QT_TRANSLATE_NOOP("GeneralMidi", "Woodblock"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Taiko Drum"), QT_TRANSLATE_NOOP("GeneralMidi", "Melodic Tom"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Synth Drum"), QT_TRANSLATE_NOOP("GeneralMidi", "Reverse Cymbal"),
     // Sound effects
     QT_TRANSLATE_NOOP("GeneralMidi", "Guitar Fret Noise"), QT_TRANSLATE_NOOP("GeneralMidi", "Breath Noise"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Seashore"), QT_TRANSLATE_NOOP("GeneralMidi", "Bird Tweet"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Telephone Ring"), QT_TRANSLATE_NOOP("GeneralMidi", "Helicopter"),
     QT_TRANSLATE_NOOP("GeneralMidi", "Applause"), QT_TRANSLATE_NOOP("GeneralMidi", "Gunshot")});

}  // namespace kaz
