<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Kaz</source>
        <translation>Über Kaz</translation>
    </message>
    <message>
        <source>Kaz is made by Velmor.</source>
        <translation>Kaz wird von Velmor entwickelt.</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>ChartFile</name>
    <message>
        <source>Cannot save file `%1`: %2. The file on disk is as it was.</source>
        <translation>Die Datei `%1` kann nicht gespeichert werden: %2. Die Datei auf der Festplatte ist unverändert.</translation>
    </message>
    <message>
        <source>`%1` is a folder, not a chart.</source>
        <translation>`%1` ist ein Ordner, kein Chart.</translation>
    </message>
    <message>
        <source>`%1` is not a regular file.</source>
        <translation>`%1` ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>`%1` is too large to be a chart: Kaz opens charts of up to %2 MB.</source>
        <translation>`%1` ist zu groß für ein Chart: Kaz öffnet Charts bis %2 MB.</translation>
    </message>
    <message>
        <source>Cannot open file `%1`: %2.</source>
        <translation>Die Datei `%1` kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>`%1` is not a chart: it holds binary data, not text.</source>
        <translation>`%1` ist kein Chart: die Datei enthält Binärdaten, keinen Text.</translation>
    </message>
    <message>
        <source>`%1` has a line of %2 characters: Kaz opens charts whose lines are at most %3 characters long, so that typing stays quick. Break the line, or check the chart with kaz-cli.</source>
        <translation>`%1` hat eine Zeile mit %2 Zeichen: Kaz öffnet Charts, deren Zeilen höchstens %3 Zeichen lang sind, damit das Tippen flüssig bleibt. Teilen Sie die Zeile, oder prüfen Sie das Chart mit kaz-cli.</translation>
    </message>
    <message>
        <source>Cannot save file `%1`: it is not a regular file.</source>
        <translation>Die Datei `%1` kann nicht gespeichert werden: sie ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>Cannot save file `%1`: what it holds could not be kept in `%2` before writing over it (%3). The file on disk is as it was.</source>
        <translation>Die Datei `%1` kann nicht gespeichert werden: ihr Inhalt konnte vor dem Überschreiben nicht in `%2` gesichert werden (%3). Die Datei auf der Festplatte ist unverändert.</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>sie ist zu groß</translation>
    </message>
    <message>
        <source>Cannot save file `%1`: %2. The file may be damaged; what it held before is kept in `%3`.</source>
        <translation>Die Datei `%1` kann nicht gespeichert werden: %2. Die Datei kann beschädigt sein; ihr voriger Inhalt ist in `%3` gesichert.</translation>
    </message>
    <message>
        <source>What `%1` held before it was saved can no longer be read from `%2`.</source>
        <translation>Was `%1` vor dem Speichern enthielt, kann nicht mehr aus `%2` gelesen werden.</translation>
    </message>
</context>
<context>
    <name>ChartRecovery</name>
    <message>
        <source>The text is too large to be a chart: Kaz opens charts of up to %1 MB.</source>
        <translation>Der Text ist zu groß für ein Chart: Kaz öffnet Charts bis %1 MB.</translation>
    </message>
    <message>
        <source>The text has a line of %1 characters: Kaz opens charts whose lines are at most %2 characters long, so that typing stays quick.</source>
        <translation>Der Text hat eine Zeile mit %1 Zeichen: Kaz öffnet Charts, deren Zeilen höchstens %2 Zeichen lang sind, damit das Tippen flüssig bleibt.</translation>
    </message>
    <message>
        <source>It cannot be read: %1.</source>
        <translation>Es kann nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>The file is too large to hold a chart: Kaz opens charts of up to %1 MB.</source>
        <translation>Die Datei ist zu groß für ein Chart: Kaz öffnet Charts bis %1 MB.</translation>
    </message>
    <message>
        <source>`%1`: %2</source>
        <translation>`%1`: %2</translation>
    </message>
