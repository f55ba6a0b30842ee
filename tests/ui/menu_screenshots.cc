// Pictures of the window's menus, opened one by one, and its title, for checking the captions of
// each language by eye. Usage: korvan_menu_screenshots OUTPUT_DIR [LANGUAGE]
// LANGUAGE is the station's command-line word (ENGLISH, DEUTSCH, FRENCH, CESKY).
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "ui/main_window.h"

using namespace korvan;

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString(argv[1]) : QString("menus");
  QDir().mkpath(out);
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / "korvan_menu_screenshots";
  std::filesystem::create_directories(dir);
  StationPaths paths;
  paths.settings_file = (dir / "settings").string();
  paths.image_dump = (dir / "dump").string();
  paths.test_marker = (dir / "marker").string();
  std::ofstream(paths.test_marker) << "PROBE_ALLOW\n";  // the service menu too
  // The Com menu looks at this machine, or at the tree KORVAN_DEVICE_ROOT names.
  const char* root = std::getenv("KORVAN_DEVICE_ROOT");
  paths.device_root = root != nullptr && *root != '\0' ? root : "/";

  UnitEmulator unit;
  MemoryUnitPort port(unit);
  std::vector<std::string> args;
  if (argc > 2) args.emplace_back(argv[2]);
  ui::MainWindow window(port, paths, args, "");
  window.StopTimer();
  window.show();
  window.resize(window.DesignedSize());
  QApplication::processEvents();
  std::printf("title: %s\n", window.windowTitle().toUtf8().constData());
  window.grab().save(out + "/window.png");
  for (QMenu* menu :
       window.menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!menu->menuAction()->isVisible()) continue;
    menu->popup(window.mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    const QString file = out + "/" + menu->objectName() + ".png";
    menu->grab().save(file);
    menu->hide();
    std::printf("%s\n", file.toUtf8().constData());
  }
  std::filesystem::remove_all(dir);
  return 0;
}
