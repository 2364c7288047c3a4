<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Lumivane</source>
        <translation>Über Lumivane</translation>
    </message>
    <message>
        <source>A slide show player and editor for photographs.</source>
        <translation>Ein Programm zum Zeigen und Bearbeiten von Diaschauen aus Fotografien.</translation>
    </message>
    <message>
        <source>Help &gt; Open Help File (F1) explains every window.</source>
        <translation>Hilfe &gt; Hilfe öffnen (F1) erklärt jedes Fenster.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: lumivane [SHOW]
       lumivane --export SHOW -o VIDEO [--size WxH] [--fps N] [--crf N]
                [--motion exact|smooth] [--audio FILE]
Plays and edits slide shows of photographs, and makes videos of them.

SHOW is a slide show index file (.ssi), or a folder of photographs (its index.ssi,
or a new one listing its pictures). When the program already runs, it opens SHOW
there instead.

In the playback window: Space stops, the arrow keys, Home and End move through the
slides, Esc closes it. In the main window Space plays and Esc ends the program;
F1 opens the help pages.

--export makes a video of SHOW without opening a window, even while the program
runs: VIDEO ending in .mp4 is H.264 (the default, for every player), .webm is VP9
and .mkv is AV1. --size is even numbers (default: the show&apos;s proportions in
1920x1080), --fps is 24, 25, 30 (default), 50 or 60, --crf the quality (lower is
better; 20 for H.264, 32 otherwise), --motion how moving pictures are sampled
(default: the Motion of Preferences), --audio a music file, repeated or cut to the
video with a fade-out. The show plays as in the program, with its defaults for new
shows (the speed, for one).

LUMIVANE_UPDATE_SERVER names the server Help &gt; Check for Updates asks.

  --help     show this text
  --version  show the program&apos;s version
</source>
        <translation>Aufruf: lumivane [DIASCHAU]
        lumivane --export DIASCHAU -o VIDEO [--size BxH] [--fps N] [--crf N]
                 [--motion exact|smooth] [--audio DATEI]
Zeigt und bearbeitet Diaschauen aus Fotografien und macht Videos daraus.

DIASCHAU ist die Indexdatei einer Diaschau (.ssi) oder ein Ordner mit Fotografien
(dessen index.ssi oder ein neuer Index, der seine Bilder aufführt). Läuft das
Programm schon, öffnet es DIASCHAU stattdessen dort.

Im Wiedergabefenster hält die Leertaste an, die Pfeiltasten, Pos1 und Ende gehen
durch die Folien, Esc schließt es. Im Hauptfenster spielt die Leertaste ab und Esc
beendet das Programm; F1 öffnet die Hilfeseiten.

--export macht ein Video von DIASCHAU, ohne ein Fenster zu öffnen, auch während das
Programm läuft: VIDEO mit der Endung .mp4 ist H.264 (der Standard, für jeden
Player), .webm ist VP9 und .mkv ist AV1. --size sind gerade Zahlen (Standard: das
Seitenverhältnis der Diaschau in 1920x1080), --fps ist 24, 25, 30 (Standard), 50
oder 60, --crf die Qualität (kleiner ist besser; 20 für H.264, sonst 32), --motion
wie bewegte Bilder abgetastet werden (Standard: die Bewegung der Einstellungen),
--audio eine Musikdatei, die wiederholt oder auf das Video gekürzt wird und am Ende
ausblendet. Die Diaschau läuft wie im Programm, mit dessen Standardwerten für neue
Diaschauen (etwa dem Tempo).

LUMIVANE_UPDATE_SERVER nennt den Server, den Hilfe &gt; Nach Aktualisierungen suchen
fragt.

  --help     zeigt diesen Text
  --version  zeigt die Version des Programms
</translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Open existing index file: index.ssi?.

Select Yes to open it.
Select No to delete it and build a new index.
Select Cancel to abort.</source>
        <translation>Vorhandene Indexdatei index.ssi öffnen?

Ja öffnet sie.
Nein löscht sie und legt einen neuen Index an.
Abbrechen bricht ab.</translation>
    </message>
    <message>
        <source>Select Slide Show Folder</source>
        <translation>Ordner der Diaschau wählen</translation>
    </message>
    <message>
        <source>Cannot open slide show: %s</source>
        <translation>Die Diaschau kann nicht geöffnet werden: %s</translation>
    </message>
    <message>
        <source>Index file (index.ssi) already exists.

Replace it with a new index file?</source>
        <translation>Die Indexdatei (index.ssi) gibt es schon.

