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
    {MessageKey::kMsgJournalRestore,
     {"The station was not closed properly. Restore the {count} unsaved edits made between "
      "{first} and {last}?",
      "Die Station wurde nicht ordnungsgemäß beendet. Die {count} nicht gespeicherten Änderungen "
      "von {first} bis {last} wiederherstellen?",
      "La station n'a pas été fermée correctement. Restaurer les {count} modifications non "
      "enregistrées faites entre {first} et {last} ?",
      "Stanice nebyla řádně ukončena. Obnovit {count} neuložených změn provedených mezi {first} "
      "a {last}?"}},
    {MessageKey::kMsgJournalWriteFailed,
     {"Unsaved edits cannot be secured against a crash (journal not writable). Save often.",
      "Ungespeicherte Änderungen können nicht gegen Absturz gesichert werden (Journal nicht "
      "beschreibbar). Oft speichern.",
      "Les modifications ne peuvent pas être protégées contre un plantage (journal non "
      "inscriptible). Enregistrez souvent.",
      "Neuložené změny nelze zajistit proti pádu (deník nelze zapsat). Ukládejte často."}},
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
     {"The station was not closed properly. Restore the unsaved edit made at {first}?",
      "Die Station wurde nicht ordnungsgemäß beendet. Die nicht gespeicherte Änderung von {first} "
      "wiederherstellen?",
      "La station n'a pas été fermée correctement. Restaurer la modification non enregistrée "
      "faite à {first} ?",
      "Stanice nebyla řádně ukončena. Obnovit neuloženou změnu provedenou v {first}?"}},
    {MessageKey::kMsgLogStopReplayFor,
     {"A recording is being replayed. Stop the replay and run \"{command}\"?",
      "Eine Aufzeichnung wird wiedergegeben. Wiedergabe beenden und „{command}“ ausführen?",
      "Un enregistrement est en relecture. Arrêter la relecture et lancer « {command} » ?",
      "Přehrává se záznam. Ukončit přehrávání a spustit „{command}“?"}},
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

}  // namespace korvan
