<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AppModel</name>
    <message>
        <source>Choose an audio or video file to practise with. It stays where it is.</source>
        <translation>Eine Audio- oder Videodatei zum Üben auswählen. Sie bleibt, wo sie ist.</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2</source>
        <translation>„%1“ konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The saved session of “%1” couldn’t be read, so it starts afresh. The damaged file is kept as “%2”.</source>
        <translation>Die gespeicherte Sitzung von „%1“ konnte nicht gelesen werden, daher beginnt sie neu. Die beschädigte Datei bleibt als „%2“ erhalten.</translation>
    </message>
    <message>
        <source>The subtitles “%1” can’t be used: %2</source>
        <translation>Die Untertitel „%1“ können nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>The subtitles these sentences came from aren’t listed any more. Add them again from the File menu, or choose a language to recognise the speech instead.</source>
        <translation>Die Untertitel, aus denen diese Sätze stammen, sind nicht mehr aufgeführt. Sie lassen sich über das Menü „Datei“ erneut hinzufügen, oder eine Sprache wählen, um stattdessen die Sprache zu erkennen.</translation>
    </message>
    <message>
        <source>The transcript these sentences came from isn’t listed any more. Add it again from the File menu, or choose a language to recognise the speech instead.</source>
        <translation>Das Transkript, aus dem diese Sätze stammen, ist nicht mehr aufgeführt. Es lässt sich über das Menü „Datei“ erneut hinzufügen, oder eine Sprache wählen, um stattdessen die Sprache zu erkennen.</translation>
    </message>
    <message>
        <source>Choose the subtitles of “%1”. They give its sentences their text.</source>
        <translation>Die Untertitel zu „%1“ auswählen. Sie geben den Sätzen ihren Text.</translation>
    </message>
    <message>
        <source>“%1” holds subtitles. Open their audio or video file first, then add them to it.</source>
        <translation>„%1“ enthält Untertitel. Zuerst die zugehörige Audio- oder Videodatei öffnen, dann die Untertitel hinzufügen.</translation>
    </message>
    <message>
        <source>“%1” isn’t where it was (%2). Open it from its new place; the session starts fresh.</source>
        <translation>„%1“ ist nicht mehr an seinem Ort (%2). Die Datei am neuen Ort öffnen; die Sitzung beginnt neu.</translation>
    </message>
    <message>
        <source>Couldn’t save your recording: %1</source>
        <translation>Die Aufnahme konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Couldn’t play the sound: %1</source>
        <translation>Der Ton konnte nicht abgespielt werden: %1</translation>
    </message>
    <message>
        <source>Move Start Earlier</source>
        <translation>Anfang früher</translation>
    </message>
    <message>
        <source>Move End Earlier</source>
        <translation>Ende früher</translation>
    </message>
    <message>
        <source>Move Start Later</source>
        <translation>Anfang später</translation>
    </message>
    <message>
        <source>Move End Later</source>
        <translation>Ende später</translation>
    </message>
    <message>
        <source>Split Sentence</source>
        <translation>Satz teilen</translation>
    </message>
    <message>
        <source>Merge Sentences</source>
        <translation>Sätze zusammenfügen</translation>
    </message>
    <message>
        <source>Edit Text</source>
        <translation>Text bearbeiten</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) you edited were kept.</source>
        <translation>
            <numerusform>%n bearbeiteter Satz wurde behalten.</numerusform>
            <numerusform>%n bearbeitete Sätze wurden behalten.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a notice, then how many edited sentences were kept</comment>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>AttemptCard</name>
    <message>
        <source>Your attempt</source>
        <translation>Eigene Aufnahme</translation>
    </message>
    <message>
        <source>Press Record (Ctrl+R): you hear the sentence once, then say it. Your attempt shows here.</source>
        <translation>„Aufnehmen“ drücken (Strg+R): Der Satz ist einmal zu hören, dann nachsprechen. Die eigene Aufnahme erscheint hier.</translation>
    </message>
    <message>
        <source>Show Intonation</source>
        <translation>Sprachmelodie anzeigen</translation>
    </message>
    <message>
        <source>Draw the melody of the original and of your attempt over the waveforms</source>
        <translation>Die Sprachmelodie des Originals und der eigenen Aufnahme über den Wellenformen zeichnen</translation>
    </message>
    <message>
        <source>No speech was heard in your attempt.</source>
        <translation>In der Aufnahme war keine Sprache zu hören.</translation>
    </message>
    <message>
        <source>Intonation match: %1 of 100, %2.</source>
        <translation>Übereinstimmung der Sprachmelodie: %1 von 100, %2.</translation>
    </message>
    <message>
        <source>Intonation match: too little of the two was voiced to compare.</source>
        <translation>Übereinstimmung der Sprachmelodie: Zu wenig davon war stimmhaft für einen Vergleich.</translation>
    </message>
    <message>
        <source>You paused where the original pauses.</source>
        <translation>An denselben Stellen pausiert wie das Original.</translation>
    </message>
    <message>
        <source>The sentence’s words: the ones heard in your attempt are coloured, the ones missed are dimmed.</source>
        <translation>Die Wörter des Satzes: die in der eigenen Aufnahme gehörten sind farbig, die fehlenden blass.</translation>
    </message>
    <message>
        <source>Every word was heard.</source>
        <translation>Alle Wörter wurden gehört.</translation>
    </message>
    <message>
        <source>Not heard: %1.</source>
        <translation>Nicht gehört: %1.</translation>
    </message>
</context>
<context>
    <name>AttemptFeedback</name>
    <message>
        <source>You spoke at the original’s pace.</source>
        <translation>Im Tempo des Originals gesprochen.</translation>
    </message>
    <message>
        <source>You were %1 % slower than the original.</source>
        <translation>%1 % langsamer gesprochen als das Original.</translation>
    </message>
    <message>
        <source>You were %1 % faster than the original.</source>
        <translation>%1 % schneller gesprochen als das Original.</translation>
    </message>
    <message>
        <source>close</source>
        <translation>sehr ähnlich</translation>
    </message>
    <message>
        <source>some differences</source>
        <translation>einige Unterschiede</translation>
    </message>
    <message>
        <source>different melody</source>
        <translation>andere Melodie</translation>
    </message>
    <message>
        <source>You paused at %1 s where the original goes on.</source>
        <translation>Bei %1 s pausiert, wo das Original weitergeht.</translation>
    </message>
    <message>
        <source>The original pauses at %1 s; you went on.</source>
        <translation>Das Original macht bei %1 s eine Pause, die eigene Aufnahme nicht.</translation>
    </message>
