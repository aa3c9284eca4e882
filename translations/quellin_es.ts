<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AppModel</name>
    <message>
        <source>Choose an audio or video file to practise with. It stays where it is.</source>
        <translation>Elija un archivo de audio o vídeo para practicar. Se queda donde está.</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2</source>
        <translation>No se pudo abrir «%1»: %2</translation>
    </message>
    <message>
        <source>The saved session of “%1” couldn’t be read, so it starts afresh. The damaged file is kept as “%2”.</source>
        <translation>No se pudo leer la sesión guardada de «%1», así que empieza de nuevo. El archivo dañado se conserva como «%2».</translation>
    </message>
    <message>
        <source>The subtitles “%1” can’t be used: %2</source>
        <translation>No se pueden usar los subtítulos «%1»: %2</translation>
    </message>
    <message>
        <source>The subtitles these sentences came from aren’t listed any more. Add them again from the File menu, or choose a language to recognise the speech instead.</source>
        <translation>Los subtítulos de los que salieron estas frases ya no aparecen en la lista. Añádalos de nuevo desde el menú Archivo o elija un idioma para reconocer el habla en su lugar.</translation>
    </message>
    <message>
        <source>The transcript these sentences came from isn’t listed any more. Add it again from the File menu, or choose a language to recognise the speech instead.</source>
        <translation>La transcripción de la que salieron estas frases ya no aparece en la lista. Añádala de nuevo desde el menú Archivo o elija un idioma para reconocer el habla en su lugar.</translation>
    </message>
    <message>
        <source>Choose the subtitles of “%1”. They give its sentences their text.</source>
        <translation>Elija los subtítulos de «%1». Dan a sus frases el texto.</translation>
    </message>
    <message>
        <source>“%1” holds subtitles. Open their audio or video file first, then add them to it.</source>
        <translation>«%1» contiene subtítulos. Abra primero su archivo de audio o vídeo y después añádalos.</translation>
    </message>
    <message>
        <source>“%1” isn’t where it was (%2). Open it from its new place; the session starts fresh.</source>
        <translation>«%1» ya no está donde estaba (%2). Ábralo desde su nueva ubicación; la sesión empieza de nuevo.</translation>
    </message>
    <message>
        <source>Couldn’t save your recording: %1</source>
        <translation>No se pudo guardar su grabación: %1</translation>
    </message>
    <message>
        <source>Couldn’t play the sound: %1</source>
        <translation>No se pudo reproducir el sonido: %1</translation>
    </message>
    <message>
        <source>Move Start Earlier</source>
        <translation>Adelantar el inicio</translation>
    </message>
    <message>
        <source>Move End Earlier</source>
        <translation>Adelantar el final</translation>
    </message>
    <message>
        <source>Move Start Later</source>
        <translation>Retrasar el inicio</translation>
    </message>
    <message>
        <source>Move End Later</source>
        <translation>Retrasar el final</translation>
    </message>
    <message>
        <source>Split Sentence</source>
        <translation>Dividir la frase</translation>
    </message>
    <message>
        <source>Merge Sentences</source>
        <translation>Unir las frases</translation>
    </message>
    <message>
        <source>Edit Text</source>
        <translation>Editar el texto</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) you edited were kept.</source>
        <translation>
            <numerusform>Se ha conservado %n frase que editó.</numerusform>
            <numerusform>Se han conservado %n frases que editó.</numerusform>
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
        <translation>Su intento</translation>
    </message>
    <message>
        <source>Press Record (Ctrl+R): you hear the sentence once, then say it. Your attempt shows here.</source>
        <translation>Pulse Grabar (Ctrl+R): oirá la frase una vez y después la dice usted. Su intento aparece aquí.</translation>
    </message>
    <message>
        <source>Show Intonation</source>
        <translation>Mostrar entonación</translation>
    </message>
    <message>
        <source>Draw the melody of the original and of your attempt over the waveforms</source>
        <translation>Dibujar la melodía del original y de su intento sobre las formas de onda</translation>
    </message>
    <message>
        <source>No speech was heard in your attempt.</source>
        <translation>No se oyó habla en su intento.</translation>
    </message>
    <message>
        <source>Intonation match: %1 of 100, %2.</source>
        <translation>Coincidencia de entonación: %1 de 100, %2.</translation>
    </message>
    <message>
        <source>Intonation match: too little of the two was voiced to compare.</source>
        <translation>Coincidencia de entonación: demasiado poco de ambos tenía voz para compararlos.</translation>
    </message>
    <message>
        <source>You paused where the original pauses.</source>
        <translation>Hizo las pausas donde las hace el original.</translation>
    </message>
    <message>
        <source>The sentence’s words: the ones heard in your attempt are coloured, the ones missed are dimmed.</source>
        <translation>Las palabras de la frase: las que se oyeron en su intento están en color; las que faltaron, atenuadas.</translation>
    </message>
    <message>
        <source>Every word was heard.</source>
        <translation>Se oyeron todas las palabras.</translation>
    </message>
    <message>
        <source>Not heard: %1.</source>
        <translation>No se oyó: %1.</translation>
    </message>
</context>
<context>
    <name>AttemptFeedback</name>
    <message>
        <source>You spoke at the original’s pace.</source>
        <translation>Habló al ritmo del original.</translation>
    </message>
    <message>
        <source>You were %1 % slower than the original.</source>
        <translation>Fue un %1 % más lento que el original.</translation>
    </message>
    <message>
        <source>You were %1 % faster than the original.</source>
        <translation>Fue un %1 % más rápido que el original.</translation>
    </message>
    <message>
        <source>close</source>
        <translation>muy parecida</translation>
    </message>
    <message>
        <source>some differences</source>
        <translation>algunas diferencias</translation>
    </message>
    <message>
        <source>different melody</source>
        <translation>melodía distinta</translation>
    </message>
    <message>
        <source>You paused at %1 s where the original goes on.</source>
        <translation>Hizo una pausa en %1 s donde el original continúa.</translation>
    </message>
    <message>
        <source>The original pauses at %1 s; you went on.</source>
        <translation>El original hace una pausa en %1 s; usted continuó.</translation>
    </message>
