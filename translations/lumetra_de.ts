<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AlertPresenter</name>
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
    <name>FindScaleCommand</name>
    <message>
        <source>cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a JPEG picture that can be decoded</source>
        <translation>„%1“ ist kein dekodierbares JPEG-Bild</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is larger than %2 pixels on a side</source>
        <translation>„%1“ ist an einer Seite größer als %2 Pixel</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read: %2</source>
        <translation>„%1“ lässt sich nicht lesen: %2</translation>
    </message>
</context>
<context>
    <name>LaunchOptions</name>
    <message>
        <source>port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Start a simulated WiFi microscope on 127.0.0.1 and show its live picture.</source>
        <translation>Ein simuliertes WiFi-Mikroskop auf 127.0.0.1 starten und sein Live-Bild zeigen.</translation>
    </message>
    <message>
        <source>Address of the WiFi microscope (default %1; the environment variable %2 sets it too).</source>
        <translation>Adresse des WiFi-Mikroskops (Vorgabe %1; die Umgebungsvariable %2 setzt sie ebenfalls).</translation>
    </message>
    <message>
        <source>host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Video device the USB button opens, by node path (/dev/video2) or part of its identifier (its USB vendor and product ids as eight hex digits), for a microscope that is not recognised.</source>
        <translation>Videogerät, das die Schaltfläche USB öffnet, als Gerätepfad (/dev/video2) oder Teil seiner Kennung (USB-Hersteller- und Produktkennung als acht Hexadezimalziffern), für ein nicht erkanntes Mikroskop.</translation>
    </message>
    <message>
        <source>device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>The WiFi microscope&apos;s control port (default %1).</source>
        <translation>Steuer-Port des WiFi-Mikroskops (Vorgabe %1).</translation>
    </message>
    <message>
        <source>The WiFi microscope&apos;s picture stream port (default %1).</source>
        <translation>Bildstrom-Port des WiFi-Mikroskops (Vorgabe %1).</translation>
    </message>
    <message>
        <source>Save a picture of the window to &lt;file&gt; and quit.</source>
        <translation>Ein Bild des Fensters in &lt;Datei&gt; speichern und beenden.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Take a snapshot every &lt;seconds&gt; (0.1 or more) into the current album, each with its sidecar.</source>
        <translation>Alle &lt;Sekunden&gt; (0.1 oder mehr) einen Schnappschuss in das aktuelle Album aufnehmen, jeden mit seiner Begleitdatei.</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>End the time-lapse after &lt;n&gt; snapshots.</source>
        <translation>Den Zeitraffer nach &lt;n&gt; Schnappschüssen beenden.</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>Quit when the time-lapse is over: status 0 when every snapshot was taken, else 1 with the reason.</source>
        <translation>Beenden, wenn der Zeitraffer vorüber ist: Rückgabewert 0, wenn jeder Schnappschuss aufgenommen wurde, sonst 1 mit dem Grund.</translation>
    </message>
    <message>
        <source>Find the period of a stage micrometer&apos;s ticks along the line from X1,Y1 to X2,Y2 (pixels) of the JPEG or PNG picture given after the option, print &quot;period_px=P sigma_px=S ticks=N&quot; and quit, without a window.</source>
        <translation>Den Abstand der Teilstriche eines Objektmikrometers entlang der Linie von X1,Y1 nach X2,Y2 (Pixel) im JPEG- oder PNG-Bild nach der Option ermitteln, „period_px=P sigma_px=S ticks=N“ ausgeben und beenden, ohne Fenster.</translation>
    </message>
    <message>
        <source>Live measurement on digital microscopes</source>
        <translation>Live-Messung an digitalen Mikroskopen</translation>
    </message>
    <message>
        <source>picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>A picture file (JPEG, PNG, ...) to measure on instead of a camera (of several, the first), or the one --find-scale searches.</source>
        <translation>Eine Bilddatei (JPEG, PNG, ...), in der statt im Kamerabild gemessen wird (von mehreren die erste), oder die, die --find-scale durchsucht.</translation>
    </message>
    <message>
        <source>[picture...]</source>
        <translation>[Bild...]</translation>
    </message>
    <message>
        <source>--usb-device: names no device</source>
        <translation>--usb-device: nennt kein Gerät</translation>
    </message>
    <message>
        <source>--find-scale: not four numbers X1,Y1,X2,Y2: &quot;%1&quot;</source>
        <translation>--find-scale: nicht vier Zahlen X1,Y1,X2,Y2: „%1“</translation>
    </message>
    <message>
        <source>--find-scale: needs one picture after the line</source>
        <translation>--find-scale: benötigt ein Bild nach der Linie</translation>
    </message>
    <message>
        <source>--camera-host: not a host name or address: &quot;%1&quot;</source>
        <translation>--camera-host: weder Rechnername noch Adresse: „%1“</translation>
    </message>
    <message>
        <source>--count and --quit-when-done go with --time-lapse</source>
        <translation>--count und --quit-when-done gehören zu --time-lapse</translation>
    </message>
    <message>
        <source>--time-lapse: not a number of seconds from 0.1: &quot;%1&quot;</source>
        <translation>--time-lapse: keine Sekundenzahl ab 0.1: „%1“</translation>
    </message>
    <message>
        <source>--count: not a number of snapshots from 1: &quot;%1&quot;</source>
        <translation>--count: keine Anzahl von Schnappschüssen ab 1: „%1“</translation>
    </message>
    <message>
        <source>--quit-when-done needs --count</source>
        <translation>--quit-when-done benötigt --count</translation>
    </message>
    <message>
        <source>--time-lapse needs a camera: --demo, --camera-host or --usb-device</source>
        <translation>--time-lapse benötigt eine Kamera: --demo, --camera-host oder --usb-device</translation>
    </message>
    <message>
        <source>--%1: not a port from 1 to 65535: &quot;%2&quot;</source>
        <translation>--%1: kein Port von 1 bis 65535: „%2“</translation>
    </message>
