#include "diag/catalogue.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace zenta::diag {
namespace {
QMap<QString, std::string>& catalogue() {
  static QMap<QString, std::string> map;
  return map;
}
}  // namespace

void installTranslations() {
  const char* dir = std::getenv("QUARTODIR");
  if (!dir || !*dir) {
    std::fputs("Fatal Error: please setup QUARTODIR environment variable.\n", stderr);
    std::fflush(stderr);
    std::exit(7);
  }
}

void registerCatalogues() {
  // Minimal bootstrap set; the complete catalogue replaces this.
  registerMessage("STARTEXEC", "%1%2");
  registerMessage("COPYRIGHT", "%1%2");
  registerMessage("ENDERRWAR", "End of execution with %1 error(s) and %2 warning(s)");
  registerMessage("ENDNOEWAR", "End of execution with %1%2 warning(s)");
  registerMessage("ENDNOENWR", "End of execution with 0 error and 0 warning%1%2");
  registerMessage("ENDERRNWR", "End of execution with %1 error(s)");
  registerMessage("FICERROPN", "File %1 opening problem");
  registerMessage("MORERWALI", "more detailed Errors/Warnings can be found in file %1");
  registerMessage("ERRINTFCT", "%1Internal error in the function %2");
  registerMessage("INTERNERR", "%1internal error raised in  %2");
}

void registerMessage(const std::string& code, const std::string& text) {
  catalogue().insert(QString::fromLatin1(code.c_str()), text);
}

const std::string* catalogueText(const std::string& code) {
  auto& map = catalogue();
  auto it = map.constFind(QString::fromLatin1(code.c_str()));
  return it == map.constEnd() ? nullptr : &it.value();
}

std::string translate(const char* context, const char* text, const char* comment) {
  return QCoreApplication::translate(context, text, comment).toLocal8Bit().toStdString();
}

}  // namespace zenta::diag