</context>
<context>
    <name>AudioDecoder</name>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Esto es una carpeta, no un archivo.</translation>
    </message>
    <message>
        <source>The sound couldn’t be converted (%1).</source>
        <translation>No se pudo convertir el sonido (%1).</translation>
    </message>
</context>
<context>
    <name>AudioDevices</name>
    <message>
        <source>No sound output device is available.</source>
        <translation>No hay ningún dispositivo de salida de sonido disponible.</translation>
    </message>
    <message>
        <source>The sound output device couldn’t start.</source>
        <translation>No se pudo iniciar el dispositivo de salida de sonido.</translation>
    </message>
    <message>
        <source>The sound output device stopped working.</source>
        <translation>El dispositivo de salida de sonido dejó de funcionar.</translation>
    </message>
</context>
<context>
    <name>AudioFileWriter</name>
    <message>
        <source>This system’s FFmpeg has no %1 encoder.</source>
        <translation>El FFmpeg de este sistema no tiene codificador %1.</translation>
    </message>
</context>
<context>
    <name>CommandLineHelp</name>
    <message>
        <source>Practise a spoken language by repeating a recording sentence by sentence. Quellin opens each FILE (audio or video) in its window; when Quellin is already running, the files open there.</source>
        <translation>Practicar la expresión oral de un idioma repitiendo una grabación frase a frase. Quellin abre cada archivo FILE (audio o vídeo) en su ventana; si Quellin ya está en marcha, los archivos se abren allí.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Mostrar esta ayuda y salir.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Mostrar la versión y salir.</translation>
    </message>
    <message>
        <source>Audio or video files to practise with.</source>
        <translation>Archivos de audio o vídeo para practicar.</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Subtitles</source>
        <translation>Subtítulos</translation>
    </message>
    <message>
        <source>Transcript</source>
        <translation>Transcripción</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Algo salió mal</translation>
    </message>
    <message>
        <source>Microphone is off for Quellin</source>
        <translation>El micrófono está desactivado para Quellin</translation>
    </message>
    <message>
        <source>To record your attempts, allow Quellin to use the microphone in your system’s sound and privacy settings.</source>
        <translation>Para grabar sus intentos, permita que Quellin use el micrófono en la configuración de sonido y privacidad del sistema.</translation>
    </message>
    <message>
        <source>Open Sound Settings</source>
        <translation>Abrir configuración de sonido</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Ahora no</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export “%1”</source>
        <translation>Exportar «%1»</translation>
    </message>
    <message>
        <source>Anki flash cards (notes and sound clips)</source>
        <translation>Tarjetas de Anki (notas y fragmentos de sonido)</translation>
    </message>
    <message>
        <source>Subtitles (SRT)</source>
        <translation>Subtítulos (SRT)</translation>
    </message>
    <message>
        <source>Subtitles (WebVTT)</source>
        <translation>Subtítulos (WebVTT)</translation>
    </message>
    <message>
        <source>A sound clip per sentence (MP3)</source>
        <translation>Un fragmento de sonido por frase (MP3)</translation>
    </message>
    <message>
        <source>Export as:</source>
        <translation>Exportar como:</translation>
    </message>
    <message>
        <source>Only the sentences marked hard (%1)</source>
        <translation>Solo las frases marcadas como difíciles (%1)</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>Export into</source>
        <translation>Exportar a</translation>
    </message>
    <message>
        <source>Into:</source>
        <translation>En:</translation>
    </message>
    <message>
        <source>Export progress</source>
        <translation>Progreso de la exportación</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Exportando…</translation>
    </message>
    <message>
        <source>Couldn’t export: %1</source>
        <translation>No se pudo exportar: %1</translation>
    </message>
    <message>
        <source>Export cancelled.</source>
        <translation>Exportación cancelada.</translation>
    </message>
    <message>
        <source>Exported to %1
In Anki, copy its MP3 files into your profile’s collection.media folder, then choose File ▸ Import… and pick notes.txt.</source>
        <translation>Exportado a %1
En Anki, copie sus archivos MP3 a la carpeta collection.media de su perfil y después elija Archivo ▸ Importar… y seleccione notes.txt.</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportado a %1</translation>
    </message>
</context>
<context>
    <name>FFmpegSupport</name>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>El archivo no existe.</translation>
    </message>
    <message>
        <source>You don’t have permission to use this file.</source>
        <translation>No tiene permiso para usar este archivo.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Esto es una carpeta, no un archivo.</translation>
    </message>
    <message>
        <source>There isn’t enough space on the disk.</source>
        <translation>No hay suficiente espacio en el disco.</translation>
    </message>
    <message>
        <source>The disk is read-only.</source>
        <translation>El disco es de solo lectura.</translation>
    </message>
    <message>
        <source>The file couldn’t be read (%1).</source>
        <translation>No se pudo leer el archivo (%1).</translation>
    </message>
    <message>
        <source>The sound track couldn’t be saved. %1</source>
        <translation>No se pudo guardar la pista de sonido. %1</translation>
    </message>
    <message>
        <source>The sound track couldn’t be saved (%1).</source>
        <translation>No se pudo guardar la pista de sonido (%1).</translation>
    </message>