</context>
<context>
    <name>MainWindowUi</name>
    <message>
        <source>Microscope measurement</source>
        <translation>Messen am Mikroskop</translation>
    </message>
    <message>
        <source>SHORTCUTS</source>
        <translation>TASTEN</translation>
    </message>
    <message>
        <source>Ctrl + Click</source>
        <translation>Strg + Klick</translation>
    </message>
    <message>
        <source>end figure</source>
        <translation>Form beenden</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>cancel shape</source>
        <translation>Form abbrechen</translation>
    </message>
    <message>
        <source>Ctrl + Z</source>
        <translation>Strg + Z</translation>
    </message>
    <message>
        <source>undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Ctrl + Shift + Z</source>
        <translation>Strg + ⇧ + Z</translation>
    </message>
    <message>
        <source>redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Entf</translation>
    </message>
    <message>
        <source>remove chosen</source>
        <translation>Gewählte löschen</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>freeze picture</source>
        <translation>Standbild</translation>
    </message>
    <message>
        <source>Wheel</source>
        <translation>Mausrad</translation>
    </message>
    <message>
        <source>zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>whole picture</source>
        <translation>Ganzes Bild</translation>
    </message>
    <message>
        <source>count class</source>
        <translation>Zählklasse</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>the file is larger than %1 MiB</source>
        <translation>die Datei ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels, more than %3 on a side</source>
        <translation>das Bild hat %1 x %2 Pixel, an einer Seite mehr als %3</translation>
    </message>
    <message>
        <source>the picture is damaged or incomplete</source>
        <translation>das Bild ist beschädigt oder unvollständig</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>es ist keine Datei</translation>
    </message>
    <message>
        <source>it may not be read</source>
        <translation>keine Berechtigung zum Lesen</translation>
    </message>
    <message>
        <source>it is not a picture (JPEG, PNG, ...)</source>
        <translation>es ist kein Bild (JPEG, PNG, ...)</translation>
    </message>
    <message>
        <source>the picture is more than %1 pixels on a side</source>
        <translation>das Bild ist an einer Seite größer als %1 Pixel</translation>
    </message>
    <message>
        <source>there is not enough memory for it</source>
        <translation>dafür reicht der Arbeitsspeicher nicht</translation>
    </message>
</context>
<context>
    <name>StderrAlerts</name>
    <message>
        <source>%1 %2 (not confirmed)</source>
        <translation>%1 %2 (nicht bestätigt)</translation>
    </message>
</context>
<context>
    <name>ViewDrawing</name>
    <message>
        <source>No microscope connected</source>
        <translation>Kein Mikroskop verbunden</translation>
    </message>
    <message>
        <source>Connect a USB or WiFi microscope to see the live picture</source>
        <translation>Verbinden Sie ein USB- oder WiFi-Mikroskop, um das Live-Bild zu sehen</translation>
    </message>
    <message>
        <source>FROZEN</source>
        <translation>STANDBILD</translation>
    </message>
