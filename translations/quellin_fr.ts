<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AppModel</name>
    <message>
        <source>Choose an audio or video file to practise with. It stays where it is.</source>
        <translation>Choisissez un fichier audio ou vidéo pour vous entraîner. Il reste là où il est.</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2</source>
        <translation>Impossible d’ouvrir «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>The saved session of “%1” couldn’t be read, so it starts afresh. The damaged file is kept as “%2”.</source>
        <translation>La session enregistrée de «&#xa0;%1&#xa0;» n’a pas pu être lue, elle repart donc de zéro. Le fichier endommagé est conservé sous le nom «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>The subtitles “%1” can’t be used: %2</source>
        <translation>Les sous-titres «&#xa0;%1&#xa0;» ne peuvent pas être utilisés&#xa0;: %2</translation>
    </message>
    <message>
        <source>The subtitles these sentences came from aren’t listed any more. Add them again from the File menu, or choose a language to recognise the speech instead.</source>
        <translation>Les sous-titres dont viennent ces phrases ne sont plus dans la liste. Ajoutez-les de nouveau depuis le menu Fichier, ou choisissez une langue pour reconnaître la parole à la place.</translation>
    </message>
    <message>
        <source>The transcript these sentences came from isn’t listed any more. Add it again from the File menu, or choose a language to recognise the speech instead.</source>
        <translation>La transcription dont viennent ces phrases n’est plus dans la liste. Ajoutez-la de nouveau depuis le menu Fichier, ou choisissez une langue pour reconnaître la parole à la place.</translation>
    </message>
    <message>
        <source>Choose the subtitles of “%1”. They give its sentences their text.</source>
        <translation>Choisissez les sous-titres de «&#xa0;%1&#xa0;». Ils donnent leur texte à ses phrases.</translation>
    </message>
    <message>
        <source>“%1” holds subtitles. Open their audio or video file first, then add them to it.</source>
        <translation>«&#xa0;%1&#xa0;» contient des sous-titres. Ouvrez d’abord leur fichier audio ou vidéo, puis ajoutez-les.</translation>
    </message>
    <message>
        <source>“%1” isn’t where it was (%2). Open it from its new place; the session starts fresh.</source>
        <translation>«&#xa0;%1&#xa0;» n’est plus là où il était (%2). Ouvrez-le depuis son nouvel emplacement&#x202f;; la session repart de zéro.</translation>
    </message>
    <message>
        <source>Couldn’t save your recording: %1</source>
        <translation>Impossible d’enregistrer votre prise&#xa0;: %1</translation>
    </message>
    <message>
        <source>Couldn’t play the sound: %1</source>
        <translation>Impossible de lire le son&#xa0;: %1</translation>
    </message>
    <message>
        <source>Move Start Earlier</source>
        <translation>Avancer le début</translation>
    </message>
    <message>
        <source>Move End Earlier</source>
        <translation>Avancer la fin</translation>
    </message>
    <message>
        <source>Move Start Later</source>
        <translation>Retarder le début</translation>
    </message>
    <message>
        <source>Move End Later</source>
        <translation>Retarder la fin</translation>
    </message>
    <message>
        <source>Split Sentence</source>
        <translation>Couper la phrase</translation>
    </message>
    <message>
        <source>Merge Sentences</source>
        <translation>Fusionner les phrases</translation>
    </message>
    <message>
        <source>Edit Text</source>
        <translation>Modifier le texte</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) you edited were kept.</source>
        <translation>
            <numerusform>%n phrase que vous avez modifiée a été conservée.</numerusform>
            <numerusform>%n phrases que vous avez modifiées ont été conservées.</numerusform>
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
        <translation>Votre essai</translation>
    </message>
    <message>
        <source>Press Record (Ctrl+R): you hear the sentence once, then say it. Your attempt shows here.</source>
        <translation>Appuyez sur Enregistrer (Ctrl+R)&#xa0;: vous entendez la phrase une fois, puis vous la dites. Votre essai s’affiche ici.</translation>
    </message>
    <message>
        <source>Show Intonation</source>
        <translation>Afficher l’intonation</translation>
    </message>
    <message>
        <source>Draw the melody of the original and of your attempt over the waveforms</source>
        <translation>Tracer la mélodie de l’original et de votre essai sur les formes d’onde</translation>
    </message>
    <message>
        <source>No speech was heard in your attempt.</source>
        <translation>Aucune parole n’a été entendue dans votre essai.</translation>
    </message>
    <message>
        <source>Intonation match: %1 of 100, %2.</source>
        <translation>Intonation&#xa0;: %1 sur 100, %2.</translation>
    </message>
    <message>
        <source>Intonation match: too little of the two was voiced to compare.</source>
        <translation>Intonation&#xa0;: trop peu de parole voisée des deux côtés pour comparer.</translation>
    </message>
    <message>
        <source>You paused where the original pauses.</source>
        <translation>Vous avez fait les pauses là où l’original en fait.</translation>
    </message>
    <message>
        <source>The sentence’s words: the ones heard in your attempt are coloured, the ones missed are dimmed.</source>
        <translation>Les mots de la phrase : ceux entendus dans votre essai sont en couleur, ceux manqués sont estompés.</translation>
    </message>
    <message>
        <source>Every word was heard.</source>
        <translation>Tous les mots ont été entendus.</translation>
    </message>
    <message>
        <source>Not heard: %1.</source>
        <translation>Non entendus : %1.</translation>
    </message>
</context>
<context>
    <name>AttemptFeedback</name>
    <message>
        <source>You spoke at the original’s pace.</source>
        <translation>Vous avez parlé au rythme de l’original.</translation>
    </message>
    <message>
        <source>You were %1 % slower than the original.</source>
        <translation>Vous avez été %1&#xa0;% plus lent que l’original.</translation>
    </message>
    <message>
        <source>You were %1 % faster than the original.</source>
        <translation>Vous avez été %1&#xa0;% plus rapide que l’original.</translation>
    </message>
    <message>
        <source>close</source>
        <translation>très proche</translation>
    </message>
    <message>
        <source>some differences</source>
        <translation>quelques différences</translation>
    </message>
    <message>
        <source>different melody</source>
        <translation>mélodie différente</translation>
    </message>
    <message>
        <source>You paused at %1 s where the original goes on.</source>
        <translation>Vous avez fait une pause à %1&#xa0;s là où l’original continue.</translation>
    </message>
    <message>
        <source>The original pauses at %1 s; you went on.</source>
        <translation>L’original fait une pause à %1&#xa0;s&#x202f;; vous avez continué.</translation>
    </message>
