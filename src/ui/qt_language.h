#pragma once

#include <QString>
#include <QTranslator>
#include <memory>
#include <optional>

#include "texts/language.h"

namespace korvan::ui {

// Qt's own texts in the station's language: the buttons of its message boxes (Yes, No, Cancel),
// its file dialogs, a field's context menu. Qt keeps them in its catalogues, installed beside Qt
// (on Debian by qt6-translations-l10n); without a catalogue they stay English.
class QtLanguage {
 public:
  QtLanguage() = default;
  ~QtLanguage();
  QtLanguage(const QtLanguage&) = delete;
  QtLanguage& operator=(const QtLanguage&) = delete;

  // Qt's texts from now on in `language`: the catalogue of the language before is taken out of
  // the application and the new one put in, and every widget is told. English needs none. False
  // when the language's catalogue is not installed.
  bool Use(Language language);
  // The language Use was last asked for; nothing before the first call.
  std::optional<Language> language() const { return language_; }

 private:
  void Remove();

  std::unique_ptr<QTranslator> translator_;
  std::optional<Language> language_;
};

// The name Qt's catalogue of the widgets' texts has for `language` ("qtbase_de"); empty for
// English, Qt's own language.
QString QtCatalogueName(Language language);
// Where Qt's catalogues are installed.
QString QtCatalogueFolder();

}  // namespace korvan::ui
