#include "gui/common/uilanguage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "data/translate.h"

namespace {

std::unique_ptr<QTranslator>& ProgramTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

std::unique_ptr<QTranslator>& QtTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

TLanguage g_current = TLanguage::German;

std::string TranslateText(const char* context, const char* text) {
  return QCoreApplication::translate(context, text).toStdString();
}

void Remove(std::unique_ptr<QTranslator>& translator) {
  if (translator) QCoreApplication::removeTranslator(translator.get());
  translator.reset();
}

}  // namespace

bool ApplyUiLanguage(TLanguage language, const QString& dataDir) {
  Remove(ProgramTranslator());
  Remove(QtTranslator());
  g_current = language;
  const bool english = language == TLanguage::English;
  // Decimal comma in German, point in English.
  QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::UnitedStates)
                              : QLocale(QLocale::German, QLocale::Germany));
  SetTextTranslator(&TranslateText);
  bool found = true;
  if (english) {
    // Qt's own texts are English as written.
    auto translator = std::make_unique<QTranslator>();
    found = translator->load("vqrshow4_en", dataDir + "translations");
    if (found) {
      QCoreApplication::installTranslator(translator.get());
      ProgramTranslator() = std::move(translator);
    }
  } else {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QCoreApplication::installTranslator(translator.get());
      QtTranslator() = std::move(translator);
    }
  }
  return found;
}

TLanguage CurrentUiLanguage() { return g_current; }

QString HelpFileFor(TLanguage language, const QString& germanFile) {
  if (language != TLanguage::English || germanFile.isEmpty()) return germanFile;
  const QFileInfo german(germanFile);
  const QString english =
      german.path() + "/" + german.completeBaseName() + "_en." + german.suffix();
  return QFileInfo::exists(english) ? english : germanFile;
}
