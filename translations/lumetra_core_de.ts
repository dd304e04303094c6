<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AlbumLibrary</name>
    <message>
        <source>Please enter folder name</source>
        <translation>Bitte geben Sie einen Ordnernamen ein</translation>
    </message>
    <message>
        <source>Name is illegal</source>
        <translation>Der Name ist ungültig</translation>
    </message>
    <message>
        <source>The folder name exist</source>
        <translation>Ein Ordner dieses Namens existiert bereits</translation>
    </message>
    <message>
        <source>The album could not be made. {}</source>
        <translation>Das Album konnte nicht angelegt werden. {}</translation>
    </message>
</context>
<context>
    <name>Calibration</name>
    <message>
        <source>The actual length is out of range for this line</source>
        <translation>Die tatsächliche Länge liegt für diese Linie außerhalb des gültigen Bereichs</translation>
    </message>
</context>
<context>
    <name>CalibrationInput</name>
    <message>
        <source>Name is illegal</source>
        <translation>Der Name ist ungültig</translation>
    </message>
    <message>
        <source>The name must not contain control characters</source>
        <translation>Der Name darf keine Steuerzeichen enthalten</translation>
    </message>
    <message>
        <source>Actual length is illegal</source>
        <translation>Die tatsächliche Länge ist ungültig</translation>
    </message>
    <message>
        <source>Actual Length is illegal</source>
        <translation>Die tatsächliche Länge ist ungültig</translation>
    </message>
</context>
<context>
    <name>CalibrationStore</name>
    <message>
        <source>The calibration list could not be read. It is kept as &quot;{}&quot;; a new list holds the calibration.</source>
        <translation>Die Kalibrierungsliste konnte nicht gelesen werden. Sie wird als „{}“ aufbewahrt; eine neue Liste enthält die Kalibrierung.</translation>
    </message>
</context>
<context>
    <name>CameraHost</name>
    <message>
        <source>{} is not a host name or address: &quot;{}&quot;</source>
        <translation>{} ist weder ein Rechnername noch eine Adresse: „{}“</translation>
    </message>
</context>
<context>
    <name>CameraProfiles</name>
    <message>
        <source>The camera profiles in {} cannot be read; saving a profile will replace them.</source>
        <translation>Die Kameraprofile in {} können nicht gelesen werden; das Speichern eines Profils ersetzt sie.</translation>
    </message>
    <message>
        <source>The camera profiles in {} cannot be read; the file was kept as {} and the profiles start afresh.</source>
        <translation>Die Kameraprofile in {} können nicht gelesen werden; die Datei wurde als {} beiseitegelegt, und die Profile beginnen neu.</translation>
    </message>
</context>
<context>
    <name>CountMarks</name>
    <message>
        <source>Class {}</source>
        <translation>Klasse {}</translation>
    </message>
</context>
<context>
    <name>MeasureTool</name>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Continuous line</source>
        <translation>Polylinie</translation>
    </message>
    <message>
        <source>Continuous line (Ctrl + Click ends it)</source>
        <translation>Polylinie (Strg + Klick beendet sie)</translation>
    </message>
    <message>
        <source>Point to line</source>
        <translation>Punkt-Linie-Abstand</translation>
    </message>
    <message>
        <source>Distance of a point from a line</source>
        <translation>Abstand eines Punktes von einer Linie</translation>
    </message>
    <message>
        <source>Circle (radius)</source>
        <translation>Kreis (Radius)</translation>
    </message>
    <message>
        <source>Circle by centre and radius</source>
        <translation>Kreis über Mittelpunkt und Radius</translation>
    </message>
    <message>
        <source>Circle (diameter)</source>
        <translation>Kreis (Durchmesser)</translation>
    </message>
    <message>
        <source>Circle by diameter</source>
        <translation>Kreis über den Durchmesser</translation>
    </message>
    <message>
        <source>Circle (3 points)</source>
        <translation>Kreis (3 Punkte)</translation>
    </message>
    <message>
        <source>Circle through three points</source>
        <translation>Kreis durch drei Punkte</translation>
    </message>
    <message>
        <source>Angle (3 points)</source>
        <translation>Winkel (3 Punkte)</translation>
    </message>
    <message>
        <source>Angle by three points</source>
        <translation>Winkel über drei Punkte</translation>
    </message>
    <message>
        <source>Angle (4 points)</source>
        <translation>Winkel (4 Punkte)</translation>
    </message>
    <message>
        <source>Angle between two lines</source>
        <translation>Winkel zwischen zwei Linien</translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation>Polygon</translation>
    </message>
    <message>
        <source>Polygon area (Ctrl + Click ends it)</source>
        <translation>Polygonfläche (Strg + Klick beendet sie)</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Zählen</translation>
    </message>
    <message>
        <source>Count (keys 1-9 choose the class; a click on a mark removes it)</source>
        <translation>Zählen (die Tasten 1-9 wählen die Klasse; ein Klick auf eine Marke entfernt sie)</translation>
    </message>