</context>
<context>
    <name>AudioDecoder</name>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Dies ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>The sound couldn’t be converted (%1).</source>
        <translation>Der Ton konnte nicht umgewandelt werden (%1).</translation>
    </message>
</context>
<context>
    <name>AudioDevices</name>
    <message>
        <source>No sound output device is available.</source>
        <translation>Kein Gerät zur Tonausgabe verfügbar.</translation>
    </message>
    <message>
        <source>The sound output device couldn’t start.</source>
        <translation>Das Gerät zur Tonausgabe konnte nicht starten.</translation>
    </message>
    <message>
        <source>The sound output device stopped working.</source>
        <translation>Das Gerät zur Tonausgabe funktioniert nicht mehr.</translation>
    </message>
</context>
<context>
    <name>AudioFileWriter</name>
    <message>
        <source>This system’s FFmpeg has no %1 encoder.</source>
        <translation>Das FFmpeg dieses Systems hat keinen %1-Encoder.</translation>
    </message>
</context>
<context>
    <name>CommandLineHelp</name>
    <message>
        <source>Practise a spoken language by repeating a recording sentence by sentence. Quellin opens each FILE (audio or video) in its window; when Quellin is already running, the files open there.</source>
        <translation>Eine gesprochene Sprache üben, indem man eine Aufnahme Satz für Satz nachspricht. Quellin öffnet jede Datei FILE (Audio oder Video) in seinem Fenster; läuft Quellin bereits, werden die Dateien dort geöffnet.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Audio or video files to practise with.</source>
        <translation>Audio- oder Videodateien zum Üben.</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Subtitles</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Transcript</source>
        <translation>Transkript</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Etwas ist schiefgegangen</translation>
    </message>
    <message>
        <source>Microphone is off for Quellin</source>
        <translation>Das Mikrofon ist für Quellin ausgeschaltet</translation>
    </message>
    <message>
        <source>To record your attempts, allow Quellin to use the microphone in your system’s sound and privacy settings.</source>
        <translation>Um eigene Aufnahmen zu machen, Quellin in den Ton- und Datenschutzeinstellungen des Systems den Zugriff auf das Mikrofon erlauben.</translation>
    </message>
    <message>
        <source>Open Sound Settings</source>
        <translation>Toneinstellungen öffnen</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Nicht jetzt</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export “%1”</source>
        <translation>„%1“ exportieren</translation>
    </message>
    <message>
        <source>Anki flash cards (notes and sound clips)</source>
        <translation>Anki-Karteikarten (Notizen und Tonausschnitte)</translation>
    </message>
    <message>
        <source>Subtitles (SRT)</source>
        <translation>Untertitel (SRT)</translation>
    </message>
    <message>
        <source>Subtitles (WebVTT)</source>
        <translation>Untertitel (WebVTT)</translation>
    </message>
    <message>
        <source>A sound clip per sentence (MP3)</source>
        <translation>Ein Tonausschnitt pro Satz (MP3)</translation>
    </message>
    <message>
        <source>Export as:</source>
        <translation>Exportieren als:</translation>
    </message>
    <message>
        <source>Only the sentences marked hard (%1)</source>
        <translation>Nur die als schwer markierten Sätze (%1)</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>Export into</source>
        <translation>Exportieren nach</translation>
    </message>
    <message>
        <source>Into:</source>
        <translation>Nach:</translation>
    </message>
    <message>
        <source>Export progress</source>
        <translation>Exportfortschritt</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Wird exportiert …</translation>
    </message>
    <message>
        <source>Couldn’t export: %1</source>
        <translation>Export fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Export cancelled.</source>
        <translation>Export abgebrochen.</translation>
    </message>
    <message>
        <source>Exported to %1
In Anki, copy its MP3 files into your profile’s collection.media folder, then choose File ▸ Import… and pick notes.txt.</source>
        <translation>Exportiert nach %1
In Anki die MP3-Dateien in den Ordner collection.media des Profils kopieren, dann „Datei ▸ Importieren …“ wählen und notes.txt auswählen.</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportiert nach %1</translation>
    </message>
</context>
<context>
    <name>FFmpegSupport</name>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>You don’t have permission to use this file.</source>
        <translation>Keine Berechtigung, diese Datei zu verwenden.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Dies ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>There isn’t enough space on the disk.</source>
        <translation>Auf dem Datenträger ist nicht genug Platz.</translation>
    </message>
    <message>
        <source>The disk is read-only.</source>
        <translation>Der Datenträger ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>The file couldn’t be read (%1).</source>
        <translation>Die Datei konnte nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>The sound track couldn’t be saved. %1</source>
        <translation>Die Tonspur konnte nicht gespeichert werden. %1</translation>
    </message>
    <message>
        <source>The sound track couldn’t be saved (%1).</source>
        <translation>Die Tonspur konnte nicht gespeichert werden (%1).</translation>
    </message>