</context>
<context>
    <name>ViewSnapshot</name>
    <message>
        <source>The picture was saved to %1, its measurements were not. %2</source>
        <translation>Das Bild wurde unter %1 gespeichert, seine Messungen nicht. %2</translation>
    </message>
    <message>
        <source>The picture was saved to %1, its copy was not. %2</source>
        <translation>Das Bild wurde unter %1 gespeichert, seine Kopie nicht. %2</translation>
    </message>
</context>
<context>
    <name>lumetra::AlbumPages</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Messen</translation>
    </message>
    <message>
        <source>Save Image…</source>
        <translation>Bild speichern…</translation>
    </message>
    <message>
        <source>Save Video…</source>
        <translation>Video speichern…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>No application on this computer opens &quot;%1&quot;.</source>
        <translation>Auf diesem Rechner gibt es kein Programm, das „%1“ öffnet.</translation>
    </message>
    <message>
        <source>Show it in its folder?</source>
        <translation>Im Ordner anzeigen?</translation>
    </message>
    <message>
        <source>No file manager opened the folder. It is %1</source>
        <translation>Kein Dateimanager hat den Ordner geöffnet. Er liegt unter %1</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>Save Video</source>
        <translation>Video speichern</translation>
    </message>
    <message>
        <source>JPEG picture (*.jpg)</source>
        <translation>JPEG-Bild (*.jpg)</translation>
    </message>
    <message>
        <source>MP4 movie (*.mp4)</source>
        <translation>MP4-Film (*.mp4)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists. Choose another name.</source>
        <translation>„%1“ existiert bereits. Wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>Are you sure delete the file?</source>
        <translation>Möchten Sie die Datei wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure delete all files?</source>
        <translation>Möchten Sie wirklich alle Dateien löschen?</translation>
    </message>
</context>
<context>
    <name>lumetra::AlbumPanel</name>
    <message>
        <source>No %1 in this album</source>
        <translation>Keine %1</translation>
    </message>
    <message>
        <source>ALBUM</source>
        <translation>ALBUM</translation>
    </message>
    <message>
        <source>Albums</source>
        <translation>Alben</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>Videos</source>
        <translation>Videos</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>snapshot</source>
        <translation>Schnappschuss</translation>
    </message>
    <message>
        <source>snapshots</source>
        <translation>Schnappschüsse</translation>
    </message>
    <message>
        <source>recording</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>recordings</source>
        <translation>Aufnahmen</translation>
    </message>
    <message>
        <source>The album that snapshots and recordings go to</source>
        <translation>Das Album, in das Schnappschüsse und Aufnahmen kommen</translation>
    </message>
    <message>
        <source>The album&apos;s snapshots</source>
        <translation>Die Schnappschüsse des Albums</translation>
    </message>
    <message>
        <source>The album&apos;s recordings</source>
        <translation>Die Aufnahmen des Albums</translation>
    </message>
</context>
<context>
    <name>lumetra::CalibrationPanel</name>
    <message>
        <source>CALIBRATION</source>
        <translation>KALIBRIERUNG</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Kalibrierung</translation>
    </message>
    <message>
        <source>Not calibrated</source>
        <translation>Nicht kalibriert</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>New Calibration</source>
        <translation>Neue Kalibrierung</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Clear Calibration</source>
        <translation>Alle Kalibrierungen löschen</translation>
    </message>
    <message>
        <source>Delete Calibration</source>
        <translation>Kalibrierung löschen</translation>
    </message>
    <message>
        <source>The calibration list &quot;%1&quot; cannot be read, so no calibration is listed. It is kept as it is until a new calibration is stored, then kept beside the new list.</source>
        <translation>Die Kalibrierungsliste „%1“ lässt sich nicht lesen, daher wird keine Kalibrierung aufgeführt. Sie bleibt unverändert, bis eine neue Kalibrierung gespeichert wird, und wird dann neben der neuen Liste aufbewahrt.</translation>
    </message>
    <message>
        <source>No calibration is stored; the current one will be forgotten.</source>
        <translation>Es ist keine Kalibrierung gespeichert; die aktuelle wird verworfen.</translation>
    </message>
    <message>
        <source>All 1 stored calibration will be deleted. This cannot be undone.</source>
        <translation>Die eine gespeicherte Kalibrierung wird gelöscht. Dies lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>All %1 stored calibrations will be deleted. This cannot be undone.</source>
        <translation>Alle %1 gespeicherten Kalibrierungen werden gelöscht. Dies lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>Choose the calibration to delete in the list first.</source>
        <translation>Wählen Sie zuerst die zu löschende Kalibrierung in der Liste.</translation>
    </message>
    <message>
        <source>The calibration &quot;%1&quot; will be deleted. This cannot be undone.</source>
        <translation>Die Kalibrierung „%1“ wird gelöscht. Dies lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>The calibration &quot;%1&quot; is used now but was not stored. %2</source>
        <translation>Die Kalibrierung „%1“ gilt jetzt, wurde aber nicht gespeichert. %2</translation>
    </message>
    <message>
        <source>Lengths need a calibration</source>
        <translation>Längen erfordern eine Kalibrierung</translation>
    </message>
    <message>
        <source>%1: 1 %2 = %3 %4 at this magnification</source>
        <translation>%1: 1 %2 = %3 %4 bei dieser Vergrößerung</translation>
    </message>
    <message>
        <source>camera pixels</source>
        <translation>Kamerapixel</translation>
    </message>
    <message>
        <source>view units</source>
        <translation>Ansichtseinheiten</translation>
    </message>
    <message>
        <source>The calibration that lengths are measured in</source>
        <translation>Die Kalibrierung, in der Längen gemessen werden</translation>
    </message>