</context>
<context>
    <name>AudioDecoder</name>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Ceci est un dossier, pas un fichier.</translation>
    </message>
    <message>
        <source>The sound couldn’t be converted (%1).</source>
        <translation>Le son n’a pas pu être converti (%1).</translation>
    </message>
</context>
<context>
    <name>AudioDevices</name>
    <message>
        <source>No sound output device is available.</source>
        <translation>Aucun périphérique de sortie audio n’est disponible.</translation>
    </message>
    <message>
        <source>The sound output device couldn’t start.</source>
        <translation>Le périphérique de sortie audio n’a pas pu démarrer.</translation>
    </message>
    <message>
        <source>The sound output device stopped working.</source>
        <translation>Le périphérique de sortie audio a cessé de fonctionner.</translation>
    </message>
</context>
<context>
    <name>AudioFileWriter</name>
    <message>
        <source>This system’s FFmpeg has no %1 encoder.</source>
        <translation>Le FFmpeg de ce système n’a pas d’encodeur %1.</translation>
    </message>
</context>
<context>
    <name>CommandLineHelp</name>
    <message>
        <source>Practise a spoken language by repeating a recording sentence by sentence. Quellin opens each FILE (audio or video) in its window; when Quellin is already running, the files open there.</source>
        <translation>Pratiquer une langue à l’oral en répétant un enregistrement phrase par phrase. Quellin ouvre chaque fichier FILE (audio ou vidéo) dans sa fenêtre&#xa0;; si Quellin est déjà lancé, les fichiers s’y ouvrent.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
    <message>
        <source>Audio or video files to practise with.</source>
        <translation>Fichiers audio ou vidéo avec lesquels s’entraîner.</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Subtitles</source>
        <translation>Sous-titres</translation>
    </message>
    <message>
        <source>Transcript</source>
        <translation>Transcription</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Un problème est survenu</translation>
    </message>
    <message>
        <source>Microphone is off for Quellin</source>
        <translation>Le micro est désactivé pour Quellin</translation>
    </message>
    <message>
        <source>To record your attempts, allow Quellin to use the microphone in your system’s sound and privacy settings.</source>
        <translation>Pour enregistrer vos essais, autorisez Quellin à utiliser le micro dans les paramètres de son et de confidentialité du système.</translation>
    </message>
    <message>
        <source>Open Sound Settings</source>
        <translation>Ouvrir les paramètres de son</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Pas maintenant</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export “%1”</source>
        <translation>Exporter «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Anki flash cards (notes and sound clips)</source>
        <translation>Cartes Anki (notes et extraits sonores)</translation>
    </message>
    <message>
        <source>Subtitles (SRT)</source>
        <translation>Sous-titres (SRT)</translation>
    </message>
    <message>
        <source>Subtitles (WebVTT)</source>
        <translation>Sous-titres (WebVTT)</translation>
    </message>
    <message>
        <source>A sound clip per sentence (MP3)</source>
        <translation>Un extrait sonore par phrase (MP3)</translation>
    </message>
    <message>
        <source>Export as:</source>
        <translation>Exporter en&#xa0;:</translation>
    </message>
    <message>
        <source>Only the sentences marked hard (%1)</source>
        <translation>Seulement les phrases marquées difficiles (%1)</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Export into</source>
        <translation>Exporter dans</translation>
    </message>
    <message>
        <source>Into:</source>
        <translation>Dans&#xa0;:</translation>
    </message>
    <message>
        <source>Export progress</source>
        <translation>Progression de l’export</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Export en cours…</translation>
    </message>
    <message>
        <source>Couldn’t export: %1</source>
        <translation>Impossible d’exporter&#xa0;: %1</translation>
    </message>
    <message>
        <source>Export cancelled.</source>
        <translation>Export annulé.</translation>
    </message>
    <message>
        <source>Exported to %1
In Anki, copy its MP3 files into your profile’s collection.media folder, then choose File ▸ Import… and pick notes.txt.</source>
        <translation>Exporté dans %1
Dans Anki, copiez ses fichiers MP3 dans le dossier collection.media de votre profil, puis choisissez Fichier ▸ Importer… et sélectionnez notes.txt.</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exporté dans %1</translation>
    </message>
</context>
<context>
    <name>FFmpegSupport</name>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>Le fichier n’existe pas.</translation>
    </message>
    <message>
        <source>You don’t have permission to use this file.</source>
        <translation>Vous n’avez pas l’autorisation d’utiliser ce fichier.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Ceci est un dossier, pas un fichier.</translation>
    </message>
    <message>
        <source>There isn’t enough space on the disk.</source>
        <translation>Il n’y a pas assez d’espace sur le disque.</translation>
    </message>
    <message>
        <source>The disk is read-only.</source>
        <translation>Le disque est en lecture seule.</translation>
    </message>
    <message>
        <source>The file couldn’t be read (%1).</source>
        <translation>Le fichier n’a pas pu être lu (%1).</translation>
    </message>
    <message>
        <source>The sound track couldn’t be saved. %1</source>
        <translation>La piste audio n’a pas pu être enregistrée. %1</translation>
    </message>
    <message>
        <source>The sound track couldn’t be saved (%1).</source>
        <translation>La piste audio n’a pas pu être enregistrée (%1).</translation>
    </message>