</context>
<context>
    <name>FileDialogChooser</name>
    <message>
        <source>Audio and video files (%1)</source>
        <translation>Audio- und Videodateien (%1)</translation>
    </message>
    <message>
        <source>Subtitles (%1)</source>
        <translation>Untertitel (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>FrameReader</name>
    <message>
        <source>The picture of this video can’t be shown.</source>
        <translation>Das Bild dieses Videos kann nicht angezeigt werden.</translation>
    </message>
    <message>
        <source>This file has no picture.</source>
        <translation>Diese Datei hat kein Bild.</translation>
    </message>
</context>
<context>
    <name>MediaError</name>
    <message>
        <source>This file can’t be read as audio or video.</source>
        <translation>Diese Datei lässt sich nicht als Audio oder Video lesen.</translation>
    </message>
    <message>
        <source>This file has no sound track.</source>
        <translation>Diese Datei hat keine Tonspur.</translation>
    </message>
</context>
<context>
    <name>PhaseLabel</name>
    <message>
        <source>Playing %1 of %2</source>
        <translation>Wiedergabe %1 von %2</translation>
    </message>
    <message>
        <source>Your turn (%1 of %2)</source>
        <translation>Jetzt nachsprechen (%1 von %2)</translation>
    </message>
    <message>
        <source>Listen…</source>
        <translation>Zuhören …</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>Aufnahme läuft …</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Your attempt</source>
        <translation>Eigene Aufnahme</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>The picture couldn’t be saved (%1).</source>
        <translation>Das Bild konnte nicht gespeichert werden (%1).</translation>
    </message>
    <message>
        <source>The picture couldn’t be saved to “%1”: %2</source>
        <translation>Das Bild konnte nicht unter „%1“ gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>PictureView</name>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Double-click for a larger picture; Esc goes back</source>
        <translation>Doppelklicken für ein größeres Bild; Esc kehrt zurück</translation>
    </message>
</context>
<context>
    <name>PocketSphinxEngine</name>
    <message>
        <source>No speech model for %1 was found in %2.</source>
        <translation>Kein Sprachmodell für %1 in %2 gefunden.</translation>
    </message>
</context>
<context>
    <name>PracticeCommands</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open Audio or Video…</source>
        <translation>Audio oder Video öffnen …</translation>
    </message>
    <message>
        <source>Add Subtitles…</source>
        <translation>Untertitel hinzufügen …</translation>
    </message>
    <message>
        <source>Add Transcript…</source>
        <translation>Transkript hinzufügen …</translation>
    </message>
    <message>
        <source>Close File</source>
        <translation>Datei schließen</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren …</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Practice</source>
        <translation>&amp;Üben</translation>
    </message>
    <message>
        <source>Previous Sentence</source>
        <translation>Vorheriger Satz</translation>
    </message>
    <message>
        <source>Next Sentence</source>
        <translation>Nächster Satz</translation>
    </message>
    <message>
        <source>Record Your Attempt</source>
        <translation>Eigene Aufnahme machen</translation>
    </message>
    <message>
        <source>Compare with the Original</source>
        <translation>Mit dem Original vergleichen</translation>
    </message>
    <message>
        <source>Play Your Attempt</source>
        <translation>Eigene Aufnahme abspielen</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Als schwer markieren</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Langsamer</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Schneller</translation>
    </message>
    <message>
        <source>Normal Speed</source>
        <translation>Normales Tempo</translation>
    </message>
    <message>
        <source>Find Sentences Again</source>
        <translation>Sätze erneut suchen</translation>
    </message>
    <message>
        <source>Split at Pauses Only</source>
        <translation>Nur an Pausen teilen</translation>
    </message>
    <message>
        <source>Review Hard Sentences…</source>
        <translation>Schwere Sätze wiederholen …</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Aktualisierungen suchen …</translation>
    </message>
    <message>
        <source>About Quellin</source>
        <translation>Über Quellin</translation>
    </message>
    <message>
        <source>Loop Sentence (Space)</source>
        <translation>Satz wiederholen (Leertaste)</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Hard Only</source>
        <translation>Nur schwere</translation>
    </message>
    <message>
        <source>Choose Language…</source>
        <translation>Sprache wählen …</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Show Picture</source>
        <translation>Bild anzeigen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Move Start Earlier</source>
        <translation>Anfang früher</translation>
    </message>
    <message>
        <source>Move Start Later</source>
        <translation>Anfang später</translation>
    </message>
    <message>
        <source>Move End Earlier</source>
        <translation>Ende früher</translation>
    </message>
    <message>
        <source>Move End Later</source>
        <translation>Ende später</translation>
    </message>
    <message>
        <source>Split Sentence</source>
        <translation>Satz teilen</translation>
    </message>
    <message>
        <source>Merge with Next</source>
        <translation>Mit dem nächsten zusammenfügen</translation>
    </message>
    <message>
        <source>Edit Text…</source>
        <translation>Text bearbeiten…</translation>
    </message>
</context>
<context>
    <name>PracticeSettingsView</name>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Langsamer</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Schneller</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Pause after each</source>
        <translation>Pause nach jedem</translation>
    </message>
    <message>
        <source>Time to say it yourself after each repetition, sized to the sentence’s length (at least %1 s)</source>
        <translation>Zeit zum Nachsprechen nach jeder Wiederholung, passend zur Länge des Satzes (mindestens %1 s)</translation>
    </message>
    <message>
        <source>Then</source>
        <translation>Danach</translation>
    </message>
    <message>
        <source>Go on to the next sentence by itself</source>
        <translation>Von selbst zum nächsten Satz gehen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>½ sentence</source>
        <translation>½ Satz</translation>
    </message>
    <message>
        <source>1 sentence</source>
        <translation>1 Satz</translation>
    </message>
    <message>
        <source>1½ sentences</source>
        <translation>1½ Sätze</translation>
    </message>
    <message>
        <source>%1 sentences</source>
        <translation>%1 Sätze</translation>
    </message>
</context>
<context>
    <name>PracticeView</name>
    <message>
        <source>Pick a sentence</source>
        <translation>Einen Satz auswählen</translation>
    </message>
    <message>
        <source>Mark this sentence hard (Ctrl+D)</source>
        <translation>Diesen Satz als schwer markieren (Strg+D)</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Previous sentence (↑ in the list, or Ctrl+[)</source>
        <translation>Vorheriger Satz (↑ in der Liste oder Strg+[)</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Next sentence (↓ in the list, or Ctrl+])</source>
        <translation>Nächster Satz (↓ in der Liste oder Strg+])</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Hear the sentence once, then record yourself (Ctrl+R)</source>
        <translation>Den Satz einmal anhören, dann selbst aufnehmen (Strg+R)</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>Play the original, then your attempt (Ctrl+E)</source>
        <translation>Erst das Original, dann die eigene Aufnahme abspielen (Strg+E)</translation>
    </message>
    <message>
        <source>These words were recognised with little certainty and may be wrong. Choose the recording’s language, or add subtitles or a transcript.</source>
        <translation>Diese Wörter wurden mit geringer Sicherheit erkannt und können falsch sein. Die Sprache der Aufnahme wählen oder Untertitel bzw. ein Transkript hinzufügen.</translation>
    </message>
    <message>
        <source>Fade Uncertain Text</source>
        <translation>Unsicheren Text abblenden</translation>
    </message>
    <message>
        <source>Show Text Plainly</source>
        <translation>Text normal anzeigen</translation>
    </message>
    <message>
        <source>Fade the words recognised with little certainty</source>
        <translation>Die mit geringer Sicherheit erkannten Wörter abblenden</translation>
    </message>
    <message>
        <source>Show every recognised word in full colour</source>
        <translation>Jedes erkannte Wort in voller Farbe anzeigen</translation>
    </message>
    <message>
        <source>Sentence %1 of %2</source>
        <translation>Satz %1 von %2</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Als schwer markieren</translation>
    </message>
    <message>
        <source>No words were recognised in this sentence. Listen, then say it back.</source>
        <translation>In diesem Satz wurden keine Wörter erkannt. Zuhören, dann nachsprechen.</translation>
    </message>
    <message>
        <source>No transcript for this sentence: it was split at a pause. Listen, then say it back.</source>
        <translation>Kein Transkript für diesen Satz: Er wurde an einer Pause geteilt. Zuhören, dann nachsprechen.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message numerus="yes">
        <source>Play the sentence %n time(s) with a pause to repeat it (Space)</source>
        <translation>
            <numerusform>Den Satz einmal abspielen, mit einer Pause zum Nachsprechen (Leertaste)</numerusform>
            <numerusform>Den Satz %n-mal abspielen, mit einer Pause zum Nachsprechen (Leertaste)</numerusform>
        </translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Aufnahme beenden</translation>
    </message>
    <message>
        <source>%1 Practice goes on with the sound.</source>
        <translation>%1 Das Üben geht mit dem Ton weiter.</translation>
    </message>
    <message>
        <source>Start 50 ms earlier (Ctrl+Shift+Left)</source>
        <translation>Anfang 50 ms früher (Strg+Umschalt+Links)</translation>
    </message>
    <message>
        <source>End 50 ms earlier (Alt+Shift+Left)</source>
        <translation>Ende 50 ms früher (Alt+Umschalt+Links)</translation>
    </message>
    <message>
        <source>Start 50 ms later (Ctrl+Shift+Right)</source>
        <translation>Anfang 50 ms später (Strg+Umschalt+Rechts)</translation>
    </message>
    <message>
        <source>End 50 ms later (Alt+Shift+Right)</source>
        <translation>Ende 50 ms später (Alt+Umschalt+Rechts)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Nicht jetzt</translation>
    </message>
</context>
<context>
    <name>QuellinApp</name>
    <message>
        <source>Quellin Settings</source>
        <translation>Quellin-Einstellungen</translation>
    </message>
    <message>
        <source>About Quellin</source>
        <translation>Über Quellin</translation>
    </message>
    <message>
        <source>&lt;b&gt;Quellin %1&lt;/b&gt;&lt;p&gt;Shadow any recording, one sentence at a time.&lt;/p&gt;</source>
        <translation>&lt;b&gt;Quellin %1&lt;/b&gt;&lt;p&gt;Jede Aufnahme nachsprechen, Satz für Satz.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The folder “%1” couldn’t be created.</source>
        <translation>Der Ordner „%1“ konnte nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>RecorderError</name>
    <message>
        <source>Recording couldn’t start. Check that a microphone is connected and selected in your sound settings.</source>
        <translation>Die Aufnahme konnte nicht starten. Prüfen, ob ein Mikrofon angeschlossen und in den Toneinstellungen ausgewählt ist.</translation>
    </message>
</context>
<context>
    <name>RecordingMeter</name>
    <message>
        <source>Microphone level</source>
        <translation>Mikrofonpegel</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) left</source>
        <translation>
            <numerusform>Noch %n Sekunde</numerusform>
            <numerusform>Noch %n Sekunden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RelativeDate</name>
    <message numerus="yes">
        <source>%n year(s) ago</source>
        <translation>
            <numerusform>vor %n Jahr</numerusform>
            <numerusform>vor %n Jahren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n year(s)</source>
        <translation>
            <numerusform>in %n Jahr</numerusform>
            <numerusform>in %n Jahren</numerusform>
        </translation>
    </message>
    <message>
        <source>last year</source>
        <translation>letztes Jahr</translation>
    </message>
    <message>
        <source>next year</source>
        <translation>nächstes Jahr</translation>
    </message>
    <message numerus="yes">
        <source>%n month(s) ago</source>
        <translation>
            <numerusform>vor %n Monat</numerusform>
            <numerusform>vor %n Monaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n month(s)</source>
        <translation>
            <numerusform>in %n Monat</numerusform>
            <numerusform>in %n Monaten</numerusform>
        </translation>
    </message>
    <message>
        <source>last month</source>
        <translation>letzten Monat</translation>
    </message>
    <message>
        <source>next month</source>
        <translation>nächsten Monat</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) ago</source>
        <translation>
            <numerusform>vor %n Woche</numerusform>
            <numerusform>vor %n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n week(s)</source>
        <translation>
            <numerusform>in %n Woche</numerusform>
            <numerusform>in %n Wochen</numerusform>
        </translation>
    </message>
    <message>
        <source>last week</source>
        <translation>letzte Woche</translation>
    </message>
    <message>
        <source>next week</source>
        <translation>nächste Woche</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>vor %n Tag</numerusform>
            <numerusform>vor %n Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>in %n Tag</numerusform>
            <numerusform>in %n Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>yesterday</source>
        <translation>gestern</translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation>morgen</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>vor %n Stunde</numerusform>
            <numerusform>vor %n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>in %n Stunde</numerusform>
            <numerusform>in %n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>vor %n Minute</numerusform>
            <numerusform>vor %n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>in %n Minute</numerusform>
            <numerusform>in %n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) ago</source>
        <translation>
            <numerusform>vor %n Sekunde</numerusform>
            <numerusform>vor %n Sekunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n second(s)</source>
        <translation>
            <numerusform>in %n Sekunde</numerusform>
            <numerusform>in %n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>now</source>
        <translation>jetzt</translation>
    </message>
