<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddFilesByDialog</name>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Datei(en) hinzufügen - Strg gedrückt halten, um mehrere Dateien auszuwählen</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|</source>
        <translation>Alle Dateien (*.*)|*.*|</translation>
    </message>
</context>
<context>
    <name>AutoBackupSchedule</name>
    <message>
        <source>Auto Backup is Turned Off.</source>
        <translation>Automatische Sicherung ist ausgeschaltet.</translation>
    </message>
    <message>
        <source>Auto Backup is Off.</source>
        <translation>Automatische Sicherung ist aus.</translation>
    </message>
    <message>
        <source>Waiting for the backup drive...</source>
        <translation>Warte auf das Sicherungslaufwerk...</translation>
    </message>
    <message>
        <source>Next backup will occur in %1</source>
        <translation>Nächste Sicherung in %1</translation>
    </message>
    <message>
        <source>Turn On Auto Backup</source>
        <translation>Sicherung einschalten</translation>
    </message>
    <message>
        <source>Turn Off Auto Backup</source>
        <translation>Sicherung ausschalten</translation>
    </message>
</context>
<context>
    <name>BackupRun</name>
    <message>
        <source>No files added to backup.</source>
        <translation>Keine Dateien zum Sichern hinzugefügt.</translation>
    </message>
    <message>
        <source>Auto Backup Complete at %1</source>
        <translation>Automatische Sicherung beendet am %1</translation>
    </message>
</context>
<context>
    <name>BackupSetIntake</name>
    <message>
        <source>That file,<byte value="xd"/>%1<byte value="xd"/>was not restored and will not be kept.</source>
        <translation>Diese Datei,<byte value="xd"/>%1<byte value="xd"/>wurde nicht wiederhergestellt und wird nicht behalten.</translation>
    </message>
    <message>
        <source>Those %1 files, from<byte value="xd"/>%2<byte value="xd"/>on, were not restored and will not be kept.</source>
        <translation>Diese %1 Dateien ab<byte value="xd"/>%2<byte value="xd"/>wurden nicht wiederhergestellt und werden nicht behalten.</translation>
    </message>
    <message>
        <source>The backup set can hold at most %1 files; the stored set has %2 more.<byte value="xd"/><byte value="xd"/></source>
        <translation>Der Sicherungssatz kann höchstens %1 Dateien enthalten; der gespeicherte Satz hat %2 mehr.<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source>The backup set is full: it can hold at most %1 files.<byte value="xd"/><byte value="xd"/></source>
        <translation>Der Sicherungssatz ist voll: Er kann höchstens %1 Dateien enthalten.<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source><byte value="xd"/>and any files after it were not added.</source>
        <translation><byte value="xd"/>sowie alle nachfolgenden Dateien wurden nicht hinzugefügt.</translation>
    </message>
    <message>
        <source>&quot;;&quot; cannot be stored in the backup set</source>
        <translation>&quot;;&quot; kann nicht im Sicherungssatz gespeichert werden</translation>
    </message>
    <message>
        <source><byte value="xd"/><byte value="xd"/>was not added because </source>
        <translation><byte value="xd"/><byte value="xd"/>wurde nicht hinzugefügt, denn </translation>
    </message>
    <message>
        <source>it has bad characters in the filename</source>
        <translation>der Dateiname enthält ungültige Zeichen</translation>
    </message>
    <message>
        <source>%1 files were not added because they have bad characters in their filenames:<byte value="xd"/><byte value="xd"/></source>
        <translation>%1 Dateien wurden nicht hinzugefügt, da ihre Dateinamen ungültige Zeichen enthalten:<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source><byte value="xd"/>and %1 more.</source>
        <translation><byte value="xd"/>und %1 weitere.</translation>
    </message>
</context>
<context>
    <name>BackupTrigger</name>
    <message>
        <source>Backup is running in background...</source>
        <translation>Sicherung läuft im Hintergrund...</translation>
    </message>
    <message>
        <source>Backing up files...</source>
        <translation>Dateien werden gesichert...</translation>
    </message>