</context>
<context>
    <name>FileDialogChooser</name>
    <message>
        <source>Audio and video files (%1)</source>
        <translation>Archivos de audio y vídeo (%1)</translation>
    </message>
    <message>
        <source>Subtitles (%1)</source>
        <translation>Subtítulos (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>FrameReader</name>
    <message>
        <source>The picture of this video can’t be shown.</source>
        <translation>La imagen de este vídeo no se puede mostrar.</translation>
    </message>
    <message>
        <source>This file has no picture.</source>
        <translation>Este archivo no tiene imagen.</translation>
    </message>
</context>
<context>
    <name>MediaError</name>
    <message>
        <source>This file can’t be read as audio or video.</source>
        <translation>Este archivo no se puede leer como audio o vídeo.</translation>
    </message>
    <message>
        <source>This file has no sound track.</source>
        <translation>Este archivo no tiene pista de sonido.</translation>
    </message>
</context>
<context>
    <name>PhaseLabel</name>
    <message>
        <source>Playing %1 of %2</source>
        <translation>Reproduciendo %1 de %2</translation>
    </message>
    <message>
        <source>Your turn (%1 of %2)</source>
        <translation>Su turno (%1 de %2)</translation>
    </message>
    <message>
        <source>Listen…</source>
        <translation>Escuche…</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>Grabando…</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Your attempt</source>
        <translation>Su intento</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>The picture couldn’t be saved (%1).</source>
        <translation>No se pudo guardar la imagen (%1).</translation>
    </message>
    <message>
        <source>The picture couldn’t be saved to “%1”: %2</source>
        <translation>No se pudo guardar la imagen en «%1»: %2</translation>
    </message>
</context>
<context>
    <name>PictureView</name>
    <message>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>Double-click for a larger picture; Esc goes back</source>
        <translation>Pulse dos veces para ver la imagen más grande; Esc vuelve atrás</translation>
    </message>
</context>
<context>
    <name>PocketSphinxEngine</name>
    <message>
        <source>No speech model for %1 was found in %2.</source>
        <translation>No se encontró ningún modelo de habla para %1 en %2.</translation>
    </message>
</context>
<context>
    <name>PracticeCommands</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Open Audio or Video…</source>
        <translation>Abrir audio o vídeo…</translation>
    </message>
    <message>
        <source>Add Subtitles…</source>
        <translation>Añadir subtítulos…</translation>
    </message>
    <message>
        <source>Add Transcript…</source>
        <translation>Añadir transcripción…</translation>
    </message>
    <message>
        <source>Close File</source>
        <translation>Cerrar archivo</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportar…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configuración…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>&amp;Practice</source>
        <translation>&amp;Práctica</translation>
    </message>
    <message>
        <source>Previous Sentence</source>
        <translation>Frase anterior</translation>
    </message>
    <message>
        <source>Next Sentence</source>
        <translation>Frase siguiente</translation>
    </message>
    <message>
        <source>Record Your Attempt</source>
        <translation>Grabar su intento</translation>
    </message>
    <message>
        <source>Compare with the Original</source>
        <translation>Comparar con el original</translation>
    </message>
    <message>
        <source>Play Your Attempt</source>
        <translation>Reproducir su intento</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Marcar como difícil</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Más lento</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Más rápido</translation>
    </message>
    <message>
        <source>Normal Speed</source>
        <translation>Velocidad normal</translation>
    </message>
    <message>
        <source>Find Sentences Again</source>
        <translation>Buscar las frases de nuevo</translation>
    </message>
    <message>
        <source>Split at Pauses Only</source>
        <translation>Dividir solo en las pausas</translation>
    </message>
    <message>
        <source>Review Hard Sentences…</source>
        <translation>Repasar frases difíciles…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>About Quellin</source>
        <translation>Acerca de Quellin</translation>
    </message>
    <message>
        <source>Loop Sentence (Space)</source>
        <translation>Repetir la frase (Espacio)</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Hard Only</source>
        <translation>Solo difíciles</translation>
    </message>
    <message>
        <source>Choose Language…</source>
        <translation>Elegir idioma…</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Show Picture</source>
        <translation>Mostrar imagen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edición</translation>
    </message>
    <message>
        <source>Move Start Earlier</source>
        <translation>Adelantar el inicio</translation>
    </message>
    <message>
        <source>Move Start Later</source>
        <translation>Retrasar el inicio</translation>
    </message>
    <message>
        <source>Move End Earlier</source>
        <translation>Adelantar el final</translation>
    </message>
    <message>
        <source>Move End Later</source>
        <translation>Retrasar el final</translation>
    </message>
    <message>
        <source>Split Sentence</source>
        <translation>Dividir la frase</translation>
    </message>
    <message>
        <source>Merge with Next</source>
        <translation>Unir con la siguiente</translation>
    </message>
    <message>
        <source>Edit Text…</source>
        <translation>Editar el texto…</translation>
    </message>
</context>
<context>
    <name>PracticeSettingsView</name>
    <message>
        <source>Repeat</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidad</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Más lento</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Más rápido</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Pause after each</source>
        <translation>Pausa después de cada una</translation>
    </message>
    <message>
        <source>Time to say it yourself after each repetition, sized to the sentence’s length (at least %1 s)</source>
        <translation>Tiempo para decirla usted después de cada repetición, según la duración de la frase (al menos %1 s)</translation>
    </message>
    <message>
        <source>Then</source>
        <translation>Después</translation>
    </message>
    <message>
        <source>Go on to the next sentence by itself</source>
        <translation>Pasar sola a la frase siguiente</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>½ sentence</source>
        <translation>½ frase</translation>
    </message>
    <message>
        <source>1 sentence</source>
        <translation>1 frase</translation>
    </message>
    <message>
        <source>1½ sentences</source>
        <translation>1½ frases</translation>
    </message>
    <message>
        <source>%1 sentences</source>
        <translation>%1 frases</translation>
    </message>
</context>
<context>
    <name>PracticeView</name>
    <message>
        <source>Pick a sentence</source>
        <translation>Elija una frase</translation>
    </message>
    <message>
        <source>Mark this sentence hard (Ctrl+D)</source>
        <translation>Marcar esta frase como difícil (Ctrl+D)</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Previous sentence (↑ in the list, or Ctrl+[)</source>
        <translation>Frase anterior (↑ en la lista o Ctrl+[)</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Next sentence (↓ in the list, or Ctrl+])</source>
        <translation>Frase siguiente (↓ en la lista o Ctrl+])</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Grabar</translation>
    </message>
    <message>
        <source>Hear the sentence once, then record yourself (Ctrl+R)</source>
        <translation>Oír la frase una vez y después grabarse (Ctrl+R)</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Comparar</translation>
    </message>
    <message>
        <source>Play the original, then your attempt (Ctrl+E)</source>
        <translation>Reproducir el original y después su intento (Ctrl+E)</translation>
    </message>
    <message>
        <source>These words were recognised with little certainty and may be wrong. Choose the recording’s language, or add subtitles or a transcript.</source>
        <translation>Estas palabras se reconocieron con poca seguridad y pueden ser incorrectas. Elija el idioma de la grabación o añada subtítulos o una transcripción.</translation>
    </message>
    <message>
        <source>Fade Uncertain Text</source>
        <translation>Atenuar el texto dudoso</translation>
    </message>
    <message>
        <source>Show Text Plainly</source>
        <translation>Mostrar el texto normal</translation>
    </message>
    <message>
        <source>Fade the words recognised with little certainty</source>
        <translation>Atenuar las palabras reconocidas con poca seguridad</translation>
    </message>
    <message>
        <source>Show every recognised word in full colour</source>
        <translation>Mostrar todas las palabras reconocidas a todo color</translation>
    </message>
    <message>
        <source>Sentence %1 of %2</source>
        <translation>Frase %1 de %2</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difícil</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Marcar como difícil</translation>
    </message>
    <message>
        <source>No words were recognised in this sentence. Listen, then say it back.</source>
        <translation>No se reconoció ninguna palabra en esta frase. Escúchela y después repítala.</translation>
    </message>
    <message>
        <source>No transcript for this sentence: it was split at a pause. Listen, then say it back.</source>
        <translation>No hay transcripción para esta frase: se dividió en una pausa. Escúchela y después repítala.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message numerus="yes">
        <source>Play the sentence %n time(s) with a pause to repeat it (Space)</source>
        <translation>
            <numerusform>Reproducir la frase %n vez con una pausa para repetirla (Espacio)</numerusform>
            <numerusform>Reproducir la frase %n veces con una pausa para repetirla (Espacio)</numerusform>
        </translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Detener la grabación</translation>
    </message>
    <message>
        <source>%1 Practice goes on with the sound.</source>
        <translation>%1 La práctica continúa con el sonido.</translation>
    </message>
    <message>
        <source>Start 50 ms earlier (Ctrl+Shift+Left)</source>
        <translation>Inicio 50 ms antes (Ctrl+Mayús+Izquierda)</translation>
    </message>
    <message>
        <source>End 50 ms earlier (Alt+Shift+Left)</source>
        <translation>Final 50 ms antes (Alt+Mayús+Izquierda)</translation>
    </message>
    <message>
        <source>Start 50 ms later (Ctrl+Shift+Right)</source>
        <translation>Inicio 50 ms después (Ctrl+Mayús+Derecha)</translation>
    </message>
    <message>
        <source>End 50 ms later (Alt+Shift+Right)</source>
        <translation>Final 50 ms después (Alt+Mayús+Derecha)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Ahora no</translation>
    </message>
</context>
<context>
    <name>QuellinApp</name>
    <message>
        <source>Quellin Settings</source>
        <translation>Configuración de Quellin</translation>
    </message>
    <message>
        <source>About Quellin</source>
        <translation>Acerca de Quellin</translation>
    </message>
    <message>
        <source>&lt;b&gt;Quellin %1&lt;/b&gt;&lt;p&gt;Shadow any recording, one sentence at a time.&lt;/p&gt;</source>
        <translation>&lt;b&gt;Quellin %1&lt;/b&gt;&lt;p&gt;Repita cualquier grabación, frase a frase.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The folder “%1” couldn’t be created.</source>
        <translation>No se pudo crear la carpeta «%1».</translation>
    </message>
</context>
<context>
    <name>RecorderError</name>
    <message>
        <source>Recording couldn’t start. Check that a microphone is connected and selected in your sound settings.</source>
        <translation>No se pudo empezar a grabar. Compruebe que hay un micrófono conectado y seleccionado en la configuración de sonido.</translation>
    </message>
</context>
<context>
    <name>RecordingMeter</name>
    <message>
        <source>Microphone level</source>
        <translation>Nivel del micrófono</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) left</source>
        <translation>
            <numerusform>Queda %n segundo</numerusform>
            <numerusform>Quedan %n segundos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RelativeDate</name>
    <message numerus="yes">
        <source>%n year(s) ago</source>
        <translation>
            <numerusform>hace %n año</numerusform>
            <numerusform>hace %n años</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n year(s)</source>
        <translation>
            <numerusform>dentro de %n año</numerusform>
            <numerusform>dentro de %n años</numerusform>
        </translation>
    </message>
    <message>
        <source>last year</source>
        <translation>el año pasado</translation>
    </message>
    <message>
        <source>next year</source>
        <translation>el año que viene</translation>
    </message>
    <message numerus="yes">
        <source>%n month(s) ago</source>
        <translation>
            <numerusform>hace %n mes</numerusform>
            <numerusform>hace %n meses</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n month(s)</source>
        <translation>
            <numerusform>dentro de %n mes</numerusform>
            <numerusform>dentro de %n meses</numerusform>
        </translation>
    </message>
    <message>
        <source>last month</source>
        <translation>el mes pasado</translation>
    </message>
    <message>
        <source>next month</source>
        <translation>el mes que viene</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) ago</source>
        <translation>
            <numerusform>hace %n semana</numerusform>
            <numerusform>hace %n semanas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n week(s)</source>
        <translation>
            <numerusform>dentro de %n semana</numerusform>
            <numerusform>dentro de %n semanas</numerusform>
        </translation>
    </message>
    <message>
        <source>last week</source>
        <translation>la semana pasada</translation>
    </message>
    <message>
        <source>next week</source>
        <translation>la semana que viene</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>hace %n día</numerusform>
            <numerusform>hace %n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>dentro de %n día</numerusform>
            <numerusform>dentro de %n días</numerusform>
        </translation>
    </message>
    <message>
        <source>yesterday</source>
        <translation>ayer</translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation>mañana</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>hace %n hora</numerusform>
            <numerusform>hace %n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>dentro de %n hora</numerusform>
            <numerusform>dentro de %n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>hace %n minuto</numerusform>
            <numerusform>hace %n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>dentro de %n minuto</numerusform>
            <numerusform>dentro de %n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) ago</source>
        <translation>
            <numerusform>hace %n segundo</numerusform>
            <numerusform>hace %n segundos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n second(s)</source>
        <translation>
            <numerusform>dentro de %n segundo</numerusform>
            <numerusform>dentro de %n segundos</numerusform>
        </translation>
    </message>
    <message>
        <source>now</source>
        <translation>ahora</translation>
    </message>