</context>
<context>
    <name>MediaList</name>
    <message>
        <source>&quot;{}&quot; is not a plain file</source>
        <translation>„{}“ ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>&quot;{}&quot; is a link or not a folder, and nothing is deleted through it</source>
        <translation>„{}“ ist ein symbolischer Link oder kein Ordner; darüber wird nichts gelöscht</translation>
    </message>
    <message>
        <source>&quot;{}&quot;: {}</source>
        <translation>„{}“: {}</translation>
    </message>
    <message>
        <source>the folder is missing</source>
        <translation>der Ordner fehlt</translation>
    </message>
    <message>
        <source>1 file could not be deleted: {}</source>
        <translation>1 Datei konnte nicht gelöscht werden: {}</translation>
    </message>
    <message>
        <source>{} files could not be deleted: {}</source>
        <translation>{} Dateien konnten nicht gelöscht werden: {}</translation>
    </message>
    <message>
        <source>The album folder &quot;{}&quot; cannot be read: {}</source>
        <translation>Der Albumordner &quot;{}&quot; kann nicht gelesen werden: {}</translation>
    </message>
</context>
<context>
    <name>Recording</name>
    <message>
        <source>The picture size {} x {} cannot be recorded.</source>
        <translation>Die Bildgröße {} x {} kann nicht aufgenommen werden.</translation>
    </message>
    <message>
        <source>The H.264 encoder (libx264) is not available.</source>
        <translation>Der H.264-Encoder (libx264) ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>Out of memory for the encoder.</source>
        <translation>Zu wenig Arbeitsspeicher für den Encoder.</translation>
    </message>
    <message>
        <source>The H.264 encoder cannot start: {}</source>
        <translation>Der H.264-Encoder kann nicht starten: {}</translation>
    </message>
    <message>
        <source>Out of memory for the encoder: {}</source>
        <translation>Zu wenig Arbeitsspeicher für den Encoder: {}</translation>
    </message>
    <message>
        <source>Out of memory for the MP4 writer.</source>
        <translation>Zu wenig Arbeitsspeicher zum Schreiben der MP4-Datei.</translation>
    </message>
    <message>
        <source>The MP4 writer is not available.</source>
        <translation>Das Schreiben von MP4-Dateien ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>The recording stopped: cannot write {}: {}</source>
        <translation>Die Aufnahme wurde beendet: {} kann nicht geschrieben werden: {}</translation>
    </message>
    <message>
        <source>Cannot create {}: {}</source>
        <translation>{} kann nicht angelegt werden: {}</translation>
    </message>
    <message>
        <source>Cannot write {}: the file is closed.</source>
        <translation>{} kann nicht geschrieben werden: Die Datei ist geschlossen.</translation>
    </message>
    <message>
        <source>The camera delivers no picture, so there is nothing to record.</source>
        <translation>Die Kamera liefert kein Bild, daher gibt es nichts aufzunehmen.</translation>
    </message>
    <message>
        <source>Cannot create a recording in {}: {}</source>
        <translation>In {} kann keine Aufnahme angelegt werden: {}</translation>
    </message>
    <message>
        <source>every name is taken.</source>
        <translation>Alle Namen sind vergeben.</translation>
    </message>
    <message>
        <source>Could not write {}: the picture cannot be encoded.</source>
        <translation>{} konnte nicht geschrieben werden: Das Bild lässt sich nicht kodieren.</translation>
    </message>
    <message>
        <source>None of the time-lapse&apos;s pictures could be read, so there is no movie.</source>
        <translation>Keines der Bilder des Zeitraffers konnte gelesen werden, daher gibt es keinen Film.</translation>
    </message>
    <message>
        <source>No picture arrived from the camera, so nothing was recorded.</source>
        <translation>Von der Kamera kam kein Bild, daher wurde nichts aufgenommen.</translation>
    </message>
    <message>
        <source>The recording stopped: out of memory.</source>
        <translation>Die Aufnahme wurde beendet: zu wenig Arbeitsspeicher.</translation>
    </message>
    <message>
        <source>The camera&apos;s pictures could not be decoded or converted, so nothing was recorded.</source>
        <translation>Die Bilder der Kamera konnten nicht dekodiert oder umgewandelt werden, daher wurde nichts aufgenommen.</translation>
    </message>
    <message>
        <source>Could not write {}: the picture could not be decoded at its full size.</source>
        <translation>{} konnte nicht geschrieben werden: Das Bild ließ sich nicht in voller Größe dekodieren.</translation>
    </message>
