#include "diag/catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QString>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

#include "diag/catalogue_data.h"

namespace zenta::diag {
namespace {

QMap<QString, std::string>& catalogue() {
  static QMap<QString, std::string> map;
  return map;
}

// The installed translators live as long as the run; they are never freed
// while the application object may still use them.
std::vector<QTranslator*>& translators() {
  static std::vector<QTranslator*> list;
  return list;
}

}  // namespace

void installTranslations() {
  const char* home = std::getenv("QUARTODIR");
  if (!home || !*home) {
    std::fputs("Fatal Error: please setup QUARTODIR environment variable.\n", stderr);
    std::fflush(stderr);
    std::fflush(stdout);
    std::exit(7);
  }
  const QString directory = QString::fromLocal8Bit(home) + QDir::separator() + QStringLiteral("lib") +
                            QDir::separator() + QStringLiteral("locale");
  if (!QFileInfo(directory).isDir()) {
    std::fprintf(stderr, "Warning: directory doesn't exist '%s'\n", directory.toLocal8Bit().constData());
    return;
  }
  loadTranslations(directory.toLocal8Bit().toStdString(), QLocale::system().name().toStdString());
}

int loadTranslations(const std::string& directory, const std::string& localeName) {
  int installed = 0;
  const QString dir = QString::fromLocal8Bit(directory.c_str());
  for (const char* prefix : kTranslationPrefixes) {
    auto* translator = new QTranslator();
    if (translator->load(QString::fromLatin1(prefix) + QString::fromLocal8Bit(localeName.c_str()), dir) &&
        QCoreApplication::installTranslator(translator)) {
      translators().push_back(translator);
      ++installed;
    } else {
      delete translator;
    }
  }
  return installed;
}

std::vector<std::string> installedTranslationFiles() {
  std::vector<std::string> files;
  for (const QTranslator* t : translators()) files.push_back(t->filePath().toLocal8Bit().toStdString());
  return files;
}

void removeTranslationsForTests() {
  for (QTranslator* t : translators()) {
    QCoreApplication::removeTranslator(t);
    delete t;
  }
  translators().clear();
}

void registerCatalogues() {
  for (const CatalogueEntry& entry : catalogueEntries()) {
    if (!entry.context) {
      registerMessage(entry.code, entry.text);
      continue;
    }
    const std::string comment = std::string("Error code is \"") + entry.code + "\"";
    registerMessage(entry.code, translate(entry.context, entry.text, comment.c_str()));
  }
}

void registerMessage(const std::string& code, const std::string& text) {
  catalogue().insert(QString::fromLatin1(code.c_str()), text);
}

const std::string* catalogueText(const std::string& code) {
  auto& map = catalogue();
  auto it = map.constFind(QString::fromLatin1(code.c_str()));
  return it == map.constEnd() ? nullptr : &it.value();
}

void clearCatalogueForTests() { catalogue().clear(); }

std::string translate(const char* context, const char* text, const char* comment) {
  return QCoreApplication::translate(context, text, comment).toLocal8Bit().toStdString();
}

}  // namespace zenta::diag
