// Printing from the real window through a real print system: a private CUPS daemon with a
// cups-pdf queue as its default printer. Its own program, because the print system's client
// library keeps the first server it talked to for the rest of the process.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "window_fixture.h"

namespace korvan::ui {
namespace {

QString Find(const QString& program) {
  QString path = QStandardPaths::findExecutable(program);
  if (path.isEmpty()) path = QStandardPaths::findExecutable(program, {"/usr/sbin", "/sbin"});
  return path;
}

QString RunProgram(const QString& program, const QStringList& args, int* code = nullptr) {
  QProcess run;
  run.setProcessChannelMode(QProcess::MergedChannels);
  run.start(program, args);
  run.waitForFinished(30000);
  if (code != nullptr) *code = run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1;
  return QString::fromUtf8(run.readAll());
}

// Where cups-pdf writes a job of this user: its configuration's "Out", ${HOME}/PDF by default.
QString CupsPdfOutput() {
  QString out = "${HOME}/PDF";
  std::ifstream conf("/etc/cups/cups-pdf.conf");
  for (std::string line; std::getline(conf, line);) {
    if (line.rfind("Out ", 0) == 0) out = QString::fromStdString(line.substr(4)).trimmed();
  }
  const passwd* user = getpwuid(getuid());
  out.replace("${HOME}", user != nullptr ? QString(user->pw_dir) : QDir::homePath());
  return out;
}

// A CUPS daemon of the test's own, on a socket in a temporary folder; the system's print
// settings are not touched.
class PrivateCups {
 public:
  explicit PrivateCups(const std::filesystem::path& dir) : dir_(QString::fromStdString(dir)) {}
  ~PrivateCups() {
    if (daemon_.state() != QProcess::NotRunning) {
      daemon_.terminate();
      if (!daemon_.waitForFinished(10000)) daemon_.kill();
    }
  }
  QString socket() const { return dir_ + "/cups.sock"; }
  QString spool() const { return dir_ + "/spool"; }

  // Empty when the daemon runs with the queue as its default printer; otherwise why not.
  QString Start(const QString& cupsd, const QString& lpadmin, const QString& ppd) {
    for (const char* sub : {"spool", "cache", "state", "tmp"}) QDir().mkpath(dir_ + "/" + sub);
    for (const QString& d :
         {dir_, dir_ + "/spool", dir_ + "/cache", dir_ + "/state", dir_ + "/tmp"}) {
      QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                   QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                   QFileDevice::ExeOther);
    }
    // The filters run as the print system's own user and keep their temporary files here.
    std::filesystem::permissions((dir_ + "/tmp").toStdString(),
                                 std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    std::ofstream(dir_.toStdString() + "/cupsd.conf")
        << "Listen " << socket().toStdString() << "\nLogLevel warn\nWebInterface No\n"
        << "PreserveJobFiles Yes\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    const std::string d = dir_.toStdString();
    std::ofstream(d + "/cups-files.conf")
        << "ServerRoot " << d << "\nCacheDir " << d << "/cache\nStateDir " << d << "/state\n"
        << "RequestRoot " << d << "/spool\nTempDir " << d << "/tmp\n"
        << "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\nPrintcap " << d << "/printcap\n"
        << "ErrorLog " << d << "/error_log\nAccessLog " << d << "/access_log\n"
        << "PageLog " << d << "/page_log\n";
    daemon_.setProcessChannelMode(QProcess::MergedChannels);
    daemon_.start(cupsd, {"-f", "-c", dir_ + "/cupsd.conf", "-s", dir_ + "/cups-files.conf"});
    if (!daemon_.waitForStarted(10000)) return "cupsd did not start";
    // The daemon takes a moment to open its socket; lpadmin is tried until it answers.
    int code = -1;
    QString said;
    for (int attempt = 0; attempt < 50 && code != 0; ++attempt) {
      if (daemon_.state() == QProcess::NotRunning) {
        return "cupsd stopped: " + QString::fromUtf8(daemon_.readAll());
      }
      if (QFileInfo::exists(socket())) {
        said = RunProgram(lpadmin,
                          {"-h", socket(), "-p", "KorvanPdf", "-E", "-v", "cups-pdf:/", "-P", ppd},
                          &code);
      }
      if (code != 0) QThread::msleep(200);
    }
    if (code != 0) return "lpadmin could not add the cups-pdf queue: " + said;
    said = RunProgram(lpadmin, {"-h", socket(), "-d", "KorvanPdf"}, &code);
    if (code != 0) return "lpadmin could not make the queue the default: " + said;
    return {};
  }

  // Waits until the queue has no job left; false when it still had one after a minute.
  bool AwaitJobs(const QString& lpstat) const {
    for (int attempt = 0; attempt < 300; ++attempt) {
      if (RunProgram(lpstat, {"-h", socket(), "-o"}).trimmed().isEmpty()) return true;
      QThread::msleep(200);
    }
    return false;
  }

