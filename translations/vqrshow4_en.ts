<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Diagram</name>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Zoom: </source>
        <translation>Zoom: </translation>
    </message>
    <message>
        <source>Zoom definieren...</source>
        <translation>Defining zoom...</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Kein Zoom</source>
        <translation>No zoom</translation>
    </message>
    <message>
        <source>Skala H : </source>
        <translation>Scale H : </translation>
    </message>
    <message>
        <source>   / V : </source>
        <translation>   / V : </translation>
    </message>
    <message>
        <source>undefiniert</source>
        <translation>undefined</translation>
    </message>
    <message>
        <source>Zoom %1 von %2</source>
        <translation>Zoom %1 of %2</translation>
    </message>
</context>
<context>
    <name>PrintQueue</name>
    <message>
        <source>Der Drucker &quot;%1&quot; ist nicht mehr vorhanden.</source>
        <translation>The printer &quot;%1&quot; no longer exists.</translation>
    </message>
    <message>
        <source>Der Drucker &quot;%1&quot; ist angehalten.</source>
        <translation>The printer &quot;%1&quot; is stopped.</translation>
    </message>
    <message>
        <source>Der Drucker &quot;%1&quot; nimmt keine Aufträge an.</source>
        <translation>The printer &quot;%1&quot; does not accept jobs.</translation>
    </message>
</context>
<context>
    <name>TCalcProvider</name>
    <message>
        <source>LibreOffice Calc (Pipe &quot;%1&quot; gehört einem anderen Benutzer, eigene Pipe verwendet)</source>
        <translation>LibreOffice Calc (pipe &quot;%1&quot; belongs to another user, own pipe used)</translation>
    </message>
</context>
<context>
    <name>TDiagramNavigation</name>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Achsen...</source>
        <translation>Axes...</translation>
    </message>
    <message>
        <source>Marke bei...</source>
        <translation>Marker at...</translation>
    </message>
</context>
<context>
    <name>TF_AxesDialog</name>
    <message>
        <source>Achsen</source>
        <translation>Axes</translation>
    </message>
    <message>
        <source>Zeit (%1)</source>
        <translation>Time (%1)</translation>
    </message>
    <message>
        <source>Messwert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>von / Minimum</source>
        <translation>from / minimum</translation>
    </message>
    <message>
        <source>bis / Maximum</source>
        <translation>to / maximum</translation>
    </message>
    <message>
        <source>automatisch</source>
        <translation>automatic</translation>
    </message>
    <message>
        <source>Bitte zwei Zahlen eingeben.</source>
        <translation>Please enter two numbers.</translation>
    </message>
    <message>
        <source>Anfang und Ende müssen verschieden sein.</source>
        <translation>Start and end must differ.</translation>
    </message>
</context>
<context>
    <name>TF_MarkAtDialog</name>
    <message>
        <source>Marke bei</source>
        <translation>Marker at</translation>
    </message>
    <message>
        <source>Marke A</source>
        <translation>Marker A</translation>
    </message>
    <message>
        <source>Marke B</source>
        <translation>Marker B</translation>
    </message>
    <message>
        <source>Zeit (%1):</source>
        <translation>Time (%1):</translation>
    </message>
    <message>
        <source>Nächster Messpunkt: %1</source>
        <translation>Nearest sample: %1</translation>
    </message>
</context>
<context>
    <name>TF_Measurements</name>
    <message>
        <source>Messwerte</source>
        <translation>Measured values</translation>
    </message>
    <message>
        <source>Kurve</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>Messwerte – %1</source>
        <translation>Measured values – %1</translation>
    </message>
    <message>
        <source>Marke A bei %1 h, Marke B bei %2 h</source>
        <translation>Marker A at %1 h, marker B at %2 h</translation>
    </message>
    <message>
        <source>Angezeigter Zeitbereich %1 h bis %2 h</source>
        <translation>Time range shown %1 h to %2 h</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Datei	von [h]	bis [h]</source>
        <translation>File	from [h]	to [h]</translation>
    </message>
    <message>
        <source>Wert A</source>
        <translation>Value A</translation>
    </message>
    <message>
        <source>Wert B</source>
        <translation>Value B</translation>
    </message>
    <message>
        <source>B - A</source>
        <translation>B - A</translation>
    </message>
    <message>
        <source>Δt [h]</source>
        <translation>Δt [h]</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>bei [h]</source>
        <translation>at [h]</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Mittel</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Std.-Abw.</source>
        <translation>Std. dev.</translation>
    </message>
    <message>
        <source>Steigung/h</source>
        <translation>Slope/h</translation>
    </message>
    <message>
        <source>Δ Wert A</source>
        <translation>Δ Value A</translation>
    </message>
    <message>
        <source>Δ Wert B</source>
        <translation>Δ Value B</translation>
    </message>
    <message>
        <source>Δ Mittel</source>
        <translation>Δ Mean</translation>
    </message>
    <message>
        <source>Notizen:</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>Grenze unten</source>
        <translation>Lower limit</translation>
    </message>
    <message>
        <source>Grenze oben</source>
        <translation>Upper limit</translation>
    </message>
    <message>
        <source>außerhalb [h]</source>
        <translation>outside [h]</translation>
    </message>
    <message>
        <source>außerhalb [%]</source>
        <translation>outside [%]</translation>
    </message>
    <message>
        <source>Ausflüge</source>
        <translation>Excursions</translation>
    </message>
    <message>
        <source>erste Überschreitung [h]</source>
        <translation>first crossing [h]</translation>
    </message>
    <message>
        <source>größte Abweichung</source>
        <translation>largest deviation</translation>
    </message>