Durch eine neue Indexdatei ersetzen?</translation>
    </message>
    <message>
        <source>Open slide show index file</source>
        <translation>Indexdatei der Diaschau öffnen</translation>
    </message>
    <message>
        <source>Error scanning for image files</source>
        <translation>Fehler beim Suchen nach Bilddateien</translation>
    </message>
    <message>
        <source>Folder contains no JPEG or TIFF files</source>
        <translation>Der Ordner enthält keine JPEG- oder TIFF-Dateien</translation>
    </message>
    <message>
        <source>Folder contains %d JPEG, TIFF, PNG, WebP, JPEG XL, HEIF or AVIF files, more than a slide show can hold (%d)</source>
        <translation>Der Ordner enthält %d JPEG-, TIFF-, PNG-, WebP-, JPEG-XL-, HEIF- oder AVIF-Dateien, mehr als eine Diaschau fassen kann (%d)</translation>
    </message>
    <message>
        <source>Create a slide show index file?</source>
        <translation>Eine Indexdatei für die Diaschau anlegen?</translation>
    </message>
    <message>
        <source>Create New Slide Show Index</source>
        <translation>Neuen Index der Diaschau anlegen</translation>
    </message>
    <message>
        <source>Cannot create index file: %s</source>
        <translation>Die Indexdatei kann nicht angelegt werden: %s</translation>
    </message>
    <message>
        <source>Error scanning for index files: %s</source>
        <translation>Fehler beim Suchen nach Indexdateien: %s</translation>
    </message>
    <message>
        <source>Open existing slide show index file: %s?</source>
        <translation>Vorhandene Indexdatei der Diaschau öffnen: %s?</translation>
    </message>
    <message>
        <source>Open one of the existing slide show index files?</source>
        <translation>Eine der vorhandenen Indexdateien der Diaschau öffnen?</translation>
    </message>
    <message>
        <source>No slide show folder specified yet -- click OK to select one</source>
        <translation>Noch kein Ordner für die Diaschau angegeben -- mit OK einen wählen</translation>
    </message>
    <message>
        <source>Slide Show Folder</source>
        <translation>Ordner der Diaschau</translation>
    </message>
    <message>
        <source>No slide show folder specified</source>
        <translation>Kein Ordner für die Diaschau angegeben</translation>
    </message>
    <message>
        <source>Slide show folder does not exist: %s</source>
        <translation>Den Ordner der Diaschau gibt es nicht: %s</translation>
    </message>
    <message>
        <source>Loading image files</source>
        <translation>Bilddateien werden geladen</translation>
    </message>
    <message>
        <source>Cannot save a slide show without slides</source>
        <translation>Eine Diaschau ohne Folien kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Save Slide Show Settings</source>
        <translation>Einstellungen der Diaschau speichern</translation>
    </message>
    <message>
        <source>Index file must be in the same folder as the image files.
image folder: %s
index folder: %s</source>
        <translation>Die Indexdatei muss im selben Ordner liegen wie die Bilddateien.
Ordner der Bilder: %s
Ordner des Index: %s</translation>
    </message>
    <message>
        <source>Cannot create slide show file: %s</source>
        <translation>Die Datei der Diaschau kann nicht angelegt werden: %s</translation>
    </message>
    <message>
        <source>Save modified slide show settings?</source>
        <translation>Geänderte Einstellungen der Diaschau speichern?</translation>
    </message>
    <message>
        <source>Cannot copy file: %s</source>
        <translation>Die Datei kann nicht kopiert werden: %s</translation>
    </message>
    <message>
        <source>Cannot allocate slides</source>
        <translation>Kein Speicher für die Folien</translation>
    </message>
    <message>
        <source>A slide show holds at most %d slides: this one has %d, and %d more cannot be added</source>
        <translation>Eine Diaschau fasst höchstens %d Folien: diese hat %d, und %d weitere können nicht hinzugefügt werden</translation>
    </message>
    <message>
        <source>Reading file: %s</source>
        <translation>Datei wird gelesen: %s</translation>
    </message>
    <message>
        <source>File already exists: %s
Overwrite with new file?</source>
        <translation>Die Datei gibt es schon: %s
Mit der neuen Datei überschreiben?</translation>
    </message>
    <message>
        <source>File not found: %s</source>
        <translation>Datei nicht gefunden: %s</translation>
    </message>
    <message>
        <source>Only JPEG or TIFF files can be processed: %s</source>
        <translation>Nur JPEG- oder TIFF-Dateien können verarbeitet werden: %s</translation>
    </message>
    <message>
        <source>Image file is used by another slide will not be deleted: %s</source>
        <translation>Die Bilddatei gehört auch zu einer anderen Folie und wird nicht gelöscht: %s</translation>
    </message>
    <message>
        <source>Select image file(s) to insert</source>
        <translation>Einzufügende Bilddatei(en) wählen</translation>
    </message>
    <message>
        <source>Slide file does not exist: %s</source>
        <translation>Die Bilddatei der Folie gibt es nicht: %s</translation>
    </message>
    <message>
        <source>More slide files do not exist (%d):</source>
        <translation>Weitere Bilddateien von Folien gibt es nicht (%d):</translation>
    </message>
    <message>
        <source>Error reading slide file: %s</source>
        <translation>Fehler beim Lesen der Bilddatei der Folie: %s</translation>
    </message>
    <message>
        <source>More slide files could not be read (%d):</source>
        <translation>Weitere Bilddateien von Folien konnten nicht gelesen werden (%d):</translation>
    </message>
    <message>
        <source>Slide file is damaged or incomplete; the missing part of the picture is black: %s</source>
        <translation>Die Bilddatei der Folie ist beschädigt oder unvollständig; der fehlende Teil des Bildes ist schwarz: %s</translation>
    </message>
    <message>
        <source>More slide files are damaged or incomplete (%d); the missing parts of their pictures are black:</source>
        <translation>Weitere Bilddateien von Folien sind beschädigt oder unvollständig (%d); die fehlenden Teile ihrer Bilder sind schwarz:</translation>
    </message>
    <message>
        <source>