</context>
<context>
    <name>FileDialogChooser</name>
    <message>
        <source>Audio and video files (%1)</source>
        <translation>Fichiers audio et vidéo (%1)</translation>
    </message>
    <message>
        <source>Subtitles (%1)</source>
        <translation>Sous-titres (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>FrameReader</name>
    <message>
        <source>The picture of this video can’t be shown.</source>
        <translation>L’image de cette vidéo ne peut pas être affichée.</translation>
    </message>
    <message>
        <source>This file has no picture.</source>
        <translation>Ce fichier n’a pas d’image.</translation>
    </message>
</context>
<context>
    <name>MediaError</name>
    <message>
        <source>This file can’t be read as audio or video.</source>
        <translation>Ce fichier ne peut pas être lu comme audio ou vidéo.</translation>
    </message>
    <message>
        <source>This file has no sound track.</source>
        <translation>Ce fichier n’a pas de piste audio.</translation>
    </message>
</context>
<context>
    <name>PhaseLabel</name>
    <message>
        <source>Playing %1 of %2</source>
        <translation>Lecture %1 sur %2</translation>
    </message>
    <message>
        <source>Your turn (%1 of %2)</source>
        <translation>À vous (%1 sur %2)</translation>
    </message>
    <message>
        <source>Listen…</source>
        <translation>Écoutez…</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>Enregistrement…</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Your attempt</source>
        <translation>Votre essai</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>The picture couldn’t be saved (%1).</source>
        <translation>Impossible d’enregistrer l’image (%1).</translation>
    </message>
    <message>
        <source>The picture couldn’t be saved to “%1”: %2</source>
        <translation>Impossible d’enregistrer l’image dans «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>PictureView</name>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Double-click for a larger picture; Esc goes back</source>
        <translation>Double-cliquez pour agrandir l’image ; Échap revient en arrière</translation>
    </message>
</context>
<context>
    <name>PocketSphinxEngine</name>
    <message>
        <source>No speech model for %1 was found in %2.</source>
        <translation>Aucun modèle de parole pour %1 n’a été trouvé dans %2.</translation>
    </message>
</context>
<context>
    <name>PracticeCommands</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Open Audio or Video…</source>
        <translation>Ouvrir un audio ou une vidéo…</translation>
    </message>
    <message>
        <source>Add Subtitles…</source>
        <translation>Ajouter des sous-titres…</translation>
    </message>
    <message>
        <source>Add Transcript…</source>
        <translation>Ajouter une transcription…</translation>
    </message>
    <message>
        <source>Close File</source>
        <translation>Fermer le fichier</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exporter…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Practice</source>
        <translation>&amp;Entraînement</translation>
    </message>
    <message>
        <source>Previous Sentence</source>
        <translation>Phrase précédente</translation>
    </message>
    <message>
        <source>Next Sentence</source>
        <translation>Phrase suivante</translation>
    </message>
    <message>
        <source>Record Your Attempt</source>
        <translation>Enregistrer votre essai</translation>
    </message>
    <message>
        <source>Compare with the Original</source>
        <translation>Comparer avec l’original</translation>
    </message>
    <message>
        <source>Play Your Attempt</source>
        <translation>Écouter votre essai</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Marquer comme difficile</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Plus lent</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Plus rapide</translation>
    </message>
    <message>
        <source>Normal Speed</source>
        <translation>Vitesse normale</translation>
    </message>
    <message>
        <source>Find Sentences Again</source>
        <translation>Rechercher de nouveau les phrases</translation>
    </message>
    <message>
        <source>Split at Pauses Only</source>
        <translation>Découper aux pauses seulement</translation>
    </message>
    <message>
        <source>Review Hard Sentences…</source>
        <translation>Réviser les phrases difficiles…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>About Quellin</source>
        <translation>À propos de Quellin</translation>
    </message>
    <message>
        <source>Loop Sentence (Space)</source>
        <translation>Répéter la phrase (Espace)</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Hard Only</source>
        <translation>Difficiles seulement</translation>
    </message>
    <message>
        <source>Choose Language…</source>
        <translation>Choisir la langue…</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>A&amp;ffichage</translation>
    </message>
    <message>
        <source>Show Picture</source>
        <translation>Afficher l’image</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>Move Start Earlier</source>
        <translation>Avancer le début</translation>
    </message>
    <message>
        <source>Move Start Later</source>
        <translation>Retarder le début</translation>
    </message>
    <message>
        <source>Move End Earlier</source>
        <translation>Avancer la fin</translation>
    </message>
    <message>
        <source>Move End Later</source>
        <translation>Retarder la fin</translation>
    </message>
    <message>
        <source>Split Sentence</source>
        <translation>Couper la phrase</translation>
    </message>
    <message>
        <source>Merge with Next</source>
        <translation>Fusionner avec la suivante</translation>
    </message>
    <message>
        <source>Edit Text…</source>
        <translation>Modifier le texte…</translation>
    </message>
</context>
<context>
    <name>PracticeSettingsView</name>
    <message>
        <source>Repeat</source>
        <translation>Répéter</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Plus lent</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Plus rapide</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Pause after each</source>
        <translation>Pause après chaque</translation>
    </message>
    <message>
        <source>Time to say it yourself after each repetition, sized to the sentence’s length (at least %1 s)</source>
        <translation>Le temps de la dire vous-même après chaque répétition, selon la longueur de la phrase (au moins %1&#xa0;s)</translation>
    </message>
    <message>
        <source>Then</source>
        <translation>Ensuite</translation>
    </message>
    <message>
        <source>Go on to the next sentence by itself</source>
        <translation>Passer seul à la phrase suivante</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>½ sentence</source>
        <translation>½ phrase</translation>
    </message>
    <message>
        <source>1 sentence</source>
        <translation>1 phrase</translation>
    </message>
    <message>
        <source>1½ sentences</source>
        <translation>1½ phrase</translation>
    </message>
    <message>
        <source>%1 sentences</source>
        <translation>%1 phrases</translation>
    </message>
</context>
<context>
    <name>PracticeView</name>
    <message>
        <source>Pick a sentence</source>
        <translation>Choisissez une phrase</translation>
    </message>
    <message>
        <source>Mark this sentence hard (Ctrl+D)</source>
        <translation>Marquer cette phrase comme difficile (Ctrl+D)</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédente</translation>
    </message>
    <message>
        <source>Previous sentence (↑ in the list, or Ctrl+[)</source>
        <translation>Phrase précédente (↑ dans la liste, ou Ctrl+[)</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Répéter</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivante</translation>
    </message>
    <message>
        <source>Next sentence (↓ in the list, or Ctrl+])</source>
        <translation>Phrase suivante (↓ dans la liste, ou Ctrl+])</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Hear the sentence once, then record yourself (Ctrl+R)</source>
        <translation>Écouter la phrase une fois, puis vous enregistrer (Ctrl+R)</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Comparer</translation>
    </message>
    <message>
        <source>Play the original, then your attempt (Ctrl+E)</source>
        <translation>Écouter l’original, puis votre essai (Ctrl+E)</translation>
    </message>
    <message>
        <source>These words were recognised with little certainty and may be wrong. Choose the recording’s language, or add subtitles or a transcript.</source>
        <translation>Ces mots ont été reconnus avec peu de certitude et peuvent être faux. Choisissez la langue de l’enregistrement, ou ajoutez des sous-titres ou une transcription.</translation>
    </message>
    <message>
        <source>Fade Uncertain Text</source>
        <translation>Estomper le texte incertain</translation>
    </message>
    <message>
        <source>Show Text Plainly</source>
        <translation>Afficher le texte normalement</translation>
    </message>
    <message>
        <source>Fade the words recognised with little certainty</source>
        <translation>Estomper les mots reconnus avec peu de certitude</translation>
    </message>
    <message>
        <source>Show every recognised word in full colour</source>
        <translation>Afficher chaque mot reconnu en pleine couleur</translation>
    </message>
    <message>
        <source>Sentence %1 of %2</source>
        <translation>Phrase %1 sur %2</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Marquer comme difficile</translation>
    </message>
    <message>
        <source>No words were recognised in this sentence. Listen, then say it back.</source>
        <translation>Aucun mot n’a été reconnu dans cette phrase. Écoutez, puis répétez-la.</translation>
    </message>
    <message>
        <source>No transcript for this sentence: it was split at a pause. Listen, then say it back.</source>
        <translation>Pas de transcription pour cette phrase&#xa0;: elle a été découpée à une pause. Écoutez, puis répétez-la.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message numerus="yes">
        <source>Play the sentence %n time(s) with a pause to repeat it (Space)</source>
        <translation>
            <numerusform>Lire la phrase %n fois avec une pause pour la répéter (Espace)</numerusform>
            <numerusform>Lire la phrase %n fois avec une pause pour la répéter (Espace)</numerusform>
        </translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Arrêter l’enregistrement</translation>
    </message>
    <message>
        <source>%1 Practice goes on with the sound.</source>
        <translation>%1 L’entraînement continue avec le son.</translation>
    </message>
    <message>
        <source>Start 50 ms earlier (Ctrl+Shift+Left)</source>
        <translation>Début 50 ms plus tôt (Ctrl+Maj+Gauche)</translation>
    </message>
    <message>
        <source>End 50 ms earlier (Alt+Shift+Left)</source>
        <translation>Fin 50 ms plus tôt (Alt+Maj+Gauche)</translation>
    </message>
    <message>
        <source>Start 50 ms later (Ctrl+Shift+Right)</source>
        <translation>Début 50 ms plus tard (Ctrl+Maj+Droite)</translation>
    </message>
    <message>
        <source>End 50 ms later (Alt+Shift+Right)</source>
        <translation>Fin 50 ms plus tard (Alt+Maj+Droite)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Pas maintenant</translation>
    </message>
</context>
<context>
    <name>QuellinApp</name>
    <message>
        <source>Quellin Settings</source>
        <translation>Paramètres de Quellin</translation>
    </message>
    <message>
        <source>About Quellin</source>
        <translation>À propos de Quellin</translation>
    </message>
    <message>
        <source>&lt;b&gt;Quellin %1&lt;/b&gt;&lt;p&gt;Shadow any recording, one sentence at a time.&lt;/p&gt;</source>
        <translation>&lt;b&gt;Quellin %1&lt;/b&gt;&lt;p&gt;Répétez n’importe quel enregistrement, phrase par phrase.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The folder “%1” couldn’t be created.</source>
        <translation>Le dossier «&#xa0;%1&#xa0;» n’a pas pu être créé.</translation>
    </message>
</context>
<context>
    <name>RecorderError</name>
    <message>
        <source>Recording couldn’t start. Check that a microphone is connected and selected in your sound settings.</source>
        <translation>L’enregistrement n’a pas pu démarrer. Vérifiez qu’un micro est branché et sélectionné dans vos paramètres de son.</translation>
    </message>
</context>
<context>
    <name>RecordingMeter</name>
    <message>
        <source>Microphone level</source>
        <translation>Niveau du micro</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) left</source>
        <translation>
            <numerusform>%n seconde restante</numerusform>
            <numerusform>%n secondes restantes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RelativeDate</name>
    <message numerus="yes">
        <source>%n year(s) ago</source>
        <translation>
            <numerusform>il y a %n an</numerusform>
            <numerusform>il y a %n ans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n year(s)</source>
        <translation>
            <numerusform>dans %n an</numerusform>
            <numerusform>dans %n ans</numerusform>
        </translation>
    </message>
    <message>
        <source>last year</source>
        <translation>l’an dernier</translation>
    </message>
    <message>
        <source>next year</source>
        <translation>l’an prochain</translation>
    </message>
    <message numerus="yes">
        <source>%n month(s) ago</source>
        <translation>
            <numerusform>il y a %n mois</numerusform>
            <numerusform>il y a %n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n month(s)</source>
        <translation>
            <numerusform>dans %n mois</numerusform>
            <numerusform>dans %n mois</numerusform>
        </translation>
    </message>
    <message>
        <source>last month</source>
        <translation>le mois dernier</translation>
    </message>
    <message>
        <source>next month</source>
        <translation>le mois prochain</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) ago</source>
        <translation>
            <numerusform>il y a %n semaine</numerusform>
            <numerusform>il y a %n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n week(s)</source>
        <translation>
            <numerusform>dans %n semaine</numerusform>
            <numerusform>dans %n semaines</numerusform>
        </translation>
    </message>
    <message>
        <source>last week</source>
        <translation>la semaine dernière</translation>
    </message>
    <message>
        <source>next week</source>
        <translation>la semaine prochaine</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>il y a %n jour</numerusform>
            <numerusform>il y a %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>dans %n jour</numerusform>
            <numerusform>dans %n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>yesterday</source>
        <translation>hier</translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation>demain</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>il y a %n heure</numerusform>
            <numerusform>il y a %n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>dans %n heure</numerusform>
            <numerusform>dans %n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>il y a %n minute</numerusform>
            <numerusform>il y a %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>dans %n minute</numerusform>
            <numerusform>dans %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) ago</source>
        <translation>
            <numerusform>il y a %n seconde</numerusform>
            <numerusform>il y a %n secondes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n second(s)</source>
        <translation>
            <numerusform>dans %n seconde</numerusform>
            <numerusform>dans %n secondes</numerusform>
        </translation>
    </message>
    <message>
        <source>now</source>
        <translation>maintenant</translation>
    </message>