</context>
<context>
    <name>ReviewList</name>
    <message>
        <source>Sentence %1</source>
        <translation>Satz %1</translation>
    </message>
</context>
<context>
    <name>ReviewView</name>
    <message>
        <source>Review Hard Sentences</source>
        <translation>Schwere Sätze wiederholen</translation>
    </message>
    <message>
        <source>Sentences you marked hard come back 1, 3, 7, 14 and then every 30 days after you practise them. Double-click one to practise it.</source>
        <translation>Als schwer markierte Sätze kommen nach 1, 3, 7 und 14 Tagen wieder, danach alle 30 Tage nach dem Üben. Zum Üben einen Satz doppelklicken.</translation>
    </message>
    <message>
        <source>Sentence</source>
        <translation>Satz</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Last practised</source>
        <translation>Zuletzt geübt</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>Fällig</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>No sentence is marked hard.</source>
        <translation>Kein Satz ist als schwer markiert.</translation>
    </message>
</context>
<context>
    <name>SentenceFinder</name>
    <message>
        <source>Speech recognition is off for Quellin, so sentences are split at pauses (no transcript).</source>
        <translation>Die Spracherkennung ist für Quellin ausgeschaltet, daher werden die Sätze an Pausen geteilt (kein Transkript).</translation>
    </message>
    <message>
        <source>Speech recognition stopped (%1). The sentences are split at pauses.</source>
        <translation>Die Spracherkennung wurde beendet (%1). Die Sätze werden an Pausen geteilt.</translation>
    </message>
    <message>
        <source>No speech was recognised in %1. The sentences are split at pauses; pick the file’s language and choose Find Sentences Again.</source>
        <translation>In %1 wurde keine Sprache erkannt. Die Sätze werden an Pausen geteilt; die Sprache der Datei wählen und „Sätze erneut suchen“ wählen.</translation>
    </message>