</context>
<context>
    <name>TF_Overview</name>
    <message>
        <source>Übersicht Mess-Kanal  1 - 16</source>
        <translation>Overview measuring channels  1 - 16</translation>
    </message>
    <message>
        <source>Kombi 1...</source>
        <translation>Combi 1...</translation>
    </message>
    <message>
        <source>Kombi 2...</source>
        <translation>Combi 2...</translation>
    </message>
    <message>
        <source> Bereich</source>
        <translation> Range</translation>
    </message>
    <message>
        <source>Kombination 1 anzeigen</source>
        <translation>Show combination 1</translation>
    </message>
    <message>
        <source>Kombination 2 anzeigen</source>
        <translation>Show combination 2</translation>
    </message>
    <message>
        <source>Skala der Übersicht: Zeit (H) und Wert (V)</source>
        <translation>Scale of the overview: time (H) and value (V)</translation>
    </message>
</context>
<context>
    <name>TF_Recording</name>
    <message>
        <source>Aufzeichnung</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>Kanal</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Mittelwert</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Datei: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>Dateidatum: %1</source>
        <translation>File date: %1</translation>
    </message>
    <message>
        <source>Beginn: Tag %1, %2:%3:%4 (Uhr des Geräts)</source>
        <translation>Start: day %1, %2:%3:%4 (instrument clock)</translation>
    </message>
    <message>
        <source>Dauer: %1 (%2 h)</source>
        <translation>Duration: %1 (%2 h)</translation>
    </message>
    <message>
        <source>Messwerte: %1</source>
        <translation>Samples: %1</translation>
    </message>
    <message>
        <source>Intervall: %1 s (Mittel)</source>
        <translation>Interval: %1 s (mean)</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Grenzwerte: aus der Auswertung</source>
        <translation>Limits: from the evaluation</translation>
    </message>
    <message>
        <source>Keine Notizen</source>
        <translation>No notes</translation>
    </message>
    <message>
        <source>Notizen:</source>
        <translation>Notes:</translation>
    </message>
</context>
<context>
    <name>TF_Report</name>
    <message>
        <source>Bericht</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Seiten des Berichts:</source>
        <translation>Pages of the report:</translation>
    </message>
    <message>
        <source>, mit Zoom</source>
        <translation>, zoomed</translation>
    </message>
    <message>
        <source>, mit Marken</source>
        <translation>, with markers</translation>
    </message>
    <message>
        <source>Tabelle der Messwerte und Grenzwerte</source>
        <translation>Table of measured values and limits</translation>
    </message>
    <message>
        <source>Notizen</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Drucken...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TF_SChannel</name>
    <message>
        <source>Messkanal %1</source>
        <translation>Measuring channel %1</translation>
    </message>
    <message>
        <source>Drucken...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Diagramm drucken</source>
        <translation>Print the diagram</translation>
    </message>
    <message>
        <source>Fortschritt beim Drucken</source>
        <translation>Printing progress</translation>
    </message>
    <message>
        <source>Zoom: ein Klick in das Diagramm beginnt das Rechteck, ein zweiter Klick legt es fest (Esc bricht ab); Klick hier oder Taste Z wechselt zwischen Zoom und ganzer Skala</source>
        <translation>Zoom: a click into the diagram starts the rectangle, a second click fixes it (Esc cancels); a click here or the key Z switches between the zoom and the whole scale</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Als Bild speichern...</source>
        <translation>Save as picture...</translation>
    </message>
    <message>
        <source>Marke setzen</source>
        <translation>Set marker</translation>
    </message>
    <message>
        <source>Messwerte...</source>
        <translation>Measured values...</translation>
    </message>
    <message>
        <source>Messkanal-Kombination %1</source>
        <translation>Channel combination %1</translation>
    </message>
    <message>
        <source>Als Bild speichern</source>
        <translation>Save as picture</translation>
    </message>
    <message>
        <source>PNG-Bild (*.png);;SVG-Grafik (*.svg)</source>
        <translation>PNG picture (*.png);;SVG graphic (*.svg)</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>TF_ZTIniPenDialog</name>
    <message>
        <source>Stift auswählen</source>
        <translation>Choose pen</translation>
    </message>
    <message>
        <source>Strichstärke</source>
        <translation>Line width</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Stift-Stil</source>
        <translation>Pen style</translation>
    </message>
    <message>
        <source> durchgehend</source>
        <translation> solid</translation>
    </message>
    <message>
        <source> gestrichelt</source>
        <translation> dashed</translation>
    </message>
    <message>
        <source> gepunktet</source>
        <translation> dotted</translation>
    </message>
    <message>
        <source> Strich-Punkt</source>
        <translation> dash-dot</translation>
    </message>
    <message>
        <source> Strich-Punkt-Punkt</source>
        <translation> dash-dot-dot</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFontColorDialog</name>
    <message>
        <source>Farbe</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Schriftart</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Farbe:</source>
        <translation>Colour:</translation>
    </message>