</context>
<context>
    <name>ReviewList</name>
    <message>
        <source>Sentence %1</source>
        <translation>Phrase %1</translation>
    </message>
</context>
<context>
    <name>ReviewView</name>
    <message>
        <source>Review Hard Sentences</source>
        <translation>Réviser les phrases difficiles</translation>
    </message>
    <message>
        <source>Sentences you marked hard come back 1, 3, 7, 14 and then every 30 days after you practise them. Double-click one to practise it.</source>
        <translation>Les phrases marquées difficiles reviennent après 1, 3, 7 et 14 jours, puis tous les 30 jours après chaque entraînement. Double-cliquez sur l’une d’elles pour vous entraîner.</translation>
    </message>
    <message>
        <source>Sentence</source>
        <translation>Phrase</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Last practised</source>
        <translation>Dernier entraînement</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>À réviser</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Maintenant</translation>
    </message>
    <message>
        <source>No sentence is marked hard.</source>
        <translation>Aucune phrase n’est marquée difficile.</translation>
    </message>
</context>
<context>
    <name>SentenceFinder</name>
    <message>
        <source>Speech recognition is off for Quellin, so sentences are split at pauses (no transcript).</source>
        <translation>La reconnaissance vocale est désactivée pour Quellin, les phrases sont donc découpées aux pauses (sans transcription).</translation>
    </message>
    <message>
        <source>Speech recognition stopped (%1). The sentences are split at pauses.</source>
        <translation>La reconnaissance vocale s’est arrêtée (%1). Les phrases sont découpées aux pauses.</translation>
    </message>
    <message>
        <source>No speech was recognised in %1. The sentences are split at pauses; pick the file’s language and choose Find Sentences Again.</source>
        <translation>Aucune parole n’a été reconnue en %1. Les phrases sont découpées aux pauses&#x202f;; choisissez la langue du fichier, puis «&#xa0;Rechercher de nouveau les phrases&#xa0;».</translation>
    </message>