</context>
<context>
    <name>lumetra::CameraPanel</name>
    <message>
        <source>Connect the USB microscope</source>
        <translation>USB-Mikroskop verbinden</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>Connect the WiFi microscope</source>
        <translation>WiFi-Mikroskop verbinden</translation>
    </message>
    <message>
        <source>WiFi</source>
        <translation>WiFi</translation>
    </message>
    <message>
        <source>Open a picture to measure on it (Ctrl+O)</source>
        <translation>Ein Bild öffnen, um darin zu messen (Strg+O)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>CAMERA</source>
        <translation>KAMERA</translation>
    </message>
    <message>
        <source>Take snapshots with the camera&apos;s own button</source>
        <translation>Schnappschüsse mit der Taste an der Kamera aufnehmen</translation>
    </message>
    <message>
        <source>%1 microscope</source>
        <translation>%1-Mikroskop</translation>
    </message>
    <message>
        <source>%1 resolution</source>
        <translation>%1-Auflösung</translation>
    </message>
    <message>
        <source>%1 frame rate</source>
        <translation>%1-Bildrate</translation>
    </message>
    <message>
        <source>PICTURE</source>
        <translation>BILD</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Set every picture adjustment back to its default</source>
        <translation>Alle Bildeinstellungen auf ihre Vorgabe zurücksetzen</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Schärfe</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>%1 microscope disconnected</source>
        <translation>%1-Mikroskop getrennt</translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation>Keine Kamera verbunden</translation>
    </message>
    <message>
        <source>An adjustment of the microscope&apos;s picture; Reset sets every one back</source>
        <translation>Eine Einstellung des Mikroskopbilds; Standard setzt alle zurück</translation>
    </message>
    <message>
        <source>The microscope whose picture shows</source>
        <translation>Das Mikroskop, dessen Bild angezeigt wird</translation>
    </message>
    <message>
        <source>The size of the pictures the microscope sends</source>
        <translation>Die Größe der Bilder, die das Mikroskop sendet</translation>
    </message>
    <message>
        <source>How many pictures a second the microscope sends</source>
        <translation>Wie viele Bilder pro Sekunde das Mikroskop sendet</translation>
    </message>
</context>
<context>
    <name>lumetra::CameraProfilePanel</name>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Camera profile</source>
        <translation>Kameraprofil</translation>
    </message>
    <message>
        <source>Camera profiles</source>
        <translation>Kameraprofile</translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation>Profilname</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Keep this camera&apos;s adjustments, resolution and frame rate under the name typed</source>
        <translation>Bildeinstellungen, Auflösung und Bildrate dieser Kamera unter dem eingegebenen Namen speichern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Forget this camera&apos;s profile of that name</source>
        <translation>Das Profil dieses Namens für diese Kamera löschen</translation>
    </message>
    <message>
        <source>The camera does not offer %1 now, so that stays as it is; the rest of the profile &quot;%2&quot; is applied.</source>
        <translation>Die Kamera bietet %1 derzeit nicht an, das bleibt daher unverändert; der Rest des Profils „%2“ wird angewandt.</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>Type a name for the profile first.</source>
        <translation>Geben Sie zuerst einen Namen für das Profil ein.</translation>
    </message>
    <message>
        <source>The profiles kept for this microscope: choosing one sets its adjustments, resolution and frame rate; Save keeps the current ones under the name typed</source>
        <translation>Die für dieses Mikroskop gespeicherten Profile: Die Wahl eines Profils setzt seine Einstellungen, Auflösung und Bildrate; Speichern behält die aktuellen unter dem eingegebenen Namen</translation>
    </message>
