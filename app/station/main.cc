// korvan-station: the station's window.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <thread>
#include <utility>

#include "emulator/unit_emulator.h"
#include "platform/posix_serial_port.h"
#include "platform/pty_unit_server.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("korvan-station");
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
  parser.addOption(after_option);
  parser.addPositionalArgument("language", "ENGLISH, DEUTSCH, FRENCH or CESKY");
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