</context>
<context>
    <name>SentenceList</name>
    <message>
        <source>Sentences</source>
        <translation>Phrases</translation>
    </message>
    <message>
        <source>No hard sentences yet</source>
        <translation>Pas encore de phrases difficiles</translation>
    </message>
    <message>
        <source>Mark a sentence hard with Ctrl+D or its star, then practise only those.</source>
        <translation>Marquez une phrase comme difficile avec Ctrl+D ou son étoile, puis entraînez-vous seulement sur celles-ci.</translation>
    </message>
    <message>
        <source>No sentences found</source>
        <translation>Aucune phrase trouvée</translation>
    </message>
    <message>
        <source>This file seems to be silent.</source>
        <translation>Ce fichier semble silencieux.</translation>
    </message>
    <message>
        <source>Unmark Hard</source>
        <translation>Ne plus marquer comme difficile</translation>
    </message>
    <message>
        <source>Mark Hard</source>
        <translation>Marquer comme difficile</translation>
    </message>
    <message>
        <source>Edit Text…</source>
        <translation>Modifier le texte…</translation>
    </message>
</context>
<context>
    <name>SentenceRow</name>
    <message>
        <source>Sentence %1</source>
        <translation>Phrase %1</translation>
    </message>
    <message>
        <source>words uncertain</source>
        <translation>mots incertains</translation>
    </message>
    <message>
        <source>marked hard</source>
        <translation>marquée difficile</translation>
    </message>
</context>
<context>
    <name>SentenceRowDelegate</name>
    <message>
        <source>(no words recognised)</source>
        <translation>(aucun mot reconnu)</translation>
    </message>
</context>
<context>
    <name>SentenceSource</name>
    <message>
        <source>%1 The sentences stay as they are.</source>
        <translation>%1 Les phrases restent telles quelles.</translation>
    </message>
</context>
<context>
    <name>SentenceTextDialog</name>
    <message>
        <source>Edit Text</source>
        <translation>Modifier le texte</translation>
    </message>
    <message>
        <source>The words of sentence %1 (%2 – %3), as you hear them.</source>
        <translation>Les mots de la phrase %1 (%2 – %3), tels que vous les entendez.</translation>
    </message>
    <message>
        <source>No text</source>
        <translation>Aucun texte</translation>
    </message>
    <message>
        <source>Leave it empty to remove the text.</source>
        <translation>Laissez-le vide pour supprimer le texte.</translation>
    </message>
    <message>
        <source>Save Text</source>
        <translation>Enregistrer le texte</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>The session of “%1” holds a time or setting that isn’t a number.</source>
        <translation>La session de «&#xa0;%1&#xa0;» contient une durée ou un réglage qui n’est pas un nombre.</translation>
    </message>
    <message>
        <source>The session of “%1” has no valid save time.</source>
        <translation>La session de «&#xa0;%1&#xa0;» n’a pas de date d’enregistrement valide.</translation>
    </message>
</context>
<context>
    <name>SessionExport</name>
    <message>
        <source>The export couldn’t be moved into place (%1).</source>
        <translation>L’export n’a pas pu être mis en place (%1).</translation>
    </message>
    <message>
        <source>The export couldn’t be written (%1): %2</source>
        <translation>L’export n’a pas pu être écrit (%1)&#xa0;: %2</translation>
    </message>
    <message>
        <source>No sentence is marked hard.</source>
        <translation>Aucune phrase n’est marquée difficile.</translation>
    </message>
    <message>
        <source>There are no sentences to export.</source>
        <translation>Il n’y a aucune phrase à exporter.</translation>
    </message>
    <message>
        <source>The folder “%1” can’t be written to.</source>
        <translation>Impossible d’écrire dans le dossier «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>SessionStore</name>
    <message>
        <source>The sessions folder “%1” couldn’t be created.</source>
        <translation>Le dossier des sessions «&#xa0;%1&#xa0;» n’a pas pu être créé.</translation>
    </message>
    <message>
        <source>The session couldn’t be saved to “%1”: %2</source>
        <translation>La session n’a pas pu être enregistrée dans «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>Your recording of this sentence stays under its old start: another recording is already kept as “%1”.</source>
        <translation>Votre enregistrement de cette phrase reste sous son ancien début : un autre enregistrement est déjà conservé sous « %1 ».</translation>
    </message>
    <message>
        <source>Your recording of this sentence couldn’t follow its new start: %1</source>
        <translation>Votre enregistrement de cette phrase n’a pas pu suivre son nouveau début : %1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Your sessions</source>
        <translation>Vos sessions</translation>
    </message>
    <message>
        <source>Sentences, your place, hard marks and recordings are kept on this computer only. Recognition runs on-device; nothing is uploaded.</source>
        <translation>Les phrases, votre position, les marques «&#xa0;difficile&#xa0;» et les enregistrements restent uniquement sur cet ordinateur. La reconnaissance se fait sur l’appareil&#x202f;; rien n’est envoyé.</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Mises à jour</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