</context>
<context>
    <name>ClipboardCopy</name>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>&quot;%1&quot; kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>DestinationFolder</name>
    <message>
        <source>Please select folder:</source>
        <translation>Bitte Ordner auswählen:</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist. Create it?</source>
        <translation>Der Ordner &quot;%1&quot; existiert nicht. Soll er erstellt werden?</translation>
    </message>
</context>
<context>
    <name>DialogHelpers</name>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
</context>
<context>
    <name>FileVersions</name>
    <message>
        <source>%1 in %2</source>
        <translation>%1 in %2</translation>
    </message>
</context>
<context>
    <name>FolderIntake</name>
    <message>
        <source>Enter file extension to load:<byte value="xd"/><byte value="xd"/>(* for all files, txt for all txt files, doc for all doc files, etc.)</source>
        <translation>Dateierweiterung der zu ladenden Dateien eingeben:<byte value="xd"/><byte value="xd"/>(* für alle Dateien, txt für alle txt-Dateien, doc für alle doc-Dateien usw.)</translation>
    </message>
    <message>
        <source>Please select folder to add:</source>
        <translation>Bitte hinzuzufügenden Ordner auswählen:</translation>
    </message>
</context>
<context>
    <name>HistoryViewing</name>
    <message>
        <source>There isn&apos;t a history to view because actions have not been performed yet.</source>
        <translation>Es gibt noch keinen Verlauf zum Anzeigen, da noch keine Aktionen ausgeführt wurden.</translation>
    </message>
</context>
<context>
    <name>ImmediateBackup</name>
    <message>
        <source><byte value="xd"/><byte value="xd"/>Please email screenshot of this message to %1</source>
        <translation><byte value="xd"/><byte value="xd"/>Bitte senden Sie ein Bildschirmfoto dieser Meldung per E-Mail an %1</translation>
    </message>
</context>
<context>
    <name>IntervalList</name>
    <message>
        <source>How often would you like to backup?</source>
        <translation>Wie oft möchten Sie sichern?</translation>
    </message>
    <message>
        <source>Backup every 5 minutes</source>
        <translation>Alle 5 Minuten sichern</translation>
    </message>
    <message>
        <source>Backup every 10 minutes</source>
        <translation>Alle 10 Minuten sichern</translation>
    </message>
    <message>
        <source>Backup every 15 minutes</source>
        <translation>Alle 15 Minuten sichern</translation>
    </message>
    <message>
        <source>Backup every 20 minutes</source>
        <translation>Alle 20 Minuten sichern</translation>
    </message>
    <message>
        <source>Backup every 30 minutes</source>
        <translation>Alle 30 Minuten sichern</translation>
    </message>
    <message>
        <source>Backup every 1 hour</source>
        <translation>Jede Stunde sichern</translation>
    </message>
    <message>
        <source>Backup every 2 hours</source>
        <translation>Alle 2 Stunden sichern</translation>
    </message>
    <message>
        <source>Backup every 4 hours</source>
        <translation>Alle 4 Stunden sichern</translation>
    </message>
    <message>
        <source>Backup every 8 hours</source>
        <translation>Alle 8 Stunden sichern</translation>
    </message>
    <message>
        <source>Backup every 16 hours</source>
        <translation>Alle 16 Stunden sichern</translation>
    </message>
    <message>
        <source>Backup every 24 hours</source>
        <translation>Alle 24 Stunden sichern</translation>
    </message>
</context>
<context>
    <name>LoginStart</name>
    <message>
        <source>Quillstead will not start at login: its login entry could not be written.
%1</source>
        <translation>Quillstead wird nicht bei der Anmeldung gestartet: Der Anmeldeeintrag konnte nicht geschrieben werden.
%1</translation>
    </message>
    <message>
        <source>Quillstead will still start at login: its login entry could not be removed.
%1</source>
        <translation>Quillstead wird weiterhin bei der Anmeldung gestartet: Der Anmeldeeintrag konnte nicht entfernt werden.
%1</translation>
    </message>