</context>
<context>
    <name>TFr_PrPreview</name>
    <message>
        <source>Druck Vorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFrm_About</name>
    <message>
        <source>Über VqrShow4</source>
        <translation>About VqrShow4</translation>
    </message>
    <message>
        <source>Velqor Datenauswertung</source>
        <translation>Velqor data evaluation</translation>
    </message>
    <message>
        <source>VqrShow4 Version %1</source>
        <translation>VqrShow4 version %1</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFrm_XLExport</name>
    <message>
        <source>Velqor Excel® Export</source>
        <translation>Velqor Excel® export</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Die exportierten Daten sind nicht gespeichert.</source>
        <translation>The exported data have not been saved.</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Speichern...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>In Excel bereits geöffnet:</source>
        <translation>Already open in Excel:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>neue Mappe</source>
        <translation>new workbook</translation>
    </message>
    <message>
        <source>Vorlage</source>
        <translation>Template</translation>
    </message>
    <message>
        <source>neue Tabelle</source>
        <translation>new sheet</translation>
    </message>
    <message>
        <source>Export </source>
        <translation>Export </translation>
    </message>
    <message>
        <source> Starten mit Ok</source>
        <translation> Start with OK</translation>
    </message>
    <message>
        <source>VQR Daten</source>
        <translation>VQR data</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Excel-Arbeitsmappe (*.xlsx);;Alle Dateien (*)</source>
        <translation>Excel workbook (*.xlsx);;All files (*)</translation>
    </message>
    <message>
        <source>Die Arbeitsmappe %1 konnte nicht geschrieben werden: der Ordner für temporäre Dateien (TMPDIR) ist nicht nutzbar.</source>
        <translation>The workbook %1 could not be written: the folder for temporary files (TMPDIR) cannot be used.</translation>
    </message>
    <message>
        <source>Die Arbeitsmappe wurde gespeichert unter
%1

Es wurde kein Programm gefunden, das .xlsx-Dateien öffnet.</source>
        <translation>The workbook was saved as
%1

No program was found that opens .xlsx files.</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>VqrShow4 Hilfe</source>
        <translation>VqrShow4 Help</translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Schliessen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TNoteMenu</name>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Notiz</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Wert der Kurve:</source>
        <translation>Value of the curve:</translation>
    </message>
    <message>
        <source>Notiz...</source>
        <translation>Note...</translation>
    </message>
    <message>
        <source>Notiz bearbeiten...</source>
        <translation>Edit note...</translation>
    </message>
    <message>
        <source>Notiz löschen</source>
        <translation>Delete note</translation>
    </message>
</context>
<context>
    <name>TProcessGauge</name>
    <message>
        <source>Lesen:</source>
        <translation>Reading:</translation>
    </message>
    <message>
        <source>Filter:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Export:</source>
        <translation>Export:</translation>
    </message>
    <message>
        <source>Druck:</source>
        <translation>Print:</translation>
    </message>
</context>
<context>
    <name>TQXMainForm</name>
    <message>
        <source>Velqor   Datenauswertung</source>
        <translation>Velqor   Data Evaluation</translation>
    </message>
    <message>
        <source>Übersicht Punkte</source>
        <translation>Overview points</translation>
    </message>
    <message>
        <source>Übersicht Kurve</source>
        <translation>Overview curve</translation>
    </message>
    <message>
        <source>Aufzeichnung...</source>
        <translation>Recording...</translation>
    </message>
    <message>
        <source>Kombination 1</source>
        <translation>Combination 1</translation>
    </message>
    <message>
        <source>Kombination 2</source>
        <translation>Combination 2</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Existierende Datei öffnen</source>
        <translation>Open an existing file</translation>
    </message>
    <message>
        <source>Vergleichen mit...</source>
        <translation>Compare with...</translation>
    </message>
    <message>
        <source>Weitere Dateien im selben Diagramm zeigen</source>
        <translation>Show further files in the same diagram</translation>
    </message>
    <message>
        <source>Vergleich beenden</source>
        <translation>End comparison</translation>
    </message>
    <message>
        <source>Nur die geöffnete Datei zeigen</source>
        <translation>Show the open file only</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Aktuelle Datei speichern</source>
        <translation>Save the current file</translation>
    </message>
    <message>
        <source>ASCII Export...</source>
        <translation>ASCII export...</translation>
    </message>
    <message>
        <source>Aktuelle Datei unter neuem Namen speichern</source>
        <translation>Save the current file under a new name</translation>
    </message>
    <message>
        <source>Excel Export...</source>
        <translation>Excel export...</translation>
    </message>
    <message>
        <source>&amp;Drucken...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Aktuelle Datei drucken</source>
        <translation>Print the current file</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Diese Anwendung beenden</source>
        <translation>Quit this application</translation>
    </message>
    <message>
        <source>B&amp;earbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Nullpunkt-Korrektur</source>
        <translation>Zero-point correction</translation>
    </message>
    <message>
        <source>Ausgleich +-2</source>
        <translation>Smoothing +-2</translation>
    </message>
    <message>
        <source>Ausgleich +-8</source>
        <translation>Smoothing +-8</translation>
    </message>
    <message>
        <source>Ausgleich Benutzerdef.</source>
        <translation>Smoothing user-defined</translation>
    </message>
    <message>
        <source>&amp;Fenster</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Inhalt</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>Inhaltsübersicht der Hilfe anzeigen</source>
        <translation>Show the contents of the help</translation>
    </message>
    <message>
        <source>&amp;Themenbezogene Hilfe...</source>
        <translation>&amp;Help on this topic...</translation>
    </message>
    <message>
        <source>Hilfe zu einem Thema suchen</source>
        <translation>Find help on a topic</translation>
    </message>
    <message>
        <source>&amp;Hilfe verwenden</source>
        <translation>&amp;Using help</translation>
    </message>
    <message>
        <source>Hilfe zur Benutzung des Hilfesystems</source>
        <translation>How to use the help</translation>
    </message>
    <message>
        <source>I&amp;nfo...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Programminformationen anzeigen</source>
        <translation>Show information about the program</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ASCII Export</source>
        <translation>ASCII export</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Inhalt der Hilfe</source>
        <translation>Help contents</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Excel Export</source>
        <translation>Excel export</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Die Einstellungen konnten nicht in die Datei
