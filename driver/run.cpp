#include "driver/run.h"

#include <QCoreApplication>

#include <clocale>
#include <string>

#include "analyser/interface.h"
#include "cmdline/filenames.h"
#include "cmdline/options.h"
#include "cmdline/settings.h"
#include "cmdline/target.h"
#include "diag/catalogue.h"
#include "diag/list_header.h"
#include "diag/report.h"
#include "diag/run_info.h"
#include "driver/chain.h"
#include "driver/dependencies.h"
#include "driver/startup.h"
#include "support/memory.h"
#include "support/ribbon.h"

namespace zenta::driver {

void run(int argc, char** argv) {
  // 1. The application object serves translation and string handling only.
  QCoreApplication app(argc, argv);
  // The application object takes the user's locale for everything; numbers
  // written into generated code must keep the C conventions.
  std::setlocale(LC_NUMERIC, "C");
  // 2-3. Translations, then the catalogues in their registration order.
  diag::installTranslations();
  diag::registerCatalogues();
  diag::installSupportHooks();
  support::installAllocationFailureHandler();
  // 4. Every name buffer and string option starts empty.
  cmdline::resetSettings();
  // 5. The crash handler.
  installCrashHandler();
  // 6. The header-comment language.
  readHeaderLanguage();
  // 7-8. The run date and the banner.
  diag::setRunDate(diag::currentDateText());
  const std::string banner = diag::bannerText();
  // 9. The string store of the analysis library.
  support::ribbonInit(10000);
  // The message form asked on the command line holds from the first line.
  diag::setMessageForm(cmdline::ideMessagesRequested(argc, argv) ? diag::MessageForm::Ide
                                                                 : diag::MessageForm::Classic);
  // 10-11. Banner and copyright lines.
  diag::information("STARTEXEC", banner);
  if (copyrightWanted()) diag::information("COPYRIGHT", diag::kCopyright);
  // 12-13. The command line.
  cmdline::analyseCommand(argc, argv);
  cmdline::clearSubSystem();
  // 14. The target package.
  cmdline::loadTargetConfiguration();
  // 15. File names.
  cmdline::deriveAllNames();
  // 16-17. The list file and its header box.
  diag::openListFile(cmdline::names().listFile);
  diag::writeListHeader(cmdline::settings().commandText, cmdline::names().scriptPath, diag::runDate());
  // 18. The C/C++ analyser, when include analysis is on.
  if (cmdline::settings().analysis) analyser::startAnalyser();
  // 19. The processing chain.
  runProcessingChain();
  // Conditionals left open in the analysed code are reported now.
  if (cmdline::settings().analysis) analyser::closeAnalyser();
  // The dependency file, for builds that run the compiler again when a file
  // it read changes.
  writeRunDependencies();
  // 20. The end of the run.
  diag::endOfRun();
}

}  // namespace zenta::driver