and %d more</source>
        <translation>
und %d weitere</translation>
    </message>
    <message>
        <source>Reading %s</source>
        <translation>%s wird gelesen</translation>
    </message>
    <message>
        <source>Slide %d has no image file name</source>
        <translation>Folie %d hat keinen Namen einer Bilddatei</translation>
    </message>
    <message>
        <source>Pathname too long</source>
        <translation>Pfadname zu lang</translation>
    </message>
    <message>
        <source>Cannot convert slide file to the monitor color space: %s</source>
        <translation>Die Bilddatei der Folie kann nicht in den Farbraum des Bildschirms umgewandelt werden: %s</translation>
    </message>
    <message>
        <source>Missing quote</source>
        <translation>Fehlendes Anführungszeichen</translation>
    </message>
    <message>
        <source>Illegal number of slides: %d</source>
        <translation>Ungültige Anzahl von Folien: %d</translation>
    </message>
    <message>
        <source>Illegal number of frames: %d</source>
        <translation>Ungültige Anzahl von Schlüsselbildern: %d</translation>
    </message>
    <message>
        <source>%s file has invalid version number</source>
        <translation>Die Datei „%s“ hat eine ungültige Versionsnummer</translation>
    </message>
    <message>
        <source>%s file was created for a newer version of Lumivane -- some settings may be ignored</source>
        <translation>Die Datei „%s“ wurde für eine neuere Version von Lumivane angelegt -- manche Einstellungen werden vielleicht übergangen</translation>
    </message>
    <message>
        <source>%s file was created for an older version of Lumivane -- some settings may assigned default values</source>
        <translation>Die Datei „%s“ wurde für eine ältere Version von Lumivane angelegt -- manche Einstellungen erhalten vielleicht ihre Standardwerte</translation>
    </message>
    <message>
        <source>Error loading bitmap file: %s</source>
        <translation>Fehler beim Laden der Knopfgrafik: %s</translation>
    </message>
    <message>
        <source>Problem converting from working color space to monitor color space</source>
        <translation>Problem beim Umwandeln vom Arbeitsfarbraum in den Farbraum des Bildschirms</translation>
    </message>
    <message>
        <source>Read error copying file: %s</source>
        <translation>Lesefehler beim Kopieren der Datei: %s</translation>
    </message>
    <message>
        <source>Write error copying file)</source>
        <translation>Schreibfehler beim Kopieren der Datei</translation>
    </message>
    <message>
        <source>Cannot move file to the trash: %s</source>
        <translation>Die Datei kann nicht in den Papierkorb verschoben werden: %s</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Out of Memory</source>
        <translation>Zu wenig Arbeitsspeicher</translation>
    </message>
    <message>
        <source>The show has no slides</source>
        <translation>Die Diaschau hat keine Folien</translation>
    </message>
    <message>
        <source>Cannot play the show</source>
        <translation>Die Diaschau kann nicht abgespielt werden</translation>
    </message>
    <message>
        <source>No such show: %s</source>
        <translation>Diese Diaschau gibt es nicht: %s</translation>
    </message>
    <message>
        <source>No slide show index file %s: open the folder in Lumivane once to make one</source>
        <translation>Keine Indexdatei der Diaschau %s: den Ordner einmal in Lumivane öffnen, um eine anzulegen</translation>
    </message>
    <message>
        <source>Export interrupted; no video written</source>
        <translation>Export unterbrochen; kein Video geschrieben</translation>
    </message>
    <message>
        <source>The video is ready: %s</source>
        <translation>Das Video ist fertig: %s</translation>
    </message>
    <message>
        <source>Cannot find the help page: %s</source>
        <translation>Die Hilfeseite wurde nicht gefunden: %s</translation>
    </message>
    <message>
        <source>Cannot open the web page %s</source>
        <translation>Die Webseite %s kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>This help topic currently unavailable</source>
        <translation>Dieses Hilfethema ist zurzeit nicht verfügbar</translation>
    </message>
    <message>
        <source>Too many pathnames</source>
        <translation>Zu viele Pfadnamen</translation>
    </message>
    <message>
        <source>Add images to slide show</source>
        <translation>Bilder zur Diaschau hinzufügen</translation>
    </message>
    <message>
        <source>Delete image file as well as slide?</source>
        <translation>Die Bilddatei mit der Folie löschen?</translation>
    </message>
    <message>
        <source>Delete image files as well as slides?</source>
        <translation>Die Bilddateien mit den Folien löschen?</translation>
    </message>
    <message>
        <source>Delete image file(s)?</source>
        <translation>Bilddatei(en) löschen?</translation>
    </message>
    <message>
        <source>No slides selected</source>
        <translation>Keine Folien ausgewählt</translation>
    </message>
    <message>
        <source>New Slide Show...</source>
        <translation>Neue Diaschau...</translation>
    </message>
    <message>
        <source>Open Slide Show...</source>
        <translation>Diaschau öffnen...</translation>
    </message>
    <message>
        <source>Open Slide Show Folder...</source>
        <translation>Ordner der Diaschau öffnen...</translation>
    </message>
    <message>
        <source>Create Slide Show from Folder...</source>
        <translation>Diaschau aus Ordner erstellen...</translation>
    </message>
    <message>
        <source>Add Image Files...</source>
        <translation>Bilddateien hinzufügen...</translation>
    </message>
    <message>
        <source>Save Slide Show As...Ctrl-S</source>
        <translation>Diaschau speichern unter...Strg-S</translation>
    </message>
    <message>
        <source>Slide Show Properties...</source>
        <translation>Eigenschaften der Diaschau...</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Export Video...</source>
        <translation>Video exportieren...</translation>
    </message>
    <message>
        <source>Exit	Ctrl-Q</source>
        <translation>Beenden	Strg-Q</translation>
    </message>
    <message>
        <source>Copy Slides</source>
        <translation>Folien kopieren</translation>
    </message>
    <message>
        <source>Cut Slides</source>
        <translation>Folien ausschneiden</translation>
    </message>
    <message>
        <source>Paste Slides Before</source>
        <translation>Folien davor einfügen</translation>
    </message>
    <message>
        <source>Paste Slides After</source>
        <translation>Folien danach einfügen</translation>
    </message>
    <message>
        <source>Slide Properties...</source>
        <translation>Eigenschaften der Folie...</translation>
    </message>
    <message>
        <source>Open Help File</source>
        <translation>Hilfe öffnen</translation>
    </message>
    <message>
        <source>Check for &amp;Updates</source>
        <translation>Nach &amp;Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>About Lumivane</source>
        <translation>Über Lumivane</translation>
    </message>
    <message>
        <source>Insert one or more new slides before this one</source>
        <translation>Eine oder mehrere neue Folien vor dieser einfügen</translation>
    </message>
    <message>
        <source>Insert one or more new slides after this one</source>
        <translation>Eine oder mehrere neue Folien nach dieser einfügen</translation>
    </message>
    <message>
        <source>Remove current slide</source>
        <translation>Aktuelle Folie entfernen</translation>
    </message>
    <message>
        <source>Edit current slide&apos;s settings</source>
        <translation>Einstellungen der aktuellen Folie bearbeiten</translation>
    </message>
    <message>
        <source>Restart the slide show starting here</source>
        <translation>Diaschau ab hier neu starten</translation>
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
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Run slide show</source>
        <translation>Diaschau abspielen</translation>
    </message>
    <message>
        <source>Pause slide show</source>
        <translation>Diaschau anhalten</translation>
    </message>
    <message>
        <source>Show previous image</source>
        <translation>Vorheriges Bild zeigen</translation>
    </message>
    <message>
        <source>Show next image</source>
        <translation>Nächstes Bild zeigen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen der Diaschau</translation>
    </message>
    <message>
        <source>Delete selected slide(s)</source>
        <translation>Ausgewählte Folie(n) löschen</translation>
    </message>
    <message>
        <source>Cut selected slide(s) to clipboard</source>
        <translation>Ausgewählte Folie(n) in die Zwischenablage ausschneiden</translation>
    </message>
    <message>
        <source>Copy selected slide(s) to clipboard</source>
        <translation>Ausgewählte Folie(n) in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Paste clipboard before current slide</source>
        <translation>Zwischenablage vor der aktuellen Folie einfügen</translation>
    </message>
    <message>
        <source>Paste clipboard after current slide</source>
        <translation>Zwischenablage nach der aktuellen Folie einfügen</translation>
    </message>
    <message>
        <source>No such file: %s</source>
        <translation>Diese Datei gibt es nicht: %s</translation>
    </message>
    <message>
        <source>File does not exist: %s</source>
        <translation>Die Datei gibt es nicht: %s</translation>
    </message>
    <message>
        <source>Session Settings</source>
        <translation>Sitzungseinstellungen</translation>
    </message>
    <message>
        <source>Illegal proportions width: %s</source>
        <translation>Ungültige Breite des Seitenverhältnisses: %s</translation>
    </message>
    <message>
        <source>Illegal proportions height: %s</source>
        <translation>Ungültige Höhe des Seitenverhältnisses: %s</translation>
    </message>
    <message>
        <source>Illegal delay: %s</source>
        <translation>Ungültige Dauer: %s</translation>
    </message>
    <message>
        <source>Illegal transition time: %s</source>
        <translation>Ungültige Dauer des Übergangs: %s</translation>
    </message>
    <message>
        <source>Frame out of range: %d</source>
        <translation>Schlüsselbild außerhalb des Bereichs: %d</translation>
    </message>
    <message>
        <source>Frame %d</source>
        <translation>Schlüsselbild %d</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Cannot remove the last frame</source>
        <translation>Das letzte Schlüsselbild kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>Changing the style will remove all but the first frame.</source>
        <translation>Ein anderer Stil entfernt alle Schlüsselbilder außer dem ersten.</translation>
    </message>
    <message>
        <source>Version Information</source>
        <translation>Versionsinformation</translation>
    </message>
    <message>
        <source>Could not access version information - please check your internet connection</source>
        <translation>Die Versionsinformation ist nicht erreichbar - bitte die Internetverbindung prüfen</translation>
    </message>
    <message>
        <source>Error downloading version information</source>
        <translation>Fehler beim Herunterladen der Versionsinformation</translation>
    </message>
    <message>
        <source>Lumivane is up to date</source>
        <translation>Lumivane ist auf dem neuesten Stand</translation>
    </message>
    <message>
        <source>Another version available.