</context>
<context>
    <name>ReviewList</name>
    <message>
        <source>Sentence %1</source>
        <translation>Frase %1</translation>
    </message>
</context>
<context>
    <name>ReviewView</name>
    <message>
        <source>Review Hard Sentences</source>
        <translation>Repasar frases difíciles</translation>
    </message>
    <message>
        <source>Sentences you marked hard come back 1, 3, 7, 14 and then every 30 days after you practise them. Double-click one to practise it.</source>
        <translation>Las frases que marcó como difíciles vuelven a los 1, 3, 7 y 14 días y después cada 30 días tras practicarlas. Pulse dos veces en una para practicarla.</translation>
    </message>
    <message>
        <source>Sentence</source>
        <translation>Frase</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Last practised</source>
        <translation>Última práctica</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>Pendiente</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nunca</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Ahora</translation>
    </message>
    <message>
        <source>No sentence is marked hard.</source>
        <translation>No hay ninguna frase marcada como difícil.</translation>
    </message>
</context>
<context>
    <name>SentenceFinder</name>
    <message>
        <source>Speech recognition is off for Quellin, so sentences are split at pauses (no transcript).</source>
        <translation>El reconocimiento de voz está desactivado para Quellin, así que las frases se dividen en las pausas (sin transcripción).</translation>
    </message>
    <message>
        <source>Speech recognition stopped (%1). The sentences are split at pauses.</source>
        <translation>El reconocimiento de voz se detuvo (%1). Las frases se dividen en las pausas.</translation>
    </message>
    <message>
        <source>No speech was recognised in %1. The sentences are split at pauses; pick the file’s language and choose Find Sentences Again.</source>
        <translation>No se reconoció habla en %1. Las frases se dividen en las pausas; elija el idioma del archivo y después «Buscar las frases de nuevo».</translation>
    </message>