</context>
<context>
    <name>ResultsTable</name>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Radius</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>Diameter</source>
        <translation>Durchmesser</translation>
    </message>
    <message>
        <source>Circumference</source>
        <translation>Umfang</translation>
    </message>
    <message>
        <source>Area</source>
        <translation>Fläche</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>Winkel</translation>
    </message>
    <message>
        <source>Tool</source>
        <translation>Werkzeug</translation>
    </message>
    <message>
        <source>Uncertainty</source>
        <translation>Unsicherheit</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Klasse</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Type {}</source>
        <translation>Typ {}</translation>
    </message>
</context>
<context>
    <name>ScaleSearch</name>
    <message>
        <source>There is no picture to search</source>
        <translation>Es gibt kein Bild, das durchsucht werden kann</translation>
    </message>
    <message>
        <source>The line runs outside the picture</source>
        <translation>Die Linie verläuft außerhalb des Bildes</translation>
    </message>
    <message>
        <source>The line is too short to cross five ticks</source>
        <translation>Die Linie ist zu kurz, um fünf Teilstriche zu kreuzen</translation>
    </message>
    <message>
        <source>The picture is even along the line: it crosses no ticks</source>
        <translation>Das Bild ist entlang der Linie gleichförmig; sie kreuzt keine Teilstriche</translation>
    </message>
    <message>
        <source>The line crosses no evenly spaced ticks</source>
        <translation>Die Linie kreuzt keine gleichmäßig verteilten Teilstriche</translation>
    </message>
    <message>
        <source>Fewer than five ticks were found along the line</source>
        <translation>Entlang der Linie wurden weniger als fünf Teilstriche gefunden</translation>
    </message>
    <message>
        <source>The ticks along the line are not evenly spaced</source>
        <translation>Die Teilstriche entlang der Linie sind nicht gleichmäßig verteilt</translation>
    </message>
</context>
<context>
    <name>SnapButton</name>
    <message>
        <source>Turn snapshot off (wifi camera)</source>
        <translation>Schnappschuss ausschalten (WiFi-Kamera)</translation>
    </message>
    <message>
        <source>Turn snapshot on (wifi camera)</source>
        <translation>Schnappschuss einschalten (WiFi-Kamera)</translation>
    </message>
</context>
<context>
    <name>SnapshotReopening</name>
    <message>
        <source>The measurements kept with the picture in &quot;{}&quot; cannot be read; it opens without them.</source>
        <translation>Die mit dem Bild in &quot;{}&quot; gespeicherten Messungen können nicht gelesen werden; es wird ohne sie geöffnet.</translation>
    </message>