%1
geschrieben werden.

%2</source>
        <translation>The settings could not be written to the file
%1

%2</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Speichern unter...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Ohne Speichern beenden</source>
        <translation>Quit without saving</translation>
    </message>
    <message>
        <source>Einstellungen speichern unter</source>
        <translation>Save settings as</translation>
    </message>
    <message>
        <source>INI-Dateien (*.INI *.ini);;Alle Dateien (*)</source>
        <translation>INI files (*.INI *.ini);;All files (*)</translation>
    </message>
    <message>
        <source>VQR Messwert-Dateien (*.DAT *.dat);;Alle Dateien (*)</source>
        <translation>VQR data files (*.DAT *.dat);;All files (*)</translation>
    </message>
    <message>
        <source>VQR Ascii-Dateien (*.ASC *.asc);;Alle Dateien (*)</source>
        <translation>VQR ASCII files (*.ASC *.asc);;All files (*)</translation>
    </message>
    <message>
        <source>VQR-Rohdaten öffnen</source>
        <translation>Open VQR raw data</translation>
    </message>
    <message>
        <source>Daten lesen...</source>
        <translation>Reading data...</translation>
    </message>
    <message>
        <source>VQR-Rohdaten vergleichen</source>
        <translation>Compare VQR raw data</translation>
    </message>
    <message>
        <source>Daten schreiben...</source>
        <translation>Writing data...</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht geschrieben werden.</source>
        <translation>The file %1 could not be written.</translation>
    </message>
    <message>
        <source>Die Datei %1 kann nicht geschrieben werden.</source>
        <translation>The file %1 cannot be written.</translation>
    </message>
    <message>
        <source>Der Drucker %1 meldet keine bedruckbare Seite.</source>
        <translation>The printer %1 reports no printable page.</translation>
    </message>
    <message>
        <source>Der Druckauftrag für den Drucker %1 konnte nicht gestartet werden.</source>
        <translation>The print job for the printer %1 could not be started.</translation>
    </message>
    <message>
        <source>Der Druckauftrag für den Drucker %1 ist fehlgeschlagen.</source>
        <translation>The print job for the printer %1 failed.</translation>
    </message>
    <message>
        <source>Es ist kein Drucker verfügbar.</source>
        <translation>No printer is available.</translation>
    </message>
    <message>
        <source>Auswertung öffnen...</source>
        <translation>Open evaluation...</translation>
    </message>
    <message>
        <source>Eine gespeicherte Auswertung öffnen</source>
        <translation>Open a saved evaluation</translation>
    </message>
    <message>
        <source>Auswertung speichern...</source>
        <translation>Save evaluation...</translation>
    </message>
    <message>
        <source>Aufzeichnung, Vergleich, Fenster, Zoom, Marken und Notizen speichern</source>
        <translation>Save the recording, comparison, windows, zoom, markers and notes</translation>
    </message>
    <message>
        <source>Bericht...</source>
        <translation>Report...</translation>
    </message>
    <message>
        <source>Mehrseitigen Bericht drucken</source>
        <translation>Print a report of several pages</translation>
    </message>
    <message>
        <source>Auswertung öffnen</source>
        <translation>Open evaluation</translation>
    </message>
    <message>
        <source>Auswertung speichern</source>
        <translation>Save evaluation</translation>
    </message>
    <message>
        <source>Suchen...</source>
        <translation>Locate...</translation>
    </message>
    <message>
        <source>Trotzdem öffnen</source>
        <translation>Open anyway</translation>
    </message>
    <message>
        <source>Aufzeichnung suchen</source>
        <translation>Locate recording</translation>
    </message>
    <message>
        <source>Neues Diagrammfenster</source>
        <translation>New diagram window</translation>
    </message>
    <message>
        <source>VQR Auswertungen (*.vqa *.VQA);;Alle Dateien (*)</source>
        <translation>VQR evaluations (*.vqa *.VQA);;All files (*)</translation>
    </message>
    <message>
        <source>Die Datei gibt es nicht.</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>Der Zugriff wurde verweigert.</source>
        <translation>Access was denied.</translation>
    </message>
    <message>
        <source>Die Auswertung %1 kann nicht geöffnet werden. %2</source>
        <translation>The evaluation %1 cannot be opened. %2</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei, sondern ein Ordner, eine Pipe oder ein Gerät.</source>
        <translation>%1 is not a regular file but a folder, a pipe or a device.</translation>
    </message>
    <message>
        <source>%1 ist zu groß für eine Auswertung (höchstens %2 kB).</source>
        <translation>%1 is too large for an evaluation (at most %2 kB).</translation>
    </message>
    <message>
        <source>Die Auswertung %1 ist beschädigt oder unvollständig.</source>
        <translation>The evaluation %1 is damaged or incomplete.</translation>
    </message>
    <message>
        <source>%1 ist keine Auswertung von vqrshow4.</source>
        <translation>%1 is not an evaluation of vqrshow4.</translation>
    </message>
    <message>
        <source>Die Auswertung %1 stammt von einer neueren Programmversion (Format %2; dieses Programm liest Format %3).</source>
        <translation>The evaluation %1 comes from a newer version of the program (format %2; this program reads format %3).</translation>
    </message>
    <message>
        <source>Die Auswertung %1 ist beschädigt: das Feld „%2“ fehlt oder hat den falschen Typ.</source>
        <translation>The evaluation %1 is damaged: the field “%2” is missing or has the wrong type.</translation>
    </message>
    <message>
        <source>Die Auswertung %1 ist beschädigt: das Feld „%2“ hat einen ungültigen Wert.</source>
        <translation>The evaluation %1 is damaged: the field “%2” has an invalid value.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 kann nicht gelesen werden. %2</source>
        <translation>The recording %1 cannot be read. %2</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 der Auswertung wurde nicht gefunden; sie wurde verschoben oder gelöscht.</source>
        <translation>The recording %1 of the evaluation was not found; it has been moved or deleted.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 wurde geändert, seit die Auswertung gespeichert wurde.</source>
        <translation>The recording %1 has been changed since the evaluation was saved.</translation>
    </message>