</context>
<context>
    <name>SentenceList</name>
    <message>
        <source>Sentences</source>
        <translation>Frases</translation>
    </message>
    <message>
        <source>No hard sentences yet</source>
        <translation>Aún no hay frases difíciles</translation>
    </message>
    <message>
        <source>Mark a sentence hard with Ctrl+D or its star, then practise only those.</source>
        <translation>Marque una frase como difícil con Ctrl+D o con su estrella y después practique solo esas.</translation>
    </message>
    <message>
        <source>No sentences found</source>
        <translation>No se encontraron frases</translation>
    </message>
    <message>
        <source>This file seems to be silent.</source>
        <translation>Este archivo parece estar en silencio.</translation>
    </message>
    <message>
        <source>Unmark Hard</source>
        <translation>Desmarcar como difícil</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Marcar como difícil</translation>
    </message>
    <message>
        <source>Edit Text…</source>
        <translation>Editar el texto…</translation>
    </message>
</context>
<context>
    <name>SentenceRow</name>
    <message>
        <source>Sentence %1</source>
        <translation>Frase %1</translation>
    </message>
    <message>
        <source>words uncertain</source>
        <translation>palabras dudosas</translation>
    </message>
    <message>
        <source>marked hard</source>
        <translation>marcada como difícil</translation>
    </message>
</context>
<context>
    <name>SentenceRowDelegate</name>
    <message>
        <source>(no words recognised)</source>
        <translation>(no se reconocieron palabras)</translation>
    </message>
</context>
<context>
    <name>SentenceSource</name>
    <message>
        <source>%1 The sentences stay as they are.</source>
        <translation>%1 Las frases se quedan como están.</translation>
    </message>
</context>
<context>
    <name>SentenceTextDialog</name>
    <message>
        <source>Edit Text</source>
        <translation>Editar el texto</translation>
    </message>
    <message>
        <source>The words of sentence %1 (%2 – %3), as you hear them.</source>
        <translation>Las palabras de la frase %1 (%2 – %3), tal como las oye.</translation>
    </message>
    <message>
        <source>No text</source>
        <translation>Sin texto</translation>
    </message>
    <message>
        <source>Leave it empty to remove the text.</source>
        <translation>Déjelo vacío para quitar el texto.</translation>
    </message>
    <message>
        <source>Save Text</source>
        <translation>Guardar el texto</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>The session of “%1” holds a time or setting that isn’t a number.</source>
        <translation>La sesión de «%1» contiene un tiempo o un ajuste que no es un número.</translation>
    </message>
    <message>
        <source>The session of “%1” has no valid save time.</source>
        <translation>La sesión de «%1» no tiene una hora de guardado válida.</translation>
    </message>
</context>
<context>
    <name>SessionExport</name>
    <message>
        <source>The export couldn’t be moved into place (%1).</source>
        <translation>No se pudo mover la exportación a su lugar (%1).</translation>
    </message>
    <message>
        <source>The export couldn’t be written (%1): %2</source>
        <translation>No se pudo escribir la exportación (%1): %2</translation>
    </message>
    <message>
        <source>No sentence is marked hard.</source>
        <translation>No hay ninguna frase marcada como difícil.</translation>
    </message>
    <message>
        <source>There are no sentences to export.</source>
        <translation>No hay frases que exportar.</translation>
    </message>
    <message>
        <source>The folder “%1” can’t be written to.</source>
        <translation>No se puede escribir en la carpeta «%1».</translation>
    </message>