</context>
<context>
    <name>MainWindowLayout</name>
    <message>
        <source>Next backup will occur in 00:00:00</source>
        <translation>Nächste Sicherung in 00:00:00</translation>
    </message>
    <message>
        <source>Set of files to backup</source>
        <translation>Zu sichernde Dateien</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Dateien hinzufügen</translation>
    </message>
    <message>
        <source>Add All File(s) In Folder</source>
        <translation>Ordnerinhalt hinzufügen</translation>
    </message>
    <message>
        <source>Save all backups to this folder:</source>
        <translation>Alle Sicherungen in diesem Ordner:</translation>
    </message>
    <message>
        <source>Save all backups to the same folder as the open files</source>
        <translation>Alle Sicherungen im selben Ordner wie die Dateien</translation>
    </message>
    <message>
        <source>Save all backups to this location:</source>
        <translation>Alle Sicherungen an diesem Ort:</translation>
    </message>
    <message>
        <source>View This Folder</source>
        <translation>Ordner anzeigen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Create new file on backup</source>
        <translation>Bei jeder Sicherung neue Datei anlegen</translation>
    </message>
    <message>
        <source>Overwrite old backup file on backup</source>
        <translation>Alte Sicherungsdatei überschreiben</translation>
    </message>
    <message>
        <source>Include date/time stamp in filename when creating backup file</source>
        <translation>Datum/Uhrzeit in den Namen der Sicherungsdatei aufnehmen</translation>
    </message>
    <message>
        <source>Backup all files as one zip file</source>
        <translation>Alles in eine ZIP-Datei sichern</translation>
    </message>
    <message>
        <source>Load this software on Windows startup</source>
        <translation>Beim Windows-Start laden</translation>
    </message>
    <message>
        <source>Start in system tray</source>
        <translation>Start im Infobereich</translation>
    </message>
    <message>
        <source>Backup Now (Test)</source>
        <translation>Jetzt sichern (Test)</translation>
    </message>
    <message>
        <source>View History Log</source>
        <translation>Verlauf anzeigen</translation>
    </message>
    <message>
        <source>Copy History To Clipboard</source>
        <translation>Verlauf in Zwischenablage</translation>
    </message>
    <message>
        <source>More Options...</source>
        <translation>Mehr Optionen...</translation>
    </message>
    <message>
        <source>Restore...</source>
        <translation>Wiederherstellen...</translation>
    </message>
    <message>
        <source>Time until the next backup</source>
        <translation>Zeit bis zur nächsten Sicherung</translation>
    </message>
    <message>
        <source>Delete removes the selected files from the set; Ctrl+Z puts back the last removed</source>
        <translation>Entf entfernt die ausgewählten Dateien aus dem Satz; Strg+Z holt die zuletzt entfernten zurück</translation>
    </message>
    <message>
        <source>Chooses files to add to the set</source>
        <translation>Wählt Dateien aus, die dem Satz hinzugefügt werden</translation>
    </message>
    <message>
        <source>Adds the files of a folder that have a given extension</source>
        <translation>Fügt die Dateien eines Ordners mit einer bestimmten Erweiterung hinzu</translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation>Sicherungsordner</translation>
    </message>
    <message>
        <source>The folder that receives all backups</source>
        <translation>Der Ordner, in dem alle Sicherungen abgelegt werden</translation>
    </message>
    <message>
        <source>Choose Folder</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>Chooses the backup folder in a folder chooser</source>
        <translation>Wählt den Sicherungsordner in einem Ordnerauswahldialog aus</translation>
    </message>
    <message>
        <source>Shows the backup folder in the file manager</source>
        <translation>Zeigt den Sicherungsordner im Dateimanager an</translation>
    </message>
    <message>
        <source>How often would you like to backup?</source>
        <translation>Wie oft möchten Sie sichern?</translation>
    </message>
    <message>
        <source>Starts or stops the backups at the chosen interval</source>
        <translation>Startet oder stoppt die Sicherungen im gewählten Intervall</translation>
    </message>
    <message>
        <source>Backs up every file of the set now</source>
        <translation>Sichert jetzt alle Dateien des Satzes</translation>
    </message>
    <message>
        <source>Opens the log of every backup made</source>
        <translation>Öffnet das Protokoll aller durchgeführten Sicherungen</translation>
    </message>
    <message>
        <source>Copies the history log to the clipboard</source>
        <translation>Kopiert das Verlaufsprotokoll in die Zwischenablage</translation>
    </message>
    <message>
        <source>How many copies are kept, skipping unchanged files, failures</source>
        <translation>Anzahl aufbewahrter Kopien, Überspringen unveränderter Dateien, Verhalten bei Fehlern</translation>
    </message>
    <message>
        <source>Puts back an earlier version of a file of the set</source>
        <translation>Stellt eine frühere Version einer Datei des Satzes wieder her</translation>
    </message>
    <message>
        <source>Drag and drop files here. Move | bar to the right if needed.</source>
        <translation>Dateien hierher ziehen. Leiste | bei Bedarf nach rechts schieben.</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move bar to right and out of window to reveal full names.</source>
        <translation>Dateien hierher ziehen. Doppelklick entfernt einen Eintrag. Leiste nach rechts aus dem Fenster schieben, um volle Namen zu sehen.</translation>
    </message>
