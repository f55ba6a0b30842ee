#include "shell/messages.h"

#include <array>
#include <cstdio>

#include "link/identity.h"

namespace korvan {
namespace {

struct MessageTexts {
  MessageKey key;
  std::array<std::string_view, 4> text;  // English, German, French, Czech, each written out
};

// The German, French and Czech texts are the ones the station has always shown, spelling
// included: tuners know them by sight; a few have always been English in some languages and are
// written out so. Texts for what only this station reports follow them.
constexpr MessageTexts kMessages[] = {
    {MessageKey::kMsgHelpFile,
     {"korvan_2007_en.pdf", "korvan_2007_de.pdf", "korvan_2007_fr.pdf", "korvan_2007_cz.pdf"}},
    {MessageKey::kMsgProgramError,
     {"Program error!", "Programmierfehler!", "Erreur de programmation!", "Chyba programování"}},
    {MessageKey::kMsgVerifyError,
     {"Verify error!", "Vergleichsfehler", "Verifier erreur!", "Chyba verifikace!"}},
    {MessageKey::kMsgReadError, {"Read error!", "Lesefehler", "Lire erreur!", "Chyba čtení!"}},
    {MessageKey::kMsgProgramProgress,
     {"Program device:", "Programmieren:", "Programmer:", "Programování:"}},
    {MessageKey::kMsgUnitVersionMismatch,
     {"Unmatched version of PC and Ignition programs!",
      "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
      "Programme du boitier d´alumage non compatible avec programme PC!",
      "Neshodné verze proramu v PC a v zapalování!"}},
    {MessageKey::kMsgVerifyProgress, {"Verify:", "Vergleichen:", "Vérifier:", "Verifikace:"}},
    {MessageKey::kMsgReadProgress, {"Read:", "Lesen:", "Lire", "Čtení:"}},
    {MessageKey::kMsgSavingProgress, {"Saving:", "Speicherung:", "Mémorisation", "Ukládání:"}},
    {MessageKey::kMsgComOpenError,
     {"Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!",
      "Chyba při otevírání portu Com!"}},
    {MessageKey::kMsgFileOpenError,
     {"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!",
      "Chyba při otevírání souboru!"}},
    {MessageKey::kMsgAskDefaults,
     {"Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
      "Voulez vous la programation de base?", "Chcete nastavit základní hodnoty?"}},
    {MessageKey::kMsgAskDefaultsPage,
     {"Do you want default setting for this page?",
      "Wollen Sie Standardeinstellungen für diese Seite öffnen?",
      "Voulez vous la programation de base pour page?",
      "Chcete nastavit základní hodnoty pro tuto záložku?"}},
    {MessageKey::kMsgFileVersionMismatch,
     {"Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
      "Programme du fichier non compatible avec programme PC!", "Neshodná verze souboru *.ign!"}},
    {MessageKey::kMsgNoReading,
     {"No reading!", "Lesen verboten!", "Pas axessible!", "Zákaz čtení!"}},
    {MessageKey::kMsgHelpOpenError,
     {"Error by opening file ", "Fehler beim öffnen der Datei ", "Erreur à l´ouvertur du Fichier ",
      "Chyba při otevírání souboru "}},
    {MessageKey::kMsgNoConnection,
     {"No connection with PC", "Keine Verbindung zum PC", "Pas de connection acec pc",
      "Není spojení s PC"}},
    {MessageKey::kMsgSettingsUnreadable,
     {"Saved settings could not be read, defaults in use!",
      "Gespeicherte Einstellungen nicht lesbar, Standardwerte aktiv!",
      "Réglages enregistrés illisibles, valeurs par défaut utilisées!",
      "Uložené nastavení nelze přečíst, platí výchozí hodnoty!"}},
    {MessageKey::kMsgReadCancelled,
     {"Read interrupted!", "Lesen abgebrochen!", "Lecture interrompue!", "Čtení přerušeno!"}},
    {MessageKey::kMsgWrongProgramBike,
     {"This version of program Korvan_Max_Power.exe is not for required bike!",
      "Diese Version des Programs Korvan_Max_Power.exe ist nicht für angeforderte Motorrad!",
      "This version of program Korvan_Max_Power.exe is not for required bike!",
      "Tato verze programu Korvan_Max_Power.exe není pro požadovanou motorku!"}},
    {MessageKey::kMsgMemoCharacter,
     {"The memo was not stored: it cannot hold this character:",
      "Das Memo wurde nicht gespeichert, dieses Zeichen ist darin nicht möglich:",
      "Le mémo n'a pas été enregistré, il ne peut pas contenir ce caractère :",
      "Poznámka nebyla uložena, tento znak v ní nelze uchovat:"}},
    {MessageKey::kMsgMemoTooLong,
     {"The memo was not stored: it holds at most 149 characters (a line break counts two).",
      "Das Memo wurde nicht gespeichert: es fasst höchstens 149 Zeichen (ein Zeilenumbruch zählt "
      "zwei).",
      "Le mémo n'a pas été enregistré : il contient au plus 149 caractères (un saut de ligne "
      "compte deux).",
      "Poznámka nebyla uložena: pojme nejvýše 149 znaků (konec řádku se počítá za dva)."}},
    {MessageKey::kMsgNeedIntakeServo,
     {"Intake servo must be enabled", "Intake servo must be enabled",
      "Intake servo must be enabled", "Musí být povoleno sací servo"}},
    {MessageKey::kMsgNeedNoIntakeServo,
     {"Intake servo must be disabled", "Intake servo must be disabled",
      "Intake servo must be disabled", "Sací servo nesmí být povoleno"}},
    {MessageKey::kMsgDesiredRpm,
     {"desired RPM", "gewünschte Drehzahl", "régime désiré", "požadované otáčky"}},
    {MessageKey::kMsgServoStartPosition,
     {"Start position of intake servo", "Startposition des Ansaugservos",
      "Position de départ du servo d'admission", "Startovní poloha sacího serva"}},
    {MessageKey::kMsgServoTpsMinSteps,
     {"TPS min [in steps of servo]", "TPS min [in Servoschritten]", "TPS min [en pas du servo]",
      "TPS min [v krocích serva]"}},
    {MessageKey::kMsgPrintDate,
     {"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ",
      "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "}},
    {MessageKey::kMsgPrintedToPdf,
     {"No printer: the page was saved as ", "Kein Drucker: die Seite wurde gespeichert als ",
      "Pas d'imprimante : la page a été enregistrée sous ",
      "Žádná tiskárna: stránka byla uložena jako "}},
    {MessageKey::kMsgPrintFailed,
     {"The page could not be printed: ", "Die Seite konnte nicht gedruckt werden: ",
      "La page n'a pas pu être imprimée : ", "Stránku nelze vytisknout: "}},
    {MessageKey::kMsgBatchResults,
     {"Results in file ", "Ergebnisse in der Datei ", "Résultats dans le fichier ",
      "Výsledky v souboru "}},
    {MessageKey::kMsgBatchReportError,
     {"Cannot write the comparison report ", "Vergleichsbericht kann nicht geschrieben werden: ",
      "Impossible d'écrire le rapport de comparaison ", "Nelze zapsat protokol porovnání "}},
    // The datalog.
    {MessageKey::kMsgLogNotARecording,
     {"The file is not a recording of this station.",
      "Die Datei ist keine Aufzeichnung dieser Station.",
      "Le fichier n'est pas un enregistrement de cette station.",
      "Soubor není záznamem této stanice."}},
    {MessageKey::kMsgLogNewerFormat,
     {"The recording was made by a newer station and cannot be read.",
      "Die Aufzeichnung stammt von einer neueren Station und kann nicht gelesen werden.",
      "L'enregistrement vient d'une station plus récente et ne peut pas être lu.",
      "Záznam pochází z novější stanice a nelze jej přečíst."}},
    {MessageKey::kMsgLogTooLarge,
     {"The recording is too large to open.", "Die Aufzeichnung ist zu groß zum Öffnen.",
      "L'enregistrement est trop grand pour être ouvert.", "Záznam je příliš velký."}},
    {MessageKey::kMsgLogWriteFailed,
     {"The recording could not be written: ", "Die Aufzeichnung konnte nicht geschrieben werden: ",
      "L'enregistrement n'a pas pu être écrit : ", "Záznam nelze zapsat: "}},
    {MessageKey::kMsgLogTornRecord,
     {"The last record of the recording was incomplete and was skipped.",
      "Der letzte Datensatz der Aufzeichnung war unvollständig und wurde übersprungen.",
      "Le dernier enregistrement était incomplet et a été ignoré.",
      "Poslední záznam byl neúplný a byl vynechán."}},
    {MessageKey::kMsgLogDamagedRecords,
     {"Damaged records skipped: ", "Beschädigte Datensätze übersprungen: ",
      "Enregistrements endommagés ignorés : ", "Vynechané poškozené záznamy: "}},
    {MessageKey::kMsgLogMenu, {"&Log", "Daten&log", "&Journal", "&Záznam"}},
    {MessageKey::kMsgLogStartRecording,
     {"Start recording", "Aufzeichnung starten", "Démarrer l'enregistrement", "Spustit záznam"}},
    {MessageKey::kMsgLogStopRecording,
     {"Stop recording", "Aufzeichnung beenden", "Arrêter l'enregistrement", "Zastavit záznam"}},
    {MessageKey::kMsgLogFolder, {"Folder: ", "Ordner: ", "Dossier : ", "Složka: "}},
    {MessageKey::kMsgLogReplay,
     {"Replay recording...", "Aufzeichnung abspielen...", "Rejouer un enregistrement...",
      "Přehrát záznam..."}},
    {MessageKey::kMsgLogStopReplay,
     {"Stop replay", "Wiedergabe beenden", "Arrêter la relecture", "Ukončit přehrávání"}},
    {MessageKey::kMsgLogExportCsv,
     {"Export recording as CSV...", "Aufzeichnung als CSV exportieren...",
      "Exporter l'enregistrement en CSV...", "Exportovat záznam do CSV..."}},
    {MessageKey::kMsgLogPlot, {"Plot...", "Diagramm...", "Graphique...", "Graf..."}},
    {MessageKey::kMsgLogFastLiveData,
     {"Fast live data", "Schnelle Live-Daten", "Données en direct rapides", "Rychlá živá data"}},
    {MessageKey::kMsgLogReplaying,
     {"Replay, the unit is not asked: ", "Wiedergabe, die Zündung wird nicht abgefragt: ",
      "Relecture, le boîtier n'est pas interrogé : ", "Přehrávání, zapalování se nedotazuje: "}},
    {MessageKey::kMsgLogBusy,
     {"Wait until the unit's transfer has finished.",
      "Warten Sie, bis die Übertragung beendet ist.",
      "Attendez la fin du transfert avec le boîtier.", "Počkejte na dokončení přenosu."}},
    {MessageKey::kMsgLogPlay, {"Play", "Abspielen", "Lecture", "Přehrát"}},
    {MessageKey::kMsgLogPause, {"Pause", "Pause", "Pause", "Pozastavit"}},
    {MessageKey::kMsgLogStep, {"Step", "Schritt", "Pas", "Krok"}},
    {MessageKey::kMsgLogEmpty,
     {"The recording holds no complete frame.", "Die Aufzeichnung enthält keinen vollständigen Rahmen.",
      "L'enregistrement ne contient aucune trame complète.", "Záznam neobsahuje žádný úplný rámec."}},
    {MessageKey::kMsgDiffTitle,
     {"Differences", "Unterschiede", "Différences", "Rozdíly"}},
    {MessageKey::kMsgDiffUnit, {"Unit", "Steuergerät", "Boîtier", "Jednotka"}},
    {MessageKey::kMsgDiffFile, {"File...", "Datei...", "Fichier...", "Soubor..."}},
    {MessageKey::kMsgDiffWorkingSet,
     {"Working set", "Arbeitssatz", "Jeu de travail", "Pracovní sada"}},
    {MessageKey::kMsgDiffReadUnit,
     {"Read unit", "Steuergerät lesen", "Lire le boîtier", "Načíst jednotku"}},
    {MessageKey::kMsgDiffTakeSelected,
     {"Take selected into the working set", "Auswahl in den Arbeitssatz übernehmen",
      "Reprendre la sélection dans le jeu de travail", "Převzít vybrané do pracovní sady"}},
    {MessageKey::kMsgDiffAllPages, {"All pages", "Alle Seiten", "Toutes les pages", "Všechny stránky"}},
    {MessageKey::kMsgDiffRawBytes,
     {"Bytes without a field", "Bytes ohne Feld", "Octets sans champ", "Bajty bez pole"}},
    {MessageKey::kMsgDiffCellsDiffer,
     {" cells differ", " Zellen verschieden", " cellules différentes", " buněk se liší"}},
    {MessageKey::kMsgDiffValuesDiffer,
     {" values differ", " Werte verschieden", " valeurs différentes", " hodnot se liší"}},
    {MessageKey::kMsgDiffLargest, {"largest ", "größte ", "la plus grande ", "největší "}},
    {MessageKey::kMsgDiffRow, {"row", "Zeile", "ligne", "řádek"}},
    {MessageKey::kMsgDiffColumn, {"column", "Spalte", "colonne", "sloupec"}},
    {MessageKey::kMsgDiffOffset, {"offset ", "Adresse ", "adresse ", "adresa "}},
    {MessageKey::kMsgDiffEqual,
     {"The two sets are equal.", "Die beiden Sätze sind gleich.", "Les deux jeux sont identiques.",
      "Obě sady jsou shodné."}},
    {MessageKey::kMsgDiffPage, {"Page", "Seite", "Page", "Stránka"}},
    {MessageKey::kMsgDiffField, {"Field", "Feld", "Champ", "Pole"}},
    {MessageKey::kMsgDiffPlace, {"Cell", "Zelle", "Cellule", "Buňka"}},
    {MessageKey::kMsgDiffUnitNotRead,
     {"The unit has not been read yet: press \"Read unit\".",
      "Das Steuergerät wurde noch nicht gelesen: \"Steuergerät lesen\" drücken.",
      "Le boîtier n'a pas encore été lu : appuyez sur \"Lire le boîtier\".",
      "Jednotka ještě nebyla načtena: stiskněte \"Načíst jednotku\"."}},
    {MessageKey::kMsgDiffCellDiffers,
     {" cell differs", " Zelle verschieden", " cellule différente", " buňka se liší"}},
    {MessageKey::kMsgDiffValueDiffers,
     {" value differs", " Wert verschieden", " valeur différente", " hodnota se liší"}},
    // Undo and redo steps, opened files and taken differences are journalled too: the count is
    // of changes, not of edits.
    {MessageKey::kMsgJournalRestore,
     {"The station was not closed properly. Its journal holds {count} unsaved changes (edits, "
      "undo and redo steps, files opened, differences taken), made from {first} to {last}. "
      "Restore the working set as it was after the last change?",
      "Die Station wurde nicht ordnungsgemäß beendet. Ihr Journal enthält {count} nicht "
      "gespeicherte Änderungen (Eingaben, Rückgängig- und Wiederholen-Schritte, geöffnete "
      "Dateien, übernommene Unterschiede) von {first} bis {last}. Den Arbeitssatz nach der "
      "letzten Änderung wiederherstellen?",
      "La station n'a pas été fermée correctement. Son journal contient {count} modifications "
      "non enregistrées (saisies, annulations et rétablissements, fichiers ouverts, différences "
      "reprises), faites du {first} au {last}. Restaurer le jeu de travail tel qu'il était après "
      "la dernière ?",
      "Stanice nebyla řádně ukončena. Její deník obsahuje neuložené změny (úpravy, kroky zpět a "
      "znovu, otevřené soubory, převzaté rozdíly), počet: {count}, provedené od {first} do "
      "{last}. Obnovit pracovní sadu ve stavu po poslední změně?"}},
    {MessageKey::kMsgJournalWriteFailed,
     // Short enough for the status line in every language: its key words must not be cut.
     {"Edit journal not writable: save often!",
      "Änderungsjournal nicht beschreibbar: oft speichern!",
      "Journal des modifications non inscriptible : enregistrez souvent !",
      "Deník změn nelze zapsat: ukládejte často!"}},
    {MessageKey::kMsgComMissing,
     {"no such device: is the adapter plugged in?",
      "Gerät nicht vorhanden: ist der Adapter eingesteckt?",
      "périphérique absent : l'adaptateur est-il branché ?",
      "zařízení neexistuje: je adaptér připojen?"}},
    {MessageKey::kMsgComPermissionDenied,
     {"permission denied: add your user to the dialout group",
      "Zugriff verweigert: fügen Sie Ihren Benutzer der Gruppe dialout hinzu",
      "permission refusée : ajoutez votre utilisateur au groupe dialout",
      "přístup odepřen: přidejte svého uživatele do skupiny dialout"}},
    {MessageKey::kMsgComBusy,
     {"port busy: another program is using it",
      "Anschluss belegt: ein anderes Programm benutzt ihn",
      "port occupé : un autre programme l'utilise",
      "port je obsazen: používá ho jiný program"}},
    {MessageKey::kMsgJournalRestoreOne,
     {"The station was not closed properly. Its journal holds 1 unsaved change, made at "
      "{first}. Restore the working set as it was after it?",
      "Die Station wurde nicht ordnungsgemäß beendet. Ihr Journal enthält 1 nicht gespeicherte "
      "Änderung von {first}. Den Arbeitssatz nach dieser Änderung wiederherstellen?",
      "La station n'a pas été fermée correctement. Son journal contient 1 modification non "
      "enregistrée, faite le {first}. Restaurer le jeu de travail tel qu'il était après elle ?",
      "Stanice nebyla řádně ukončena. Její deník obsahuje 1 neuloženou změnu provedenou "
      "{first}. Obnovit pracovní sadu ve stavu po této změně?"}},
    {MessageKey::kMsgJournalDamaged,
     {"Part of the journal was damaged: the newest intact state is offered, which may lack the "
      "last changes.",
      "Ein Teil des Journals war beschädigt: angeboten wird der neueste unversehrte Stand, dem "
      "die letzten Änderungen fehlen können.",
      "Une partie du journal était endommagée : l'état intact le plus récent est proposé ; les "
      "dernières modifications peuvent y manquer.",
      "Část deníku byla poškozena: nabízí se nejnovější neporušený stav, mohou v něm chybět "
      "poslední změny."}},
    {MessageKey::kMsgJournalAside,
     {"No keeps the changes aside: {menu} > {item} brings them back later.",
      "Nein legt die Änderungen zurück: {menu} > {item} holt sie später wieder.",
      "Non les met de côté : {menu} > {item} les reprend plus tard.",
      "Ne je odloží: {menu} > {item} je později vrátí."}},
    {MessageKey::kMsgJournalAsideNone,
     {"No changes are set aside.", "Es sind keine Änderungen zurückgelegt.",
      "Aucune modification n'est mise de côté.", "Žádné změny nejsou odloženy."}},
    {MessageKey::kMsgJournalAsideRow,
     {"Last change {last} · first {first} · changes: {count}",
      "Letzte Änderung {last} · erste {first} · Änderungen: {count}",
      "Dernière modification {last} · première {first} · modifications : {count}",
      "Poslední změna {last} · první {first} · počet změn: {count}"}},
    {MessageKey::kMsgJournalAsideRestore, {"Restore", "Wiederherstellen", "Restaurer", "Obnovit"}},
    {MessageKey::kMsgJournalAsideDelete, {"Delete", "Löschen", "Supprimer", "Smazat"}},
    {MessageKey::kMsgJournalAsideClose, {"Close", "Schließen", "Fermer", "Zavřít"}},
    {MessageKey::kMsgJournalAsideDeleteAsk,
     {"Delete the set-aside changes whose last change was made at {last}? They cannot be "
      "restored afterwards.",
      "Die zurückgelegten Änderungen mit der letzten Änderung von {last} löschen? Sie können "
      "danach nicht mehr wiederhergestellt werden.",
      "Supprimer les modifications mises de côté dont la dernière date du {last} ? Elles ne "
      "pourront plus être restaurées.",
      "Smazat odložené změny s poslední změnou {last}? Potom je již nebude možné obnovit."}},
    {MessageKey::kMsgHelpViewerFailed,
     {"No program could show it. The document is here:",
      "Kein Programm konnte es anzeigen. Das Dokument liegt hier:",
      "Aucun programme n'a pu l'afficher. Le document se trouve ici :",
      "Žádný program ho nedokázal zobrazit. Dokument je zde:"}},
    {MessageKey::kMsgHelpDocumentMissing,
     {"The document is missing. It was looked for here:",
      "Das Dokument fehlt. Es wurde hier gesucht:",
      "Le document est absent. Il a été cherché ici :", "Dokument chybí. Hledal se zde:"}},
    {MessageKey::kMsgFileDamaged,
     {"Incomplete or damaged file:", "Datei unvollständig oder beschädigt:",
      "Fichier incomplet ou endommagé :", "Soubor je neúplný nebo poškozený:"}},
    {MessageKey::kMsgAskProgramDamaged,
     {"This set comes from an incomplete or damaged file ({sections}): what the file lacks was "
      "taken from the bike's default set. Program it into the unit anyway?",
      "Dieser Satz stammt aus einer unvollständigen oder beschädigten Datei ({sections}): was der "
      "Datei fehlt, kommt aus dem Standardsatz des Motorrads. Trotzdem in das Steuergerät "
      "programmieren?",
      "Ce jeu vient d'un fichier incomplet ou endommagé ({sections}) : ce qui manque au fichier "
      "vient du jeu de base de la moto. Le programmer quand même dans le boîtier ?",
      "Tato sada pochází z neúplného nebo poškozeného souboru ({sections}): co v souboru chybí, "
      "bylo vzato ze základní sady motocyklu. Přesto ji naprogramovat do jednotky?"}},
    {MessageKey::kMsgNotAFileFolder,
     {"this is a folder, not a file", "dies ist ein Ordner, keine Datei",
      "ceci est un dossier, pas un fichier", "toto je složka, ne soubor"}},
    {MessageKey::kMsgNotAFilePipe,
     {"this is a named pipe (FIFO), not a file: it is not read",
      "dies ist eine benannte Pipe (FIFO), keine Datei: sie wird nicht gelesen",
      "ceci est un tube nommé (FIFO), pas un fichier : il n'est pas lu",
      "toto je pojmenovaná roura (FIFO), ne soubor: nečte se"}},
    {MessageKey::kMsgNotAFileDevice,
     {"this is a device, not a file: it is not read",
      "dies ist ein Gerät, keine Datei: es wird nicht gelesen",
      "ceci est un périphérique, pas un fichier : il n'est pas lu",
      "toto je zařízení, ne soubor: nečte se"}},
    {MessageKey::kMsgNotAFileOther,
     {"this is not a regular file: it is not read",
      "dies ist keine gewöhnliche Datei: sie wird nicht gelesen",
      "ceci n'est pas un fichier ordinaire : il n'est pas lu", "toto není běžný soubor: nečte se"}},
    {MessageKey::kMsgFolderReadOnly,
     {"the folder is read-only: save elsewhere",
      "der Ordner ist schreibgeschützt: anderswo speichern",
      "le dossier est en lecture seule : enregistrez ailleurs",
      "složka je jen pro čtení: uložte jinam"}},
    {MessageKey::kMsgComHeldBy,
     {"held by process {process}", "belegt von Prozess {process}",
      "tenu par le processus {process}", "drží ho proces {process}"}},
    {MessageKey::kMsgOutputIsInput,
     {"The output is the input itself (the same file or a link to it); nothing was written: ",
      "Die Ausgabe ist die Eingabe selbst (dieselbe Datei oder ein Link darauf); nichts wurde "
      "geschrieben: ",
      "La sortie est l'entrée elle-même (le même fichier ou un lien vers lui) ; rien n'a été "
      "écrit : ",
      "Výstup je sám vstup (tentýž soubor nebo odkaz na něj); nic nebylo zapsáno: "}},
    {MessageKey::kMsgDiffWithBikeConstants,
     {"(with engine configuration and bike constants)",
      "(mit Motorkonfiguration und Motorradkonstanten)",
      "(avec configuration moteur et constantes de la moto)",
      "(s konfigurací motoru a konstantami motorky)"}},
    {MessageKey::kMsgLogStopReplayFor,
     {"A recording is being replayed. Stop the replay and run \"{command}\"?",
      "Eine Aufzeichnung wird wiedergegeben. Wiedergabe beenden und „{command}“ ausführen?",
      "Un enregistrement est en relecture. Arrêter la relecture et lancer « {command} » ?",
      "Přehrává se záznam. Ukončit přehrávání a spustit „{command}“?"}},
    {MessageKey::kMsgLogFileExists,
     {"The file already exists; nothing was recorded and the file is unchanged: ",
      "Die Datei existiert bereits; nichts wurde aufgezeichnet, die Datei ist unverändert: ",
      "Le fichier existe déjà ; rien n'a été enregistré, le fichier est inchangé : ",
      "Soubor již existuje; nic nebylo zaznamenáno a soubor zůstal beze změny: "}},
};

}  // namespace

std::string_view MessageText(MessageKey key, Language language) {
  for (const MessageTexts& m : kMessages) {
    if (m.key != key) continue;
    const std::string_view text = m.text[static_cast<std::size_t>(language) % 4];
    return text.empty() ? m.text[0] : text;
  }
  return {};
}

std::string StatusLineText(const SessionDisplay& display, Language language) {
  std::string text(MessageText(display.status_key, language));
  if (display.status_suffix == StatusSuffix::kColon) text += ":";
  if (display.status_suffix == StatusSuffix::kOk) text += " OK";
  return text;
}

std::string VersionMismatchText(std::uint8_t unit_version, Language language) {
  char numbers[40];
  std::snprintf(numbers, sizeof numbers, "  PC-%d, IGN-%d", kStationVersion, unit_version);
  return std::string(MessageText(MessageKey::kMsgUnitVersionMismatch, language)) + numbers;
}

std::string PortOpenReportText(const PortOpenReport& report, Language language) {
  std::string text(MessageText(report.key, language));
  // The device line: "Com 5 — /dev/ttyUSB4" as the Com menu names it, or the path alone.
  std::string where = report.device;
  if (report.port_number > 0) {
    where = "Com " + std::to_string(report.port_number) + " \u2014 " + where;
  }
  if (!where.empty() || report.reason) text += "\n" + where;
  if (report.reason) {
    if (!where.empty()) text += ": ";
    text += MessageText(*report.reason, language);
  }
  if (report.holder && report.holder->pid > 0) {
    std::string process = std::to_string(report.holder->pid);
    if (!report.holder->program.empty()) process += " (" + report.holder->program + ")";
    std::string held(MessageText(MessageKey::kMsgComHeldBy, language));
    held.replace(held.find("{process}"), 9, process);
    text += "\n" + held;
  }
  return text;
}

}  // namespace korvan
