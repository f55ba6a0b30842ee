#include "ui/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace korvan::ui {

QString QtCatalogueName(Language language) {
  switch (language) {
    case Language::kGerman:
      return QStringLiteral("qtbase_de");
    case Language::kFrench:
      return QStringLiteral("qtbase_fr");
    case Language::kCzech:
      return QStringLiteral("qtbase_cs");
    case Language::kEnglish:
      break;
  }
  return {};
}

QString QtCatalogueFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

QtLanguage::~QtLanguage() { Remove(); }

void QtLanguage::Remove() {
  if (!translator_) return;
  QCoreApplication::removeTranslator(translator_.get());
  translator_.reset();
}

bool QtLanguage::Use(Language language) {
  language_ = language;
  Remove();
  const QString name = QtCatalogueName(language);
  if (name.isEmpty()) return true;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(name, QtCatalogueFolder())) return false;
  QCoreApplication::installTranslator(translator.get());
  translator_ = std::move(translator);
  return true;
}

}  // namespace korvan::ui
