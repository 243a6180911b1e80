#include "driver/run.h"

#include <QCoreApplication>

#include <cstdlib>
#include <string>

#include "analyser/interface.h"
#include "cmdline/filenames.h"
#include "cmdline/options.h"
#include "cmdline/target.h"
#include "diag/catalogue.h"
#include "diag/report.h"
#include "driver/chain.h"

namespace zenta::driver {

void run(int argc, char** argv) {
  // 1. The application object serves translation and string handling only.
  QCoreApplication app(argc, argv);
  // 2-3. Translations, then the catalogues in their registration order.
  diag::installTranslations();
  diag::registerCatalogues();
  diag::installSupportHooks();
  // 10. The banner.
  diag::information("STARTEXEC", "Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020");
  // 12. The command line.
  cmdline::analyseCommand(argc, argv);
  // 14. The target package.
  cmdline::loadTargetConfiguration();
  // 15. File names.
  cmdline::deriveAllNames();
  // 18. The C/C++ analyser.
  analyser::startAnalyser();
  // 19. The processing chain.
  runProcessingChain();
  // 20. The end of the run.
  diag::endOfRun();
}

}  // namespace zenta::driver