</context>
<context>
    <name>lumetra::CaptureBar</name>
    <message>
        <source>Freeze the picture, or go back to live (Space)</source>
        <translation>Bild als Standbild anhalten oder zum Live-Bild zurückkehren (Leertaste)</translation>
    </message>
    <message>
        <source>Take a snapshot</source>
        <translation>Einen Schnappschuss aufnehmen</translation>
    </message>
    <message>
        <source>Take a snapshot at regular times, or stop doing so</source>
        <translation>In regelmäßigen Abständen einen Schnappschuss aufnehmen oder damit aufhören</translation>
    </message>
    <message>
        <source>CAPTURE</source>
        <translation>AUFNAHME</translation>
    </message>
    <message>
        <source>%1 (picture frozen)</source>
        <translation>%1 (Standbild)</translation>
    </message>
    <message>
        <source>Picture frozen: measure or take a snapshot of it; Space goes live</source>
        <translation>Standbild: Messen Sie darin oder nehmen Sie einen Schnappschuss auf; Leertaste: zurück zum Live-Bild</translation>
    </message>
    <message>
        <source>Snapshot saved to %1</source>
        <translation>Schnappschuss gespeichert unter %1</translation>
    </message>
    <message>
        <source>Recording saved to %1</source>
        <translation>Aufnahme gespeichert unter %1</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Aufnahme starten</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufnahme beenden</translation>
    </message>
    <message>
        <source>Finishing the time-lapse&apos;s movie; the window closes when it is saved.</source>
        <translation>Der Film des Zeitraffers wird fertiggestellt; das Fenster schließt sich, sobald er gespeichert ist.</translation>
    </message>
    <message>
        <source> (1 frame could not be decoded or converted, left out)</source>
        <translation> (1 Bild konnte nicht dekodiert oder umgewandelt werden, ausgelassen)</translation>
    </message>
    <message>
        <source> (%1 frames could not be decoded or converted, left out)</source>
        <translation> (%1 Bilder konnten nicht dekodiert oder umgewandelt werden, ausgelassen)</translation>
    </message>
</context>
<context>
    <name>lumetra::CountPanel</name>
    <message>
        <source>COUNT</source>
        <translation>ZÄHLEN</translation>
    </message>
    <message>
        <source>Count class</source>
        <translation>Zählklasse</translation>
    </message>
    <message>
        <source>The class of new count marks (keys 1-9); type to rename it</source>
        <translation>Die Klasse neuer Zählmarken (Tasten 1-9); zum Umbenennen einen Namen eingeben</translation>
    </message>
</context>
<context>
    <name>lumetra::DrawingPanel</name>
    <message>
        <source>DRAWING</source>
        <translation>ZEICHNEN</translation>
    </message>
    <message>
        <source>Line width</source>
        <translation>Linienbreite</translation>
    </message>
    <message>
        <source>Label size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Nachkommastellen</translation>
    </message>
    <message>
        <source>Line colour</source>
        <translation>Linienfarbe</translation>
    </message>
    <message>
        <source>Label colour</source>
        <translation>Schriftfarbe</translation>
    </message>
    <message>
        <source>Drag, or press the arrow keys; the number beside it follows</source>
        <translation>Ziehen oder die Pfeiltasten drücken; die Zahl daneben folgt</translation>
    </message>
    <message>
        <source>Type a number in range; the slider beside it follows</source>
        <translation>Eine Zahl im Bereich eingeben; der Schieberegler daneben folgt</translation>
    </message>
</context>
<context>
    <name>lumetra::MeasureBar</name>
    <message>
        <source>
Esc abandons the shape in progress</source>
        <translation>