</context>
<context>
    <name>CoreMessages</name>
    <message>
        <source>Nothing to play</source>
        <translation>Nichts zu spielen</translation>
    </message>
    <message>
        <source>Unexpected symbol</source>
        <translation>Unerwartetes Zeichen</translation>
    </message>
    <message>
        <source>Unknown chord</source>
        <translation>Unbekannter Akkord</translation>
    </message>
    <message>
        <source>B/Bb/H ambiguity</source>
        <translation>B/Bb/H mehrdeutig</translation>
    </message>
    <message>
        <source>Unknown style</source>
        <translation>Unbekannter Begleitstil</translation>
    </message>
    <message>
        <source>Multiple meter</source>
        <translation>Mehrfache Taktart</translation>
    </message>
    <message>
        <source>Invalid meter</source>
        <translation>Ungültige Taktart</translation>
    </message>
    <message>
        <source>Multiple tempo</source>
        <translation>Mehrfaches Tempo</translation>
    </message>
    <message>
        <source>Invalid tempo</source>
        <translation>Ungültiges Tempo</translation>
    </message>
    <message>
        <source>Invalid ending</source>
        <translation>Ungültige Volta</translation>
    </message>
    <message>
        <source>Invalid repeat count</source>
        <translation>Ungültige Anzahl der Wiederholungen</translation>
    </message>
    <message>
        <source>No measure before this mark</source>
        <translation>Kein Takt vor diesem Zeichen</translation>
    </message>
    <message>
        <source>No measure after this mark</source>
        <translation>Kein Takt nach diesem Zeichen</translation>
    </message>
    <message>
        <source>Nothing to repeat</source>
        <translation>Nichts zu wiederholen</translation>
    </message>
    <message>
        <source>Repeat count without a repeat</source>
        <translation>Anzahl der Wiederholungen ohne Wiederholung</translation>
    </message>
    <message>
        <source>Repeat without an end</source>
        <translation>Wiederholung ohne Ende</translation>
    </message>
    <message>
        <source>Repeat inside a repeat</source>
        <translation>Wiederholung in einer Wiederholung</translation>
    </message>
    <message>
        <source>Repeat sign in the last ending</source>
        <translation>Wiederholungszeichen in der letzten Volta</translation>
    </message>
    <message>
        <source>Repeat count against the endings</source>
        <translation>Anzahl der Wiederholungen passt nicht zu den Volten</translation>
    </message>
    <message>
        <source>Ending without a repeat</source>
        <translation>Volta ohne Wiederholung</translation>
    </message>
    <message>
        <source>Ending out of order</source>
        <translation>Volta in falscher Reihenfolge</translation>
    </message>
    <message>
        <source>Second segno</source>
        <translation>Zweites Segno</translation>
    </message>
    <message>
        <source>Second coda</source>
        <translation>Zweite Coda</translation>
    </message>
    <message>
        <source>To Coda without a coda</source>
        <translation>To Coda ohne Coda</translation>
    </message>
    <message>
        <source>D.S. without a segno</source>
        <translation>D.S. ohne Segno</translation>
    </message>
    <message>
        <source>Jump to a coda without To Coda and coda</source>
        <translation>Sprung zur Coda ohne To Coda und Coda</translation>
    </message>
    <message>
        <source>Jump to a fine without one</source>
        <translation>Sprung zum Fine ohne Fine</translation>
    </message>
    <message>
        <source>The form plays more than %1 measures</source>
        <translation>Die Form spielt mehr als %1 Takte</translation>
    </message>
    <message>
        <source>Plays %1 with a lowered seventh (the sixth); for %1 minor seventh write %2</source>
        <translation>Spielt %1 mit erniedrigter Septime (der Sexte); für %1-Moll mit kleiner Septime schreiben Sie %2</translation>
    </message>
    <message>
        <source>Plays %17 with a flat ninth; for %1 minor ninth write %2</source>
        <translation>Spielt %17 mit kleiner None; für %1-Moll mit None schreiben Sie %2</translation>
    </message>
    <message>
        <source>Plays %1 major seventh; for %17 with a raised fifth write %2</source>
        <translation>Spielt %1 mit großer Septime; für %17 mit übermäßiger Quinte schreiben Sie %2</translation>
    </message>
    <message>
        <source>Plays %1 minor seventh; for the %1 minor triad write %2</source>
        <translation>Spielt %1-Moll mit kleiner Septime; für den %1-Moll-Dreiklang schreiben Sie %2</translation>
    </message>
    <message>
        <source>After a jump, % plays the chords of measure %1, written before it, not those played before the jump; write out the chords to play those</source>
        <translation>Nach einem Sprung spielt % die Akkorde von Takt %1, der davor steht, nicht die vor dem Sprung gespielten; schreiben Sie die Akkorde aus, um jene zu spielen</translation>
    </message>
    <message>
        <source>After a jump, % repeats nothing: no measure is written before it; write out the chords to play</source>
        <translation>Nach einem Sprung wiederholt % nichts: davor steht kein Takt; schreiben Sie die zu spielenden Akkorde aus</translation>
    </message>
    <message>
        <source>Built-in suffixes</source>
        <translation>Eingebaute Endungen</translation>
    </message>
    <message>
        <source>Alterations, after any built-in suffix</source>
        <translation>Alterationen, nach jeder eingebauten Endung</translation>
    </message>
    <message>
        <source>Everyday spellings (alterations in any order, with or without parentheses)</source>
        <translation>Übliche Schreibweisen (Alterationen in beliebiger Reihenfolge, mit oder ohne Klammern)</translation>
    </message>
    <message>
        <source>Other ways to write them</source>
        <translation>Andere Schreibweisen</translation>
    </message>
    <message>
        <source>as %1</source>
        <translation>wie %1</translation>
    </message>
    <message>
        <source>Δ, ^, M, ma, ø, h, alt alone</source>
        <translation>Δ, ^, M, ma, ø, h, alt allein</translation>
    </message>
    <message>
        <source>with the seventh they imply: CΔ is Cmaj7, Cø Cm7b5, Calt C7alt</source>
        <translation>mit der Septime, die sie meinen: CΔ ist Cmaj7, Cø Cm7b5, Calt C7alt</translation>
    </message>
    <message>
        <source>No chord</source>
        <translation>Kein Akkord</translation>
    </message>
    <message>
        <source>nothing, like a rest</source>
        <translation>nichts, wie eine Pause</translation>
    </message>
    <message>
        <source>Comping</source>
        <translation>Begleitung</translation>
    </message>
    <message>
        <source>Bass</source>
        <translation>Bass</translation>
    </message>
    <message>
        <source>Guitar</source>
        <translation>Gitarre</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Flächen</translation>
    </message>
    <message>
        <source>Drums</source>
        <translation>Schlagzeug</translation>
    </message>
    <message>
        <source>Invalid key</source>
        <translation>Ungültige Tonart</translation>
    </message>
    <message>
        <source>A mark written wrong (write %1)</source>
        <translation>Ein falsch geschriebenes Zeichen (schreiben Sie %1)</translation>
    </message>
    <message>
        <source>A German note name in English notation (write %1, or choose German notation)</source>
        <translation>Ein deutscher Tonname in englischer Schreibweise (schreiben Sie %1, oder wählen Sie deutsche Tonnamen)</translation>
    </message>
    <message>
        <source>A lowercase minor chord in English notation (write %1, or choose German notation)</source>
        <translation>Ein kleingeschriebener Mollakkord in englischer Schreibweise (schreiben Sie %1, oder wählen Sie deutsche Tonnamen)</translation>
    </message>
    <message>
        <source>A key, not a chord (write %1 for the chord, [KEY=%2] for the key)</source>
        <translation>Eine Tonart, kein Akkord (schreiben Sie %1 für den Akkord, [KEY=%2] für die Tonart)</translation>
    </message>
    <message>
        <source>B read as B natural (English notation); write Bb, or choose German notation</source>
        <translation>B als H gelesen (englische Tonnamen); schreiben Sie Bb, oder wählen Sie deutsche Tonnamen</translation>
    </message>
    <message>
        <source>B read as B flat (German notation); write H for B natural, or choose English notation</source>
        <translation>B als B (Bb) gelesen (deutsche Tonnamen); schreiben Sie H für H, oder wählen Sie englische Tonnamen</translation>
    </message>
    <message>
        <source>the change to the style %1 at measure %2</source>
        <translation>der Wechsel zum Stil %1 in Takt %2</translation>
    </message>
    <message>
        <source>the chart&apos;s own chord shape of %1, written as %2</source>
        <translation>der eigene Akkordaufbau des Charts für %1, geschrieben als %2</translation>
    </message>
    <message>
        <source>the meter %1 of measure %2, which has no sign in the format</source>
        <translation>die Taktart %1 in Takt %2, für die das Format kein Zeichen hat</translation>
    </message>
    <message>
        <source>the chord %1, written as %2</source>
        <translation>der Akkord %1, geschrieben als %2</translation>
    </message>
    <message>
        <source>the chord %1, read back as %2</source>
        <translation>der Akkord %1, zurückgelesen als %2</translation>
    </message>
    <message>
        <source>the hold (=) in measure %1, written as the chord before it played longer</source>
        <translation>das Halten (=) in Takt %1, geschrieben als der Akkord davor, länger gespielt</translation>
    </message>
    <message>
        <source>the audio renderer cannot be loaded: %1</source>
        <translation>die Audioausgabe kann nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>the tempo must be positive</source>
        <translation>das Tempo muss größer als null sein</translation>
    </message>
    <message>
        <source>the song is too long for a WAV file</source>
        <translation>der Song ist zu lang für eine WAV-Datei</translation>
    </message>
    <message>
        <source>the installed sound file library cannot write FLAC</source>
        <translation>die installierte Audiodatei-Bibliothek kann kein FLAC schreiben</translation>
    </message>
    <message>
        <source>no General MIDI SoundFont found (set KAZ_SOUNDFONT to a .sf2 file)</source>
        <translation>kein General-MIDI-SoundFont gefunden (KAZ_SOUNDFONT auf eine .sf2-Datei setzen)</translation>
    </message>
    <message>
        <source>cannot load the SoundFont &apos;%1&apos;</source>
        <translation>der SoundFont &apos;%1&apos; kann nicht geladen werden</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: the FLAC stream failed</source>
        <translation>&apos;%1&apos; kann nicht geschrieben werden: der FLAC-Datenstrom ist abgebrochen</translation>
    </message>
    <message>
        <source>Cannot open MIDI device!</source>
        <translation>Das MIDI-Gerät lässt sich nicht öffnen!</translation>
    </message>
    <message>
        <source>the ending %1 in measure %2</source>
        <translation>die Klammer %1 in Takt %2</translation>
    </message>
    <message>
        <source>the segno in measure %1</source>
        <translation>das Segno in Takt %1</translation>
    </message>
    <message>
        <source>the coda sign in measure %1</source>
        <translation>das Coda-Zeichen in Takt %1</translation>
    </message>
    <message>
        <source>%1 in measure %2</source>
        <translation>%1 in Takt %2</translation>
    </message>
    <message>
        <source>the repeat played %1 times in measure %2</source>
        <translation>die Wiederholung, %1-mal gespielt, in Takt %2</translation>
    </message>
    <message>
        <source>the repeat sign of the sung measure %1</source>
        <translation>das Wiederholungszeichen des gesungenen Takts %1</translation>
    </message>
    <message>
        <source>the bar lines of the sung measure %1, whose chords are read back a measure each</source>
        <translation>die Taktstriche des gesungenen Takts %1, dessen Akkorde beim Zurücklesen je einen Takt bekommen</translation>
    </message>
    <message>
        <source>the words under measure %1, which stand under no chord</source>
        <translation>der Text unter Takt %1, der unter keinem Akkord steht</translation>
    </message>
    <message>
        <source>the style %1, which ChordPro does not name</source>
        <translation>der Stil %1, den ChordPro nicht benennt</translation>
    </message>
    <message>
        <source>line %1: %2 is not a key (write it like [KEY=Eb] or [KEY=F#m])</source>
        <translation>Zeile %1: %2 ist keine Tonart (schreiben Sie etwa [KEY=Eb] oder [KEY=F#m])</translation>
    </message>
    <message>
        <source>line %1: %2 is not a tempo from %3 to %4</source>
        <translation>Zeile %1: %2 ist kein Tempo von %3 bis %4</translation>
    </message>
    <message>
        <source>line %1: %2 is no mark of a set list ([KEY=…] or [TEMPO=…])</source>
        <translation>Zeile %1: %2 ist keine Marke einer Setliste ([KEY=…] oder [TEMPO=…])</translation>
    </message>
    <message>
        <source>no chords found in the ChordPro file</source>
        <translation>keine Akkorde in der ChordPro-Datei gefunden</translation>
    </message>
    <message>
        <source>no iReal Pro link found</source>
        <translation>kein iReal-Pro-Link gefunden</translation>
    </message>
    <message>
        <source>no song could be read: %1</source>
        <translation>kein Lied konnte gelesen werden: %1</translation>
    </message>
    <message>
        <source>a Kaz chart already; open it as it is</source>
        <translation>schon ein Kaz-Chart; öffnen Sie es, wie es ist</translation>
    </message>
    <message>
        <source>not an iReal Pro link, a MusicXML file, a ChordPro file or a chord sheet</source>
        <translation>weder ein iReal-Pro-Link noch eine MusicXML-Datei, eine ChordPro-Datei oder ein Akkordblatt</translation>
    </message>
    <message>
        <source>not well-formed XML at byte %1: %2</source>
        <translation>kein wohlgeformtes XML bei Byte %1: %2</translation>
    </message>
    <message>
        <source>not a MusicXML score</source>
        <translation>keine MusicXML-Partitur</translation>
    </message>
    <message>
        <source>the MusicXML score has no chord symbols</source>
        <translation>die MusicXML-Partitur hat keine Akkordsymbole</translation>
    </message>
    <message>
        <source>the MusicXML score has no parts</source>
        <translation>die MusicXML-Partitur hat keine Stimmen</translation>
    </message>
    <message>
        <source>the compressed MusicXML file cannot be read</source>
        <translation>die komprimierte MusicXML-Datei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>not a readable compressed MusicXML (.mxl) file</source>
        <translation>keine lesbare komprimierte MusicXML-Datei (.mxl)</translation>
    </message>
    <message>
        <source>the compressed MusicXML file holds no score</source>
        <translation>die komprimierte MusicXML-Datei enthält keine Partitur</translation>
    </message>
    <message>
        <source>the archive has no readable %1</source>
        <translation>das Archiv enthält kein lesbares %1</translation>
    </message>
    <message>
        <source>the archive&apos;s %1 cannot be unpacked</source>
        <translation>%1 im Archiv kann nicht entpackt werden</translation>
    </message>
    <message>
        <source>the archive unpacks to more than %1 MiB, far more than a song</source>
        <translation>das Archiv entpackt sich zu mehr als %1 MiB, weit mehr als ein Lied</translation>
    </message>
    <message>
        <source>the page layout (%1)</source>
        <translation>das Seitenlayout (%1)</translation>
    </message>
    <message>
        <source>the directives Kaz does not know (%1)</source>
        <translation>die Direktiven, die Kaz nicht kennt (%1)</translation>
    </message>
    <message>
        <source>chord names Kaz does not read, kept in the words (%1)</source>
        <translation>Akkordnamen, die Kaz nicht liest, im Text behalten (%1)</translation>
    </message>
    <message>
        <source>the chord diagrams ({%1})</source>
        <translation>die Griffbilder ({%1})</translation>
    </message>
    <message>
        <source>the %1 music in line %2</source>
        <translation>die %1-Noten in Zeile %2</translation>
    </message>
    <message>
        <source>{chorus} in line %1 before any chorus with chords</source>
        <translation>{chorus} in Zeile %1 vor jedem Refrain mit Akkorden</translation>
    </message>
    <message>
        <source>what Kaz cannot play of the chord %1 (it plays %2)</source>
        <translation>was Kaz vom Akkord %1 nicht spielen kann (es spielt %2)</translation>
    </message>
    <message>
        <source>song %1 is cut short</source>
        <translation>Lied %1 ist abgeschnitten</translation>
    </message>
    <message>
        <source>song %1 has music in an unknown encoding</source>
        <translation>Lied %1 hat Noten in einer unbekannten Kodierung</translation>
    </message>
    <message>
        <source>chord symbols written without a root (as functions or numerals)</source>
        <translation>Akkordsymbole ohne Grundton (als Funktionen oder Stufen)</translation>
    </message>
    <message>
        <source>a repeat played %1 times, which the chart plays %2 times</source>
        <translation>eine Wiederholung, %1-mal gespielt, die das Chart %2-mal spielt</translation>
    </message>
    <message>
        <source>the chord symbols of the part %1 where they differ from those of %2</source>
        <translation>die Akkordsymbole der Stimme %1, wo sie von denen von %2 abweichen</translation>
    </message>
    <message>
        <source>a second coda sign in measure %1</source>
        <translation>ein zweites Coda-Zeichen in Takt %1</translation>
    </message>
    <message>
        <source>a second segno in measure %1</source>
        <translation>ein zweites Segno in Takt %1</translation>
    </message>
    <message>
        <source>a second &quot;To Coda&quot; in measure %1</source>
        <translation>ein zweites „To Coda“ in Takt %1</translation>
    </message>
    <message>
        <source>&quot;To Coda&quot; without a coda in measure %1</source>
        <translation>„To Coda“ ohne Coda in Takt %1</translation>
    </message>
    <message>
        <source>a D.S. without a segno in measure %1</source>
        <translation>ein D.S. ohne Segno in Takt %1</translation>
    </message>
    <message>
        <source>the &quot;%1&quot; of the %2 in measure %3, whose sign the song does not have</source>
        <translation>das „%1“ des %2 in Takt %3, dessen Zeichen das Lied nicht hat</translation>
    </message>
    <message>
        <source>a repeat sign that opens in an ending in measure %1</source>
        <translation>ein Wiederholungszeichen, das in einer Klammer beginnt, in Takt %1</translation>
    </message>
    <message>
        <source>the ending %1 after the ending %2. in measure %3</source>
        <translation>die Klammer %1 nach der Klammer %2. in Takt %3</translation>
    </message>
    <message>
        <source>a repeat sign inside a repeat in measure %1</source>
        <translation>ein Wiederholungszeichen in einer Wiederholung in Takt %1</translation>
    </message>
    <message>
        <source>a repeat sign at the end of the last ending in measure %1</source>
        <translation>ein Wiederholungszeichen am Ende der letzten Klammer in Takt %1</translation>
    </message>
    <message>
        <source>a repeat sign that no repeat sign closes in measure %1</source>
        <translation>ein Wiederholungszeichen, das kein Wiederholungszeichen schließt, in Takt %1</translation>
    </message>
    <message>
        <source>the ending %1 without a repeat sign in measure %2</source>
        <translation>die Klammer %1 ohne Wiederholungszeichen in Takt %2</translation>
    </message>
    <message>
        <source>song %1 (untitled)</source>
        <translation>Lied %1 (ohne Titel)</translation>
    </message>
    <message>
        <source>is larger than a chart can be (%1 MiB)</source>
        <translation>ist größer, als ein Chart sein kann (%1 MiB)</translation>
    </message>
    <message>
        <source>has a line of %1 characters, and a chart&apos;s lines hold at most %2</source>
        <translation>hat eine Zeile von %1 Zeichen, und die Zeilen eines Charts fassen höchstens %2</translation>
    </message>
    <message>
        <source>does not compile: line %1: %3: `%2`</source>
        <translation>lässt sich nicht lesen: Zeile %1: %3: `%2`</translation>
    </message>
    <message>
        <source>does not compile: %1</source>
        <translation>lässt sich nicht lesen: %1</translation>
    </message>
    <message>
        <source>has no chord to play</source>
        <translation>hat keinen Akkord zum Spielen</translation>
    </message>
</context>
<context>
    <name>FastInputDialog</name>
    <message>
        <source>Fast input</source>
        <translation>Schnelleingabe</translation>
    </message>
    <message>
        <source>Ctrl+&amp;1:</source>
        <translation>Strg+&amp;1:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;2:</source>
        <translation>Strg+&amp;2:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;3:</source>
        <translation>Strg+&amp;3:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;4:</source>
        <translation>Strg+&amp;4:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;5:</source>
        <translation>Strg+&amp;5:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;6:</source>
        <translation>Strg+&amp;6:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;7:</source>
        <translation>Strg+&amp;7:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;8:</source>
        <translation>Strg+&amp;8:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;9:</source>
        <translation>Strg+&amp;9:</translation>
    </message>
    <message>
        <source>Ctrl+&amp;0:</source>
        <translation>Strg+&amp;0:</translation>
    </message>
</context>
<context>
    <name>GeneralMidi</name>
    <message>
        <source>Acoustic Grand Piano</source>
        <translation>Konzertflügel</translation>
    </message>
    <message>
        <source>Bright Acoustic Piano</source>
        <translation>Heller Flügel</translation>
    </message>
    <message>
        <source>Electric Grand Piano</source>
        <translation>Elektrischer Flügel</translation>
    </message>
    <message>
        <source>Honky-tonk Piano</source>
        <translation>Honky-Tonk-Klavier</translation>
    </message>
    <message>
        <source>Electric Piano 1</source>
        <translation>E-Piano 1</translation>
    </message>
    <message>
        <source>Electric Piano 2</source>
        <translation>E-Piano 2</translation>
    </message>
    <message>
        <source>Harpsichord</source>
        <translation>Cembalo</translation>
    </message>
    <message>
        <source>Clavi</source>
        <translation>Clavinet</translation>
    </message>
    <message>
        <source>Celesta</source>
        <translation>Celesta</translation>
    </message>
    <message>
        <source>Glockenspiel</source>
        <translation>Glockenspiel</translation>
    </message>
    <message>
        <source>Music Box</source>
        <translation>Spieldose</translation>
    </message>
    <message>
        <source>Vibraphone</source>
        <translation>Vibraphon</translation>
    </message>
    <message>
        <source>Marimba</source>
        <translation>Marimba</translation>
    </message>
    <message>
        <source>Xylophone</source>
        <translation>Xylophon</translation>
    </message>
    <message>
        <source>Tubular Bells</source>
        <translation>Röhrenglocken</translation>
    </message>
    <message>
        <source>Dulcimer</source>
        <translation>Hackbrett</translation>
    </message>
    <message>
        <source>Drawbar Organ</source>
        <translation>Zugriegelorgel</translation>
    </message>
    <message>
        <source>Percussive Organ</source>
        <translation>Perkussive Orgel</translation>
    </message>
    <message>
        <source>Rock Organ</source>
        <translation>Rockorgel</translation>
    </message>
    <message>
        <source>Church Organ</source>
        <translation>Kirchenorgel</translation>
    </message>
    <message>
        <source>Reed Organ</source>
        <translation>Harmonium</translation>
    </message>
    <message>
        <source>Accordion</source>
        <translation>Akkordeon</translation>
    </message>
    <message>
        <source>Harmonica</source>
        <translation>Mundharmonika</translation>
    </message>
    <message>
        <source>Tango Accordion</source>
        <translation>Bandoneon</translation>
    </message>
    <message>
        <source>Acoustic Guitar (nylon)</source>
        <translation>Konzertgitarre (Nylon)</translation>
    </message>
    <message>
        <source>Acoustic Guitar (steel)</source>
        <translation>Westerngitarre (Stahl)</translation>
    </message>
    <message>
        <source>Electric Guitar (jazz)</source>
        <translation>E-Gitarre (Jazz)</translation>
    </message>
    <message>
        <source>Electric Guitar (clean)</source>
        <translation>E-Gitarre (clean)</translation>
    </message>
    <message>
        <source>Electric Guitar (muted)</source>
        <translation>E-Gitarre (gedämpft)</translation>
    </message>
    <message>
        <source>Overdriven Guitar</source>
        <translation>Übersteuerte Gitarre</translation>
    </message>
    <message>
        <source>Distortion Guitar</source>
        <translation>Verzerrte Gitarre</translation>
    </message>
    <message>
        <source>Guitar harmonics</source>
        <translation>Gitarrenflageolett</translation>
    </message>
    <message>
        <source>Acoustic Bass</source>
        <translation>Akustischer Bass</translation>
    </message>
    <message>
        <source>Electric Bass (finger)</source>
        <translation>E-Bass (Finger)</translation>
    </message>
    <message>
        <source>Electric Bass (pick)</source>
        <translation>E-Bass (Plektrum)</translation>
    </message>
    <message>
        <source>Fretless Bass</source>
        <translation>Bundloser Bass</translation>
    </message>
    <message>
        <source>Slap Bass 1</source>
        <translation>Slapbass 1</translation>
    </message>
    <message>
        <source>Slap Bass 2</source>
        <translation>Slapbass 2</translation>
    </message>
    <message>
        <source>Synth Bass 1</source>
        <translation>Synthiebass 1</translation>
    </message>
    <message>
        <source>Synth Bass 2</source>
        <translation>Synthiebass 2</translation>
    </message>
    <message>
        <source>Violin</source>
        <translation>Violine</translation>
    </message>
    <message>
        <source>Viola</source>
        <translation>Bratsche</translation>
    </message>
    <message>
        <source>Cello</source>
        <translation>Cello</translation>
    </message>
    <message>
        <source>Contrabass</source>
        <translation>Kontrabass</translation>
    </message>
    <message>
        <source>Tremolo Strings</source>
        <translation>Streicher-Tremolo</translation>
    </message>
    <message>
        <source>Pizzicato Strings</source>
        <translation>Streicher-Pizzicato</translation>
    </message>
    <message>
        <source>Orchestral Harp</source>
        <translation>Orchesterharfe</translation>
    </message>
    <message>
        <source>Timpani</source>
        <translation>Pauken</translation>
    </message>
    <message>
        <source>String Ensemble 1</source>
        <translation>Streicherensemble 1</translation>
    </message>
    <message>
        <source>String Ensemble 2</source>
        <translation>Streicherensemble 2</translation>
    </message>
    <message>
        <source>SynthStrings 1</source>
        <translation>Synthiestreicher 1</translation>
    </message>
    <message>
        <source>SynthStrings 2</source>
        <translation>Synthiestreicher 2</translation>
    </message>
    <message>
        <source>Choir Aahs</source>
        <translation>Chor Aahs</translation>
    </message>
    <message>
        <source>Voice Oohs</source>
        <translation>Stimme Oohs</translation>
    </message>
    <message>
        <source>Synth Voice</source>
        <translation>Synthiestimme</translation>
    </message>
    <message>
        <source>Orchestra Hit</source>
        <translation>Orchesterschlag</translation>
    </message>
    <message>
        <source>Trumpet</source>
        <translation>Trompete</translation>
    </message>
    <message>
        <source>Trombone</source>
        <translation>Posaune</translation>
    </message>
    <message>
        <source>Tuba</source>
        <translation>Tuba</translation>
    </message>
    <message>
        <source>Muted Trumpet</source>
        <translation>Gedämpfte Trompete</translation>
    </message>
    <message>
        <source>French Horn</source>
        <translation>Waldhorn</translation>
    </message>
    <message>
        <source>Brass Section</source>
        <translation>Blechbläsersatz</translation>
    </message>
    <message>
        <source>SynthBrass 1</source>
        <translation>Synthieblech 1</translation>
    </message>
    <message>
        <source>SynthBrass 2</source>
        <translation>Synthieblech 2</translation>
    </message>
    <message>
        <source>Soprano Sax</source>
        <translation>Sopransaxophon</translation>
    </message>
    <message>
        <source>Alto Sax</source>
        <translation>Altsaxophon</translation>
    </message>
    <message>
        <source>Tenor Sax</source>
        <translation>Tenorsaxophon</translation>
    </message>
    <message>
        <source>Baritone Sax</source>
        <translation>Baritonsaxophon</translation>
    </message>
    <message>
        <source>Oboe</source>
        <translation>Oboe</translation>
    </message>
    <message>
        <source>English Horn</source>
        <translation>Englischhorn</translation>
    </message>
    <message>
        <source>Bassoon</source>
        <translation>Fagott</translation>
    </message>
    <message>
        <source>Clarinet</source>
        <translation>Klarinette</translation>
    </message>
    <message>
        <source>Piccolo</source>
        <translation>Piccoloflöte</translation>
    </message>
    <message>
        <source>Flute</source>
        <translation>Querflöte</translation>
    </message>
    <message>
        <source>Recorder</source>
        <translation>Blockflöte</translation>
    </message>
    <message>
        <source>Pan Flute</source>
        <translation>Panflöte</translation>
    </message>
    <message>
        <source>Blown Bottle</source>
        <translation>Flaschenblasen</translation>
    </message>
    <message>
        <source>Shakuhachi</source>
        <translation>Shakuhachi</translation>
    </message>
    <message>
        <source>Whistle</source>
        <translation>Pfeifen</translation>
    </message>
    <message>
        <source>Ocarina</source>
        <translation>Okarina</translation>
    </message>
    <message>
        <source>Lead 1 (square)</source>
        <translation>Lead 1 (Rechteck)</translation>
    </message>
    <message>
        <source>Lead 2 (sawtooth)</source>
        <translation>Lead 2 (Sägezahn)</translation>
    </message>
    <message>
        <source>Lead 3 (calliope)</source>
        <translation>Lead 3 (Calliope)</translation>
    </message>
    <message>
        <source>Lead 4 (chiff)</source>
        <translation>Lead 4 (Chiff)</translation>
    </message>
    <message>
        <source>Lead 5 (charang)</source>
        <translation>Lead 5 (Charang)</translation>
    </message>
    <message>
        <source>Lead 6 (voice)</source>
        <translation>Lead 6 (Stimme)</translation>
    </message>
    <message>
        <source>Lead 7 (fifths)</source>
        <translation>Lead 7 (Quinten)</translation>
    </message>
    <message>
        <source>Lead 8 (bass + lead)</source>
        <translation>Lead 8 (Bass + Lead)</translation>
    </message>
    <message>
        <source>Pad 1 (new age)</source>
        <translation>Pad 1 (New Age)</translation>
    </message>
    <message>
        <source>Pad 2 (warm)</source>
        <translation>Pad 2 (warm)</translation>
    </message>
    <message>
        <source>Pad 3 (polysynth)</source>
        <translation>Pad 3 (Polysynth)</translation>
    </message>
    <message>
        <source>Pad 4 (choir)</source>
        <translation>Pad 4 (Chor)</translation>
    </message>
    <message>
        <source>Pad 5 (bowed)</source>
        <translation>Pad 5 (gestrichen)</translation>
    </message>
    <message>
        <source>Pad 6 (metallic)</source>
        <translation>Pad 6 (metallisch)</translation>
    </message>
    <message>
        <source>Pad 7 (halo)</source>
        <translation>Pad 7 (Halo)</translation>
    </message>
    <message>
        <source>Pad 8 (sweep)</source>
        <translation>Pad 8 (Sweep)</translation>
    </message>
    <message>
        <source>FX 1 (rain)</source>
        <translation>FX 1 (Regen)</translation>
    </message>
    <message>
        <source>FX 2 (soundtrack)</source>
        <translation>FX 2 (Soundtrack)</translation>
    </message>
    <message>
        <source>FX 3 (crystal)</source>
        <translation>FX 3 (Kristall)</translation>
    </message>
    <message>
        <source>FX 4 (atmosphere)</source>
        <translation>FX 4 (Atmosphäre)</translation>
    </message>
    <message>
        <source>FX 5 (brightness)</source>
        <translation>FX 5 (Helligkeit)</translation>
    </message>
    <message>
        <source>FX 6 (goblins)</source>
        <translation>FX 6 (Kobolde)</translation>
    </message>
    <message>
        <source>FX 7 (echoes)</source>
        <translation>FX 7 (Echos)</translation>
    </message>
    <message>
        <source>FX 8 (sci-fi)</source>
        <translation>FX 8 (Science-Fiction)</translation>
    </message>
    <message>
        <source>Sitar</source>
        <translation>Sitar</translation>
    </message>
    <message>
        <source>Banjo</source>
        <translation>Banjo</translation>
    </message>
    <message>
        <source>Shamisen</source>
        <translation>Shamisen</translation>
    </message>
    <message>
        <source>Koto</source>
        <translation>Koto</translation>
    </message>
    <message>
        <source>Kalimba</source>
        <translation>Kalimba</translation>
    </message>
    <message>
        <source>Bag pipe</source>
        <translation>Dudelsack</translation>
    </message>
    <message>
        <source>Fiddle</source>
        <translation>Fiedel</translation>
    </message>
    <message>
        <source>Shanai</source>
        <translation>Shanai</translation>
    </message>
    <message>
        <source>Tinkle Bell</source>
        <translation>Glöckchen</translation>
    </message>
    <message>
        <source>Agogo</source>
        <translation>Agogo</translation>
    </message>
    <message>
        <source>Steel Drums</source>
        <translation>Steeldrums</translation>
    </message>
    <message>
        <source>Woodblock</source>
        <translation>Holzblock</translation>
    </message>
    <message>
        <source>Taiko Drum</source>
        <translation>Taiko-Trommel</translation>
    </message>
    <message>
        <source>Melodic Tom</source>
        <translation>Melodisches Tom</translation>
    </message>
    <message>
        <source>Synth Drum</source>
        <translation>Synthietrommel</translation>
    </message>
    <message>
        <source>Reverse Cymbal</source>
        <translation>Rückwärtsbecken</translation>
    </message>
    <message>
        <source>Guitar Fret Noise</source>
        <translation>Gitarren-Griffgeräusch</translation>
    </message>
    <message>
        <source>Breath Noise</source>
        <translation>Atemgeräusch</translation>
    </message>
    <message>
        <source>Seashore</source>
        <translation>Meeresrauschen</translation>
    </message>
    <message>
        <source>Bird Tweet</source>
        <translation>Vogelgezwitscher</translation>
    </message>
    <message>
        <source>Telephone Ring</source>
        <translation>Telefonklingeln</translation>
    </message>
    <message>
        <source>Helicopter</source>
        <translation>Hubschrauber</translation>
    </message>
    <message>
        <source>Applause</source>
        <translation>Applaus</translation>
    </message>
    <message>
        <source>Gunshot</source>
        <translation>Schuss</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Create a new chart</source>
        <translation>Ein neues Chart anlegen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open an existing chart</source>
        <translation>Ein vorhandenes Chart öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save the chart</source>
        <translation>Das Chart speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the chart with a new name</source>
        <translation>Das Chart unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>Export to &amp;MIDI</source>
        <translation>Als &amp;MIDI exportieren</translation>
    </message>
    <message>
        <source>Export the score in MIDI format</source>
        <translation>Das Arrangement als MIDI-Datei exportieren</translation>
    </message>
    <message>
        <source>Export to A&amp;udio...</source>
        <translation>Als &amp;Audio exportieren...</translation>
    </message>
    <message>
        <source>Render the score through the built-in synthesizer into a WAV or FLAC file</source>
        <translation>Das Arrangement mit dem eingebauten Synthesizer in eine WAV- oder FLAC-Datei aufnehmen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit Kaz; asks to save the chart first</source>
        <translation>Kaz beenden; fragt vorher, ob das Chart gespeichert werden soll</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>Die letzte Änderung zurücknehmen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the clipboard</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the clipboard</source>
        <translation>Die Auswahl in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Ein&amp;fügen</translation>
    </message>
    <message>
        <source>Insert the clipboard&apos;s contents</source>
        <translation>Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>&amp;Transpose</source>
        <translation>&amp;Transponieren</translation>
    </message>
    <message>
        <source>Transpose the score</source>
        <translation>Das Stück transponieren</translation>
    </message>
    <message>
        <source>&amp;Check as you type</source>
        <translation>Beim &amp;Tippen prüfen</translation>
    </message>
    <message>
        <source>Underline the chart&apos;s first mistake a moment after typing stops</source>
        <translation>Den ersten Fehler im Chart unterstreichen, kurz nachdem das Tippen aufhört</translation>
    </message>
    <message>
        <source>Spelling &amp;hints</source>
        <translation>Schreib&amp;hinweise</translation>
    </message>
    <message>
        <source>Mark chord spellings that most musicians mean otherwise, such as C-7</source>
        <translation>Akkordschreibweisen markieren, die die meisten Musiker anders meinen, etwa C-7</translation>
    </message>
    <message>
        <source>&amp;Chord reference</source>
        <translation>&amp;Akkordübersicht</translation>
    </message>
    <message>
        <source>List every chord spelling with the keys it plays</source>
        <translation>Jede Akkordschreibweise mit den Tönen, die sie spielt</translation>
    </message>
    <message>
        <source>&amp;Voices</source>
        <translation>&amp;Klänge</translation>
    </message>
    <message>
        <source>Set instrument voices</source>
        <translation>Die Instrumentenklänge einstellen</translation>
    </message>
    <message>
        <source>&amp;Style...</source>
        <translation>Be&amp;gleitstil...</translation>
    </message>
    <message>
        <source>Set how the band plays the accompaniment style</source>
        <translation>Einstellen, wie die Band den Begleitstil spielt</translation>
    </message>
    <message>
        <source>&amp;B/Bb/H</source>
        <translation>&amp;B/Bb/H</translation>
    </message>
    <message>
        <source>English/German notation</source>
        <translation>Englische/deutsche Tonnamen</translation>
    </message>
    <message>
        <source>&amp;Fast input</source>
        <translation>Sch&amp;nelleingabe</translation>
    </message>
    <message>
        <source>Define chord shortcuts</source>
        <translation>Tastenkürzel für Akkorde festlegen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Kaz</translation>
    </message>
    <message>
        <source>Show the program&apos;s name, version and maker</source>
        <translation>Name, Version und Hersteller des Programms zeigen</translation>
    </message>
    <message>
        <source>&amp;Homepage</source>
        <translation>&amp;Homepage</translation>
    </message>
    <message>
        <source>Find the documentation and the latest updates</source>
        <translation>Die Dokumentation und die neuesten Versionen finden</translation>
    </message>
    <message>
        <source>&amp;Velmor</source>
        <translation>&amp;Velmor</translation>
    </message>
    <message>
        <source>Please visit our website!</source>
        <translation>Besuchen Sie unsere Website!</translation>
    </message>
    <message>
        <source>Open this chart</source>
        <translation>Dieses Chart öffnen</translation>
    </message>
    <message>
        <source>Snippet %1</source>
        <translation>Baustein %1</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Vie&amp;w</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>NotationDialog</name>
    <message>
        <source>B/Bb/H</source>
        <translation>B/Bb/H</translation>
    </message>
    <message>
        <source>&amp;English (B/Bb)</source>
        <translation>&amp;Englisch (B/Bb)</translation>
    </message>
    <message>
        <source>&amp;German (H/B)</source>
        <translation>&amp;Deutsch (H/B)</translation>
    </message>
    <message>
        <source>&amp;mixed (H/Bb)</source>
        <translation>&amp;gemischt (H/Bb)</translation>
    </message>
    <message>
        <source>This &amp;chart:</source>
        <translation>Dieses &amp;Chart:</translation>
    </message>
    <message>
        <source>This chart</source>
        <translation>Dieses Chart</translation>
    </message>
</context>
<context>
    <name>PracticeLoopDialog</name>
    <message>
        <source>Practice loop</source>
        <translation>Übungsschleife</translation>
    </message>
    <message>
        <source>&amp;Faster each time by:</source>
        <translation>&amp;Jedes Mal schneller um:</translation>
    </message>
    <message>
        <source>Faster each time by</source>
        <translation>Jedes Mal schneller um</translation>
    </message>
    <message>
        <source>not at all</source>
        <translation>gar nicht</translation>
    </message>
    <message>
        <source> bpm</source>
        <translation> bpm</translation>
    </message>
    <message>
        <source>&amp;Up to:</source>
        <translation>&amp;Bis:</translation>
    </message>
    <message>
        <source>Up to</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Loop selected measures plays the measures the selection touches again and again. Each time round it can play faster, up to a tempo you choose. Each time round, it and Loop can also move the music to another key, to practise it in all twelve.</source>
        <translation>Markierte Takte in Schleife spielt die Takte, die die Auswahl berührt, immer wieder. Mit jedem Durchgang kann es schneller werden, bis zu einem Tempo Ihrer Wahl. Mit jedem Durchgang können es und die Schleife die Musik auch in eine andere Tonart rücken, um in allen zwölf zu üben.</translation>
    </message>
    <message>
        <source>&amp;Key each time round:</source>
        <translation>&amp;Tonart jedes Mal:</translation>
    </message>
    <message>
        <source>Key each time round</source>
        <translation>Tonart jedes Mal</translation>
    </message>
    <message>
        <source>Stays the same</source>
        <translation>Bleibt gleich</translation>
    </message>
    <message>
        <source>Up a fourth</source>
        <translation>Eine Quarte höher</translation>
    </message>
    <message>
        <source>Up a fifth</source>
        <translation>Eine Quinte höher</translation>
    </message>
    <message>
        <source>Up a semitone</source>
        <translation>Einen Halbton höher</translation>
    </message>
    <message>
        <source>Down a semitone</source>
        <translation>Einen Halbton tiefer</translation>
    </message>
    <message>
        <source>Up a whole tone</source>
        <translation>Einen Ganzton höher</translation>
    </message>
    <message>
        <source>Down a whole tone</source>
        <translation>Einen Ganzton tiefer</translation>
    </message>
    <message>
        <source>Up a minor third</source>
        <translation>Eine kleine Terz höher</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Chord spellings and the keys they play</source>
        <translation>Akkordschreibweisen und die Töne, die sie spielen</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Schreibweise</translation>
    </message>
    <message>
        <source>Kaz plays</source>
        <translation>Kaz spielt</translation>
    </message>
    <message>
        <source>Chord reference</source>
        <translation>Akkordübersicht</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Kaz</source>
        <translation>Kaz</translation>
    </message>
    <message>
        <source>A snippet is at most %1 characters: %2 kept the text it had.</source>
        <translation>Ein Baustein hat höchstens %1 Zeichen: %2 behält seinen bisherigen Text.</translation>
    </message>
    <message numerus="yes">
        <source>• and %n more</source>
        <translation>
            <numerusform>• und %n weiterer</numerusform>
            <numerusform>• und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Songs (%1);;All files (*)</source>
        <translation>Songs (%1);;Alle Dateien (*)</translation>
    </message>
    <message numerus="yes">
        <source>Folder for the %n charts</source>
        <translation>
            <numerusform>Ordner für das Chart</numerusform>
            <numerusform>Ordner für die %n Charts</numerusform>
        </translation>
    </message>
    <message>
        <source>The pasted text holds an iReal Pro link. Import its songs?</source>
        <translation>Der eingefügte Text enthält einen iReal-Pro-Link. Seine Songs importieren?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Kaz Files (*.kaz);;All Files (*)</source>
        <translation>Kaz-Dateien (*.kaz);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>WAV audio (*.wav)</source>
        <translation>WAV-Audio (*.wav)</translation>
    </message>
    <message>
        <source>FLAC audio (*.flac)</source>
        <translation>FLAC-Audio (*.flac)</translation>
    </message>
    <message>
        <source>Export to Audio</source>
        <translation>Als Audio exportieren</translation>
    </message>
    <message>
        <source>The settings cannot be saved in `%1`: what you change lasts until Kaz ends.</source>
        <translation>Die Einstellungen können nicht in `%1` gespeichert werden: Änderungen gelten nur, bis Kaz beendet wird.</translation>
    </message>
    <message>
        <source>The settings file `%1` is not a regular file.</source>
        <translation>Die Einstellungsdatei `%1` ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The settings file `%1` is larger than %2 KB.</source>
        <translation>Die Einstellungsdatei `%1` ist größer als %2 KB.</translation>
    </message>
    <message>
        <source>Kaz starts with its default settings, and what you change lasts until it ends.</source>
        <translation>Kaz startet mit den Standardeinstellungen, und Änderungen gelten nur, bis es beendet wird.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>The chart holds characters that its Windows-1252 file cannot store. Save it as UTF-8?</source>
        <translation>Das Chart enthält Zeichen, die seine Windows-1252-Datei nicht speichern kann. Als UTF-8 speichern?</translation>
    </message>
    <message>
        <source>%1 was changed by another program, and it has changes here too.</source>
        <translation>%1 wurde von einem anderen Programm geändert und hat auch hier Änderungen.</translation>
    </message>
    <message>
        <source>&amp;Keep mine</source>
        <translation>&amp;Meine behalten</translation>
    </message>
    <message>
        <source>&amp;Take theirs</source>
        <translation>&amp;Die anderen übernehmen</translation>
    </message>
    <message>
        <source>&amp;Save mine as...</source>
        <translation>Meine speichern &amp;unter...</translation>
    </message>
    <message>
        <source>`%1` is open in another Kaz window. Open it here for reading only?</source>
        <translation>`%1` ist in einem anderen Kaz-Fenster geöffnet. Hier nur zum Lesen öffnen?</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Kaz Files (*.kaz)</source>
        <translation>Kaz-Dateien (*.kaz)</translation>
    </message>
    <message>
        <source>Export to MIDI</source>
        <translation>Als MIDI exportieren</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid);;All Files (*.*)</source>
        <translation>MIDI-Dateien (*.mid);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Diagram</source>
        <translation>Griffbild</translation>
    </message>
    <message>
        <source>Guitar</source>
        <translation>Gitarre</translation>
    </message>
    <message>
        <source>Ukulele</source>
        <translation>Ukulele</translation>
    </message>
    <message>
        <source>Piano</source>
        <translation>Klavier</translation>
    </message>
    <message>
        <source>&amp;Diagrams for:</source>
        <translation>&amp;Griffbilder für:</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>`%1` holds no chart that Kaz can restore.</source>
        <translation>`%1` enthält kein Chart, das Kaz wiederherstellen kann.</translation>
    </message>
    <message>
        <source>The chart kept in `%1` cannot be restored. %2</source>
        <translation>Das in `%1` aufbewahrte Chart kann nicht wiederhergestellt werden. %2</translation>
    </message>
</context>
<context>
    <name>SoundingWords</name>
    <message numerus="yes">
        <source>%nth</source>
        <comment>ordinal</comment>
        <translation>
            <numerusform>%n.</numerusform>
            <numerusform>%n.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%nst</source>
        <comment>ordinal</comment>
        <translation>
            <numerusform>%n.</numerusform>
            <numerusform>%n.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%nnd</source>
        <comment>ordinal</comment>
        <translation>
            <numerusform>%n.</numerusform>
            <numerusform>%n.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%nrd</source>
        <comment>ordinal</comment>
        <translation>
            <numerusform>%n.</numerusform>
            <numerusform>%n.</numerusform>
        </translation>
    </message>
    <message>
        <source>Measure %1</source>
        <translation>Takt %1</translation>
    </message>
    <message>
        <source>%1 (%2 time)</source>
        <translation>%1 (%2 Mal)</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1, next %2</source>
        <translation>%1, danach %2</translation>
    </message>
</context>
<context>
    <name>StyleDialog</name>
    <message>
        <source>Style</source>
        <translation>Begleitstil</translation>
    </message>
    <message>
        <source>How the band plays the accompaniment style. Block chords are not changed by these settings.</source>
        <translation>Wie die Band den Begleitstil spielt. Blockakkorde ändern sich durch diese Einstellungen nicht.</translation>
    </message>
    <message>
        <source>&amp;Drum volume:</source>
        <translation>&amp;Schlagzeug-Lautstärke:</translation>
    </message>
    <message>
        <source>Drum volume</source>
        <translation>Schlagzeug-Lautstärke</translation>
    </message>
    <message>
        <source>no drums</source>
        <translation>kein Schlagzeug</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>S&amp;wing:</source>
        <translation>S&amp;wing:</translation>
    </message>
    <message>
        <source>Swing</source>
        <translation>Swing</translation>
    </message>
    <message>
        <source>The share of a beat the first of two eighths takes: 50 % plays them even, 67 % as triplets</source>
        <translation>Der Anteil eines Schlags, den die erste von zwei Achteln bekommt: 50 % spielt sie gerade, 67 % als Triolen</translation>
    </message>
    <message>
        <source>as the style gives</source>
        <translation>wie im Stil</translation>
    </message>
    <message>
        <source> % of a beat</source>
        <translation> % eines Schlags</translation>
    </message>
    <message>
        <source>&amp;Human feel:</source>
        <translation>&amp;Menschliches Spiel:</translation>
    </message>
    <message>
        <source>Human feel</source>
        <translation>Menschliches Spiel</translation>
    </message>
    <message>
        <source>How much the band varies the timing and strength of its notes</source>
        <translation>Wie stark die Band Timing und Lautstärke ihrer Töne verändert</translation>
    </message>
    <message>
        <source>none, exactly on time</source>
        <translation>keins, genau im Takt</translation>
    </message>
    <message>
        <source>&amp;Variation:</source>
        <translation>&amp;Variante:</translation>
    </message>
    <message>
        <source>Variation</source>
        <translation>Variante</translation>
    </message>
    <message>
        <source>The same number always plays the same take; another number another one</source>
        <translation>Dieselbe Nummer spielt immer dieselbe Fassung, eine andere Nummer eine andere</translation>
    </message>
    <message>
        <source>take </source>
        <translation>Fassung </translation>
    </message>
    <message>
        <source>&amp;Intro:</source>
        <translation>&amp;Intro:</translation>
    </message>
    <message>
        <source>Intro</source>
        <translation>Intro</translation>
    </message>
    <message>
        <source>How the band opens the song, on Play and in the exports</source>
        <translation>Wie die Band den Song beginnt, beim Abspielen und in den Exporten</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keins</translation>
    </message>
    <message>
        <source>Count-in</source>
        <translation>Einzähler</translation>
    </message>
    <message>
        <source>Last four bars</source>
        <translation>Letzte vier Takte</translation>
    </message>
</context>
<context>
    <name>TransposeDialog</name>
    <message>
        <source>Transpose</source>
        <translation>Transponieren</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>To &amp;key:</source>
        <translation>In die &amp;Tonart:</translation>
    </message>
    <message>
        <source>To key</source>
        <translation>In die Tonart</translation>
    </message>
    <message>
        <source>Spell by &amp;key</source>
        <translation>Nach Tonart sc&amp;hreiben</translation>
    </message>
    <message>
        <source>Spell by key</source>
        <translation>Nach Tonart schreiben</translation>
    </message>
</context>
<context>
    <name>VoicesDialog</name>
    <message>
        <source>Voices</source>
        <translation>Klänge</translation>
    </message>
    <message>
        <source>CHORDS</source>
        <translation>AKKORDE</translation>
    </message>
    <message>
        <source>Chord instrument</source>
        <translation>Akkordinstrument</translation>
    </message>
    <message>
        <source>Chord volume</source>
        <translation>Akkord-Lautstärke</translation>
    </message>
    <message>
        <source>Chord volume up</source>
        <translation>Akkord-Lautstärke höher</translation>
    </message>
    <message>
        <source>Chord volume down</source>
        <translation>Akkord-Lautstärke niedriger</translation>
    </message>
    <message>
        <source>BASS</source>
        <translation>BASS</translation>
    </message>
    <message>
        <source>Bass instrument</source>
        <translation>Bassinstrument</translation>
    </message>
    <message>
        <source>Bass volume</source>
        <translation>Bass-Lautstärke</translation>
    </message>
    <message>
        <source>Bass volume up</source>
        <translation>Bass-Lautstärke höher</translation>
    </message>
    <message>
        <source>Bass volume down</source>
        <translation>Bass-Lautstärke niedriger</translation>
    </message>
</context>
<context>
    <name>kaz::ChartCompiler</name>
    <message>
        <source>Kaz error</source>
        <translation>Kaz-Fehler</translation>
    </message>
    <message>
        <source>Line: %1
%2: `%3`</source>
        <translation>Zeile: %1
%2: `%3`</translation>
    </message>
</context>
<context>
    <name>kaz::ChartDocument</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1 is open in another Kaz window: Save asks for another name</source>
        <translation>%1 ist in einem anderen Kaz-Fenster geöffnet: Speichern fragt nach einem anderen Namen</translation>
    </message>
    <message>
        <source>`%1` is open in another Kaz window. Save the chart under another name.</source>
        <translation>`%1` ist in einem anderen Kaz-Fenster geöffnet. Speichern Sie das Chart unter einem anderen Namen.</translation>
    </message>
    <message>
        <source>`%1` was deleted or moved by another program. The chart stays here, not saved.</source>
        <translation>`%1` wurde von einem anderen Programm gelöscht oder verschoben. Das Chart bleibt hier, ungespeichert.</translation>
    </message>
    <message>
        <source>%1 can be written again</source>
        <translation>%1 kann wieder geschrieben werden</translation>
    </message>
    <message>
        <source>%1 was made read-only by another program</source>
        <translation>%1 wurde von einem anderen Programm schreibgeschützt</translation>
    </message>
    <message>
        <source>Reloaded %1: another program changed it</source>
        <translation>%1 neu geladen: ein anderes Programm hat es geändert</translation>
    </message>
</context>
<context>
    <name>kaz::ChartEditor</name>
    <message>
        <source>Chart</source>
        <translation>Chart</translation>
    </message>
</context>
<context>
    <name>kaz::ChartFeature</name>
    <message>
        <source>Chart view</source>
        <translation>Chartansicht</translation>
    </message>
    <message>
        <source>C&amp;hart view</source>
        <translation>&amp;Chartansicht</translation>
    </message>
    <message>
        <source>Show the chart as a grid of measures to read from the music stand</source>
        <translation>Das Chart als Taktraster zeigen, zum Ablesen vom Notenständer</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>Dru&amp;cken...</translation>
    </message>
    <message>
        <source>Print the chart as a lead sheet, for the instrument the chart view shows</source>
        <translation>Das Chart als Leadsheet drucken, für das Instrument, das die Chartansicht zeigt</translation>
    </message>
    <message>
        <source>Export to P&amp;DF...</source>
        <translation>Als P&amp;DF exportieren...</translation>
    </message>
    <message>
        <source>Write the chart as a lead sheet in a PDF file</source>
        <translation>Das Chart als Leadsheet in eine PDF-Datei schreiben</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>Als PDF exportieren</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message numerus="yes">
        <source>Printed %n page(s)</source>
        <translation>
            <numerusform>%n Seite gedruckt</numerusform>
            <numerusform>%n Seiten gedruckt</numerusform>
        </translation>
    </message>
    <message>
        <source>Cannot open file `%1` for writing!</source>
        <translation>Die Datei `%1` kann nicht zum Schreiben geöffnet werden!</translation>
    </message>
    <message>
        <source>Exported %1</source>
        <translation>%1 exportiert</translation>
    </message>
    <message>
        <source>Ca&amp;po...</source>
        <translation>Kapo&amp;daster...</translation>
    </message>
    <message>
        <source>Show the chord shapes to finger with a capo, in the chart view and the printout</source>
        <translation>Die Griffbilder mit Kapodaster zeigen, in der Chartansicht und im Ausdruck</translation>
    </message>
    <message>
        <source>&amp;Numbers</source>
        <translation>&amp;Stufen</translation>
    </message>
    <message>
        <source>Name the chords by their letters, or as numbers of the key</source>
        <translation>Die Akkorde mit Buchstaben oder als Stufen der Tonart benennen</translation>
    </message>
    <message>
        <source>&amp;Letters</source>
        <translation>&amp;Buchstaben</translation>
    </message>
    <message>
        <source>&amp;Roman (ii–V–I)</source>
        <translation>&amp;Römische Stufen (ii–V–I)</translation>
    </message>
    <message>
        <source>Na&amp;shville (2–5–1)</source>
        <translation>&amp;Nashville-Zahlen (2–5–1)</translation>
    </message>
    <message>
        <source>Capo</source>
        <translation>Kapodaster</translation>
    </message>
    <message>
        <source>The capo is on:</source>
        <translation>Kapodaster:</translation>
    </message>
    <message>
        <source>&amp;Diagrams</source>
        <translation>&amp;Griffbilder</translation>
    </message>
    <message>
        <source>Draw a chord diagram over every chord, in the chart view and the printout</source>
        <translation>Über jedem Akkord ein Griffbild zeichnen, in der Chartansicht und im Ausdruck</translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation>&amp;Keine</translation>
    </message>
    <message>
        <source>&amp;Guitar</source>
        <translation>&amp;Gitarre</translation>
    </message>
    <message>
        <source>&amp;Ukulele</source>
        <translation>&amp;Ukulele</translation>
    </message>
    <message>
        <source>&amp;Piano</source>
        <translation>Kla&amp;vier</translation>
    </message>
    <message>
        <source>Print Set</source>
        <translation>Set drucken</translation>
    </message>
</context>
<context>
    <name>kaz::ChartFileCommands</name>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
</context>
<context>
    <name>kaz::ChartPanel</name>
    <message>
        <source>Instrument</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Show the chords for a transposing instrument or in another key; the chart still plays in concert pitch</source>
        <translation>Die Akkorde für ein transponierendes Instrument oder in einer anderen Tonart zeigen; das Chart klingt weiter in C</translation>
    </message>
    <message>
        <source>&amp;Instrument:</source>
        <translation>&amp;Instrument:</translation>
    </message>
    <message>
        <source>Capo</source>
        <translation>Kapodaster</translation>
    </message>
    <message>
        <source>Show the chord shapes to finger with a capo on this fret; the chart still plays as it sounds</source>
        <translation>Die Griffbilder mit einem Kapodaster in diesem Bund zeigen; das Chart klingt weiter, wie es notiert ist</translation>
    </message>
    <message>
        <source>Capo %1</source>
        <translation>Kapodaster im %1. Bund</translation>
    </message>
    <message>
        <source>No capo</source>
        <translation>Ohne Kapodaster</translation>
    </message>
    <message>
        <source>%1, capo %2</source>
        <translation>%1, Kapodaster im %2. Bund</translation>
    </message>
    <message>
        <source>B♭ instrument</source>
        <translation>B-Instrument</translation>
    </message>
    <message>
        <source>E♭ instrument</source>
        <translation>Es-Instrument</translation>
    </message>
    <message>
        <source>F instrument</source>
        <translation>F-Instrument</translation>
    </message>
    <message>
        <source>Key of %1</source>
        <translation>Tonart %1</translation>
    </message>
    <message>
        <source>Concert</source>
        <translation>Klingend</translation>
    </message>
</context>
<context>
    <name>kaz::ChartView</name>
    <message>
        <source>Chart view</source>
        <translation>Chartansicht</translation>
    </message>
    <message>
        <source>The chart cannot be read: %1</source>
        <translation>Das Chart kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The chart has a mistake in line %1: %2: `%3`</source>
        <translation>Das Chart hat einen Fehler in Zeile %1: %2: `%3`</translation>
    </message>
    <message>
        <source>no chord</source>
        <translation>kein Akkord</translation>
    </message>
    <message>
        <source>Count-in, beat %1</source>
        <translation>Einzähler, Schlag %1</translation>
    </message>
    <message numerus="yes">
        <source>%n measure(s), %1</source>
        <translation>
            <numerusform>%n Takt, %1</numerusform>
            <numerusform>%n Takte, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Shape for %1</source>
        <translation>Griff für %1</translation>
    </message>
    <message>
        <source>Let Kaz Choose</source>
        <translation>Kaz wählen lassen</translation>
    </message>
</context>
<context>
    <name>kaz::EditingComforts</name>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Do again what Undo took back</source>
        <translation>Wiederholen, was Rückgängig zurückgenommen hat</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find a text in the chart</source>
        <translation>Einen Text im Chart suchen</translation>
    </message>
    <message>
        <source>R&amp;eplace...</source>
        <translation>&amp;Ersetzen...</translation>
    </message>
    <message>
        <source>Replace a text of the chart with another</source>
        <translation>Einen Text im Chart durch einen anderen ersetzen</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find the text again</source>
        <translation>Den Text noch einmal suchen</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>&amp;Vorheriges suchen</translation>
    </message>
    <message>
        <source>Find the text again, backwards</source>
        <translation>Den Text noch einmal suchen, rückwärts</translation>
    </message>
</context>
<context>
    <name>kaz::FindReplaceDialog</name>
    <message>
        <source>Re&amp;place with:</source>
        <translation>Ersetzen &amp;durch:</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>&amp;Whole words</source>
        <translation>&amp;Ganze Wörter</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>&amp;Alle ersetzen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>Find what</source>
        <translation>Suchen nach</translation>
    </message>
    <message>
        <source>Replace with</source>
        <translation>Ersetzen durch</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Whole words</source>
        <translation>Ganze Wörter</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Alle ersetzen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Select a match to replace it: Find Next selects the next one</source>
        <translation>Wählen Sie einen Treffer aus, um ihn zu ersetzen: Weitersuchen wählt den nächsten aus</translation>
    </message>
    <message numerus="yes">
        <source>Replaced %n time(s)</source>
        <translation>
            <numerusform>%n-mal ersetzt</numerusform>
            <numerusform>%n-mal ersetzt</numerusform>
        </translation>
    </message>
    <message>
        <source>Cannot find &quot;%1&quot;</source>
        <translation>„%1“ nicht gefunden</translation>
    </message>
</context>
<context>
    <name>kaz::FollowView</name>
    <message>
        <source>Follow view</source>
        <translation>Mitleseansicht</translation>
    </message>
    <message>
        <source>Count-in</source>
        <translation>Einzähler</translation>
    </message>
    <message>
        <source>Count-in, beat %1</source>
        <translation>Einzähler, Schlag %1</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>Danach: %1</translation>
    </message>
    <message>
        <source>The chord that sounds shows here during playback.</source>
        <translation>Hier steht während der Wiedergabe der klingende Akkord.</translation>
    </message>
    <message>
        <source>%1 · Beat %2</source>
        <translation>%1 · Schlag %2</translation>
    </message>
    <message>
        <source>Intro</source>
        <translation>Intro</translation>
    </message>
</context>
<context>
    <name>kaz::InterchangeActions</name>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>Open the songs of an iReal Pro link, a MusicXML or a ChordPro file as charts</source>
        <translation>Die Songs eines iReal-Pro-Links, einer MusicXML- oder ChordPro-Datei als Charts öffnen</translation>
    </message>
    <message>
        <source>Export to &amp;iReal Pro...</source>
        <translation>Als iReal &amp;Pro exportieren...</translation>
    </message>
    <message>
        <source>Write the chart as an iReal Pro link in a small web page</source>
        <translation>Das Chart als iReal-Pro-Link in eine kleine Webseite schreiben</translation>
    </message>
    <message>
        <source>Export to iReal Pro</source>
        <translation>Als iReal Pro exportieren</translation>
    </message>
    <message>
        <source>Web page with an iReal Pro link (*.html)</source>
        <translation>Webseite mit einem iReal-Pro-Link (*.html)</translation>
    </message>
    <message>
        <source>Export to Music&amp;XML...</source>
        <translation>Als Music&amp;XML exportieren...</translation>
    </message>
    <message>
        <source>Write the chart as a MusicXML lead sheet: chord symbols over slashes</source>
        <translation>Das Chart als MusicXML-Leadsheet schreiben: Akkordsymbole über Schrägstrichen</translation>
    </message>
    <message>
        <source>Cannot export to MusicXML: %1.</source>
        <translation>Export als MusicXML nicht möglich: %1.</translation>
    </message>
    <message>
        <source>Export to MusicXML</source>
        <translation>Als MusicXML exportieren</translation>
    </message>
    <message>
        <source>MusicXML (*.musicxml)</source>
        <translation>MusicXML (*.musicxml)</translation>
    </message>
    <message>
        <source>the pasted link</source>
        <translation>den eingefügten Link</translation>
    </message>
    <message>
        <source>Cannot import %1: %2.</source>
        <translation>%1 kann nicht importiert werden: %2.</translation>
    </message>
    <message>
        <source>Cannot import %1: no song of it opens as a chart.
%2</source>
        <translation>%1 kann nicht importiert werden: keiner seiner Songs lässt sich als Chart öffnen.
%2</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>%1 wird importiert...</translation>
    </message>
    <message>
        <source>Left out of the import:</source>
        <translation>Beim Import ausgelassen:</translation>
    </message>
    <message numerus="yes">
        <source>Writing %n chart(s)...</source>
        <translation>
            <numerusform>%n Chart wird geschrieben...</numerusform>
            <numerusform>%n Charts werden geschrieben...</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The import was cancelled after %n chart(s).</source>
        <translation>
            <numerusform>Der Import wurde nach %n Chart abgebrochen.</numerusform>
            <numerusform>Der Import wurde nach %n Charts abgebrochen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Some charts were not written:</source>
        <translation>Einige Charts wurden nicht geschrieben:</translation>
    </message>
    <message>
        <source>Untitled.%1</source>
        <translation>Unbenannt.%1</translation>
    </message>
    <message>
        <source>Cannot open file `%1` for writing!</source>
        <translation>Die Datei `%1` kann nicht zum Schreiben geöffnet werden!</translation>
    </message>
    <message>
        <source>The chart is exported, except for what the file cannot hold:
%1</source>
        <translation>Das Chart ist exportiert, bis auf das, was die Datei nicht aufnehmen kann:
%1</translation>
    </message>
    <message>
        <source>Export to &amp;ChordPro...</source>
        <translation>Als &amp;ChordPro exportieren...</translation>
    </message>
    <message>
        <source>Write the chart as a ChordPro song: the lyrics with their chords, the other measures as grids</source>
        <translation>Das Chart als ChordPro-Lied schreiben: den Text mit seinen Akkorden, die übrigen Takte als Raster</translation>
    </message>
    <message>
        <source>Export to ChordPro</source>
        <translation>Als ChordPro exportieren</translation>
    </message>
    <message>
        <source>ChordPro (*.cho)</source>
        <translation>ChordPro (*.cho)</translation>
    </message>
</context>
<context>
    <name>kaz::LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Systemsprache</translation>
    </message>
    <message>
        <source>The language changes when Kaz starts next.</source>
        <translation>Die Sprache wechselt beim nächsten Start von Kaz.</translation>
    </message>
</context>
<context>
    <name>kaz::LiveChecker</name>
    <message>
        <source>Line %1: %2: `%3`</source>
        <translation>Zeile %1: %2: `%3`</translation>
    </message>
    <message numerus="yes">
        <source>%1 (and %n more hint(s))</source>
        <translation>
            <numerusform>%1 (und %n weiterer Hinweis)</numerusform>
            <numerusform>%1 (und %n weitere Hinweise)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kaz::MainWindow</name>
    <message>
        <source>A line of a chart is at most %1 characters, so that typing stays quick.</source>
        <translation>Eine Zeile im Chart hat höchstens %1 Zeichen, damit das Tippen flüssig bleibt.</translation>
    </message>
    <message>
        <source>Unsaved changes are kept for recovery again</source>
        <translation>Ungespeicherte Änderungen werden wieder für die Wiederherstellung aufbewahrt</translation>
    </message>
    <message>
        <source>Unsaved changes cannot be kept for recovery in %1. Save the chart to keep them.</source>
        <translation>Ungespeicherte Änderungen können nicht in %1 für die Wiederherstellung aufbewahrt werden. Speichern Sie das Chart, um sie zu behalten.</translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>%1 geöffnet</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1[*] (not kept for recovery)</source>
        <translation>%1[*] (nicht für die Wiederherstellung aufbewahrt)</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>No web browser could be started. The page is %1</source>
        <translation>Es konnte kein Webbrowser gestartet werden. Die Seite ist %1</translation>
    </message>
</context>
<context>
    <name>kaz::MeasureNumberArea</name>
    <message>
        <source>Measure %1, not played</source>
        <translation>Takt %1, nicht gespielt</translation>
    </message>
    <message numerus="yes">
        <source>Measure %1, played as measure %2</source>
        <translation>
            <numerusform>Takt %1, gespielt als Takt %2</numerusform>
            <numerusform>Takt %1, gespielt als Takte %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Measure numbers</source>
        <translation>Taktnummern</translation>
    </message>
</context>
<context>
    <name>kaz::MixerPanel</name>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Panorama</translation>
    </message>
    <message>
        <source>Full band</source>
        <translation>Ganze Band</translation>
    </message>
    <message>
        <source>Minus one: bass</source>
        <translation>Minus One: Bass</translation>
    </message>
    <message>
        <source>Minus one: piano</source>
        <translation>Minus One: Klavier</translation>
    </message>
    <message>
        <source>Minus one: guitar</source>
        <translation>Minus One: Gitarre</translation>
    </message>
    <message>
        <source>Minus one</source>
        <translation>Minus One</translation>
    </message>
    <message>
        <source>Leave your own instrument out of the band, to play along</source>
        <translation>Das eigene Instrument aus der Band nehmen, um mitzuspielen</translation>
    </message>
    <message>
        <source>%1 volume</source>
        <translation>%1 Lautstärke</translation>
    </message>
    <message>
        <source>%1 pan</source>
        <translation>%1 Panorama</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Solo</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>Mute %1</source>
        <translation>%1 stumm</translation>
    </message>
    <message>
        <source>Solo %1</source>
        <translation>%1 solo</translation>
    </message>
</context>
<context>
    <name>kaz::NotationDialog</name>
    <message>
        <source>As set above</source>
        <translation>Wie oben eingestellt</translation>
    </message>
    <message>
        <source>English (B/Bb)</source>
        <translation>Englisch (B/Bb)</translation>
    </message>
    <message>
        <source>German (H/B)</source>
        <translation>Deutsch (H/B)</translation>
    </message>
    <message>
        <source>mixed (H/Bb)</source>
        <translation>gemischt (H/Bb)</translation>
    </message>
    <message>
        <source>Kept in the chart itself, as its last line: it is read so under every setting.</source>
        <translation>Im Chart selbst gespeichert, als seine letzte Zeile: so wird es bei jeder Einstellung gelesen.</translation>
    </message>
    <message>
        <source>Note names</source>
        <translation>Tonnamen</translation>
    </message>
    <message>
        <source>Which note names do you read? German musicians write H for B natural and B for B flat. Kaz reads charts with the names you choose here unless a chart says otherwise; Settings → B/Bb/H changes it later.</source>
        <translation>Welche Tonnamen lesen Sie? Deutsche Musiker schreiben H für das englische B und B für Bb. Kaz liest Charts mit den Namen, die Sie hier wählen, außer ein Chart sagt etwas anderes; Einstellungen → B/Bb/H ändert es später.</translation>
    </message>
</context>
<context>
    <name>kaz::PerformanceExports</name>
    <message>
        <source>Cannot open file `%1` for writing!</source>
        <translation>Die Datei `%1` kann nicht zum Schreiben geöffnet werden!</translation>
    </message>
    <message>
        <source>Exported %1</source>
        <translation>%1 exportiert</translation>
    </message>
    <message>
        <source>Cannot export the audio file `%1`: %2.</source>
        <translation>Die Audiodatei `%1` kann nicht exportiert werden: %2.</translation>
    </message>
    <message>
        <source>Rendering %1 ...</source>
        <translation>%1 wird aufgenommen ...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Export to Audio</source>
        <translation>Als Audio exportieren</translation>
    </message>
</context>
<context>
    <name>kaz::PlaybackController</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause/Resume</source>
        <translation>Pause/Fortsetzen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Schleife</translation>
    </message>
    <message>
        <source>Loop playback</source>
        <translation>Wiedergabe in Schleife</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Abspielen/Pause</translation>
    </message>
    <message>
        <source>Play, or pause and resume</source>
        <translation>Abspielen, oder anhalten und fortsetzen</translation>
    </message>
    <message>
        <source>&amp;Loop selected measures</source>
        <translation>Markierte Takte in Sch&amp;leife</translation>
    </message>
    <message>
        <source>Play the measures the selection touches again and again, until Stop</source>
        <translation>Die Takte, die die Auswahl berührt, immer wieder spielen, bis Stopp</translation>
    </message>
    <message>
        <source>&amp;Count-in</source>
        <translation>&amp;Einzähler</translation>
    </message>
    <message>
        <source>Play one measure of clicks before the music starts</source>
        <translation>Vor der Musik einen Takt Klicks spielen</translation>
    </message>
    <message>
        <source>&amp;Edit while playing</source>
        <translation>&amp;Während der Wiedergabe bearbeiten</translation>
    </message>
    <message>
        <source>Keep the chart open to changes while it plays; a change is heard from the next measure</source>
        <translation>Das Chart während der Wiedergabe bearbeitbar lassen; eine Änderung ist ab dem nächsten Takt zu hören</translation>
    </message>
    <message>
        <source>This time round in %1, as written</source>
        <translation>Diese Runde in %1, wie notiert</translation>
    </message>
    <message>
        <source>This time round in %1, %2 semitones from the chart</source>
        <translation>Diese Runde in %1, %2 Halbtöne gegenüber dem Chart</translation>
    </message>
</context>
<context>
    <name>kaz::PlayerFeatures</name>
    <message>
        <source>Follow view</source>
        <translation>Mitleseansicht</translation>
    </message>
    <message>
        <source>&amp;Follow view</source>
        <translation>&amp;Mitleseansicht</translation>
    </message>
    <message>
        <source>Show the sounding chord, the next one, the measure and the beat in large type</source>
        <translation>Den klingenden Akkord, den nächsten, den Takt und den Schlag in großer Schrift zeigen</translation>
    </message>
    <message>
        <source>&amp;Practice loop...</source>
        <translation>&amp;Übungsschleife...</translation>
    </message>
    <message>
        <source>Choose how much faster Loop selected measures plays each time round</source>
        <translation>Wählen, um wie viel schneller Markierte Takte in Schleife mit jedem Durchgang spielt</translation>
    </message>
    <message>
        <source>Mixer</source>
        <translation>Mischpult</translation>
    </message>
    <message>
        <source>&amp;Mixer</source>
        <translation>Misch&amp;pult</translation>
    </message>
    <message>
        <source>Set the volume and place of each part of the band, mute, solo or leave your own instrument out</source>
        <translation>Lautstärke und Position jeder Stimme der Band einstellen, stumm oder solo schalten oder das eigene Instrument weglassen</translation>
    </message>
    <message>
        <source>Tempo %1, the chart says %2</source>
        <translation>Tempo %1, im Chart steht %2</translation>
    </message>
</context>
<context>
    <name>kaz::RecoveryDialog</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Cannot be restored, kept in %1: %2</source>
        <translation>Nicht wiederherstellbar, aufbewahrt in %1: %2</translation>
    </message>
    <message>
        <source>Kaz ended while saving it: the file may be damaged. Restore puts back what it held before.</source>
        <translation>Kaz wurde beim Speichern beendet: die Datei kann beschädigt sein. Wiederherstellen stellt ihren vorigen Inhalt zurück.</translation>
    </message>
    <message>
        <source>Changes that were not saved</source>
        <translation>Nicht gespeicherte Änderungen</translation>
    </message>
    <message>
        <source>Unsaved text</source>
        <translation>Ungespeicherter Text</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Show...</source>
        <translation>&amp;Zeigen...</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation>&amp;Später</translation>
    </message>
    <message>
        <source>Unsaved charts</source>
        <translation>Ungespeicherte Charts</translation>
    </message>
    <message>
        <source>Kaz ended before these charts were saved. Select one or more (Ctrl+A selects all), then restore them, discard them or keep them for later. A chart restored opens in this window when it shows that chart or nothing yet, otherwise in a window of its own.</source>
        <translation>Kaz wurde beendet, bevor diese Charts gespeichert waren. Wählen Sie eines oder mehrere aus (Strg+A wählt alle), dann stellen Sie sie wieder her, verwerfen sie oder heben sie für später auf. Ein wiederhergestelltes Chart öffnet sich in diesem Fenster, wenn es dieses Chart oder noch nichts zeigt, sonst in einem eigenen Fenster.</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Kept</source>
        <translation>Aufbewahrt</translation>
    </message>
    <message>
        <source>What is left</source>
        <translation>Was übrig ist</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>&amp;Alle auswählen</translation>
    </message>
    <message>
        <source>Keep the charts not answered for later</source>
        <translation>Die nicht beantworteten Charts für später aufheben</translation>
    </message>
    <message>
        <source>%1 before it was saved</source>
        <translation>%1 vor dem Speichern</translation>
    </message>
    <message>
        <source>%1, not saved</source>
        <translation>%1, nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>kaz::SetListFeature</name>
    <message>
        <source>Set lists (*.%1)</source>
        <translation>Setlisten (*.%1)</translation>
    </message>
    <message>
        <source>Set list</source>
        <translation>Setliste</translation>
    </message>
    <message>
        <source>&amp;Set list</source>
        <translation>&amp;Setliste</translation>
    </message>
    <message>
        <source>Show the songs of the set list, to step through them on stage</source>
        <translation>Die Lieder der Setliste zeigen, um sie auf der Bühne durchzugehen</translation>
    </message>
    <message>
        <source>Open Set &amp;List...</source>
        <translation>Set&amp;liste öffnen...</translation>
    </message>
    <message>
        <source>Open a set list: the songs of a gig in their order</source>
        <translation>Eine Setliste öffnen: die Lieder eines Auftritts in ihrer Reihenfolge</translation>
    </message>
    <message>
        <source>Open Set List</source>
        <translation>Setliste öffnen</translation>
    </message>
    <message>
        <source>Export Set to PDF</source>
        <translation>Set als PDF exportieren</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Cannot open the set list %1: %2</source>
        <translation>Die Setliste %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The set list %1 names no chart.</source>
        <translation>Die Setliste %1 nennt kein Chart.</translation>
    </message>
    <message>
        <source>Some of the set list could not be read:
%1</source>
        <translation>Ein Teil der Setliste konnte nicht gelesen werden:
%1</translation>
    </message>
    <message>
        <source>MIDI pedals: %1</source>
        <translation>MIDI-Pedale: %1</translation>
    </message>
    <message>
        <source>No MIDI input for pedals: Page Down and Page Up turn the songs.</source>
        <translation>Kein MIDI-Eingang für Pedale: Bild ab und Bild auf blättern die Lieder um.</translation>
    </message>
</context>
<context>
    <name>kaz::SetListPanel</name>
    <message>
        <source>Key of %1</source>
        <translation>Tonart %1</translation>
    </message>
    <message>
        <source>Play &amp;on to the next song</source>
        <translation>Zum nächsten Lied &amp;weiterspielen</translation>
    </message>
    <message>
        <source>Songs of the set</source>
        <translation>Lieder des Sets</translation>
    </message>
    <message>
        <source>◀ &amp;Previous</source>
        <translation>◀ &amp;Voriges</translation>
    </message>
    <message>
        <source>The song before (Page Up, or the soft pedal)</source>
        <translation>Das Lied davor (Bild auf, oder das linke Pedal)</translation>
    </message>
    <message>
        <source>&amp;Next ▶</source>
        <translation>&amp;Nächstes ▶</translation>
    </message>
    <message>
        <source>The next song (Page Down, or the sustain pedal)</source>
        <translation>Das nächste Lied (Bild ab, oder das Haltepedal)</translation>
    </message>
    <message>
        <source>P&amp;rint set...</source>
        <translation>Set d&amp;rucken...</translation>
    </message>
    <message>
        <source>Set to P&amp;DF...</source>
        <translation>Set als P&amp;DF...</translation>
    </message>
    <message>
        <source>When a song has played to its end, open the next one and play it</source>
        <translation>Wenn ein Lied zu Ende gespielt ist, das nächste öffnen und spielen</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>kaz::SongPickerDialog</name>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message numerus="yes">
        <source>%n song(s). Pick the ones to open:</source>
        <translation>
            <numerusform>%n Song. Wählen Sie die zu öffnenden:</numerusform>
            <numerusform>%n Songs. Wählen Sie die zu öffnenden:</numerusform>
        </translation>
    </message>
    <message>
        <source>Search titles and composers</source>
        <translation>Titel und Komponisten durchsuchen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Songs</source>
        <translation>Songs</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>kaz::StyleList</name>
    <message>
        <source>Style</source>
        <translation>Begleitstil</translation>
    </message>
    <message>
        <source>The accompaniment style where the chart names none</source>
        <translation>Der Begleitstil, wo das Chart keinen nennt</translation>
    </message>
    <message>
        <source>Has a pattern of its own for %1/%2</source>
        <translation>Hat ein eigenes Muster für den %1/%2-Takt</translation>
    </message>
    <message>
        <source>Block chords (as written)</source>
        <translation>Blockakkorde (wie notiert)</translation>
    </message>
</context>
<context>
    <name>kaz::ThemeMenu</name>
    <message>
        <source>&amp;System</source>
        <translation>&amp;System</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>&amp;Hell</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>&amp;Dunkel</translation>
    </message>
    <message>
        <source>&amp;High contrast</source>
        <translation>Hoher &amp;Kontrast</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Farbschema</translation>
    </message>
</context>
<context>
    <name>kaz::TransportBar</name>
    <message>
        <source>Transport</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>MIDI Out:</source>
        <translation>MIDI-Ausgang:</translation>
    </message>
    <message>
        <source>MIDI Out</source>
        <translation>MIDI-Ausgang</translation>
    </message>
    <message>
        <source>Select MIDI Out device</source>
        <translation>MIDI-Ausgabegerät wählen</translation>
    </message>
    <message>
        <source>Tempo:</source>
        <translation>Tempo:</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Set tempo</source>
        <translation>Tempo einstellen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause/Resume</source>
        <translation>Pause/Fortsetzen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Schleife</translation>
    </message>
    <message>
        <source>Loop playback</source>
        <translation>Wiedergabe in Schleife</translation>
    </message>
    <message>
        <source>Loop selected measures</source>
        <translation>Markierte Takte in Schleife</translation>
    </message>
    <message>
        <source>Built-in synthesizer</source>
        <translation>Eingebauter Synthesizer</translation>
    </message>
</context>
<context>
    <name>kaz::TransposeDialog</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 nach %2</translation>
    </message>
    <message>
        <source>The chart names its key, so it is spelled by key.</source>
        <translation>Das Chart nennt seine Tonart, darum wird nach der Tonart geschrieben.</translation>
    </message>
</context>
<context>
    <name>kaz::VoicesDialog</name>
    <message>
        <source>Enter a volume from 0 to 127.</source>
        <translation>Geben Sie eine Lautstärke von 0 bis 127 ein.</translation>
    </message>
</context>
<context>
    <name>kaz::ZoomControl</name>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Make the chart&apos;s type larger</source>
        <translation>Die Schrift des Charts größer machen</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>Make the chart&apos;s type smaller</source>
        <translation>Die Schrift des Charts kleiner machen</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>Show the chart&apos;s type at its usual size</source>
        <translation>Die Schrift des Charts in normaler Größe zeigen</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Kaz, the chord chart editor and player.</source>
        <translation>Kaz, der Editor und Player für Akkord-Charts.</translation>
    </message>
    <message>
        <source>The chart to open.</source>
        <translation>Das zu öffnende Chart.</translation>
    </message>
    <message>
        <source>Restore the unsaved chart kept in FILE.</source>
        <translation>Das in FILE aufbewahrte ungespeicherte Chart wiederherstellen.</translation>
    </message>
</context>
</TS>