Current version -- %s

Latest downloadable version -- %s

Launch Download Page?</source>
        <translation>Eine andere Version ist verfügbar.

Aktuelle Version -- %s

Neueste herunterladbare Version -- %s

Download-Seite öffnen?</translation>
    </message>
    <message>
        <source>Check for Update</source>
        <translation>Nach Aktualisierung suchen</translation>
    </message>
    <message>
        <source>Cannot use the folder %s to keep one program running.
Later starts will open programs of their own.</source>
        <translation>Der Ordner %s kann nicht genutzt werden, um nur ein Programm laufen zu lassen.
Spätere Starts öffnen eigene Programme.</translation>
    </message>
    <message>
        <source>Cannot read the music file %s</source>
        <translation>Die Musikdatei %s kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>The music file %s holds no sound that can be played</source>
        <translation>Die Musikdatei %s enthält keinen abspielbaren Ton</translation>
    </message>
    <message>
        <source>Cannot decode the sound of the music file %s</source>
        <translation>Der Ton der Musikdatei %s kann nicht dekodiert werden</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>The video libraries on this machine have no %s encoder</source>
        <translation>Die Videobibliotheken auf diesem Rechner haben keinen %s-Encoder</translation>
    </message>
    <message>
        <source>The frame rate must be 24, 25, 30, 50 or 60 frames a second</source>
        <translation>Die Bildrate muss 24, 25, 30, 50 oder 60 Bilder pro Sekunde sein</translation>
    </message>
    <message>
        <source>The video size must be even numbers from %d x %d to %d x %d, such as 1920x1080</source>
        <translation>Die Videogröße muss aus geraden Zahlen von %d x %d bis %d x %d bestehen, etwa 1920x1080</translation>
    </message>
    <message>
        <source>The motion must be exact or smooth</source>
        <translation>Die Bewegung muss exact (genau) oder smooth (weich) sein</translation>
    </message>
    <message>
        <source>Name the video file to write</source>
        <translation>Bitte die zu schreibende Videodatei nennen</translation>
    </message>
    <message>
        <source>Cannot make a video named %s: the name must end in %s</source>
        <translation>Ein Video namens %s kann nicht erstellt werden: der Name muss auf %s enden</translation>
    </message>
    <message>
        <source>The quality (CRF) of a %s video must be from %d to %d</source>
        <translation>Die Qualität (CRF) eines %s-Videos muss zwischen %d und %d liegen</translation>
    </message>
    <message>
        <source>Slide Show</source>
        <translation>Diaschau</translation>
    </message>
    <message>
        <source>Cannot make the video %s: it is a folder</source>
        <translation>Das Video %s kann nicht erstellt werden: es ist ein Ordner</translation>
    </message>
    <message>
        <source>Cannot make the video %s: the folder %s does not exist</source>
        <translation>Das Video %s kann nicht erstellt werden: den Ordner %s gibt es nicht</translation>
    </message>
    <message>
        <source>The music file %s does not exist</source>
        <translation>Die Musikdatei %s gibt es nicht</translation>
    </message>
    <message>
        <source>Only one show is exported at a time: %s</source>
        <translation>Es wird nur eine Diaschau auf einmal exportiert: %s</translation>
    </message>
    <message>
        <source>%s needs a value</source>
        <translation>%s braucht einen Wert</translation>
    </message>
    <message>
        <source>The video size is width x height, such as 1920x1080, not %s</source>
        <translation>Die Videogröße ist Breite x Höhe, etwa 1920x1080, nicht %s</translation>
    </message>
    <message>
        <source>The quality (CRF) is a whole number, not %s</source>
        <translation>Die Qualität (CRF) ist eine ganze Zahl, nicht %s</translation>
    </message>
    <message>
        <source>Unknown option: %s</source>
        <translation>Unbekannte Option: %s</translation>
    </message>
    <message>
        <source>Name the show to export: lumivane --export SHOW -o VIDEO.mp4</source>
        <translation>Bitte die zu exportierende Diaschau nennen: lumivane --export DIASCHAU -o VIDEO.mp4</translation>
    </message>
    <message>
        <source>Name the video file to write with -o, such as -o show.mp4</source>
        <translation>Bitte die zu schreibende Videodatei mit -o nennen, etwa -o diaschau.mp4</translation>
    </message>
    <message>
        <source>The show has no slides to export</source>
        <translation>Die Diaschau hat keine Folien zum Exportieren</translation>
    </message>
    <message>
        <source>The show lasts more than %d hours, too long for a video</source>
        <translation>Die Diaschau dauert mehr als %d Stunden, zu lang für ein Video</translation>
    </message>
    <message>
        <source>Problem converting from monitor color space to sRGB</source>
        <translation>Problem beim Umwandeln vom Farbraum des Bildschirms in sRGB</translation>
    </message>
    <message>
        <source>%d %% (%d of %d frames), %s left</source>
        <translation>%d %% (%d von %d Bildern), noch %s</translation>
    </message>
    <message>
        <source>%d %% (%d of %d frames)</source>
        <translation>%d %% (%d von %d Bildern)</translation>
    </message>
    <message>
        <source>Cannot write the video file %s: %s</source>
        <translation>Die Videodatei %s kann nicht geschrieben werden: %s</translation>
    </message>
    <message>
        <source>Cannot move %s to its new folder. The program goes on using it where it is, and nothing is lost.</source>
        <translation>%s lässt sich nicht in seinen neuen Ordner verschieben. Das Programm verwendet es weiter am bisherigen Ort; nichts geht verloren.</translation>
    </message>
    <message>
        <source>The file %s is not a color profile of a monitor; the monitor profile stays as it was.</source>
        <translation>Die Datei %s ist kein Farbprofil eines Bildschirms; das Bildschirmprofil bleibt unverändert.</translation>
    </message>
    <message>
        <source>The display has no color profile of its own; pictures are shown in sRGB.</source>
        <translation>Der Desktop setzt kein Farbprofil für den Bildschirm; die Bilder werden in sRGB gezeigt.</translation>
    </message>
    <message>
        <source>The display&apos;s color profile cannot be used; pictures are shown in sRGB.</source>
        <translation>Das Farbprofil, das der Desktop setzt, ist nicht verwendbar; die Bilder werden in sRGB gezeigt.</translation>
    </message>
    <message>
        <source>Cannot use the monitor profile %s; pictures are shown in sRGB.</source>
        <translation>Das Bildschirmprofil %s ist nicht verwendbar; die Bilder werden in sRGB gezeigt.</translation>
    </message>
    <message>
        <source>There is no music to play</source>
        <translation>Es gibt keine Musik zum Abspielen</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>Try lumivane --help.</source>
        <translation>Mehr mit lumivane --help.</translation>
    </message>
    <message>
        <source>%1: %2 x %3, %4 frames (%5 s) in %6 s</source>
        <translation>%1: %2 x %3, %4 Bilder (%5 s) in %6 s</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>MP4 video, H.264 (*.mp4 *.m4v);;WebM video, VP9 (*.webm);;Matroska video, AV1 (*.mkv)</source>
        <translation>MP4-Video, H.264 (*.mp4 *.m4v);;WebM-Video, VP9 (*.webm);;Matroska-Video, AV1 (*.mkv)</translation>
    </message>
    <message>
        <source>Music (*.mp3 *.m4a *.aac *.ogg *.opus *.flac *.wav *.wma);;All files (*)</source>
        <translation>Musik (*.mp3 *.m4a *.aac *.ogg *.opus *.flac *.wav *.wma);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Export Video</source>
        <translation>Video exportieren</translation>
    </message>
    <message>
        <source>Video file:</source>
        <translation>Videodatei:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>%1 frames a second</source>
        <translation>%1 Bilder pro Sekunde</translation>
    </message>
    <message>
        <source>Frame rate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Quality (CRF):</source>
        <translation>Qualität (CRF):</translation>
    </message>
    <message>
        <source>Exact</source>
        <translation>Genau</translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation>Weich</translation>
    </message>
    <message>
        <source>Motion:</source>
        <translation>Bewegung:</translation>
    </message>
    <message>
        <source>Music:</source>
        <translation>Musik:</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>%1 to %2, lower is better; %3 for %4</source>
        <translation>%1 bis %2, kleiner ist besser; %3 für %4</translation>
    </message>
    <message>
        <source>Music for the video</source>
        <translation>Musik für das Video</translation>
    </message>
    <message>
        <source>the show&apos;s own music, if any</source>
        <translation>die eigene Musik der Schau, falls vorhanden</translation>
    </message>