</context>
<context>
    <name>MoreOptionsDialog</name>
    <message>
        <source>More Options</source>
        <translation>Mehr Optionen</translation>
    </message>
    <message>
        <source>Keep only the newest</source>
        <translation>Nur die neuesten</translation>
    </message>
    <message>
        <source>dated copies of each file (0 keeps all)</source>
        <translation>datierten Kopien jeder Datei behalten (0 = alle)</translation>
    </message>
    <message>
        <source>Also keep the newest copy of each of the last</source>
        <translation>Außerdem die neueste Kopie jedes der letzten</translation>
    </message>
    <message>
        <source>days and of each of the last</source>
        <translation>Tage und jeder der letzten</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>Wochen behalten</translation>
    </message>
    <message>
        <source>Skip files that have not changed since their last backup</source>
        <translation>Dateien überspringen, die sich seit ihrer letzten Sicherung nicht geändert haben</translation>
    </message>
    <message>
        <source>Keep to the schedule across restarts and sleep (a missed backup runs once, a minute after start-up or waking)</source>
        <translation>Zeitplan über Neustarts und Ruhezustand hinweg einhalten (eine versäumte Sicherung läuft einmal, eine Minute nach dem Start oder Aufwachen)</translation>
    </message>
    <message>
        <source>When a file cannot be backed up during an automatic backup</source>
        <translation>Wenn eine Datei bei einer automatischen Sicherung nicht gesichert werden kann</translation>
    </message>
    <message>
        <source>Show a message and wait for OK</source>
        <translation>Meldung anzeigen und auf OK warten</translation>
    </message>
    <message>
        <source>Note it in the history log and the tray, and go on</source>
        <translation>Im Verlaufsprotokoll und im Infobereich vermerken und fortfahren</translation>
    </message>
    <message>
        <source>Preview...</source>
        <translation>Vorschau...</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Dated copies kept of each file</source>
        <translation>Behaltene datierte Kopien je Datei</translation>
    </message>
    <message>
        <source>0 keeps all</source>
        <translation>0 behält alle</translation>
    </message>
    <message>
        <source>Days with a copy kept</source>
        <translation>Tage mit behaltener Kopie</translation>
    </message>
    <message>
        <source>Weeks with a copy kept</source>
        <translation>Wochen mit behaltener Kopie</translation>
    </message>
