// korvan-station: the station's window.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <thread>
#include <utility>

#include "emulator/unit_emulator.h"
#include "platform/posix_serial_port.h"
#include "platform/pty_unit_server.h"
#include "station/edit_script.h"
#include "ui/main_window.h"

namespace {

// Asking for the usage needs no window: it must print where no display is (a terminal over ssh,
// a build machine), which the window's application cannot even start on.
bool AsksForUsage(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg(argv[i]);
    if (arg == "--") break;
    if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all") return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Programming and tuning station for the Korvan unit");
  parser.addHelpOption();
  QCommandLineOption port_option("port", "Serial device to use (any tty), instead of Com n.",
                                 "device");
  QCommandLineOption demo_option("demo", "Start a built-in unit emulator and connect to it.");
  QCommandLineOption shot_option("screenshot", "Save a picture of the window and quit.", "png");
  QCommandLineOption page_option("page", "Page to show first (0..18).", "index");
  QCommandLineOption after_option("after", "Milliseconds to run before the picture.", "ms", "3000");
  parser.addOption(port_option);
  parser.addOption(demo_option);
  parser.addOption(shot_option);
  parser.addOption(page_option);
  // For the end-to-end tests: a script of edits run at start (see shell/edit_script.h); it
  // answers the restore offer itself, and "script done" on stdout says it has run.
  QCommandLineOption script_option("edit-script", "Run a script of edits at start (tests).",
                                   "file");
  parser.addOption(after_option);
  parser.addOption(script_option);
  parser.addPositionalArgument("language", "ENGLISH, DEUTSCH, FRENCH or CESKY");
  if (AsksForUsage(argc, argv)) {
    QCoreApplication usage(argc, argv);
    QCoreApplication::setApplicationName("korvan-station");
    parser.process(usage);  // prints the usage and ends the program
    return 0;
  }
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("korvan-station");
  parser.process(app);

  std::string device = parser.value(port_option).toStdString();
  korvan::UnitEmulator unit;
  korvan::PtyUnitServer server(unit);
  std::atomic<bool> stop{false};
  std::thread serve;
  if (parser.isSet(demo_option)) {
    std::string error;
    if (!server.Start(&error)) {
      std::fprintf(stderr, "korvan-station: %s\n", error.c_str());
      return 1;
    }
    device = server.path();
    serve = std::thread([&] { server.Serve(stop); });
  }

  std::vector<std::string> args;
  for (const QString& a : parser.positionalArguments()) args.push_back(a.toStdString());
  korvan::PosixSerialPort port;
  const std::string program_dir = QCoreApplication::applicationDirPath().toStdString();
  korvan::StationPaths paths = korvan::StationPaths::Default(program_dir);
  // Installed, the help documents lie in the data directory (share/korvan beside bin/).
  paths.data_dir = program_dir + "/" + KORVAN_DATA_FROM_BIN;
  int result = 0;
  {
    korvan::ui::MainWindow window(port, std::move(paths), args, device);
    window.show();
    if (parser.isSet(page_option)) {
      window.station().PageControl1Change(parser.value(page_option).toInt());
      window.binder().Apply();
    }
    if (parser.isSet(script_option)) {
      const QString file = parser.value(script_option);
      QTimer::singleShot(0, &window, [&window, file] {
        std::ifstream script(file.toStdString());
        std::string error;
        if (!script || !korvan::RunEditScript(window.station(), script, &error)) {
          std::fprintf(stderr, "korvan-station: %s: %s\n", file.toLocal8Bit().constData(),
                       script ? error.c_str() : "cannot open");
          QCoreApplication::exit(2);
          return;
        }
        window.binder().Apply();
        std::printf("script done\n");
        std::fflush(stdout);
      });
    } else if (!parser.isSet(shot_option)) {
      // Edits a previous run could not save are offered back once the window is up.
      QTimer::singleShot(0, &window, [&window] {
        window.station().OfferJournalRestore();
        window.binder().Apply();
      });
    }
    if (parser.isSet(shot_option)) {
      // The picture holds the whole client area, however small the screen.
      window.resize(window.DesignedSize());
      const QString file = parser.value(shot_option);
      QTimer::singleShot(parser.value(after_option).toInt(), &window, [&window, file] {
        window.grab().save(file);
        window.close();
      });
    }
    result = app.exec();
  }
  stop = true;
  if (serve.joinable()) serve.join();
  return result;
}