Esc verwirft die begonnene Form</translation>
    </message>
    <message>
        <source>MEASURE</source>
        <translation>MESSEN</translation>
    </message>
    <message>
        <source>Square grid</source>
        <translation>Quadratraster</translation>
    </message>
    <message>
        <source>Circle grid</source>
        <translation>Kreisraster</translation>
    </message>
    <message>
        <source>Crosshair</source>
        <translation>Fadenkreuz</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Skala</translation>
    </message>
    <message>
        <source>Scale bar (shown on the picture and in snapshots)</source>
        <translation>Maßstabsbalken (im Bild und in Schnappschüssen)</translation>
    </message>
    <message>
        <source>OVERLAY</source>
        <translation>EINBLENDUNG</translation>
    </message>
    <message>
        <source>Undo the last step (Ctrl+Z); redo with Ctrl+Shift+Z</source>
        <translation>Den letzten Schritt rückgängig machen (Strg+Z); wiederholen mit Strg+Umschalt+Z</translation>
    </message>
    <message>
        <source>Remove the chosen measurement (Delete), or all of them when none is chosen</source>
        <translation>Die gewählte Messung löschen (Entf) oder alle, wenn keine gewählt ist</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>BEARBEITEN</translation>
    </message>
    <message>
        <source>Please calibrate first</source>
        <translation>Bitte kalibrieren Sie zuerst</translation>
    </message>
    <message>
        <source>The value is illegal</source>
        <translation>Der Wert ist ungültig</translation>
    </message>
</context>
<context>
    <name>lumetra::NSGridlinesView</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Spacing</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>Grid spacing</source>
        <translation>Rasterabstand</translation>
    </message>
    <message>
        <source>Grid spacing (%1)</source>
        <translation>Rasterabstand (%1)</translation>
    </message>
    <message>
        <source>Show the overlay with this spacing</source>
        <translation>Die Einblendung mit diesem Abstand zeigen</translation>
    </message>
    <message>
        <source>Close without changing the overlay</source>
        <translation>Schließen, ohne die Einblendung zu ändern</translation>
    </message>
</context>
<context>
    <name>lumetra::NewCalibrationController</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>New Calibration</source>
        <translation>Neue Kalibrierung</translation>
    </message>
    <message>
        <source>e.g. Objective 10x</source>
        <translation>z. B. Objektiv 10x</translation>
    </message>
    <message>
        <source>whole number, e.g. 100</source>
        <translation>ganze Zahl, z. B. 100</translation>
    </message>
    <message>
        <source>length of the reference, e.g. 0.5</source>
        <translation>Länge der Referenz, z. B. 0.5</translation>
    </message>
    <message>
        <source>Draw the reference line</source>
        <translation>Referenzlinie zeichnen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Magnification</source>
        <translation>Vergrößerung</translation>
    </message>
    <message>
        <source>Actual length</source>
        <translation>Tatsächliche Länge</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Scale from</source>
        <translation>Verfahren</translation>
    </message>
    <message>
        <source>One division</source>
        <translation>Teilstrichabstand</translation>
    </message>
    <message>
        <source>the micrometer&apos;s pitch, e.g. 0.01</source>
        <translation>Teilstrichabstand des Mikrometers, z. B. 0.01</translation>
    </message>
    <message>
        <source>Enter the calibration, press OK, then draw a line over the reference feature and click once more to place its label.</source>
        <translation>Geben Sie die Kalibrierung ein, drücken Sie OK, ziehen Sie dann eine Linie über die Referenz und klicken Sie noch einmal, um ihre Beschriftung zu setzen.</translation>
    </message>
    <message>
        <source>Find the ticks</source>
        <translation>Teilstriche finden</translation>
    </message>
</context>
<context>
    <name>lumetra::NewFolderController</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>New Album</source>
        <translation>Neues Album</translation>
    </message>
    <message>
        <source>Album name</source>
        <translation>Albumname</translation>
    </message>
    <message>
        <source>New snapshots and recordings go into the new album.</source>
        <translation>Neue Schnappschüsse und Aufnahmen kommen in das neue Album.</translation>
    </message>
</context>
<context>
    <name>lumetra::PhotoPreview</name>
    <message>
        <source>This picture cannot be shown.</source>
        <translation>Dieses Bild lässt sich nicht zeigen.</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Wird geladen…</translation>
    </message>
    <message>
        <source>%1    (Esc or space closes, arrows browse)</source>
        <translation>%1    (Esc oder Leertaste schließt, Pfeiltasten blättern)</translation>
    </message>
</context>
<context>
    <name>lumetra::PictureCameraSide</name>
    <message>
        <source>Open Picture</source>
        <translation>Bild öffnen</translation>
    </message>
    <message>
        <source>Pictures (%1);;All files (*)</source>
        <translation>Bilder (%1);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>the picture could not be decoded</source>
        <translation>das Bild ließ sich nicht dekodieren</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2.</source>
        <translation>„%1“ lässt sich nicht öffnen: %2.</translation>
    </message>
    <message>
        <source>Picture: %1 (no clean copy: its measurements are burnt in and not restored as shapes)</source>
        <translation>Bild: %1 (keine Kopie ohne Messungen: seine Messungen sind eingebrannt und werden nicht als Formen wiederhergestellt)</translation>
    </message>
    <message>
        <source>Picture: %1</source>
        <translation>Bild: %1</translation>
    </message>