</context>
<context>
    <name>SessionStore</name>
    <message>
        <source>The sessions folder “%1” couldn’t be created.</source>
        <translation>No se pudo crear la carpeta de sesiones «%1».</translation>
    </message>
    <message>
        <source>The session couldn’t be saved to “%1”: %2</source>
        <translation>No se pudo guardar la sesión en «%1»: %2</translation>
    </message>
    <message>
        <source>Your recording of this sentence stays under its old start: another recording is already kept as “%1”.</source>
        <translation>Su grabación de esta frase se queda con su inicio anterior: ya hay otra grabación guardada como «%1».</translation>
    </message>
    <message>
        <source>Your recording of this sentence couldn’t follow its new start: %1</source>
        <translation>Su grabación de esta frase no pudo seguir a su nuevo inicio: %1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Your sessions</source>
        <translation>Sus sesiones</translation>
    </message>
    <message>
        <source>Sentences, your place, hard marks and recordings are kept on this computer only. Recognition runs on-device; nothing is uploaded.</source>
        <translation>Las frases, su posición, las marcas de dificultad y las grabaciones se guardan solo en este equipo. El reconocimiento se hace en el dispositivo; no se sube nada.</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Actualizaciones</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
</context>
<context>
    <name>ShortcutsDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Orden</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Teclas</translation>
    </message>
</context>
<context>
    <name>SphinxDecoder</name>
    <message>
        <source>The speech model in %1 couldn’t be loaded.</source>
        <translation>No se pudo cargar el modelo de habla de %1.</translation>
    </message>
    <message>
        <source>The speech recogniser couldn’t start.</source>
        <translation>No se pudo iniciar el reconocedor de voz.</translation>
    </message>
    <message>
        <source>The speech recogniser couldn’t follow the sentence.</source>
        <translation>El reconocimiento de voz no pudo seguir la frase.</translation>
    </message>
</context>
<context>
    <name>SphinxDecoderPool</name>
    <message>
        <source>an unknown failure</source>
        <translation>un fallo desconocido</translation>
    </message>