</context>
<context>
    <name>StepHint</name>
    <message>
        <source>Click the first line&apos;s first end</source>
        <translation>Klicken Sie auf das erste Ende der ersten Linie</translation>
    </message>
    <message>
        <source>Click the first line&apos;s second end</source>
        <translation>Klicken Sie auf das zweite Ende der ersten Linie</translation>
    </message>
    <message>
        <source>Click the second line&apos;s first end</source>
        <translation>Klicken Sie auf das erste Ende der zweiten Linie</translation>
    </message>
    <message>
        <source>Click the second line&apos;s second end</source>
        <translation>Klicken Sie auf das zweite Ende der zweiten Linie</translation>
    </message>
    <message>
        <source>Click the first arm&apos;s end</source>
        <translation>Klicken Sie auf das Ende des ersten Schenkels</translation>
    </message>
    <message>
        <source>Click the second arm&apos;s end</source>
        <translation>Klicken Sie auf das Ende des zweiten Schenkels</translation>
    </message>
    <message>
        <source>Click the vertex</source>
        <translation>Klicken Sie auf den Scheitelpunkt</translation>
    </message>
    <message>
        <source>Click a first point on the circle</source>
        <translation>Klicken Sie auf einen ersten Punkt des Kreises</translation>
    </message>
    <message>
        <source>Click a second point on the circle</source>
        <translation>Klicken Sie auf einen zweiten Punkt des Kreises</translation>
    </message>
    <message>
        <source>Click a third point on the circle</source>
        <translation>Klicken Sie auf einen dritten Punkt des Kreises</translation>
    </message>
    <message>
        <source>Counting {}: click to mark, keys 1-9 choose the class, a click on a mark removes it</source>
        <translation>Zählen ({}): Klicken Sie zum Markieren, die Tasten 1-9 wählen die Klasse, ein Klick auf eine Marke entfernt sie</translation>
    </message>
    <message>
        <source>Calibration: click the first end of the reference line</source>
        <translation>Kalibrierung: Klicken Sie auf das erste Ende der Referenzlinie</translation>
    </message>
    <message>
        <source>Click the first end</source>
        <translation>Klicken Sie auf das erste Ende</translation>
    </message>
    <message>
        <source>Calibration: click the second end of the reference line</source>
        <translation>Kalibrierung: Klicken Sie auf das zweite Ende der Referenzlinie</translation>
    </message>
    <message>
        <source>Click the second end</source>
        <translation>Klicken Sie auf das zweite Ende</translation>
    </message>
    <message>
        <source>Click the first point of the line</source>
        <translation>Klicken Sie auf den ersten Punkt der Linie</translation>
    </message>
    <message>
        <source>Click the second point of the line</source>
        <translation>Klicken Sie auf den zweiten Punkt der Linie</translation>
    </message>
    <message>
        <source>Click the point</source>
        <translation>Klicken Sie auf den Punkt</translation>
    </message>
    <message>
        <source>Click to place the text</source>
        <translation>Klicken Sie, um den Text zu platzieren</translation>
    </message>
    <message>
        <source>Choose the text tool again to type a label</source>
        <translation>Wählen Sie das Textwerkzeug erneut, um eine Beschriftung einzugeben</translation>
    </message>
    <message>
        <source>Type the label text, then click the picture</source>
        <translation>Geben Sie den Beschriftungstext ein und klicken Sie dann ins Bild</translation>
    </message>
    <message>
        <source>Click to place the label</source>
        <translation>Klicken Sie, um die Beschriftung zu platzieren</translation>
    </message>
    <message>
        <source>Click the centre</source>
        <translation>Klicken Sie auf den Mittelpunkt</translation>
    </message>
    <message>
        <source>Click one end of a diameter</source>
        <translation>Klicken Sie auf ein Ende eines Durchmessers</translation>
    </message>
    <message>
        <source>Click a point on the circle</source>
        <translation>Klicken Sie auf einen Punkt des Kreises</translation>
    </message>
    <message>
        <source>Click the other end</source>
        <translation>Klicken Sie auf das andere Ende</translation>
    </message>
    <message>
        <source>Click the first point</source>
        <translation>Klicken Sie auf den ersten Punkt</translation>
    </message>
    <message>
        <source>Click the ninth and last point</source>
        <translation>Klicken Sie auf den neunten und letzten Punkt</translation>
    </message>
    <message>
        <source>Click the next point, Ctrl + Click to end</source>
        <translation>Klicken Sie auf den nächsten Punkt; Strg + Klick beendet</translation>
    </message>
</context>
<context>
    <name>TextField</name>
    <message>
        <source>Please enter text</source>
        <translation>Bitte geben Sie einen Text ein</translation>
    </message>