</context>
<context>
    <name>ExportProgressWindow</name>
    <message>
        <source>Exporting Video</source>
        <translation>Video wird exportiert</translation>
    </message>
    <message>
        <source>Writing %1</source>
        <translation>%1 wird geschrieben</translation>
    </message>
    <message>
        <source>Counting the frames</source>
        <translation>Bilder werden gezählt</translation>
    </message>
    <message>
        <source>Stopping</source>
        <translation>Wird angehalten</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Lumivane Help</source>
        <translation>Lumivane-Hilfe</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Erste Schritte</translation>
    </message>
    <message>
        <source>The main window</source>
        <translation>Das Hauptfenster</translation>
    </message>
    <message>
        <source>Playing a show</source>
        <translation>Eine Diaschau abspielen</translation>
    </message>
    <message>
        <source>Slide properties</source>
        <translation>Eigenschaften der Folie</translation>
    </message>
    <message>
        <source>Key frames and paths</source>
        <translation>Schlüsselbilder und Pfade</translation>
    </message>
    <message>
        <source>Slide show properties</source>
        <translation>Eigenschaften der Diaschau</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Exporting a video</source>
        <translation>Ein Video exportieren</translation>
    </message>
    <message>
        <source>The index file</source>
        <translation>Die Indexdatei</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