</context>
<context>
    <name>lumetra::RQVideoView</name>
    <message>
        <source>The camera delivers no picture yet, so there is no snapshot to take.</source>
        <translation>Die Kamera liefert noch kein Bild, daher kann kein Schnappschuss aufgenommen werden.</translation>
    </message>
    <message>
        <source>The picture could not be decoded at its full size, so there is no snapshot to take.</source>
        <translation>Das Bild konnte nicht in voller Größe dekodiert werden, daher kann kein Schnappschuss aufgenommen werden.</translation>
    </message>
</context>
<context>
    <name>lumetra::ResultsPanel</name>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>Save the table as a CSV file</source>
        <translation>Die Tabelle als CSV-Datei speichern</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>The results could not be written to this file</source>
        <translation>Die Ergebnisse ließen sich nicht in diese Datei schreiben</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Every measurement on the picture with its values; choosing a row chooses the measurement</source>
        <translation>Jede Messung im Bild mit ihren Werten; die Wahl einer Zeile wählt die Messung</translation>
    </message>
    <message>
        <source>Copy the table to the clipboard, to paste it into a spreadsheet</source>
        <translation>Die Tabelle in die Zwischenablage kopieren, um sie in eine Tabellenkalkulation einzufügen</translation>
    </message>
</context>
<context>
    <name>lumetra::SnapshotPanel</name>
    <message>
        <source>SNAPSHOTS</source>
        <translation>SCHNAPPSCHÜSSE</translation>
    </message>
    <message>
        <source>Keep a clean copy</source>
        <translation>Saubere Kopie</translation>
    </message>
    <message>
        <source>Beside a snapshot with measurements, keep the picture without them (NAME.clean.jpg), so that the snapshot can be measured again</source>
        <translation>Neben einem Schnappschuss mit Messungen das Bild ohne sie behalten (NAME.clean.jpg), damit der Schnappschuss wieder gemessen werden kann</translation>
    </message>
    <message>
        <source>Keep a TIFF copy</source>
        <translation>TIFF-Kopie behalten</translation>
    </message>
    <message>
        <source>With every snapshot, save the picture without measurements as a calibrated TIFF (NAME.tif) for image-analysis programs</source>
        <translation>Mit jedem Schnappschuss das Bild ohne Messungen als kalibriertes TIFF (NAME.tif) für Bildanalyseprogramme speichern</translation>
    </message>
    <message>
        <source>Save for Analysis</source>
        <translation>Als TIFF speichern</translation>
    </message>
    <message>
        <source>Save the picture without measurements as a calibrated TIFF</source>
        <translation>Das Bild ohne Messungen als kalibriertes TIFF speichern</translation>
    </message>
    <message>
        <source>The picture could not be decoded at its full size, so there is nothing to save.</source>
        <translation>Das Bild konnte nicht in voller Größe dekodiert werden, daher gibt es nichts zu speichern.</translation>
    </message>
</context>
<context>
    <name>lumetra::TimeLapseCapture</name>
    <message>
        <source>1 picture</source>
        <translation>1 Bild</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 Bilder</translation>
    </message>
    <message>
        <source>The last time-lapse&apos;s movie is still being made; start the next one when it is saved.</source>
        <translation>Der Film des letzten Zeitraffers wird noch erstellt; starten Sie den nächsten, wenn er gespeichert ist.</translation>
    </message>
    <message>
        <source>A picture of the time-lapse could not be saved.</source>
        <translation>Ein Bild des Zeitraffers ließ sich nicht speichern.</translation>
    </message>
    <message>
        <source>Time-lapse ended: %1 taken</source>
        <translation>Zeitraffer beendet: %1 aufgenommen</translation>
    </message>
    <message>
        <source>, %1 missed (no new camera picture in time)</source>
        <translation>, %1 verpasst (rechtzeitig kein neues Kamerabild)</translation>
    </message>
    <message>
        <source> No movie: </source>
        <translation> Kein Film: </translation>
    </message>
    <message>
        <source> Making the movie...</source>
        <translation> Der Film wird erstellt …</translation>
    </message>
    <message>
        <source> Movie saved to %1</source>
        <translation> Film gespeichert unter %1</translation>
    </message>
    <message>
        <source> (%1 unreadable, left out)</source>
        <translation> (%1 unlesbar, ausgelassen)</translation>
    </message>
    <message>
        <source>Time-lapse: %1 taken</source>
        <translation>Zeitraffer: %1 aufgenommen</translation>
    </message>
    <message>
        <source>, %1 to go</source>
        <translation>, noch %1</translation>
    </message>
    <message>
        <source>, waiting for a picture from the camera</source>
        <translation>, wartet auf ein Bild der Kamera</translation>
    </message>
    <message>
        <source>, next in %1 s</source>
        <translation>, nächstes in %1 s</translation>
    </message>