</context>
<context>
    <name>TS_Printer</name>
    <message>
        <source>Kopfzeile</source>
        <translation>Header line</translation>
    </message>
</context>
<context>
    <name>TSettingsEditors</name>
    <message>
        <source>keines</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Kreuze</source>
        <translation>crosses</translation>
    </message>
    <message>
        <source>Linien</source>
        <translation>lines</translation>
    </message>
    <message>
        <source>Grafik-Dateien (*.bmp *.jpg *.jpeg *.png *.BMP *.JPG *.JPEG *.PNG);;Alle Dateien (*)</source>
        <translation>Picture files (*.bmp *.jpg *.jpeg *.png *.BMP *.JPG *.JPEG *.PNG);;All files (*)</translation>
    </message>
    <message>
        <source>Rich-Text-Dateien (*.rtf *.RTF);;Alle Dateien (*)</source>
        <translation>Rich text files (*.rtf *.RTF);;All files (*)</translation>
    </message>
    <message>
        <source>Logo-Datei wählen</source>
        <translation>Choose logo file</translation>
    </message>
    <message>
        <source>Hintergrund-Datei wählen</source>
        <translation>Choose background file</translation>
    </message>
    <message>
        <source>VQR Messwert-Dateien (*.DAT *.dat);;Alle Dateien (*)</source>
        <translation>VQR data files (*.DAT *.dat);;All files (*)</translation>
    </message>
    <message>
        <source>Start-Ordner wählen</source>
        <translation>Choose start folder</translation>
    </message>