</context>
<context>
    <name>SentenceList</name>
    <message>
        <source>Sentences</source>
        <translation>Sätze</translation>
    </message>
    <message>
        <source>No hard sentences yet</source>
        <translation>Noch keine schweren Sätze</translation>
    </message>
    <message>
        <source>Mark a sentence hard with Ctrl+D or its star, then practise only those.</source>
        <translation>Einen Satz mit Strg+D oder seinem Stern als schwer markieren, dann nur diese üben.</translation>
    </message>
    <message>
        <source>No sentences found</source>
        <translation>Keine Sätze gefunden</translation>
    </message>
    <message>
        <source>This file seems to be silent.</source>
        <translation>Diese Datei scheint still zu sein.</translation>
    </message>
    <message>
        <source>Unmark Hard</source>
        <translation>Markierung „schwer“ entfernen</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Als schwer markieren</translation>
    </message>
    <message>
        <source>Edit Text…</source>
        <translation>Text bearbeiten…</translation>
    </message>
</context>
<context>
    <name>SentenceRow</name>
    <message>
        <source>Sentence %1</source>
        <translation>Satz %1</translation>
    </message>
    <message>
        <source>words uncertain</source>
        <translation>Wörter unsicher</translation>
    </message>
    <message>
        <source>marked hard</source>
        <translation>als schwer markiert</translation>
    </message>
</context>
<context>
    <name>SentenceRowDelegate</name>
    <message>
        <source>(no words recognised)</source>
        <translation>(keine Wörter erkannt)</translation>
    </message>
</context>
<context>
    <name>SentenceSource</name>
    <message>
        <source>%1 The sentences stay as they are.</source>
        <translation>%1 Die Sätze bleiben, wie sie sind.</translation>
    </message>
</context>
<context>
    <name>SentenceTextDialog</name>
    <message>
        <source>Edit Text</source>
        <translation>Text bearbeiten</translation>
    </message>
    <message>
        <source>The words of sentence %1 (%2 – %3), as you hear them.</source>
        <translation>Die Wörter von Satz %1 (%2 – %3), wie Sie sie hören.</translation>
    </message>
    <message>
        <source>No text</source>
        <translation>Kein Text</translation>
    </message>
    <message>
        <source>Leave it empty to remove the text.</source>
        <translation>Leer lassen, um den Text zu entfernen.</translation>
    </message>
    <message>
        <source>Save Text</source>
        <translation>Text sichern</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>The session of “%1” holds a time or setting that isn’t a number.</source>
        <translation>Die Sitzung von „%1“ enthält eine Zeit oder Einstellung, die keine Zahl ist.</translation>
    </message>
    <message>
        <source>The session of “%1” has no valid save time.</source>
        <translation>Die Sitzung von „%1“ hat keine gültige Speicherzeit.</translation>
    </message>
</context>
<context>
    <name>SessionExport</name>
    <message>
        <source>The export couldn’t be moved into place (%1).</source>
        <translation>Der Export konnte nicht an seinen Platz verschoben werden (%1).</translation>
    </message>
    <message>
        <source>The export couldn’t be written (%1): %2</source>
        <translation>Der Export konnte nicht geschrieben werden (%1): %2</translation>
    </message>
    <message>
        <source>No sentence is marked hard.</source>
        <translation>Kein Satz ist als schwer markiert.</translation>
    </message>
    <message>
        <source>There are no sentences to export.</source>
        <translation>Es gibt keine Sätze zum Exportieren.</translation>
    </message>
    <message>
        <source>The folder “%1” can’t be written to.</source>
        <translation>In den Ordner „%1“ kann nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>SessionStore</name>
    <message>
        <source>The sessions folder “%1” couldn’t be created.</source>
        <translation>Der Sitzungsordner „%1“ konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The session couldn’t be saved to “%1”: %2</source>
        <translation>Die Sitzung konnte nicht in „%1“ gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Your recording of this sentence stays under its old start: another recording is already kept as “%1”.</source>
        <translation>Ihre Aufnahme dieses Satzes bleibt unter seinem alten Anfang: Eine andere Aufnahme ist schon als „%1“ gespeichert.</translation>
    </message>
    <message>
        <source>Your recording of this sentence couldn’t follow its new start: %1</source>
        <translation>Ihre Aufnahme dieses Satzes konnte seinem neuen Anfang nicht folgen: %1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Your sessions</source>
        <translation>Sitzungen</translation>
    </message>
    <message>
        <source>Sentences, your place, hard marks and recordings are kept on this computer only. Recognition runs on-device; nothing is uploaded.</source>
        <translation>Sätze, Position, Markierungen als schwer und Aufnahmen bleiben nur auf diesem Rechner. Die Erkennung läuft auf dem Gerät; nichts wird hochgeladen.</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Aktualisierungen</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Aktualisierungen suchen …</translation>
    </message>
