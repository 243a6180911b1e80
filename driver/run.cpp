#include "driver/run.h"

#include <QCoreApplication>

#include <cstdlib>
#include <string>

#include "diag/catalogue.h"
#include "diag/report.h"

namespace zenta::driver {

void run(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  diag::installTranslations();
  diag::registerCatalogues();
  diag::installSupportHooks();
  diag::information("STARTEXEC", "Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020");
  diag::endOfRun();
}

}  // namespace zenta::driver