</context>
<context>
    <name>TSettingsPage</name>
    <message>
        <source>Sprache / Language</source>
        <translation>Sprache / Language</translation>
    </message>
    <message>
        <source>Systemsprache</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>gilt ab dem nächsten Start</source>
        <translation>applies from the next start</translation>
    </message>
    <message>
        <source> VQR Rohdaten </source>
        <translation> VQR raw data </translation>
    </message>
    <message>
        <source> Letzte Datei merken</source>
        <translation> Remember last file</translation>
    </message>
    <message>
        <source>VQR verarbeitete Daten</source>
        <translation>VQR processed data</translation>
    </message>
    <message>
        <source> Dateiname wie Rohdaten</source>
        <translation> File name as raw data</translation>
    </message>
    <message>
        <source>ASCII-Export</source>
        <translation>ASCII export</translation>
    </message>
    <message>
        <source>Kalibrierte Daten</source>
        <translation>Calibrated data</translation>
    </message>
    <message>
        <source>Rohdaten</source>
        <translation>Raw data</translation>
    </message>
    <message>
        <source>Kalibrier-Parameter</source>
        <translation>Calibration parameters</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Abstand (1-32)</source>
        <translation>Distance (1-32)</translation>
    </message>
    <message>
        <source>Sichtbar</source>
        <translation>Visible</translation>
    </message>
    <message>
        <source>Kanal</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Farbe</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Stift</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Kurven</source>
        <translation>Curves</translation>
    </message>
    <message>
        <source>Farbe / Stift</source>
        <translation>Colour / pen</translation>
    </message>
    <message>
        <source> alle gleich</source>
        <translation> all the same</translation>
    </message>
    <message>
        <source>(wie Kanal 1)</source>
        <translation>(as channel 1)</translation>
    </message>
    <message>
        <source>Anwenden</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Farben verteilen</source>
        <translation>Distribute colours</translation>
    </message>
    <message>
        <source>Dateien</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Einzelblatt</source>
        <translation>Single sheet</translation>
    </message>
    <message>
        <source>Kombin. 1</source>
        <translation>Combi. 1</translation>
    </message>
    <message>
        <source>Kombin. 2</source>
        <translation>Combi. 2</translation>
    </message>
    <message>
        <source>Diagramm  X/Y</source>
        <translation>Diagram  X/Y</translation>
    </message>
    <message>
        <source>Diagramm  T/allgemein</source>
        <translation>Diagram  T/general</translation>
    </message>
    <message>
        <source>Texte</source>
        <translation>Texts</translation>
    </message>
    <message>
        <source>Drucker</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>Excel®</source>
        <translation>Excel®</translation>
    </message>
    <message>
        <source>Achse</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>Teilstrich</source>
        <translation>Tick</translation>
    </message>
    <message>
        <source>Start X</source>
        <translation>Start X</translation>
    </message>
    <message>
        <source>Start Y</source>
        <translation>Start Y</translation>
    </message>
    <message>
        <source>Länge</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Teilstrich-Länge</source>
        <translation>Tick length</translation>
    </message>
    <message>
        <source>Abstand Mass</source>
        <translation>Distance labels</translation>
    </message>
    <message>
        <source>Abstand Einheit</source>
        <translation>Distance unit</translation>
    </message>
    <message>
        <source>Farbe / Schrift</source>
        <translation>Colour / font</translation>
    </message>
    <message>
        <source>Bemassung</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>Schriftgrösse</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>Masse in mm, skaliert auf A4</source>
        <translation>Sizes in mm, scaled to A4</translation>
    </message>
    <message>
        <source>X-Achse</source>
        <translation>X axis</translation>
    </message>
    <message>
        <source>Umschaltung auf Tage</source>
        <translation>Switch to days</translation>
    </message>
    <message>
        <source>ab max Std</source>
        <translation>above max hours</translation>
    </message>
    <message>
        <source>Y-Achse</source>
        <translation>Y axis</translation>
    </message>
    <message>
        <source>Umrechnungsfaktor </source>
        <translation>Conversion factor </translation>
    </message>
    <message>
        <source>auf Benutzer-Einheit </source>
        <translation>to user unit </translation>
    </message>
    <message>
        <source>Allgemeine Einstellungen</source>
        <translation>General settings</translation>
    </message>
    <message>
        <source>Legende</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>Start  X</source>
        <translation>Start  X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Schritt  X</source>
        <translation>Step  X</translation>
    </message>
    <message>
        <source>Abstand</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Grösse</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Gitter</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Gitter-Stil</source>
        <translation>Grid style</translation>
    </message>
    <message>
        <source>Datenbereich</source>
        <translation>Data area</translation>
    </message>
    <message>
        <source>Nullpunkt X</source>
        <translation>Origin X</translation>
    </message>
    <message>
        <source>Nullpunkt Y</source>
        <translation>Origin Y</translation>
    </message>
    <message>
        <source>Zeitachse</source>
        <translation>Time axis</translation>
    </message>
    <message>
        <source> ab Start</source>
        <translation> from start</translation>
    </message>
    <message>
        <source> Uhrzeit</source>
        <translation> time of day</translation>
    </message>
    <message>
        <source>Diagramm-Texte</source>
        <translation>Diagram texts</translation>
    </message>
    <message>
        <source>Legende Titel (Kanal)</source>
        <translation>Legend title (channel)</translation>
    </message>
    <message>
        <source>Legende Temperatur (T)</source>
        <translation>Legend temperature (T)</translation>
    </message>
    <message>
        <source>X-Achse Einheit 1 (Std)</source>
        <translation>X axis unit 1 (hours)</translation>
    </message>
    <message>
        <source>X-Achse Einheit 2 (Tage)</source>
        <translation>X axis unit 2 (days)</translation>
    </message>
    <message>
        <source>Y-Achse Einheit  (McF)</source>
        <translation>Y axis unit  (McF)</translation>
    </message>
    <message>
        <source>T-Achse Einheit (Celsius)</source>
        <translation>T axis unit (Celsius)</translation>
    </message>
    <message>
        <source>Drucker-Hintergrund</source>
        <translation>Printer background</translation>
    </message>
    <message>
        <source>Datei 1</source>
        <translation>File 1</translation>
    </message>
    <message>
        <source>Datei 2</source>
        <translation>File 2</translation>
    </message>
    <message>
        <source>Logo-Grafik</source>
        <translation>Logo picture</translation>
    </message>
    <message>
        <source>Datei </source>
        <translation>File </translation>
    </message>
    <message>
        <source>Start X </source>
        <translation>Start X </translation>
    </message>
    <message>
        <source> Y</source>
        <translation> Y</translation>
    </message>
    <message>
        <source>Vergrösserung</source>
        <translation>Magnification</translation>
    </message>
    <message>
        <source>fester Faktor X</source>
        <translation>fixed factor X</translation>
    </message>
    <message>
        <source>fester Faktor Y</source>
        <translation>fixed factor Y</translation>
    </message>
    <message>
        <source>Y / X minimal </source>
        <translation>Y / X minimum </translation>
    </message>
    <message>
        <source>Y / X maximal </source>
        <translation>Y / X maximum </translation>
    </message>
    <message>
        <source>Orientierung</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source> immer vertikal</source>
        <translation> always portrait</translation>
    </message>
    <message>
        <source> immer horizontal</source>
        <translation> always landscape</translation>
    </message>
    <message>
        <source> wie Drucker</source>
        <translation> as the printer</translation>
    </message>
    <message>
        <source>Ausgabe</source>
        <translation>Output</translation>
    </message>
    <message>
        <source> alles Schwarz</source>
        <translation> all black</translation>
    </message>
    <message>
        <source>Skal. Vorschau anzeigen</source>
        <translation>Show scaling preview</translation>
    </message>
    <message>
        <source>Rand</source>
        <translation>Margin</translation>
    </message>
    <message>
        <source>links </source>
        <translation>left </translation>
    </message>
    <message>
        <source>oben </source>
        <translation>top </translation>
    </message>
    <message>
        <source>rechts </source>
        <translation>right </translation>
    </message>
    <message>
        <source>unten </source>
        <translation>bottom </translation>
    </message>
    <message>
        <source>Arbeitsmappe</source>
        <translation>Workbook</translation>
    </message>
    <message>
        <source>Mappe:</source>
        <translation>Workbook:</translation>
    </message>
    <message>
        <source> immer neu anlegen</source>
        <translation> always create new</translation>
    </message>
    <message>
        <source>Vorlage:</source>
        <translation>Template:</translation>
    </message>
    <message>
        <source>Tabelle:</source>
        <translation>Sheet:</translation>
    </message>
    <message>
        <source>Anordnung</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Überschriften Zeile </source>
        <translation>Headings row </translation>
    </message>
    <message>
        <source>Daten ab</source>
        <translation>Data from</translation>
    </message>
    <message>
        <source>Zeile </source>
        <translation>row </translation>
    </message>
    <message>
        <source>Spalte </source>
        <translation>column </translation>
    </message>
    <message>
        <source>Zahlenformate</source>
        <translation>Number formats</translation>
    </message>
    <message>
        <source> Zellen neu formatieren:</source>
        <translation> Format the cells anew:</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Kanal 1-16</source>
        <translation>Channel 1-16</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Weitere</source>
        <translation>More</translation>
    </message>
    <message>
        <source>Start-Ordner</source>
        <translation>Start folder</translation>
    </message>
    <message>
        <source>Temperatur-Achse</source>
        <translation>Temperature axis</translation>
    </message>
    <message>
        <source>Skalierung Vertikal</source>
        <translation>Scaling vertical</translation>
    </message>
    <message>
        <source>Skalierung Horizontal</source>
        <translation>Scaling horizontal</translation>
    </message>
    <message>
        <source>Grenzwerte</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>unten</source>
        <translation>lower</translation>
    </message>
    <message>
        <source>oben</source>
        <translation>upper</translation>
    </message>
    <message>
        <source>Grenzen in der Einheit der Kurve, wie gezeichnet (mit Faktor); leer: keine Grenze</source>
        <translation>Limits in the curve&apos;s unit, as drawn (with factor); blank: no limit</translation>
    </message>