</context>
<context>
    <name>ShortcutsDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Commande</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Touches</translation>
    </message>
</context>
<context>
    <name>SphinxDecoder</name>
    <message>
        <source>The speech model in %1 couldn’t be loaded.</source>
        <translation>Le modèle de parole dans %1 n’a pas pu être chargé.</translation>
    </message>
    <message>
        <source>The speech recogniser couldn’t start.</source>
        <translation>Le moteur de reconnaissance vocale n’a pas pu démarrer.</translation>
    </message>
    <message>
        <source>The speech recogniser couldn’t follow the sentence.</source>
        <translation>La reconnaissance vocale n’a pas pu suivre la phrase.</translation>
    </message>
</context>
<context>
    <name>SphinxDecoderPool</name>
    <message>
        <source>an unknown failure</source>
        <translation>un échec inconnu</translation>
    </message>
</context>
<context>
    <name>SplitStatus</name>
    <message>
        <source>Aligning the transcript to the sound…</source>
        <translation>Alignement de la transcription sur le son…</translation>
    </message>
    <message>
        <source>Listening for sentences (%1)…</source>
        <translation>Recherche des phrases (%1)…</translation>
    </message>
    <message>
        <source>%1 of %2. You can practise meanwhile.</source>
        <translation>%1 sur %2. Vous pouvez vous entraîner en attendant.</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript (%1, on this computer)</source>
        <translation>
            <numerusform>%n phrase · transcription (%1, sur cet ordinateur)</numerusform>
            <numerusform>%n phrases · transcription (%1, sur cet ordinateur)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · subtitles (%1)</source>
        <translation>
            <numerusform>%n phrase · sous-titres (%1)</numerusform>
            <numerusform>%n phrases · sous-titres (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · subtitles (%1, %2)</source>
        <translation>
            <numerusform>%n phrase · sous-titres (%1, %2)</numerusform>
            <numerusform>%n phrases · sous-titres (%1, %2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript</source>
        <translation>
            <numerusform>%n phrase · transcription</numerusform>
            <numerusform>%n phrases · transcription</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript (%1)</source>
        <translation>
            <numerusform>%n phrase · transcription (%1)</numerusform>
            <numerusform>%n phrases · transcription (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · split at pauses</source>
        <translation>
            <numerusform>%n phrase · découpée aux pauses</numerusform>
            <numerusform>%n phrases · découpées aux pauses</numerusform>
        </translation>
    </message>
    <message>
        <source>Listening progress</source>
        <translation>Progression de l’écoute</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Ouverture du fichier</translation>
    </message>
</context>
<context>
    <name>StartView</name>
    <message>
        <source>Shadow any recording, one sentence at a time</source>
        <translation>Répétez n’importe quel enregistrement, phrase par phrase</translation>
    </message>
    <message>
        <source>Open a podcast episode, a lesson or a video. Quellin finds the sentences, loops each one with time to repeat it, and lets you record yourself to compare. Your files stay on this computer.</source>
        <translation>Ouvrez un épisode de podcast, une leçon ou une vidéo. Quellin trouve les phrases, répète chacune en vous laissant le temps de la redire, et vous permet de vous enregistrer pour comparer. Vos fichiers restent sur cet ordinateur.</translation>
    </message>
    <message>
        <source>Open Audio or Video…</source>
        <translation>Ouvrir un audio ou une vidéo…</translation>
    </message>
    <message>
        <source>Open Audio or Video… (Ctrl+O)</source>
        <translation>Ouvrir un audio ou une vidéo… (Ctrl+O)</translation>
    </message>
    <message>
        <source>or drop a file here</source>
        <translation>ou déposez un fichier ici</translation>
    </message>
    <message>
        <source>Pick up where you left off</source>
        <translation>Reprenez là où vous vous étiez arrêté</translation>
    </message>
    <message>
        <source>Reading the file… %1%</source>
        <translation>Lecture du fichier… %1&#xa0;%</translation>
    </message>
    <message>
        <source>Reading the file…</source>
        <translation>Lecture du fichier…</translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) due for review</source>
        <translation>
            <numerusform>%n phrase à réviser</numerusform>
            <numerusform>%n phrases à réviser</numerusform>
        </translation>
    </message>
    <message>
        <source>Forget this session and its recordings</source>
        <translation>Oublier cette session et ses enregistrements</translation>
    </message>
    <message>
        <source>Forget %1</source>
        <translation>Oublier %1</translation>
    </message>
    <message>
        <source>Sentence %1 of %2</source>
        <translation>Phrase %1 sur %2</translation>
    </message>
    <message>
        <source>%1 of %2 practised</source>
        <translation>%1 sur %2 travaillées</translation>
    </message>
    <message numerus="yes">
        <source>%n hard</source>
        <translation>
            <numerusform>%n difficile</numerusform>
            <numerusform>%n difficiles</numerusform>
        </translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Ouverture du fichier</translation>
    </message>
</context>
<context>
    <name>SubtitleCues</name>
    <message>
        <source>These subtitles are pictures (as on DVDs, Blu-ray discs and TV broadcasts), so they hold no text to use.</source>
        <translation>Ces sous-titres sont des images (comme sur les DVD, les Blu-ray et à la télévision), ils ne contiennent donc aucun texte utilisable.</translation>
    </message>
    <message>
        <source>Quellin can’t read this kind of subtitles.</source>
        <translation>Quellin ne sait pas lire ce type de sous-titres.</translation>
    </message>
</context>
<context>
    <name>SubtitleFiles</name>
    <message>
        <source>Sentence %1</source>
        <translation>Phrase %1</translation>
    </message>
</context>
<context>
    <name>SubtitleReading</name>
    <message>
        <source>“%1” is not a subtitle file.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un fichier de sous-titres.</translation>
    </message>
    <message>
        <source>The subtitles “%1” can’t be read. %2</source>
        <translation>Les sous-titres «&#xa0;%1&#xa0;» ne peuvent pas être lus. %2</translation>
    </message>
    <message>
        <source>There isn’t enough space for a copy of it.</source>
        <translation>Il n’y a pas assez d’espace pour en faire une copie.</translation>
    </message>
    <message>
        <source>You don’t have permission to use this file.</source>
        <translation>Vous n’avez pas l’autorisation d’utiliser ce fichier.</translation>
    </message>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>Le fichier n’existe pas.</translation>
    </message>
    <message>
        <source>There isn’t enough memory.</source>
        <translation>Il n’y a pas assez de mémoire.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Ceci est un dossier, pas un fichier.</translation>
    </message>
</context>
<context>
    <name>SubtitleSentences</name>
    <message>
        <source>The subtitles “%1” have no words while the sound plays.</source>
        <translation>Les sous-titres «&#xa0;%1&#xa0;» n’ont aucun mot pendant que le son est joué.</translation>
    </message>
</context>
<context>
    <name>SubtitleTracks</name>
    <message>
        <source>Stream %1</source>
        <translation>Flux %1</translation>
    </message>
    <message>
        <source> (Stream %1)</source>
        <translation> (flux %1)</translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>Where the sentences come from: the file’s subtitles, or on-device speech recognition in the language spoken in it</source>
        <translation>D’où viennent les phrases&#xa0;: des sous-titres du fichier, ou de la reconnaissance vocale sur l’appareil dans la langue qui y est parlée</translation>
    </message>
    <message>
        <source>Hard Only</source>
        <translation>Difficiles seulement</translation>
    </message>
    <message>
        <source>Practise only the sentences marked hard</source>
        <translation>S’entraîner seulement sur les phrases marquées difficiles</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Sous-titres</translation>
    </message>
    <message>
        <source>Add Subtitles…</source>
        <translation>Ajouter des sous-titres…</translation>
    </message>
    <message>
        <source>Transcript</source>
        <translation>Transcription</translation>
    </message>
    <message>
        <source>Add Transcript…</source>
        <translation>Ajouter une transcription…</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Not on This Computer Yet</source>
        <translation>Pas encore sur cet ordinateur</translation>
    </message>
    <message>
        <source>Find Sentences Again</source>
        <translation>Rechercher de nouveau les phrases</translation>
    </message>
    <message>
        <source>Split at Pauses Only</source>
        <translation>Découper aux pauses seulement</translation>
    </message>
    <message>
        <source>%1 — can’t be used</source>
        <translation>%1 — inutilisable</translation>
    </message>
</context>
<context>
    <name>Transcriber</name>
    <message>
        <source>On-device recognition for %1 isn’t on this computer. Put its speech model in %2, then choose Find Sentences Again.</source>
        <translation>La reconnaissance sur l’appareil pour %1 n’est pas sur cet ordinateur. Placez son modèle de parole dans %2, puis choisissez «&#xa0;Rechercher de nouveau les phrases&#xa0;».</translation>
    </message>
</context>
<context>
    <name>TranscriptAlignment</name>
    <message>
        <source>There is no voice for %1 to compare the transcript with.</source>
        <translation>Il n’y a pas de voix en %1 avec laquelle comparer la transcription.</translation>
    </message>
    <message>
        <source>The speech synthesiser espeak-ng could not start.</source>
        <translation>Le synthétiseur vocal espeak-ng n’a pas pu démarrer.</translation>
    </message>
    <message>
        <source>The transcript holds no text.</source>
        <translation>La transcription ne contient aucun texte.</translation>
    </message>
    <message>
        <source>The transcript does not fit this recording: its words could not be found in the sound. Check that it is the text of this recording and that its language is %1.</source>
        <translation>La transcription ne correspond pas à cet enregistrement&#xa0;: ses mots n’ont pas été trouvés dans le son. Vérifiez qu’il s’agit bien du texte de cet enregistrement et que sa langue est %1.</translation>
    </message>
    <message>
        <source>The transcript file could not be read: %1.</source>
        <translation>Le fichier de transcription n’a pas pu être lu&#xa0;: %1.</translation>
    </message>
    <message>
        <source>The transcript file does not hold plain text.</source>
        <translation>Le fichier de transcription ne contient pas de texte brut.</translation>
    </message>
</context>
<context>
    <name>TranscriptDialog</name>
    <message>
        <source>Add Transcript</source>
        <translation>Ajouter une transcription</translation>
    </message>
    <message>
        <source>Paste the text spoken in “%1”, or open the file that holds it. Quellin finds where each sentence is spoken.</source>
        <translation>Collez le texte prononcé dans «&#xa0;%1&#xa0;», ou ouvrez le fichier qui le contient. Quellin trouve où chaque phrase est prononcée.</translation>
    </message>
    <message>
        <source>The transcript, as written</source>
        <translation>La transcription, telle qu’elle est écrite</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Open File…</source>
        <translation>Ouvrir un fichier…</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Aligner</translation>
    </message>
    <message>
        <source>No voice to read a transcript with was found: espeak-ng’s voices are missing.</source>
        <translation>Aucune voix pour lire une transcription n’a été trouvée&#xa0;: les voix d’espeak-ng sont absentes.</translation>
    </message>
    <message>
        <source>pasted text</source>
        <translation>texte collé</translation>
    </message>
    <message>
        <source>Open a Transcript</source>
        <translation>Ouvrir une transcription</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <source>Couldn’t check for updates</source>
        <translation>Impossible de rechercher des mises à jour</translation>
    </message>
    <message>
        <source>This copy of %1 has no update feed. Your package manager keeps it up to date.</source>
        <translation>Cette copie de %1 n’a pas de flux de mises à jour. Votre gestionnaire de paquets la tient à jour.</translation>
    </message>
    <message>
        <source>%1 %2 is available</source>
        <translation>%1 %2 est disponible</translation>
    </message>
    <message>
        <source>You have version %1. The download page opens in your browser.</source>
        <translation>Vous avez la version %1. La page de téléchargement s’ouvre dans votre navigateur.</translation>
    </message>
    <message>
        <source>This app</source>
        <translation>Cette application</translation>
    </message>
    <message>
        <source>You’re up to date</source>
        <translation>Vous êtes à jour</translation>
    </message>
    <message>
        <source>%1 %2 is the newest version. %1 checks for updates on its own and will let you know when there’s a new one.</source>
        <translation>%1 %2 est la version la plus récente. %1 recherche les mises à jour tout seul et vous préviendra lorsqu’il y en aura une nouvelle.</translation>
    </message>
    <message>
        <source>Check your internet connection and try again. %1 also checks on its own about once a day.</source>
        <translation>Vérifiez votre connexion Internet et réessayez. %1 recherche aussi tout seul environ une fois par jour.</translation>
    </message>
</context>
<context>
    <name>quellin-cli</name>
    <message>
        <source>more than one file given</source>
        <translation>plus d’un fichier indiqué</translation>
    </message>
    <message>
        <source>missing MEDIA</source>
        <translation>MEDIA manquant</translation>
    </message>
    <message>
        <source>--start and --end need seconds, the end after the start</source>
        <translation>--start et --end attendent des secondes, la fin après le début</translation>
    </message>
    <message>
        <source>--take needs the take&apos;s file</source>
        <translation>--take attend le fichier de la prise</translation>
    </message>
    <message>
        <source>Couldn’t read the take “%1”: it isn’t a sound file.
</source>
        <translation>Impossible de lire la prise «&#xa0;%1&#xa0;»&#xa0;: ce n’est pas un fichier audio.
</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2
</source>
        <translation>Impossible d’ouvrir «&#xa0;%1&#xa0;»&#xa0;: %2
</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
    <message>
        <source>The language spoken in FILE, as listed by `quellin-cli languages` (for a transcript: any language espeak-ng speaks); by default the window&apos;s.</source>
        <translation>La langue parlée dans FILE, telle que la liste `quellin-cli languages` (pour une transcription&#xa0;: toute langue que parle espeak-ng)&#x202f;; par défaut celle de la fenêtre.</translation>
    </message>
    <message>
        <source>Split at pauses without recognising speech.</source>
        <translation>Découper aux pauses sans reconnaître la parole.</translation>
    </message>
    <message>
        <source>Where the sentences&apos; text comes from: the subtitles the window would choose (auto, the default), none, or this subtitle file.</source>
        <translation>D’où vient le texte des phrases&#xa0;: les sous-titres que choisirait la fenêtre (auto, par défaut), none, ou ce fichier de sous-titres.</translation>
    </message>
    <message>
        <source>Align this text of FILE (plain text) instead of recognising speech.</source>
        <translation>Aligner ce texte de FILE (texte brut) au lieu de reconnaître la parole.</translation>
    </message>
    <message>
        <source>How the sentences are printed (default: text).</source>
        <translation>Comment les phrases sont affichées (par défaut&#xa0;: text).</translation>
    </message>
    <message>
        <source>What to export FILE&apos;s sentences as.</source>
        <translation>Sous quelle forme exporter les phrases de FILE.</translation>
    </message>
    <message>
        <source>Export only the sentences marked hard.</source>
        <translation>Exporter seulement les phrases marquées difficiles.</translation>
    </message>
    <message>
        <source>The folder the export is written into.</source>
        <translation>Le dossier dans lequel l’export est écrit.</translation>
    </message>
    <message>
        <source>sentences FILE, subtitles FILE, export FILE, or languages.</source>
        <translation>sentences FILE, subtitles FILE, export FILE, ou languages.</translation>
    </message>
    <message>
        <source>export takes --to, --hard-only and --out</source>
        <translation>export accepte --to, --hard-only et --out</translation>
    </message>
    <message>
        <source>--to needs anki, srt, vtt or clips</source>
        <translation>--to attend anki, srt, vtt ou clips</translation>
    </message>
    <message>
        <source>--out needs a folder</source>
        <translation>--out attend un dossier</translation>
    </message>
    <message>
        <source>missing command</source>
        <translation>commande manquante</translation>
    </message>
    <message>
        <source>languages takes no arguments</source>
        <translation>languages n’accepte aucun argument</translation>
    </message>
    <message>
        <source>unknown command “%1”</source>
        <translation>commande inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>subtitles takes only FILE</source>
        <translation>subtitles n’accepte que FILE</translation>
    </message>
    <message>
        <source>--language needs a language identifier</source>
        <translation>--language attend un identifiant de langue</translation>
    </message>
    <message>
        <source>--to, --hard-only and --out belong to export</source>
        <translation>--to, --hard-only et --out sont propres à export</translation>
    </message>
    <message>
        <source>--format needs text, json or srt</source>
        <translation>--format attend text, json ou srt</translation>
    </message>
    <message>
        <source>--subtitles needs auto, none or a file</source>
        <translation>--subtitles attend auto, none ou un fichier</translation>
    </message>
    <message>
        <source>--transcript needs a file and no --pauses-only</source>
        <translation>--transcript attend un fichier et pas de --pauses-only</translation>
    </message>
    <message>
        <source>Reading the sound…</source>
        <translation>Lecture du son…</translation>
    </message>
    <message>
        <source>Listening for sentences…</source>
        <translation>Recherche des phrases…</translation>
    </message>
    <message>
        <source>Aligning the transcript…</source>
        <translation>Alignement de la transcription…</translation>
    </message>
    <message>
        <source>Couldn’t open “%1”: %2</source>
        <translation>Impossible d’ouvrir «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>Couldn’t export “%1”: %2</source>
        <translation>Impossible d’exporter «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>The file doesn’t exist.</source>
        <translation>Le fichier n’existe pas.</translation>
    </message>
    <message>
        <source>missing FILE</source>
        <translation>FILE manquant</translation>
    </message>
    <message>
        <source>--at needs seconds from the start</source>
        <translation>--at attend des secondes depuis le début</translation>
    </message>
    <message>
        <source>--out needs the picture&apos;s file</source>
        <translation>--out attend le fichier de l’image</translation>
    </message>
    <message>
        <source>--width needs a number of pixels</source>
        <translation>--width attend un nombre de pixels</translation>
    </message>
</context>
</TS>