</context>
<context>
    <name>MusicPlayer</name>
    <message>
        <source>There is no sound device: the show plays without its music</source>
        <translation>Es gibt kein Tonausgabegerät: die Schau läuft ohne ihre Musik</translation>
    </message>
</context>
<context>
    <name>MusicSection</name>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Fit slides to the music</source>
        <translation>Dias an die Musik anpassen</translation>
    </message>
    <message>
        <source>Snap slide changes to beats</source>
        <translation>Diawechsel auf Schläge legen</translation>
    </message>
    <message>
        <source>Volume: </source>
        <translation>Lautstärke: </translation>
    </message>
    <message>
        <source>Fade-out: </source>
        <translation>Ausblenden: </translation>
    </message>
    <message>
        <source>sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Add Music</source>
        <translation>Musik hinzufügen</translation>
    </message>
    <message>
        <source>No beats were found in the music</source>
        <translation>In der Musik wurden keine Schläge gefunden</translation>
    </message>
    <message>
        <source>The music is too short for the slides&apos; transitions</source>
        <translation>Die Musik ist zu kurz für die Übergänge der Dias</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Exact</source>
        <translation>Genau</translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation>Weich</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Date taken</source>
        <translation>Aufnahmedatum</translation>
    </message>
    <message>
        <source>Monitor Profile: </source>
        <translation>Bildschirmprofil: </translation>
    </message>
    <message>
        <source>Frame Rate: </source>
        <translation>Bildrate: </translation>
    </message>
    <message>
        <source>Motion: </source>
        <translation>Bewegung: </translation>
    </message>
    <message>
        <source>Caption: </source>
        <translation>Bildunterschrift: </translation>
    </message>
    <message>
        <source>sRGB</source>
        <translation>sRGB</translation>
    </message>
    <message>
        <source>Adobe RGB</source>
        <translation>Adobe RGB</translation>
    </message>
    <message>
        <source>DCI-P3</source>
        <translation>DCI-P3</translation>
    </message>
    <message>
        <source>60 fps</source>
        <translation>60 Bilder/s</translation>
    </message>
    <message>
        <source>50 fps</source>
        <translation>50 Bilder/s</translation>
    </message>
    <message>
        <source>Display profile</source>
        <translation>Profil des Desktops</translation>
    </message>
    <message>
        <source>Monitor Profile</source>
        <translation>Bildschirmprofil</translation>
    </message>
    <message>
        <source>Color profiles (*.icc *.icm *.ICC *.ICM);;All files (*)</source>
        <translation>Farbprofile (*.icc *.icm *.ICC *.ICM);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Profile file...</source>
        <translation>Profildatei...</translation>
    </message>
    <message>
        <source>Profile file: %1</source>
        <translation>Profildatei: %1</translation>
    </message>
    <message>
        <source>Primary</source>
        <translation>Hauptbildschirm</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Graphics processor</source>
        <translation>Grafikprozessor</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Prozessor</translation>
    </message>
    <message>
        <source>Drawing: </source>
        <translation>Zeichnen: </translation>
    </message>
    <message>
        <source>Screen: </source>
        <translation>Bildschirm: </translation>
    </message>