</context>
<context>
    <name>TTimeCoupling</name>
    <message>
        <source>Zeitachsen koppeln</source>
        <translation>Couple time axes</translation>
    </message>
    <message>
        <source>Zoom auf A–B</source>
        <translation>Zoom to A–B</translation>
    </message>
</context>
<context>
    <name>TVQRPrintDecor</name>
    <message>
        <source>Datei %1 nicht gefunden oder falsches Format!</source>
        <translation>File %1 not found or wrong format!</translation>
    </message>
    <message>
        <source>Datei %1 nicht gefunden!</source>
        <translation>File %1 not found!</translation>
    </message>
</context>
<context>
    <name>TVQRReport</name>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Übersicht</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Kombination %1</source>
        <translation>Combination %1</translation>
    </message>
    <message>
        <source>Messwerte</source>
        <translation>Measured values</translation>
    </message>
    <message>
        <source>%1 · Aufnahme %2 · %3 · Gedruckt %4</source>
        <translation>%1 · Recorded %2 · %3 · Printed %4</translation>
    </message>
    <message>
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Kurve</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>Wert A</source>
        <translation>Value A</translation>
    </message>
    <message>
        <source>Wert B</source>
        <translation>Value B</translation>
    </message>
    <message>
        <source>B - A</source>
        <translation>B - A</translation>
    </message>
    <message>
        <source>Δt [h]</source>
        <translation>Δt [h]</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>bei [h]</source>
        <translation>at [h]</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Mittel</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Std.-Abw.</source>
        <translation>Std. dev.</translation>
    </message>
    <message>
        <source>Steigung/h</source>
        <translation>Slope/h</translation>
    </message>
    <message>
        <source>Untergrenze</source>
        <translation>Lower limit</translation>
    </message>
    <message>
        <source>Obergrenze</source>
        <translation>Upper limit</translation>
    </message>
    <message>
        <source>außerhalb [h]</source>
        <translation>outside [h]</translation>
    </message>
    <message>
        <source>außerhalb [%]</source>
        <translation>outside [%]</translation>
    </message>
    <message>
        <source>Ausflüge</source>
        <translation>Excursions</translation>
    </message>
    <message>
        <source>erster bei [h]</source>
        <translation>first at [h]</translation>
    </message>
    <message>
        <source>größte Abweichung</source>
        <translation>largest deviation</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Marke A bei %1 h, Marke B bei %2 h</source>
        <translation>Marker A at %1 h, marker B at %2 h</translation>
    </message>
    <message>
        <source>Angezeigter Zeitbereich %1 h bis %2 h</source>
        <translation>Time range shown %1 h to %2 h</translation>
    </message>
    <message>
        <source>keine Kurve</source>
        <translation>no curve</translation>
    </message>
    <message>
        <source>Grenzwerte</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>eingehalten</source>
        <translation>met</translation>
    </message>
    <message>
        <source>verletzt</source>
        <translation>violated</translation>
    </message>
    <message>
        <source>Notizen</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Zeit [h]</source>
        <translation>Time [h]</translation>
    </message>
    <message>
        <source>Notiz</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>TXLExportCore</name>
    <message>
        <source>Vorlage wird für .xlsx-Dateien nicht verwendet.</source>
        <translation>The template is not used for .xlsx files.</translation>
    </message>
    <message>
        <source> Ziel: </source>
        <translation> Target: </translation>
    </message>
    <message>
        <source>Mappe wählen für neue Tabelle</source>
        <translation>Choose the workbook for the new sheet</translation>
    </message>
    <message>
        <source>Tabelle wählen für VQR-Daten</source>
        <translation>Choose the sheet for the VQR data</translation>
    </message>
    <message>
        <source>Excel war nicht aktiv.</source>
        <translation>Excel was not running.</translation>
    </message>
    <message>
        <source>Excel nicht verfügbar!</source>
        <translation>Excel not available!</translation>
    </message>
    <message>
        <source> Mappe:     </source>
        <translation> Workbook:  </translation>
    </message>
    <message>
        <source>---Tabelle: </source>
        <translation>---Sheet:   </translation>
    </message>