 private:
  QString dir_;
  QProcess daemon_;
};

class CupsPrintTest : public WindowFixture {
 protected:
  void SetUp() override {
    cupsd_ = Find("cupsd");
    lpadmin_ = Find("lpadmin");
    lpstat_ = Find("lpstat");
    if (cupsd_.isEmpty() || lpadmin_.isEmpty() || lpstat_.isEmpty()) {
      GTEST_SKIP() << "CUPS is not installed (Debian package cups; scripts/install-deps.sh)";
    }
    if (!QFileInfo::exists("/usr/lib/cups/backend/cups-pdf") || !QFileInfo::exists(kPpd)) {
      GTEST_SKIP() << "cups-pdf is not installed (Debian package printer-driver-cups-pdf)";
    }
    if (Find("pdftotext").isEmpty() || Find("pdfimages").isEmpty()) {
      GTEST_SKIP() << "pdftotext and pdfimages (poppler-utils) are not installed";
    }
    if (getuid() != 0) {
      GTEST_SKIP() << "the cups-pdf backend runs only under a print daemon started as root";
    }
    WindowFixture::SetUp();
    // The socket the program's main has named to the print system's client.
    const char* server = std::getenv("CUPS_SERVER");
    ASSERT_NE(server, nullptr);
    cups_ = std::make_unique<PrivateCups>(std::filesystem::path(server).parent_path());
    const QString failed = cups_->Start(cupsd_, lpadmin_, kPpd);
    if (!failed.isEmpty())
      GTEST_SKIP() << "no print daemon of the test's own: " << failed.toStdString();
  }
  void TearDown() override {
    cups_.reset();
    WindowFixture::TearDown();
  }

  static constexpr const char* kPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
  QString cupsd_, lpadmin_, lpstat_;
  std::unique_ptr<PrivateCups> cups_;
};

// The largest resident size the process has had so far, in kilobytes.
long PeakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The page reaches the printer as a PDF of lines and text: small, its texts searchable, no
// picture of the page in it, and cheap to make. The cups-pdf queue passes the job on through
// PostScript, where the print system turns the embedded fonts into outlines: what it writes is
// checked to be small and drawn without pictures, its text is checked in the job itself.
TEST_F(CupsPrintTest, APagePrintedOnCupsPdfIsSmallAndKeepsItsText) {
  const QDir output(CupsPdfOutput());
  const QStringList before = output.entryList({"*.pdf"}, QDir::Files);
  ShowPage(kPageInj1A);
  Tick(3);
  const QString cell = Widget<QSpinBox>("MapCell0")->text();

  const long peak_before_kb = PeakResidentKb();
  QElapsedTimer clock;
  clock.start();
  window_->findChild<QAction*>("MenuPrint")->trigger();
  const qint64 print_ms = clock.elapsed();
  const long peak_growth_kb = PeakResidentKb() - peak_before_kb;
  EXPECT_FALSE(Widget<QLabel>("LabelHlaseni")->text().contains("No printer"))
      << "the page went to a PDF file instead of the printer";
  EXPECT_LT(peak_growth_kb, 100'000) << "a page-sized bitmap was made on the way";
  ASSERT_TRUE(cups_->AwaitJobs(lpstat_)) << "the job did not finish";

  // The job as the station handed it to the print system (kept in the spool).
  const QFileInfoList jobs = QDir(cups_->spool()).entryInfoList({"d*"}, QDir::Files);
  ASSERT_EQ(jobs.size(), 1) << "one job in the spool";
  const QString job = jobs.front().filePath();
  const qint64 job_bytes = jobs.front().size();
  EXPECT_LT(job_bytes, 1'000'000) << "a bitmap of the page rather than its drawing";
  const QString text = RunProgram("pdftotext", {"-layout", job, "-"});
  EXPECT_TRUE(text.contains("Date and time of printing:")) << text.toStdString();
  EXPECT_TRUE(text.contains(cell)) << "the page's first cell, " << cell.toStdString();
  // pdfimages lists a header of two lines and then one line per picture.
  const auto pictures = [](const QString& pdf) {
    return RunProgram("pdfimages", {"-list", pdf}).trimmed().split('\n').size() - 2;
  };
  EXPECT_EQ(pictures(job), 0) << "the job holds a picture of the page";

  QStringList made = output.entryList({"*.pdf"}, QDir::Files, QDir::Time);
  for (const QString& old : before) made.removeAll(old);
  ASSERT_EQ(made.size(), 1) << "cups-pdf wrote no file into " << output.path().toStdString();
  const QString pdf = output.filePath(made.front());
  const qint64 pdf_bytes = QFileInfo(pdf).size();
  EXPECT_LT(pdf_bytes, 1'000'000);
  EXPECT_EQ(pictures(pdf), 0) << "cups-pdf was handed a picture of the page";
  QFile::remove(pdf);

  // The figures for the performance notes; not a test of the machine's speed.
  std::printf(
      "[ figures  ] job %lld bytes, cups-pdf file %lld bytes, print %lld ms, peak +%ld KB\n",
      static_cast<long long>(job_bytes), static_cast<long long>(pdf_bytes),
      static_cast<long long>(print_ms), peak_growth_kb);
}

}  // namespace
}  // namespace korvan::ui
