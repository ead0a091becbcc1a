// text_dedup: removes repeated lines from line files.
#include <QApplication>
#include <QFile>
#include <filesystem>
#include <system_error>
#include <utility>

#include "dedup/window/run_program.h"
#ifdef DEDUP_HAVE_SKIN
#include "skin/startup.h"
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::filesystem::path program_dir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  // Relative names (the proposed export file among them) resolve beside the
  // program; failing to get there changes nothing else.
  std::error_code ignored;
  std::filesystem::current_path(program_dir, ignored);

  dedup::DedupStartup startup;
  startup.program_dir = program_dir;
#ifdef DEDUP_HAVE_SKIN
  startup.apply_skin = [](const std::filesystem::path& dir) {
    return skin::ApplyStartupSkin(dir);
  };
  startup.open_website = [] { skin::OpenWebsite(); };
#endif
  return dedup::RunDedupWindow(app, std::move(startup));
}