</context>
<context>
    <name>ShortcutsDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
</context>
<context>
    <name>SphinxDecoder</name>
    <message>
        <source>The speech model in %1 couldn’t be loaded.</source>
        <translation>Das Sprachmodell in %1 konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>The speech recogniser couldn’t start.</source>
        <translation>Die Spracherkennung konnte nicht starten.</translation>
    </message>
    <message>
        <source>The speech recogniser couldn’t follow the sentence.</source>
        <translation>Die Spracherkennung konnte dem Satz nicht folgen.</translation>
    </message>
</context>
<context>
    <name>SphinxDecoderPool</name>
    <message>
        <source>an unknown failure</source>
        <translation>ein unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>SplitStatus</name>
    <message>
        <source>Aligning the transcript to the sound…</source>
        <translation>Transkript wird dem Ton zugeordnet …</translation>
    </message>
    <message>
        <source>Listening for sentences (%1)…</source>
        <translation>Sätze werden gesucht (%1) …</translation>
    </message>
    <message>
        <source>%1 of %2. You can practise meanwhile.</source>
        <translation>%1 von %2. Üben ist währenddessen möglich.</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript (%1, on this computer)</source>
        <translation>
            <numerusform>%n Satz · Transkript (%1, auf diesem Rechner)</numerusform>
            <numerusform>%n Sätze · Transkript (%1, auf diesem Rechner)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · subtitles (%1)</source>
        <translation>
            <numerusform>%n Satz · Untertitel (%1)</numerusform>
            <numerusform>%n Sätze · Untertitel (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · subtitles (%1, %2)</source>
        <translation>
            <numerusform>%n Satz · Untertitel (%1, %2)</numerusform>
            <numerusform>%n Sätze · Untertitel (%1, %2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript</source>
        <translation>
            <numerusform>%n Satz · Transkript</numerusform>
            <numerusform>%n Sätze · Transkript</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript (%1)</source>
        <translation>
            <numerusform>%n Satz · Transkript (%1)</numerusform>
            <numerusform>%n Sätze · Transkript (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · split at pauses</source>
        <translation>
            <numerusform>%n Satz · an Pausen geteilt</numerusform>
            <numerusform>%n Sätze · an Pausen geteilt</numerusform>
        </translation>
    </message>
    <message>
        <source>Listening progress</source>
        <translation>Fortschritt beim Hören</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Die Datei wird geöffnet</translation>
    </message>
</context>
<context>
    <name>StartView</name>
    <message>
        <source>Shadow any recording, one sentence at a time</source>
        <translation>Jede Aufnahme nachsprechen, Satz für Satz</translation>
    </message>
    <message>
        <source>Open a podcast episode, a lesson or a video. Quellin finds the sentences, loops each one with time to repeat it, and lets you record yourself to compare. Your files stay on this computer.</source>
        <translation>Eine Podcast-Folge, eine Lektion oder ein Video öffnen. Quellin findet die Sätze, wiederholt jeden mit Zeit zum Nachsprechen und nimmt die eigene Stimme zum Vergleich auf. Die Dateien bleiben auf diesem Rechner.</translation>
    </message>
    <message>
        <source>Open Audio or Video…</source>
        <translation>Audio oder Video öffnen …</translation>
    </message>
    <message>
        <source>Open Audio or Video… (Ctrl+O)</source>
        <translation>Audio oder Video öffnen … (Strg+O)</translation>
    </message>
    <message>
        <source>or drop a file here</source>
        <translation>oder eine Datei hierher ziehen</translation>
    </message>
    <message>
        <source>Pick up where you left off</source>
        <translation>Weitermachen, wo zuletzt aufgehört</translation>
    </message>
    <message>
        <source>Reading the file… %1%</source>
        <translation>Datei wird gelesen … %1 %</translation>
    </message>
    <message>
        <source>Reading the file…</source>
        <translation>Datei wird gelesen …</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) due for review</source>
        <translation>
            <numerusform>%n Satz zum Wiederholen fällig</numerusform>
            <numerusform>%n Sätze zum Wiederholen fällig</numerusform>
        </translation>
    </message>
    <message>
        <source>Forget this session and its recordings</source>
        <translation>Diese Sitzung und ihre Aufnahmen vergessen</translation>
    </message>
    <message>
        <source>Forget %1</source>
        <translation>%1 vergessen</translation>
    </message>
    <message>
        <source>Sentence %1 of %2</source>
        <translation>Satz %1 von %2</translation>
    </message>
    <message>
        <source>%1 of %2 practised</source>
        <translation>%1 von %2 geübt</translation>
    </message>
    <message numerus="yes">
        <source>%n hard</source>
        <translation>
            <numerusform>%n schwer</numerusform>
            <numerusform>%n schwer</numerusform>
        </translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Die Datei wird geöffnet</translation>
    </message>
</context>
<context>
    <name>SubtitleCues</name>
    <message>
        <source>These subtitles are pictures (as on DVDs, Blu-ray discs and TV broadcasts), so they hold no text to use.</source>
        <translation>Diese Untertitel sind Bilder (wie auf DVDs, Blu-ray-Discs und im Fernsehen) und enthalten keinen verwendbaren Text.</translation>
    </message>
    <message>
        <source>Quellin can’t read this kind of subtitles.</source>
        <translation>Quellin kann diese Art von Untertiteln nicht lesen.</translation>
    </message>
</context>
<context>
    <name>SubtitleFiles</name>
    <message>
        <source>Sentence %1</source>
        <translation>Satz %1</translation>
    </message>
</context>
<context>
    <name>SubtitleReading</name>
    <message>
        <source>“%1” is not a subtitle file.</source>
        <translation>„%1“ ist keine Untertiteldatei.</translation>
    </message>
    <message>
        <source>The subtitles “%1” can’t be read. %2</source>
        <translation>Die Untertitel „%1“ können nicht gelesen werden. %2</translation>
    </message>
    <message>
        <source>There isn’t enough space for a copy of it.</source>
        <translation>Für eine Kopie davon ist nicht genug Platz.</translation>
    </message>
    <message>
        <source>You don’t have permission to use this file.</source>
        <translation>Keine Berechtigung, diese Datei zu verwenden.</translation>
    </message>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>There isn’t enough memory.</source>
        <translation>Es ist nicht genug Speicher vorhanden.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Dies ist ein Ordner, keine Datei.</translation>
    </message>
</context>
<context>
    <name>SubtitleSentences</name>
    <message>
        <source>The subtitles “%1” have no words while the sound plays.</source>
        <translation>Die Untertitel „%1“ haben keine Wörter, während der Ton läuft.</translation>
    </message>
</context>
<context>
    <name>SubtitleTracks</name>
    <message>
        <source>Stream %1</source>
        <translation>Datenstrom %1</translation>
    </message>
    <message>
        <source> (Stream %1)</source>
        <translation> (Datenstrom %1)</translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>Where the sentences come from: the file’s subtitles, or on-device speech recognition in the language spoken in it</source>
        <translation>Woher die Sätze kommen: aus den Untertiteln der Datei oder aus der Spracherkennung auf dem Gerät in der gesprochenen Sprache</translation>
    </message>
    <message>
        <source>Hard Only</source>
        <translation>Nur schwere</translation>
    </message>
    <message>
        <source>Practise only the sentences marked hard</source>
        <translation>Nur die als schwer markierten Sätze üben</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Add Subtitles…</source>
        <translation>Untertitel hinzufügen …</translation>
    </message>
    <message>
        <source>Transcript</source>
        <translation>Transkript</translation>
    </message>
    <message>
        <source>Add Transcript…</source>
        <translation>Transkript hinzufügen …</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Not on This Computer Yet</source>
        <translation>Noch nicht auf diesem Rechner</translation>
    </message>
    <message>
        <source>Find Sentences Again</source>
        <translation>Sätze erneut suchen</translation>
    </message>
    <message>
        <source>Split at Pauses Only</source>
        <translation>Nur an Pausen teilen</translation>
    </message>
    <message>
        <source>%1 — can’t be used</source>
        <translation>%1 – nicht verwendbar</translation>
    </message>
</context>
<context>
    <name>Transcriber</name>
    <message>
        <source>On-device recognition for %1 isn’t on this computer. Put its speech model in %2, then choose Find Sentences Again.</source>
        <translation>Die Erkennung auf dem Gerät für %1 ist auf diesem Rechner nicht vorhanden. Das Sprachmodell nach %2 legen, dann „Sätze erneut suchen“ wählen.</translation>
    </message>
</context>
<context>
    <name>TranscriptAlignment</name>
    <message>
        <source>There is no voice for %1 to compare the transcript with.</source>
        <translation>Für %1 gibt es keine Stimme, mit der das Transkript verglichen werden kann.</translation>
    </message>
    <message>
        <source>The speech synthesiser espeak-ng could not start.</source>
        <translation>Die Sprachsynthese espeak-ng konnte nicht starten.</translation>
    </message>
    <message>
        <source>The transcript holds no text.</source>
        <translation>Das Transkript enthält keinen Text.</translation>
    </message>
    <message>
        <source>The transcript does not fit this recording: its words could not be found in the sound. Check that it is the text of this recording and that its language is %1.</source>
        <translation>Das Transkript passt nicht zu dieser Aufnahme: Seine Wörter wurden im Ton nicht gefunden. Prüfen, ob es der Text dieser Aufnahme ist und ob seine Sprache %1 ist.</translation>
    </message>
    <message>
        <source>The transcript file could not be read: %1.</source>
        <translation>Die Transkriptdatei konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>The transcript file does not hold plain text.</source>
        <translation>Die Transkriptdatei enthält keinen reinen Text.</translation>
    </message>
</context>
<context>
    <name>TranscriptDialog</name>
    <message>
        <source>Add Transcript</source>
        <translation>Transkript hinzufügen</translation>
    </message>
    <message>
        <source>Paste the text spoken in “%1”, or open the file that holds it. Quellin finds where each sentence is spoken.</source>
        <translation>Den in „%1“ gesprochenen Text einfügen oder die Datei öffnen, die ihn enthält. Quellin findet, wo jeder Satz gesprochen wird.</translation>
    </message>
    <message>
        <source>The transcript, as written</source>
        <translation>Das Transkript, wie geschrieben</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Open File…</source>
        <translation>Datei öffnen …</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Zuordnen</translation>
    </message>
    <message>
        <source>No voice to read a transcript with was found: espeak-ng’s voices are missing.</source>
        <translation>Keine Stimme zum Vorlesen eines Transkripts gefunden: Die Stimmen von espeak-ng fehlen.</translation>
    </message>
    <message>
        <source>pasted text</source>
        <translation>eingefügter Text</translation>
    </message>
    <message>
        <source>Open a Transcript</source>
        <translation>Transkript öffnen</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <source>Couldn’t check for updates</source>
        <translation>Suche nach Aktualisierungen nicht möglich</translation>
    </message>
    <message>
        <source>This copy of %1 has no update feed. Your package manager keeps it up to date.</source>
        <translation>Diese Kopie von %1 hat keine Aktualisierungsquelle. Die Paketverwaltung hält sie aktuell.</translation>
    </message>
    <message>
        <source>%1 %2 is available</source>
        <translation>%1 %2 ist verfügbar</translation>
    </message>
    <message>
        <source>You have version %1. The download page opens in your browser.</source>
        <translation>Installiert ist Version %1. Die Download-Seite öffnet sich im Browser.</translation>
    </message>
    <message>
        <source>This app</source>
        <translation>Diese Anwendung</translation>
    </message>
    <message>
        <source>You’re up to date</source>
        <translation>Alles aktuell</translation>
    </message>
    <message>
        <source>%1 %2 is the newest version. %1 checks for updates on its own and will let you know when there’s a new one.</source>
        <translation>%1 %2 ist die neueste Version. %1 sucht selbst nach Aktualisierungen und meldet sich, wenn es eine neue gibt.</translation>
    </message>
    <message>
        <source>Check your internet connection and try again. %1 also checks on its own about once a day.</source>
        <translation>Die Internetverbindung prüfen und es erneut versuchen. %1 sucht außerdem etwa einmal am Tag selbst.</translation>
    </message>
</context>
<context>
    <name>quellin-cli</name>
    <message>
        <source>more than one file given</source>
        <translation>mehr als eine Datei angegeben</translation>
    </message>
    <message>
        <source>missing MEDIA</source>
        <translation>MEDIA fehlt</translation>
    </message>
    <message>
        <source>--start and --end need seconds, the end after the start</source>
        <translation>--start und --end brauchen Sekunden, das Ende nach dem Anfang</translation>
    </message>
    <message>
        <source>--take needs the take&apos;s file</source>
        <translation>--take braucht die Datei der Aufnahme</translation>
    </message>
    <message>
        <source>Couldn’t read the take “%1”: it isn’t a sound file.
</source>
        <translation>Die Aufnahme „%1“ konnte nicht gelesen werden: Sie ist keine Tondatei.
</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2
</source>
        <translation>„%1“ konnte nicht geöffnet werden: %2
</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version anzeigen und beenden.</translation>
    </message>
    <message>
        <source>The language spoken in FILE, as listed by `quellin-cli languages` (for a transcript: any language espeak-ng speaks); by default the window&apos;s.</source>
        <translation>Die in FILE gesprochene Sprache, wie von `quellin-cli languages` aufgeführt (für ein Transkript: jede Sprache, die espeak-ng spricht); standardmäßig die des Fensters.</translation>
    </message>
    <message>
        <source>Split at pauses without recognising speech.</source>
        <translation>An Pausen teilen, ohne Sprache zu erkennen.</translation>
    </message>
    <message>
        <source>Where the sentences&apos; text comes from: the subtitles the window would choose (auto, the default), none, or this subtitle file.</source>
        <translation>Woher der Text der Sätze kommt: die Untertitel, die das Fenster wählen würde (auto, Standard), none oder diese Untertiteldatei.</translation>
    </message>
    <message>
        <source>Align this text of FILE (plain text) instead of recognising speech.</source>
        <translation>Diesen Text von FILE (reiner Text) zuordnen, statt Sprache zu erkennen.</translation>
    </message>
    <message>
        <source>How the sentences are printed (default: text).</source>
        <translation>Wie die Sätze ausgegeben werden (Standard: text).</translation>
    </message>
    <message>
        <source>What to export FILE&apos;s sentences as.</source>
        <translation>Als was die Sätze von FILE exportiert werden.</translation>
    </message>
    <message>
        <source>Export only the sentences marked hard.</source>
        <translation>Nur die als schwer markierten Sätze exportieren.</translation>
    </message>
    <message>
        <source>The folder the export is written into.</source>
        <translation>Der Ordner, in den exportiert wird.</translation>
    </message>
    <message>
        <source>sentences FILE, subtitles FILE, export FILE, or languages.</source>
        <translation>sentences FILE, subtitles FILE, export FILE oder languages.</translation>
    </message>
    <message>
        <source>export takes --to, --hard-only and --out</source>
        <translation>export nimmt --to, --hard-only und --out</translation>
    </message>
    <message>
        <source>--to needs anki, srt, vtt or clips</source>
        <translation>--to braucht anki, srt, vtt oder clips</translation>
    </message>
    <message>
        <source>--out needs a folder</source>
        <translation>--out braucht einen Ordner</translation>
    </message>
    <message>
        <source>missing command</source>
        <translation>Befehl fehlt</translation>
    </message>
    <message>
        <source>languages takes no arguments</source>
        <translation>languages nimmt keine Argumente</translation>
    </message>
    <message>
        <source>unknown command “%1”</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>subtitles takes only FILE</source>
        <translation>subtitles nimmt nur FILE</translation>
    </message>
    <message>
        <source>--language needs a language identifier</source>
        <translation>--language braucht eine Sprachkennung</translation>
    </message>
    <message>
        <source>--to, --hard-only and --out belong to export</source>
        <translation>--to, --hard-only und --out gehören zu export</translation>
    </message>
    <message>
        <source>--format needs text, json or srt</source>
        <translation>--format braucht text, json oder srt</translation>
    </message>
    <message>
        <source>--subtitles needs auto, none or a file</source>
        <translation>--subtitles braucht auto, none oder eine Datei</translation>
    </message>
    <message>
        <source>--transcript needs a file and no --pauses-only</source>
        <translation>--transcript braucht eine Datei und kein --pauses-only</translation>
    </message>
    <message>
        <source>Reading the sound…</source>
        <translation>Ton wird gelesen …</translation>
    </message>
    <message>
        <source>Listening for sentences…</source>
        <translation>Sätze werden gesucht …</translation>
    </message>
    <message>
        <source>Aligning the transcript…</source>
        <translation>Transkript wird zugeordnet …</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2</source>
        <translation>„%1“ konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Couldn’t export “%1”: %2</source>
        <translation>„%1“ konnte nicht exportiert werden: %2</translation>
    </message>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>missing FILE</source>
        <translation>FILE fehlt</translation>
    </message>
    <message>
        <source>--at needs seconds from the start</source>
        <translation>--at braucht Sekunden ab dem Anfang</translation>
    </message>
    <message>
        <source>--out needs the picture&apos;s file</source>
        <translation>--out braucht die Datei für das Bild</translation>
    </message>
    <message>
        <source>--width needs a number of pixels</source>
        <translation>--width braucht eine Anzahl Pixel</translation>
    </message>
</context>
</TS>