</context>
<context>
    <name>SplitStatus</name>
    <message>
        <source>Aligning the transcript to the sound…</source>
        <translation>Alineando la transcripción con el sonido…</translation>
    </message>
    <message>
        <source>Listening for sentences (%1)…</source>
        <translation>Buscando las frases (%1)…</translation>
    </message>
    <message>
        <source>%1 of %2. You can practise meanwhile.</source>
        <translation>%1 de %2. Puede practicar mientras tanto.</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript (%1, on this computer)</source>
        <translation>
            <numerusform>%n frase · transcripción (%1, en este equipo)</numerusform>
            <numerusform>%n frases · transcripción (%1, en este equipo)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · subtitles (%1)</source>
        <translation>
            <numerusform>%n frase · subtítulos (%1)</numerusform>
            <numerusform>%n frases · subtítulos (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · subtitles (%1, %2)</source>
        <translation>
            <numerusform>%n frase · subtítulos (%1, %2)</numerusform>
            <numerusform>%n frases · subtítulos (%1, %2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript</source>
        <translation>
            <numerusform>%n frase · transcripción</numerusform>
            <numerusform>%n frases · transcripción</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript (%1)</source>
        <translation>
            <numerusform>%n frase · transcripción (%1)</numerusform>
            <numerusform>%n frases · transcripción (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · split at pauses</source>
        <translation>
            <numerusform>%n frase · dividida en las pausas</numerusform>
            <numerusform>%n frases · divididas en las pausas</numerusform>
        </translation>
    </message>
    <message>
        <source>Listening progress</source>
        <translation>Progreso de la escucha</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Abriendo el archivo</translation>
    </message>
</context>
<context>
    <name>StartView</name>
    <message>
        <source>Shadow any recording, one sentence at a time</source>
        <translation>Repita cualquier grabación, frase a frase</translation>
    </message>
    <message>
        <source>Open a podcast episode, a lesson or a video. Quellin finds the sentences, loops each one with time to repeat it, and lets you record yourself to compare. Your files stay on this computer.</source>
        <translation>Abra un episodio de pódcast, una lección o un vídeo. Quellin encuentra las frases, repite cada una dejándole tiempo para decirla y le permite grabarse para comparar. Sus archivos se quedan en este equipo.</translation>
    </message>
    <message>
        <source>Open Audio or Video…</source>
        <translation>Abrir audio o vídeo…</translation>
    </message>
    <message>
        <source>Open Audio or Video… (Ctrl+O)</source>
        <translation>Abrir audio o vídeo… (Ctrl+O)</translation>
    </message>
    <message>
        <source>or drop a file here</source>
        <translation>o suelte un archivo aquí</translation>
    </message>
    <message>
        <source>Pick up where you left off</source>
        <translation>Continúe donde lo dejó</translation>
    </message>
    <message>
        <source>Reading the file… %1%</source>
        <translation>Leyendo el archivo… %1 %</translation>
    </message>
    <message>
        <source>Reading the file…</source>
        <translation>Leyendo el archivo…</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) due for review</source>
        <translation>
            <numerusform>%n frase pendiente de repaso</numerusform>
            <numerusform>%n frases pendientes de repaso</numerusform>
        </translation>
    </message>
    <message>
        <source>Forget this session and its recordings</source>
        <translation>Olvidar esta sesión y sus grabaciones</translation>
    </message>
    <message>
        <source>Forget %1</source>
        <translation>Olvidar %1</translation>
    </message>
    <message>
        <source>Sentence %1 of %2</source>
        <translation>Frase %1 de %2</translation>
    </message>
    <message>
        <source>%1 of %2 practised</source>
        <translation>%1 de %2 practicadas</translation>
    </message>
    <message numerus="yes">
        <source>%n hard</source>
        <translation>
            <numerusform>%n difícil</numerusform>
            <numerusform>%n difíciles</numerusform>
        </translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Abriendo el archivo</translation>
    </message>
</context>
<context>
    <name>SubtitleCues</name>
    <message>
        <source>These subtitles are pictures (as on DVDs, Blu-ray discs and TV broadcasts), so they hold no text to use.</source>
        <translation>Estos subtítulos son imágenes (como en los DVD, los Blu-ray y la televisión), así que no contienen texto que usar.</translation>
    </message>
    <message>
        <source>Quellin can’t read this kind of subtitles.</source>
        <translation>Quellin no puede leer este tipo de subtítulos.</translation>
    </message>
</context>
<context>
    <name>SubtitleFiles</name>
    <message>
        <source>Sentence %1</source>
        <translation>Frase %1</translation>
    </message>
</context>
<context>
    <name>SubtitleReading</name>
    <message>
        <source>“%1” is not a subtitle file.</source>
        <translation>«%1» no es un archivo de subtítulos.</translation>
    </message>
    <message>
        <source>The subtitles “%1” can’t be read. %2</source>
        <translation>No se pueden leer los subtítulos «%1». %2</translation>
    </message>
    <message>
        <source>There isn’t enough space for a copy of it.</source>
        <translation>No hay espacio suficiente para una copia.</translation>
    </message>
    <message>
        <source>You don’t have permission to use this file.</source>
        <translation>No tiene permiso para usar este archivo.</translation>
    </message>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>El archivo no existe.</translation>
    </message>
    <message>
        <source>There isn’t enough memory.</source>
        <translation>No hay memoria suficiente.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Esto es una carpeta, no un archivo.</translation>
    </message>
</context>
<context>
    <name>SubtitleSentences</name>
    <message>
        <source>The subtitles “%1” have no words while the sound plays.</source>
        <translation>Los subtítulos «%1» no tienen palabras mientras suena el sonido.</translation>
    </message>
</context>
<context>
    <name>SubtitleTracks</name>
    <message>
        <source>Stream %1</source>
        <translation>Flujo %1</translation>
    </message>
    <message>
        <source> (Stream %1)</source>
        <translation> (flujo %1)</translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>Where the sentences come from: the file’s subtitles, or on-device speech recognition in the language spoken in it</source>
        <translation>De dónde salen las frases: de los subtítulos del archivo o del reconocimiento de voz en el dispositivo en el idioma que se habla en él</translation>
    </message>
    <message>
        <source>Hard Only</source>
        <translation>Solo difíciles</translation>
    </message>
    <message>
        <source>Practise only the sentences marked hard</source>
        <translation>Practicar solo las frases marcadas como difíciles</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Subtítulos</translation>
    </message>
    <message>
        <source>Add Subtitles…</source>
        <translation>Añadir subtítulos…</translation>
    </message>
    <message>
        <source>Transcript</source>
        <translation>Transcripción</translation>
    </message>
    <message>
        <source>Add Transcript…</source>
        <translation>Añadir transcripción…</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Not on This Computer Yet</source>
        <translation>Aún no está en este equipo</translation>
    </message>
    <message>
        <source>Find Sentences Again</source>
        <translation>Buscar las frases de nuevo</translation>
    </message>
    <message>
        <source>Split at Pauses Only</source>
        <translation>Dividir solo en las pausas</translation>
    </message>
    <message>
        <source>%1 — can’t be used</source>
        <translation>%1: no se puede usar</translation>
    </message>
</context>
<context>
    <name>Transcriber</name>
    <message>
        <source>On-device recognition for %1 isn’t on this computer. Put its speech model in %2, then choose Find Sentences Again.</source>
        <translation>El reconocimiento en el dispositivo para %1 no está en este equipo. Ponga su modelo de habla en %2 y después elija «Buscar las frases de nuevo».</translation>
    </message>
</context>
<context>
    <name>TranscriptAlignment</name>
    <message>
        <source>There is no voice for %1 to compare the transcript with.</source>
        <translation>No hay ninguna voz en %1 con la que comparar la transcripción.</translation>
    </message>
    <message>
        <source>The speech synthesiser espeak-ng could not start.</source>
        <translation>No se pudo iniciar el sintetizador de voz espeak-ng.</translation>
    </message>
    <message>
        <source>The transcript holds no text.</source>
        <translation>La transcripción no contiene texto.</translation>
    </message>
    <message>
        <source>The transcript does not fit this recording: its words could not be found in the sound. Check that it is the text of this recording and that its language is %1.</source>
        <translation>La transcripción no encaja con esta grabación: no se encontraron sus palabras en el sonido. Compruebe que es el texto de esta grabación y que su idioma es %1.</translation>
    </message>
    <message>
        <source>The transcript file could not be read: %1.</source>
        <translation>No se pudo leer el archivo de transcripción: %1.</translation>
    </message>
    <message>
        <source>The transcript file does not hold plain text.</source>
        <translation>El archivo de transcripción no contiene texto sin formato.</translation>
    </message>
</context>
<context>
    <name>TranscriptDialog</name>
    <message>
        <source>Add Transcript</source>
        <translation>Añadir transcripción</translation>
    </message>
    <message>
        <source>Paste the text spoken in “%1”, or open the file that holds it. Quellin finds where each sentence is spoken.</source>
        <translation>Pegue el texto que se habla en «%1» o abra el archivo que lo contiene. Quellin encuentra dónde se dice cada frase.</translation>
    </message>
    <message>
        <source>The transcript, as written</source>
        <translation>La transcripción, tal como está escrita</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Open File…</source>
        <translation>Abrir archivo…</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Alinear</translation>
    </message>
    <message>
        <source>No voice to read a transcript with was found: espeak-ng’s voices are missing.</source>
        <translation>No se encontró ninguna voz para leer una transcripción: faltan las voces de espeak-ng.</translation>
    </message>
    <message>
        <source>pasted text</source>
        <translation>texto pegado</translation>
    </message>
    <message>
        <source>Open a Transcript</source>
        <translation>Abrir una transcripción</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Archivos de texto (*.txt);;Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <source>Couldn’t check for updates</source>
        <translation>No se pudo buscar actualizaciones</translation>
    </message>
    <message>
        <source>This copy of %1 has no update feed. Your package manager keeps it up to date.</source>
        <translation>Esta copia de %1 no tiene fuente de actualizaciones. Su gestor de paquetes la mantiene al día.</translation>
    </message>
    <message>
        <source>%1 %2 is available</source>
        <translation>%1 %2 está disponible</translation>
    </message>
    <message>
        <source>You have version %1. The download page opens in your browser.</source>
        <translation>Tiene la versión %1. La página de descarga se abre en su navegador.</translation>
    </message>
    <message>
        <source>This app</source>
        <translation>Esta aplicación</translation>
    </message>
    <message>
        <source>You’re up to date</source>
        <translation>Está al día</translation>
    </message>
    <message>
        <source>%1 %2 is the newest version. %1 checks for updates on its own and will let you know when there’s a new one.</source>
        <translation>%1 %2 es la versión más reciente. %1 busca actualizaciones por sí mismo y le avisará cuando haya una nueva.</translation>
    </message>
    <message>
        <source>Check your internet connection and try again. %1 also checks on its own about once a day.</source>
        <translation>Compruebe su conexión a Internet e inténtelo de nuevo. %1 también busca por sí mismo aproximadamente una vez al día.</translation>
    </message>
</context>
<context>
    <name>quellin-cli</name>
    <message>
        <source>more than one file given</source>
        <translation>se dio más de un archivo</translation>
    </message>
    <message>
        <source>missing MEDIA</source>
        <translation>falta MEDIA</translation>
    </message>
    <message>
        <source>--start and --end need seconds, the end after the start</source>
        <translation>--start y --end necesitan segundos, con el final después del inicio</translation>
    </message>
    <message>
        <source>--take needs the take&apos;s file</source>
        <translation>--take necesita el archivo del intento</translation>
    </message>
    <message>
        <source>Couldn’t read the take “%1”: it isn’t a sound file.
</source>
        <translation>No se pudo leer el intento «%1»: no es un archivo de sonido.
</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2
</source>
        <translation>No se pudo abrir «%1»: %2
</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Mostrar esta ayuda y salir.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Mostrar la versión y salir.</translation>
    </message>
    <message>
        <source>The language spoken in FILE, as listed by `quellin-cli languages` (for a transcript: any language espeak-ng speaks); by default the window&apos;s.</source>
        <translation>El idioma que se habla en FILE, tal como lo lista `quellin-cli languages` (para una transcripción: cualquier idioma que hable espeak-ng); por omisión, el de la ventana.</translation>
    </message>
    <message>
        <source>Split at pauses without recognising speech.</source>
        <translation>Dividir en las pausas sin reconocer el habla.</translation>
    </message>
    <message>
        <source>Where the sentences&apos; text comes from: the subtitles the window would choose (auto, the default), none, or this subtitle file.</source>
        <translation>De dónde sale el texto de las frases: los subtítulos que elegiría la ventana (auto, por omisión), none o este archivo de subtítulos.</translation>
    </message>
    <message>
        <source>Align this text of FILE (plain text) instead of recognising speech.</source>
        <translation>Alinear este texto de FILE (texto sin formato) en lugar de reconocer el habla.</translation>
    </message>
    <message>
        <source>How the sentences are printed (default: text).</source>
        <translation>Cómo se muestran las frases (por omisión: text).</translation>
    </message>
    <message>
        <source>What to export FILE&apos;s sentences as.</source>
        <translation>Como qué se exportan las frases de FILE.</translation>
    </message>
    <message>
        <source>Export only the sentences marked hard.</source>
        <translation>Exportar solo las frases marcadas como difíciles.</translation>
    </message>
    <message>
        <source>The folder the export is written into.</source>
        <translation>La carpeta en la que se escribe la exportación.</translation>
    </message>
    <message>
        <source>sentences FILE, subtitles FILE, export FILE, or languages.</source>
        <translation>sentences FILE, subtitles FILE, export FILE o languages.</translation>
    </message>
    <message>
        <source>export takes --to, --hard-only and --out</source>
        <translation>export admite --to, --hard-only y --out</translation>
    </message>
    <message>
        <source>--to needs anki, srt, vtt or clips</source>
        <translation>--to necesita anki, srt, vtt o clips</translation>
    </message>
    <message>
        <source>--out needs a folder</source>
        <translation>--out necesita una carpeta</translation>
    </message>
    <message>
        <source>missing command</source>
        <translation>falta la orden</translation>
    </message>
    <message>
        <source>languages takes no arguments</source>
        <translation>languages no admite argumentos</translation>
    </message>
    <message>
        <source>unknown command “%1”</source>
        <translation>orden desconocida «%1»</translation>
    </message>
    <message>
        <source>subtitles takes only FILE</source>
        <translation>subtitles solo admite FILE</translation>
    </message>
    <message>
        <source>--language needs a language identifier</source>
        <translation>--language necesita un identificador de idioma</translation>
    </message>
    <message>
        <source>--to, --hard-only and --out belong to export</source>
        <translation>--to, --hard-only y --out son de export</translation>
    </message>
    <message>
        <source>--format needs text, json or srt</source>
        <translation>--format necesita text, json o srt</translation>
    </message>
    <message>
        <source>--subtitles needs auto, none or a file</source>
        <translation>--subtitles necesita auto, none o un archivo</translation>
    </message>
    <message>
        <source>--transcript needs a file and no --pauses-only</source>
        <translation>--transcript necesita un archivo y no admite --pauses-only</translation>
    </message>
    <message>
        <source>Reading the sound…</source>
        <translation>Leyendo el sonido…</translation>
    </message>
    <message>
        <source>Listening for sentences…</source>
        <translation>Buscando las frases…</translation>
    </message>
    <message>
        <source>Aligning the transcript…</source>
        <translation>Alineando la transcripción…</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2</source>
        <translation>No se pudo abrir «%1»: %2</translation>
    </message>
    <message>
        <source>Couldn’t export “%1”: %2</source>
        <translation>No se pudo exportar «%1»: %2</translation>
    </message>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>El archivo no existe.</translation>
    </message>
    <message>
        <source>missing FILE</source>
        <translation>falta FILE</translation>
    </message>
    <message>
        <source>--at needs seconds from the start</source>
        <translation>--at necesita los segundos desde el inicio</translation>
    </message>
    <message>
        <source>--out needs the picture&apos;s file</source>
        <translation>--out necesita el archivo de la imagen</translation>
    </message>
    <message>
        <source>--width needs a number of pixels</source>
        <translation>--width necesita un número de píxeles</translation>
    </message>
</context>
</TS>