</context>
<context>
    <name>QtUserInterface</name>
    <message>
        <source>Slide Show Index File (*.ssi)</source>
        <translation>Indexdatei der Diaschau (*.ssi)</translation>
    </message>
    <message>
        <source>Pictures (*.tif *.tiff *.jpg *.jpeg *.png *.webp *.jxl *.heic *.heif *.avif)</source>
        <translation>Bilder (*.tif *.tiff *.jpg *.jpeg *.png *.webp *.jxl *.heic *.heif *.avif)</translation>
    </message>
    <message>
        <source>TIFF/JPEG (*.tif *.tiff *.jpg *.jpeg)</source>
        <translation>TIFF/JPEG (*.tif *.tiff *.jpg *.jpeg)</translation>
    </message>
</context>
<context>
    <name>ShowPropertiesDialog</name>
    <message>
        <source>Slide Show Properties</source>
        <translation>Eigenschaften der Diaschau</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Endlos wiederholen</translation>
    </message>
    <message>
        <source>Auto - Run on startup</source>
        <translation>Automatisch - beim Start abspielen</translation>
    </message>
    <message>
        <source>Auto - Don&apos;t run on startup</source>
        <translation>Automatisch - beim Start nicht abspielen</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Von Hand</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>None</source>
        <comment>captions</comment>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Small</source>
        <translation>Klein</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Zuschneiden</translation>
    </message>
    <message>
        <source>None</source>
        <comment>transition</comment>
        <translation>Kein</translation>
    </message>
    <message>
        <source>Fade to black</source>
        <translation>Schwarzblende</translation>
    </message>
    <message>
        <source>Crossfade</source>
        <translation>Überblendung</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>Vorhang</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Name: </translation>
    </message>
    <message>
        <source>Proportions: </source>
        <translation>Seitenverhältnis: </translation>
    </message>
    <message>
        <source>Mode: </source>
        <translation>Modus: </translation>
    </message>
    <message>
        <source>Speed: </source>
        <translation>Tempo: </translation>
    </message>
    <message>
        <source>Window Size: </source>
        <translation>Fenstergröße: </translation>
    </message>
    <message>
        <source>Captions: </source>
        <translation>Bildunterschriften: </translation>
    </message>
    <message>
        <source>Default Style: </source>
        <translation>Standardstil: </translation>
    </message>
    <message>
        <source>Default Delay: </source>
        <translation>Standarddauer: </translation>
    </message>
    <message>
        <source>sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Transition: </source>
        <translation>Übergang: </translation>
    </message>
    <message>
        <source>Transition Time: </source>
        <translation>Dauer des Übergangs: </translation>
    </message>
    <message>
        <source>Save as Default</source>
        <translation>Als Standard speichern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SlidePropertiesDialog</name>
    <message>
        <source>Slide Properties</source>
        <translation>Eigenschaften der Folie</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Delay: </source>
        <translation>Dauer: </translation>
    </message>
    <message>
        <source>sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Style: </source>
        <translation>Stil: </translation>
    </message>
    <message>
        <source>Caption: </source>
        <translation>Bildunterschrift: </translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Zuschneiden</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Previous Frame</source>
        <translation>Vorheriges Schlüsselbild</translation>
    </message>
    <message>
        <source>Next Frame</source>
        <translation>Nächstes Schlüsselbild</translation>
    </message>
    <message>
        <source>Insert new frame before current frame</source>
        <translation>Neues Schlüsselbild vor dem aktuellen einfügen</translation>
    </message>
    <message>
        <source>Insert new frame after current frame</source>
        <translation>Neues Schlüsselbild nach dem aktuellen einfügen</translation>
    </message>
    <message>
        <source>Delete current frame</source>
        <translation>Aktuelles Schlüsselbild löschen</translation>
    </message>
    <message>
        <source>Set crop box as large as possible</source>
        <translation>Zuschnittrahmen so groß wie möglich machen</translation>
    </message>
    <message>
        <source>Center crop box horizontally</source>
        <translation>Zuschnittrahmen waagerecht zentrieren</translation>
    </message>
    <message>
        <source>Center crop box vertically</source>
        <translation>Zuschnittrahmen senkrecht zentrieren</translation>
    </message>
    <message>
        <source>Constant Pan/Zoom Speed</source>
        <translation>Gleichmäßiges Tempo für Schwenk und Zoom</translation>
    </message>
    <message>
        <source>Nonlinear Pan/Zoom Speed</source>
        <translation>Ungleichmäßiges Tempo für Schwenk und Zoom</translation>
    </message>
</context>
<context>
    <name>StatusWindow</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>ThumbnailGrid</name>
    <message>
        <source>Slide %1: %2</source>
        <translation>Folie %1: %2</translation>
    </message>
    <message>
        <source>Current slide</source>
        <translation>Aktuelle Folie</translation>
    </message>
    <message>
        <source>Slides</source>
        <translation>Folien</translation>
    </message>
    <message>
        <source>Tool buttons</source>
        <translation>Werkzeugschaltflächen</translation>
    </message>
</context>
</TS>