</context>
<context>
    <name>ProcessLauncher</name>
    <message>
        <source>error in command line syntax</source>
        <translation>Fehler in der Befehlszeilensyntax</translation>
    </message>
    <message>
        <source>one of the files passed on the command line did not exist</source>
        <translation>eine der in der Befehlszeile übergebenen Dateien existierte nicht</translation>
    </message>
    <message>
        <source>a required tool could not be found</source>
        <translation>ein benötigtes Programm wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the action failed</source>
        <translation>die Aktion ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>it gave no reason</source>
        <translation>es wurde kein Grund angegeben</translation>
    </message>
    <message>
        <source>%1 stopped: %2</source>
        <translation>%1 wurde abgebrochen: %2</translation>
    </message>
    <message>
        <source>%1 ended with status %2: %3</source>
        <translation>%1 wurde mit Status %2 beendet: %3</translation>
    </message>
    <message>
        <source>Cannot start &quot;%1 %2&quot;: %3</source>
        <translation>&quot;%1 %2&quot; kann nicht gestartet werden: %3</translation>
    </message>
</context>
<context>
    <name>RestoreWindow</name>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Shows only the files whose path holds this text</source>
        <translation>Zeigt nur die Dateien, deren Pfad diesen Text enthält</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Versions</source>
        <translation>Versionen</translation>
    </message>
    <message>
        <source>Newest first; Enter restores the selected one</source>
        <translation>Neueste zuerst; Eingabe stellt die ausgewählte wieder her</translation>
    </message>
    <message>
        <source>Made</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Restore...</source>
        <translation>Wiederherstellen...</translation>
    </message>
    <message>
        <source>Restore To...</source>
        <translation>Wiederherstellen nach...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Im Ordner anzeigen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Files in the backup set:</source>
        <translation>Dateien im Sicherungssatz:</translation>
    </message>
    <message>
        <source>Versions of the selected file, newest first:</source>
        <translation>Versionen der ausgewählten Datei, neueste zuerst:</translation>
    </message>
    <message>
        <source>the plain backup copy</source>
        <translation>die einfache Sicherungskopie</translation>
    </message>
    <message>
        <source>same as the current file</source>
        <translation>identisch mit der aktuellen Datei</translation>
    </message>
    <message>
        <source>(found by name; may be another file of the same name)</source>
        <translation>(nach Namen gefunden; kann eine andere Datei gleichen Namens sein)</translation>
    </message>
    <message>
        <source>Put back %1 as it was at %2? The current file is first kept as a backup.</source>
        <translation>%1 auf den Stand vom %2 zurücksetzen? Die aktuelle Datei wird zuvor als Sicherung aufbewahrt.</translation>
    </message>
    <message>
        <source>Restore To</source>
        <translation>Wiederherstellen nach</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists. Replace it?</source>
        <translation>&quot;%1&quot; ist bereits vorhanden. Ersetzen?</translation>
    </message>
</context>
<context>
    <name>Restorer</name>
    <message>
        <source>The copy was lost</source>
        <translation>Die Kopie ging verloren</translation>
    </message>
    <message>
        <source>The archiver could not be started (%1): %2</source>
        <translation>Der Archivierer konnte nicht gestartet werden (%1): %2</translation>
    </message>
    <message>
        <source>The archiver was %1.</source>
        <translation>Archivierer: %1.</translation>
    </message>
    <message>
        <source>The program is closing.</source>
        <translation>Das Programm wird beendet.</translation>
    </message>
    <message>
        <source>The archive does not hold &quot;%1&quot;.</source>
        <translation>Das Archiv enthält &quot;%1&quot; nicht.</translation>
    </message>
    <message>
        <source>The archiver failed with exit code %1:</source>
        <translation>Der Archivierer ist mit Exit-Code %1 fehlgeschlagen:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be taken out of &quot;%2&quot;. %3<byte value="xd"/>
Command: %4</source>
        <translation>&quot;%1&quot; konnte nicht aus &quot;%2&quot; entnommen werden. %3<byte value="xd"/>
Befehl: %4</translation>
    </message>