</context>
<context>
    <name>UsbCamera</name>
    <message>
        <source>deliver a picture</source>
        <translation>Liefern eines Bildes</translation>
    </message>
    <message>
        <source>open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>{} offers no picture format this program can show.</source>
        <translation>{} bietet kein Bildformat an, das dieses Programm anzeigen kann.</translation>
    </message>
    <message>
        <source>No USB microscope format to choose.</source>
        <translation>Es gibt kein Format des USB-Mikroskops zur Auswahl.</translation>
    </message>
    <message>
        <source>set its picture format</source>
        <translation>Setzen seines Bildformats</translation>
    </message>
    <message>
        <source>{} answered with a picture format this program cannot show.</source>
        <translation>{} hat mit einem Bildformat geantwortet, das dieses Programm nicht anzeigen kann.</translation>
    </message>
    <message>
        <source>set its frame rate</source>
        <translation>Setzen seiner Bildrate</translation>
    </message>
    <message>
        <source>start streaming</source>
        <translation>Starten der Übertragung</translation>
    </message>
    <message>
        <source>Please connect USB Microscope</source>
        <translation>Bitte schließen Sie das USB-Mikroskop an</translation>
    </message>
    <message>
        <source>Permission denied for {}. Add your user to the &quot;video&quot; group (sudo usermod -aG video $USER), then log out and in again.</source>
        <translation>Zugriff auf {} verweigert. Fügen Sie Ihren Benutzer der Gruppe „video“ hinzu (sudo usermod -aG video $USER), melden Sie sich dann ab und wieder an.</translation>
    </message>
    <message>
        <source>{} is in use by another program. Close that program and connect again.</source>
        <translation>{} wird von einem anderen Programm verwendet. Schließen Sie dieses Programm und verbinden Sie erneut.</translation>
    </message>
    <message>
        <source>The USB microscope ({}) was unplugged. Plug it in again and connect.</source>
        <translation>Das USB-Mikroskop ({}) wurde abgezogen. Stecken Sie es wieder ein und verbinden Sie es erneut.</translation>
    </message>
    <message>
        <source>The USB microscope ({}) stopped delivering pictures. Unplug it, plug it in again and connect.</source>
        <translation>Das USB-Mikroskop ({}) liefert keine Bilder mehr. Ziehen Sie es ab, stecken Sie es wieder ein und verbinden Sie es erneut.</translation>
    </message>
    <message>
        <source>{} does not exist any more.</source>
        <translation>{} existiert nicht mehr.</translation>
    </message>
    <message>
        <source>The USB microscope ({}) failed to {}: {}.</source>
        <translation>Das USB-Mikroskop ({}) scheiterte beim {}: {}.</translation>
    </message>
</context>
<context>
    <name>WiFiCamera</name>
    <message>
        <source>Please connect WiFi Microscope</source>
        <translation>Bitte verbinden Sie das WiFi-Mikroskop</translation>
    </message>
    <message>
        <source>The microscope stopped sending pictures. Press WiFi to connect again.</source>
        <translation>Das Mikroskop sendet keine Bilder mehr. Klicken Sie auf „WiFi“, um erneut zu verbinden.</translation>
    </message>
    <message>
        <source>an unknown error</source>
        <translation>ein unbekannter Fehler</translation>
    </message>
    <message>
        <source>The microscope did not take the change; the control shows its setting again.</source>
        <translation>Das Mikroskop hat die Änderung nicht übernommen; das Bedienelement zeigt wieder seine Einstellung.</translation>
    </message>
    <message>
        <source>Connecting to the WiFi microscope failed: {}</source>
        <translation>Die Verbindung zum WiFi-Mikroskop ist fehlgeschlagen: {}</translation>
    </message>
    <message>
        <source>The microscope did not answer the change; it may not have taken it.</source>
        <translation>Das Mikroskop hat auf die Änderung nicht geantwortet; möglicherweise hat es sie nicht übernommen.</translation>
    </message>
</context>
<context>
    <name>WriteResult</name>
    <message>
        <source>Could not write &quot;{}&quot;: {}</source>
        <translation>„{}“ konnte nicht geschrieben werden: {}</translation>
    </message>
</context>
</TS>