</context>
<context>
    <name>TXlsxProvider</name>
    <message>
        <source>neue xlsx-Datei</source>
        <translation>new xlsx file</translation>
    </message>
</context>
<context>
    <name>WriteFailure</name>
    <message>
        <source>Die Datei %1 ist schreibgeschützt.</source>
        <translation>The file %1 is write-protected.</translation>
    </message>
    <message>
        <source>Das System hat keinen Grund genannt.</source>
        <translation>The system gave no reason.</translation>
    </message>
    <message>
        <source>Die Datei %1 gehört einem anderen Benutzer.</source>
        <translation>The file %1 belongs to another user.</translation>
    </message>
    <message>
        <source>Der Ordner %1 ist nicht zugänglich.</source>
        <translation>The folder %1 is not accessible.</translation>
    </message>
    <message>
        <source>Der Ordner %1 ist schreibgeschützt.</source>
        <translation>The folder %1 is write-protected.</translation>
    </message>
    <message>
        <source>Der Ordner %1 ist schreibgeschützt (der Datenträger ist nur lesbar).</source>
        <translation>The folder %1 is write-protected (the medium is read-only).</translation>
    </message>
    <message>
        <source>Im Ordner %1 ist kein Platz mehr frei: der Datenträger ist voll.</source>
        <translation>There is no space left in the folder %1: the medium is full.</translation>
    </message>
    <message>
        <source>Im Ordner %1 ist kein Platz mehr frei: Ihr Speicherkontingent ist erschöpft.</source>
        <translation>There is no space left in the folder %1: your disk quota is used up.</translation>
    </message>
    <message>
        <source>Die Datei wird zu groß für den Datenträger des Ordners %1.</source>
        <translation>The file becomes too large for the medium of the folder %1.</translation>
    </message>
    <message>
        <source>Es ist kein Dateiname angegeben.</source>
        <translation>No file name is given.</translation>
    </message>
    <message>
        <source>Der Ordner %1 nimmt keine neuen Dateien an.</source>
        <translation>The folder %1 takes no new files.</translation>
    </message>
    <message>
        <source>Der Ordner %1 existiert nicht.</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>Der Ordner %1 existiert nicht: ein Teil des Pfads ist eine Datei.</source>
        <translation>The folder %1 does not exist: a part of the path is a file.</translation>
    </message>
    <message>
        <source>%1 ist ein Ordner, keine Datei.</source>
        <translation>%1 is a folder, not a file.</translation>
    </message>
    <message>
        <source>Der Ordner %1 ist keine Datei.</source>
        <translation>The folder %1 is not a file.</translation>
    </message>
    <message>
        <source>Der Dateiname ist zu lang für den Ordner %1.</source>
        <translation>The file name is too long for the folder %1.</translation>
    </message>
    <message>
        <source>Der Weg zum Ordner %1 führt über zu viele Verknüpfungen.</source>
        <translation>The path to the folder %1 goes through too many links.</translation>
    </message>
    <message>
        <source>Der Datenträger des Ordners %1 meldet einen Ein-/Ausgabefehler.</source>
        <translation>The medium of the folder %1 reports an input/output error.</translation>
    </message>
    <message>
        <source>Die Datei %1 wird gerade benutzt.</source>
        <translation>The file %1 is in use.</translation>
    </message>
    <message>
        <source>Es sind zu viele Dateien geöffnet.</source>
        <translation>Too many files are open.</translation>
    </message>
    <message>
        <source>Der Arbeitsspeicher reicht nicht aus.</source>
        <translation>There is not enough memory.</translation>
    </message>
    <message>
        <source>Der Ordner %1 nimmt diesen Dateinamen nicht an.</source>
        <translation>The folder %1 does not take this file name.</translation>
    </message>
    <message>
        <source>Fehler im Ordner %1: %2.</source>
        <translation>Error in the folder %1: %2.</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht geschrieben werden.</source>
        <translation>The file %1 could not be written.</translation>
    </message>
</context>
</TS>
