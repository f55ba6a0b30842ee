// The built programs against each other: korvan-unit on a pseudo-terminal, korvan through the
// real serial code.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The programs lie in app/ of the build tree, beside the tests/ folder of this test.
std::string BinDir() {
  if (const char* dir = std::getenv("KORVAN_BIN_DIR")) return dir;
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, n > 0 ? static_cast<std::size_t>(n) : 0);
  path = path.substr(0, path.rfind('/'));
  return path.substr(0, path.rfind('/')) + "/app";
}

// A running korvan-unit; stopped when the object goes.
class Unit {
 public:
  explicit Unit(const std::vector<std::string>& options) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      std::vector<std::string> args{BinDir() + "/korvan-unit"};
      args.insert(args.end(), options.begin(), options.end());
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
    close(out[0]);
  }
  ~Unit() { Stop(); }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

struct RunResult {
  int exit_code;
  std::string output;
};

RunResult Korvan(const std::string& args) {
  const std::string command = BinDir() + "/korvan " + args + " 2>&1";
  RunResult run{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string TempPath(const char* name) {
  return ::testing::TempDir() + "/korvan_e2e_" + std::to_string(getpid()) + "_" + name;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CommandLineEndToEnd, ReadVerifiesAndSavesWhatTheUnitHolds) {
  Unit unit({});
  ASSERT_FALSE(unit.path().empty());
  const std::string dump = TempPath("read.dump");
  const RunResult run = Korvan("read --port " + unit.path() + " -o " + dump);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  const std::size_t read = run.output.find("Read:");
  const std::size_t chained = run.output.find("Verify::");
  const std::size_t ok = run.output.find("Verify: OK");
  ASSERT_NE(read, std::string::npos) << run.output;
  EXPECT_LT(read, chained);
  EXPECT_LT(chained, ok);
  EXPECT_TRUE(Contains(run.output, "Unit: KVN07  14. 3.2007  09:05"));
  EXPECT_TRUE(Contains(run.output, "20/20"));

  const RunResult verify = Korvan("verify --port " + unit.path() + " " + dump);
  EXPECT_EQ(verify.exit_code, 0) << verify.output;
  EXPECT_TRUE(Contains(verify.output, "Verify: OK"));
  std::remove(dump.c_str());
}

TEST(CommandLineEndToEnd, ProgramWritesVerifiesAndWaitsForTheUnitToSave) {
  Unit unit({});
  const std::string dump = TempPath("program.dump");
  ASSERT_EQ(Korvan("read --port " + unit.path() + " -o " + dump).exit_code, 0);
  const RunResult run = Korvan("program --port " + unit.path() + " " + dump);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(Contains(run.output, "Program device:"));
  EXPECT_TRUE(Contains(run.output, "Verify::"));
  EXPECT_TRUE(Contains(run.output, "Saving:"));
  EXPECT_TRUE(Contains(run.output, "Program device: OK"));
  std::remove(dump.c_str());
}

TEST(CommandLineEndToEnd, EachFaultOfTheUnitGivesItsOutcome) {
  struct Case {
    std::vector<std::string> fault;
    const char* command;
    int exit_code;
    const char* text;
  };
  const Case cases[] = {
      {{"--silent"}, "read", 1, "Read error!"},
      {{"--bad-check"}, "read", 1, "Read error!"},
      {{"--wrong-code"}, "read", 1, "Read error!"},
      {{"--version", "69"}, "read", 1, "Unmatched version of PC and Ignition programs!  PC-68, IGN-69"},
      {{"--no-reading"}, "read", 1, "No reading!"},
      {{"--stray", "7"}, "read", 0, "Verify: OK"},
      {{"--late", "2"}, "read", 0, "Verify: OK"},
      {{"--corrupt-every", "4"}, "read", 0, "Verify: OK"},
      {{"--mismatch-block", "7"}, "program", 1, "Program error!"},
      {{"--no-reading"}, "program", 0, "Program device: OK"},
  };
  // A set to program: what a healthy unit holds.
  const std::string dump = TempPath("fault.dump");
  {
    Unit healthy({});
    ASSERT_EQ(Korvan("read --port " + healthy.path() + " -o " + dump).exit_code, 0);
  }
  for (const Case& c : cases) {
    Unit unit(c.fault);
    const std::string args = std::string(c.command) + " --port " + unit.path() +
                             (std::string(c.command) == "program" ? " " + dump : "");
    const RunResult run = Korvan(args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.fault[0] << "\n" << run.output;
    EXPECT_TRUE(Contains(run.output, c.text)) << c.fault[0] << "\n" << run.output;
  }
  std::remove(dump.c_str());
}

TEST(CommandLineEndToEnd, MonitorPrintsLiveValuesAndNoticesASilentUnit) {
  Unit unit({});
  const RunResult run = Korvan("monitor --frames 2 --port " + unit.path());
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(Contains(run.output, "rpm ")) << run.output;
  EXPECT_TRUE(Contains(run.output, "ver 68"));

  Unit silent({"--silent"});
  const RunResult quiet = Korvan("monitor --ticks 10 --port " + silent.path());
  EXPECT_TRUE(Contains(quiet.output, "No connection with PC")) << quiet.output;
}

TEST(CommandLineEndToEnd, MissingDeviceAndBadFilesAreReportedPlainly) {
  const RunResult missing = Korvan("read --port /dev/korvan-no-such-device");
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_TRUE(Contains(missing.output, "Com opening error!")) << missing.output;

  const std::string broken = TempPath("broken.dump");
  FILE* f = std::fopen(broken.c_str(), "w");
  std::fputs("1 2 3 four\n", f);
  std::fclose(f);
  const RunResult bad = Korvan("program --port /dev/null " + broken);
  EXPECT_EQ(bad.exit_code, 3);
  EXPECT_TRUE(Contains(bad.output, "Open file error!")) << bad.output;
  std::remove(broken.c_str());

  const RunResult usage = Korvan("fly");
  EXPECT_EQ(usage.exit_code, 2);
  EXPECT_TRUE(Contains(usage.output, "usage: korvan"));
}

}  // namespace