</context>
<context>
    <name>lumetra::TimeLapseSheet</name>
    <message>
        <source>Number of pictures</source>
        <translation>Anzahl der Bilder</translation>
    </message>
    <message>
        <source> pictures</source>
        <translation> Bildern</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Burn in the measurements</source>
        <translation>Messungen einbrennen</translation>
    </message>
    <message>
        <source>Make a movie at</source>
        <translation>Film erstellen mit</translation>
    </message>
    <message>
        <source>Movie frame rate</source>
        <translation>Bildrate des Films</translation>
    </message>
    <message>
        <source> frames/s</source>
        <translation> Bilder/s</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>Interval unit</source>
        <translation>Intervalleinheit</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>after</source>
        <translation>nach</translation>
    </message>
    <message>
        <source>for</source>
        <translation>in</translation>
    </message>
    <message>
        <source>until stopped</source>
        <translation>von Hand</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>A snapshot every</source>
        <translation>Ein Schnappschuss alle</translation>
    </message>
</context>
<context>
    <name>lumetra::UsbCameraSide</name>
    <message>
        <source>USB microscope</source>
        <translation>USB-Mikroskop</translation>
    </message>
    <message>
        <source>No video device matches &quot;%1&quot;. </source>
        <translation>Kein Videogerät passt zu „%1“. </translation>
    </message>
    <message>
        <source>Use one of these video devices instead?</source>
        <translation>Stattdessen eines dieser Videogeräte verwenden?</translation>
    </message>
    <message>
        <source>USB microscope: %1</source>
        <translation>USB-Mikroskop: %1</translation>
    </message>
</context>
<context>
    <name>lumetra::ViewController</name>
    <message>
        <source>Connect a microscope or open a picture first: the USB, WiFi or Open button in the camera panel</source>
        <translation>Verbinden Sie zuerst ein Mikroskop oder öffnen Sie ein Bild: Schaltfläche USB, WiFi oder Öffnen im Bereich KAMERA</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Saved for analysis to %1</source>
        <translation>Für die Analyse gespeichert unter %1</translation>
    </message>
    <message>
        <source>The measurements were read without a calibration before; they keep the one in force</source>
        <translation>Die Messungen wurden ohne Kalibrierung gespeichert; sie behalten die geltende</translation>
    </message>
    <message>
        <source>The calibration &quot;%1&quot; is no longer stored; the measurements keep the one in force</source>
        <translation>Die Kalibrierung „%1“ ist nicht mehr gespeichert; die Messungen behalten die geltende</translation>
    </message>
    <message>
        <source>No file manager opened the folder. It is %1</source>
        <translation>Kein Dateimanager hat den Ordner geöffnet. Er liegt unter %1</translation>
    </message>
    <message>
        <source>The picture&apos;s shapes were measured on a view of %1 x %2 units, not %3 x %4, and are not restored.</source>
        <translation>Die Formen des Bildes wurden auf einer Ansicht von %1 x %2 Einheiten gemessen, nicht %3 x %4, und werden nicht wiederhergestellt.</translation>
    </message>
    <message>
        <source>The measurements on the picture</source>
        <translation>Die Messungen im Bild</translation>
    </message>
</context>
<context>
    <name>lumetra::WiFiCameraSide</name>
    <message>
        <source>WiFi microscope at %1</source>
        <translation>WiFi-Mikroskop unter %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>no resources in &quot;%1&quot;: the sounds are off</source>
        <translation>keine Ressourcen in „%1“: die Klänge sind abgeschaltet</translation>
    </message>
    <message>
        <source>the demo camera cannot start: %1</source>
        <translation>die Demokamera kann nicht starten: %1</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 lässt sich nicht schreiben</translation>
    </message>
</context>
</TS>
