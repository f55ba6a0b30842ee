#include "texts/window_texts.h"

#include <optional>

namespace korvan {
namespace {

enum class Slot { kText, kHint };

struct WindowText {
  std::string_view control;
  Slot slot;
  LanguageTexts text;  // each language written out
};

// The captions tuners have always seen keep their spelling, mnemonics and blanks exactly ("Zpet",
// "&Mèmoriser", the French items that stay English). A hint is "short|long": the tool tip, then
// the status-bar text; a tool bar button shows its short hint as its caption, so the button and
// its menu item carry the same word. Where a page or the monitor names the same thing, the words
// here are the same as there ("Standardeinstellungen", "Lesen verboten", "Zapalování", ...).
constexpr WindowText kWindowTexts[] = {
    {kWindowCaptionControl,
     Slot::kText,
     {"Programming of Korvan_2007 unit", "Programmierung der Korvan_2007 Zündbox",
      "Programation de Korvan_2007 unité", "Programování jednotky Korvan_2007"}},

    // File.
    {"MenuFile", Slot::kText, {"&File", "&Datei", "&Fichier", "&Soubor"}},
    {"MenuNew", Slot::kText, {"&New", "&Neu", "&Nouveau", "&Nový"}},
    {"MenuNew",
     Slot::kHint,
     {"New|Set default parametrs", "Neu|Standardeinstellungen setzen",
      "Nouveau|Mettre la programmation de base", "Nový|Nastavit základní hodnoty"}},
    {"MenuNewActPage",
     Slot::kText,
     {"New for actual page", "Neu für aktual Seite", "New for actual page",
      "&Nový pro aktuální záložku"}},
    {"MenuOpen", Slot::kText, {"&Open", "&Öffnen", "&Ouvrir", "&Otevřít"}},
    {"MenuOpen",
     Slot::kHint,
     {"Open|Open file with parametrs", "Öffnen|Datei mit Parametern öffnen",
      "Ouvrir|Ouvrir un fichier de paramètres", "Otevřít|Otevřít soubor s parametry"}},
    {"MenuOpenActPage",
     Slot::kText,
     {"Open for actual page", "Öffnen für aktual Seite", "Open for actual page",
      "&Otevřít pro aktuální záložku"}},
    {"MenuSave", Slot::kText, {"&Save", "&Speichern", "&Mèmoriser", "&Uložit"}},
    {"MenuSave",
     Slot::kHint,
     {"Save|Save parametrs to file", "Speichern|Parameter in Datei speichern",
      "Mémoriser|Mémoriser les paramètres dans un fichier", "Uložit|Uložit parametry do souboru"}},
    {"MenuPrint", Slot::kText, {"&Print", "&Drucken", "&Imprimer", "&Tisk"}},
    {"MenuPrint",
     Slot::kHint,
     {"Print|Print parametrs", "Drucken|Parameter drucken", "Imprimer|Imprimer les paramètres",
      "Tisk|Tisk parametrů"}},
    {"MenuExit", Slot::kText, {"E&xit", "&Beenden", "&Sortir", "&Konec"}},
    {"MenuExit",
     Slot::kHint,
     {"Exit|End of program", "Beenden|Programm beenden", "Sortir|Quitter le programme",
      "Konec|Ukončení programu"}},

    // Com.
    {"MenuCom", Slot::kText, {"&Com", "&COM-Anschluß", "&Connection com", "&Port"}},
    {"MenuCom",
     Slot::kHint,
     {"Com|Set number of com", "COM-Anschluß|Nummer des COM-Anschlusses wählen",
      "Connection com|Choisir le numéro du port com", "Port|Nastavení čísla portu Com"}},

    // Ignition.
    {"MenuDevice", Slot::kText, {"&Ignition", "&Zündung", "Allu&mage", "Z&apalování"}},
    {"MenuRead", Slot::kText, {"&Read", "&Lesen", "&Lire", "Čí&st"}},
    {"MenuRead",
     Slot::kHint,
     {"Read|Reading parametrs from ignition", "Lesen|Parameter aus der Zündung lesen",
      "Lire|Lire les paramètres de l'allumage", "Číst|Čtení parametrů ze zapalování"}},
    {"MenuVerify", Slot::kText, {"&Verify", "&Vergleichen", "&Verifier", "&Verifikace"}},
    {"MenuVerify",
     Slot::kHint,
     {"Verify|Compare set parametrs  with parametrs of ignition",
      "Vergleichen|Eingestellte Parameter mit den Parametern der Zündung vergleichen",
      "Verifier|Comparer les paramètres réglés avec ceux de l'allumage",
      "Verifikace|Porovnání nastavených parametrů s parametry zapalování"}},
    {"MenuProgram", Slot::kText, {"&Program", "&Programmieren", "&Programer", "&Programovat"}},
    {"MenuProgram",
     Slot::kHint,
     {"Program|Programing  set parametrs to ignition",
      "Programmieren|Eingestellte Parameter in die Zündung programmieren",
      "Programer|Programmer les paramètres réglés dans l'allumage",
      "Programovat|Naprogramování nastavených parametrů do zapalování"}},

    // Injection channels.
    {"Menu_Jet123Mode",
     Slot::kText,
     {"Jet 1234", "Einspritzung 1234", "inject 1234", "Vstřik 1234"}},
    {"Menu_Jet123Normal", Slot::kText, {"Separate", "Getrennt", "Séparé", "Oddělený"}},
    {"Menu_Jet123Coupled", Slot::kText, {"Coupled", "Gekoppelt", "couplé", "Spřažený"}},

    // Tools.
    {"MenuTools", Slot::kText, {"Tools", "Werkzeuge", "Outillage", "Pomůcky"}},
    {"MenuZpet", Slot::kText, {"Undo", "Zurück", "Undo", "Zpet"}},
    {"MenuZnovu", Slot::kText, {"Redo", "Wieder", "Redo", "Znovu"}},
    {"MenuLadeni",
     Slot::kText,
     {"Tuning page", "Seite Einstellung", "Page Tuning", "Záložka Ladění"}},
    {"MenuLadeni",
     Slot::kHint,
     {"Tuning page|Tuning page, for experienced users",
      "Seite Einstellung|Seite Einstellung, für erfahrene Benutzer",
      "Page Tuning|Page Tuning, pour utilisateurs expérimentés",
      "Záložka Ladění|Záložka Ladění, pro zkušené uživatele"}},

    {"MenuCompare",
     Slot::kText,
     {"&Compare...", "&Vergleichen...", "&Comparer...", "&Porovnat..."}},
    // The map cells: the selection, the clipboard, the operations.
    {"MenuCells", Slot::kText, {"C&ells", "Z&ellen", "C&ellules", "&Buňky"}},
    {"MenuCellsSelectAll",
     Slot::kText,
     {"Select whole map", "Ganzes Kennfeld auswählen", "Sélectionner toute la carte",
      "Vybrat celou mapu"}},
    {"MenuCellsCopy",
     Slot::kText,
     {"Copy cells", "Zellen kopieren", "Copier les cellules", "Kopírovat buňky"}},
    {"MenuCellsPaste",
     Slot::kText,
     {"Paste cells", "Zellen einfügen", "Coller les cellules", "Vložit buňky"}},
    {"MenuCellsSet",
     Slot::kText,
     {"Set to value...", "Auf Wert setzen...", "Mettre à la valeur...", "Nastavit na hodnotu..."}},
    {"MenuCellsAdd",
     Slot::kText,
     {"Add value...", "Wert addieren...", "Ajouter une valeur...", "Přičíst hodnotu..."}},
    {"MenuCellsScale",
     Slot::kText,
     {"Scale by percent...", "Prozentual ändern...", "Changer en pourcentage...",
      "Změnit v procentech..."}},
    {"MenuCellsRows",
     Slot::kText,
     {"Interpolate along rows", "Entlang der Zeilen interpolieren", "Interpoler le long des lignes",
      "Interpolovat v řádcích"}},
    {"MenuCellsColumns",
     Slot::kText,
     {"Interpolate along columns", "Entlang der Spalten interpolieren",
      "Interpoler le long des colonnes", "Interpolovat ve sloupcích"}},
    {"MenuCellsCorners",
     Slot::kText,
     {"Interpolate from corners", "Aus den Ecken interpolieren", "Interpoler depuis les coins",
      "Interpolovat z rohů"}},
    {"MenuCellsSmooth", Slot::kText, {"Smooth...", "Glätten...", "Lisser...", "Vyhladit..."}},
    {"MenuMap3D", Slot::kText, {"Map in &3D", "Kennfeld in &3D", "Carte en &3D", "Mapa ve &3D"}},
    {"MenuMap3D",
     Slot::kHint,
     {"Map in 3D|The map of the page shown as a surface, with the operating point",
      "Kennfeld in 3D|Das Kennfeld der gezeigten Seite als Fläche, mit dem Betriebspunkt",
      "Carte en 3D|La carte de la page affichée en surface, avec le point de fonctionnement",
      "Mapa ve 3D|Mapa zobrazené záložky jako plocha, s pracovním bodem"}},
    {"MenuCellGrades",
     Slot::kText,
     {"Colour grades", "Farbstufen", "Dégradé de couleurs", "Barevná škála"}},
    {"MenuCellGrades",
     Slot::kHint,
     {"Colour grades|Map cells coloured by their value: blue the lowest, red the highest",
      "Farbstufen|Kennfeldzellen nach ihrem Wert gefärbt: blau der kleinste, rot der größte",
      "Dégradé de couleurs|Cases de la carte colorées selon leur valeur : bleu la plus basse, "
      "rouge la plus haute",
      "Barevná škála|Buňky mapy obarvené podle hodnoty: modrá nejnižší, červená nejvyšší"}},
    {"MenuPrintGrades",
     Slot::kText,
     {"Print colour grades", "Farbstufen drucken", "Imprimer le dégradé de couleurs",
      "Tisknout barevnou škálu"}},
    {"MenuPrintGrades",
     Slot::kHint,
     {"Print colour grades|The printout shows the map cells in their colour grades",
      "Farbstufen drucken|Der Ausdruck zeigt die Kennfeldzellen in ihren Farbstufen",
      "Imprimer le dégradé de couleurs|L'impression montre les cases de la carte dans leur "
      "dégradé de couleurs",
      "Tisknout barevnou škálu|Tisk ukáže buňky mapy v barvách jejich škály"}},
    {"MenuShowDifferences",
     Slot::kText,
     {"Show differences", "Unterschiede zeigen", "Afficher les différences", "Zobrazit rozdíly"}},

    // Language.
    {"MenuLanguage", Slot::kText, {"Lan&guage", "&Sprache", "&Langue", "&Jazyk"}},
    {"MenuLanguage",
     Slot::kHint,
     {"Language|Set English or German or French",
      "Sprache|Englisch, Deutsch, Französisch oder Tschechisch einstellen",
      "Langue|Choisir anglais, allemand, français ou tchèque",
      "Jazyk|Nastavení angličtiny, němčiny, francouzštiny nebo češtiny"}},
    {"MenuEnglish", Slot::kText, {"&English", "&Englisch", "&Englais", "&Anglicky"}},
    {"MenuGerman", Slot::kText, {"&German", "&Deutsch", "&Allemand", "&Německy"}},
    {"MenuFrench", Slot::kText, {"&French", "&Französisch", "&Francais", "Francouzky"}},
    {"MenuCzech", Slot::kText, {"&Czech", "&Tschechisch", "&Tchèque", "Če&sky"}},

    // Help.
    {"MenuHelp", Slot::kText, {"&Help", "&Hilfe", "&Aide", "Nápověda"}},
    {"MenuContens", Slot::kText, {"&Contents...", "&Inhalt...", "&Contenu", "Obsah"}},
    {"MenuAbout",
     Slot::kText,
     {"&About...", "&Über Programm...", "&Information", "&O programu..."}},

    // Service (test mode only).
    {"MenuServis", Slot::kText, {"Servis", "Service", "Service", "Servis"}},
    {"MenuSaveAllNew",
     Slot::kText,
     {"Save All New", "Alle neu speichern", "Mémoriser tous les nouveaux", "Uložit vše nové"}},
    {"MenuCompareAll",
     Slot::kText,
     {"Compare All New", "Alle neu vergleichen", "Comparer tous les nouveaux",
      "Porovnat vše nové"}},

    // Tool bar: the same words and hints as the menu items the buttons stand for.
    {"SpeedButton6",
     Slot::kHint,
     {"New|Set default parametrs", "Neu|Standardeinstellungen setzen",
      "Nouveau|Mettre la programmation de base", "Nový|Nastavit základní hodnoty"}},
    {"SpeedButton5",
     Slot::kHint,
     {"Open|Open file with parametrs", "Öffnen|Datei mit Parametern öffnen",
      "Ouvrir|Ouvrir un fichier de paramètres", "Otevřít|Otevřít soubor s parametry"}},
    {"SpeedButton7",
     Slot::kHint,
     {"Save|Save parametrs to file", "Speichern|Parameter in Datei speichern",
      "Mémoriser|Mémoriser les paramètres dans un fichier", "Uložit|Uložit parametry do souboru"}},
    {"SpeedButtonPrint",
     Slot::kHint,
     {"Print|Print parametrs", "Drucken|Parameter drucken", "Imprimer|Imprimer les paramètres",
      "Tisk|Tisk parametrů"}},
    {"SpeedButtonZpet",
     Slot::kHint,
     {"Undo|Undo", "Zurück|Letzte Änderung zurücknehmen", "Undo|Annuler la dernière modification",
      "Zpet|Vrátit poslední změnu"}},
    {"SpeedButtonZnovu",
     Slot::kHint,
     {"Redo|Redo", "Wieder|Zurückgenommene Änderung wiederherstellen",
      "Redo|Rétablir la modification annulée", "Znovu|Znovu provést vrácenou změnu"}},
    {"ButtonProgram", Slot::kText, {"&Program", "&Programmieren", "&Programer", "&Programovat"}},
    {"ButtonProgram",
     Slot::kHint,
     {"Program|Programing  set parametrs to ignition",
      "Programmieren|Eingestellte Parameter in die Zündung programmieren",
      "Programer|Programmer les paramètres réglés dans l'allumage",
      "Programovat|Naprogramování nastavených parametrů do zapalování"}},
    {"ButtonVerify", Slot::kText, {"&Verify", "&Vergleichen", "&Verifier", "&Verifikace"}},
    {"ButtonVerify",
     Slot::kHint,
     {"Verify|Compare set parametrs  with parametrs of ignition",
      "Vergleichen|Eingestellte Parameter mit den Parametern der Zündung vergleichen",
      "Verifier|Comparer les paramètres réglés avec ceux de l'allumage",
      "Verifikace|Porovnání nastavených parametrů s parametry zapalování"}},
    {"ButtonRead", Slot::kText, {"&Read", "&Lesen", "&Lire", "Čí&st"}},
    {"ButtonRead",
     Slot::kHint,
     {"Read|Reading parametrs from ignition", "Lesen|Parameter aus der Zündung lesen",
      "Lire|Lire les paramètres de l'allumage", "Číst|Čtení parametrů ze zapalování"}},

    // Around the pages.
    {"CheckBoxProgHned",
     Slot::kText,
     {"Programming after change", "Programmieren nach Änderung", "Programmer après modification",
      "Programování po změně"}},
    {"CheckBoxProgHned",
     Slot::kHint,
     {"Programing at once after change|Programing at once after change",
      "Sofort nach Änderung programmieren|Sofort nach jeder Änderung programmieren",
      "Programmer aussitôt|Programmer aussitôt après chaque modification",
      "Programovat ihned|Programování ihned po každé změně"}},
    {"CheckBoxZakazCteni",
     Slot::kText,
     {"No Reading", "Lesen verboten", "Lecture interdite", "Zákaz čtení"}},
    {"LabelFile1", Slot::kText, {"File:", "Datei:", "Fichier:", "Soubor:"}},

    // File, continued: the unsaved changes a start set aside.
    {"MenuAsideEdits",
     Slot::kText,
     {"Set-aside changes...", "Zurückgelegte Änderungen...", "Modifications mises de côté...",
      "Odložené změny..."}},
    {"MenuAsideEdits",
     Slot::kHint,
     {"Set-aside changes|Restore or delete unsaved changes kept aside at a start",
      "Zurückgelegte Änderungen|Beim Start zurückgelegte ungespeicherte Änderungen "
      "wiederherstellen oder löschen",
      "Modifications mises de côté|Restaurer ou supprimer les modifications non enregistrées "
      "mises de côté au démarrage",
      "Odložené změny|Obnovit nebo smazat neuložené změny odložené při spuštění"}},
};

}  // namespace

std::optional<std::string_view> WindowControlText(std::string_view control, Language language) {
  for (const WindowText& row : kWindowTexts) {
    if (row.slot == Slot::kText && row.control == control) return TextIn(row.text, language);
  }
  return std::nullopt;
}

void ApplyWindowTexts(ControlSet& controls, Language language) {
  for (const WindowText& row : kWindowTexts) {
    const std::optional<ControlHandle> h = controls.Find(row.control);
    if (!h) continue;
    const std::string_view text = TextIn(row.text, language);
    if (row.slot == Slot::kText) {
      controls.SetText(*h, text);
    } else {
      controls.SetHint(*h, text);
    }
  }
}

}  // namespace korvan