</context>
<context>
    <name>RunProgress</name>
    <message>
        <source>packing %1%</source>
        <translation>packe %1%</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>SettingsProblems</name>
    <message>
        <source>The settings file<byte value="xd"/>%1<byte value="xd"/>was not used: %2.<byte value="xd"/><byte value="xd"/></source>
        <translation>Die Einstellungsdatei<byte value="xd"/>%1<byte value="xd"/>wurde nicht verwendet: %2.<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source>It was kept as<byte value="xd"/>%1<byte value="xd"/>and Quillstead starts with its default settings.</source>
        <translation>Sie wurde aufbewahrt als<byte value="xd"/>%1<byte value="xd"/>und Quillstead startet mit den Standardeinstellungen.</translation>
    </message>
    <message>
        <source>It could not be kept aside (%1), so it was left as it is. Quillstead starts with its default settings, and changes will not be kept.</source>
        <translation>Sie konnte nicht beiseitegelegt werden (%1) und wurde daher unverändert gelassen. Quillstead startet mit den Standardeinstellungen, und Änderungen werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>The settings could not be written to<byte value="xd"/>%1<byte value="xd"/>(%2).<byte value="xd"/><byte value="xd"/>Changes made while Quillstead runs will not be kept.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden in<byte value="xd"/>%1<byte value="xd"/>(%2).<byte value="xd"/><byte value="xd"/>Änderungen, die während der Ausführung von Quillstead vorgenommen werden, werden nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>sie kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>it holds no readable [%1] section</source>
        <translation>sie enthält keinen lesbaren Abschnitt [%1]</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created</source>
        <translation>der Ordner %1 kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written to (%2)</source>
        <translation>in den Ordner %1 kann nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>the file system refused the write</source>
        <translation>das Dateisystem hat den Schreibvorgang verweigert</translation>
    </message>
</context>
<context>
    <name>Splash</name>
    <message>
        <source>Hide this at next startup</source>
        <translation>Beim nächsten Start ausblenden</translation>
    </message>
</context>
<context>
    <name>TrayWarning</name>
    <message>
        <source>1 file could not be backed up in the last run, at %1.</source>
        <translation>1 Datei konnte beim letzten Lauf nicht gesichert werden (%1).</translation>
    </message>
    <message>
        <source>%1 files could not be backed up in the last run, at %2.</source>
        <translation>%1 Dateien konnten beim letzten Lauf nicht gesichert werden (%2).</translation>
    </message>
    <message>
        <source>No backup since %1</source>
        <translation>Keine Sicherung seit %1</translation>
    </message>
</context>
<context>
    <name>TrimPreview</name>
    <message>
        <source>1 copy</source>
        <translation>1 Kopie</translation>
    </message>
    <message>
        <source>%1 copies</source>
        <translation>%1 Kopien</translation>
    </message>
    <message>
        <source>The next backup would delete no copies.</source>
        <translation>Die nächste Sicherung würde keine Kopien löschen.</translation>
    </message>
    <message>
        <source>The next backup would delete %1:</source>
        <translation>Die nächste Sicherung würde %1 löschen:</translation>
    </message>
    <message>
        <source>Archives in %1</source>
        <translation>Archive in %1</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
</context>
<context>
    <name>WindowBackupTrigger</name>
    <message>
        <source>A backup is under way; preview again when it has ended.</source>
        <translation>Eine Sicherung läuft gerade; rufen Sie die Vorschau erneut auf, wenn sie beendet ist.</translation>
    </message>
    <message>
        <source>A backup is under way. Try again when it has ended.</source>
        <translation>Eine Sicherung läuft gerade. Versuchen Sie es erneut, wenn sie beendet ist.</translation>
    </message>
    <message>
        <source>The current file could not be kept as a backup.</source>
        <translation>Die aktuelle Datei konnte nicht als Sicherung aufbewahrt werden.</translation>
    </message>
    <message>
        <source>No backup folder is there.</source>
        <translation>Es ist kein Sicherungsordner vorhanden.</translation>
    </message>
    <message>
        <source>The current file could not be kept as a backup, so nothing was restored.<byte value="xd"/>
</source>
        <translation>Die aktuelle Datei konnte nicht als Sicherung aufbewahrt werden, daher wurde nichts wiederhergestellt.<byte value="xd"/>
</translation>
    </message>
</context>
</TS>
