// qrmux as a script sees it: exit codes, what it prints, and the files it writes.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <thread>

#include "config/Cp1252.h"
#include "config/MuxFile.h"
#include "config/Pacing.h"

namespace {

namespace fs = std::filesystem;

struct RunResult {
  int exitCode;
  std::string out;  // stdout and stderr together
};

RunResult Qrmux(const std::string& arguments) {
  const std::string command = std::string(QRMUX_PATH) + " " + arguments + " 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  std::array<char, 4096> buffer;
  size_t got;
  while ((got = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) out.append(buffer.data(), got);
  const int status = pclose(pipe.release());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// Two programs on inputs 1 and 3 and a ghost PID on input 2.
std::unique_ptr<MuxConfig> SampleRecord() {
  auto cfg = std::make_unique<MuxConfig>();
  StoreName(cfg->A.NetworkName, 10, 10, *Utf8ToCp1252("Rede São"));
  cfg->A.TransportStreamId = 5;
  cfg->A.ProgramCount = 2;
  for (int k = 0; k < 2; ++k) {
    const auto pid = [k](int base) { return static_cast<int16_t>(base + 10 * k); };
    cfg->A.InputOfProgram[k] = static_cast<int16_t>(1 + 2 * k);
    cfg->A.PmtPidOfProgram[k] = pid(256);
    ServiceEntry& s = cfg->A.Services[k];
    s.ServiceId = static_cast<uint16_t>(100 + k);
    s.EitPresentFollowing = 1;
    StoreName(s.ServiceName, 10, 10, "Canal " + std::to_string(k + 1));
    StoreName(s.ProviderName, 10, 10, "Rede");
    ProgramEntry& p = cfg->A.Programs[k];
    p.PmtPid = pid(256);
    p.ServiceId = s.ServiceId;
    p.PcrPidIn = p.VideoPidIn = pid(101);
    p.PcrPidOut = p.VideoPidOut = pid(201);
    p.Audio[0] = {4, pid(102), pid(202), 0, 0};
    for (int j = 1; j < 4; ++j) p.Audio[j] = {0, kNoPid, kNoPid, 0, 0};
    for (DataStream& d : p.Data) d = {0, kNoPid, kNoPid, 0, 0, {}, 0};
    p.PcrAdjust = 1;
    p.GeneratePmt = 1;
  }
  const Pacing pacing = ComputePacing("38001122", true);
  StorePacing(cfg->A.NetworkParams, pacing);
  StorePacing(cfg->B.NetworkParamsCopy, pacing);
  cfg->A.NetworkParams.BitRate = cfg->B.NetworkParamsCopy.BitRate = 38000000;
  cfg->B.GhostTable = {};
  cfg->B.GhostTable.PidIn[0] = 300;
  cfg->B.GhostTable.PidOut[0] = 400;
  cfg->B.GhostTable.Input[0] = 2;
  cfg->B.GhostTable.Count = 1;
  return cfg;
}

class QrmuxTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("qrmux-test-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    ASSERT_TRUE(SaveMuxFile(Path("sample.MUX"), *SampleRecord()));
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(QrmuxTest, UsageErrorsExitWithTwo) {
  for (const char* arguments : {"", "frobnicate", "image", "image x.MUX", "image x.MUX -o", "show a b",
                                "image x.MUX -o y --version 32", "pacing", "send x.MUX", "show x --bogus"}) {
    SCOPED_TRACE(arguments);
    EXPECT_EQ(Qrmux(arguments).exitCode, 2);
  }
  const RunResult help = Qrmux("--help");
  EXPECT_EQ(help.exitCode, 0);
  for (const char* name : {"image", "parse", "show", "pacing", "send", "get", "emulate"})
    EXPECT_NE(help.out.find(name), std::string::npos) << name;
  EXPECT_EQ(Qrmux("send --help").exitCode, 0);
}

TEST_F(QrmuxTest, ShowJsonCarriesTheRecordWithDecodedNames) {
  const RunResult r = Qrmux("show " + Path("sample.MUX") + " --json");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  for (const char* expected : {"\"ProgramCount\": 2", "\"TransportStreamId\": 5", "\"NetworkName\": \"Rede São\"",
                               "\"ServiceName\": \"Canal 2\"", "\"BitRate\": 38000000", "\"ByteGap\": 4",
                               "\"PcrPidOut\": 211", "\"GhostTable\": {", "\"PidOut\": [\n      400\n    ]"})
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
  const RunResult text = Qrmux("show " + Path("sample.MUX"));
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_NE(text.out.find("Canal 1"), std::string::npos) << text.out;
}

TEST_F(QrmuxTest, BadRecordFilesAreRefused) {
  std::ofstream(Path("short.MUX")) << "short";
  const RunResult corrupt = Qrmux("show " + Path("short.MUX"));
  EXPECT_EQ(corrupt.exitCode, 1);
  EXPECT_NE(corrupt.out.find("File corrupted!"), std::string::npos);
  EXPECT_NE(Qrmux("show " + Path("absent.MUX")).out.find("Cannot open input file."), std::string::npos);
  // An empty configuration has nothing to send, so no image is written for it.
  ASSERT_TRUE(SaveMuxFile(Path("empty.MUX"), MuxConfig{}));
  EXPECT_EQ(Qrmux("image " + Path("empty.MUX") + " -o " + Path("empty.img")).exitCode, 1);
  EXPECT_FALSE(fs::exists(Path("empty.img")));
}

TEST_F(QrmuxTest, PacingPrintsTheEffectiveRateAndRefusesWhatDoesNotFit) {
  const RunResult byteMode = Qrmux("pacing 38000000");
  ASSERT_EQ(byteMode.exitCode, 0);
  EXPECT_NE(byteMode.out.find("effective rate: 38001122"), std::string::npos);
  EXPECT_NE(byteMode.out.find("packet gaps: 133 132 133 133 132 133 132 133 133 132"), std::string::npos);
  EXPECT_NE(Qrmux("pacing 38000000 --pack").out.find("packet gaps: 881 880"), std::string::npos);
  for (const char* rate : {"216000001", "1000", "abc"}) {
    const RunResult refused = Qrmux(std::string("pacing ") + rate);
    EXPECT_EQ(refused.exitCode, 1) << rate;
    EXPECT_NE(refused.out.find("between"), std::string::npos) << refused.out;
  }
}

TEST_F(QrmuxTest, ImageThenParseGivesTheRecordBack) {
  ASSERT_EQ(Qrmux("image " + Path("sample.MUX") + " -o " + Path("sample.img") + " --version 7").exitCode, 0);
  EXPECT_EQ(fs::file_size(Path("sample.img")), 188u * 16);
  const RunResult parsed = Qrmux("parse " + Path("sample.img") + " -o " + Path("back.MUX"));
  ASSERT_EQ(parsed.exitCode, 0) << parsed.out;
  MuxConfig back{};
  ASSERT_EQ(LoadMuxFile(Path("back.MUX"), back), MuxLoadResult::Loaded);
  const auto sample = SampleRecord();
  EXPECT_EQ(back.A.ProgramCount, 2);
  EXPECT_EQ(back.A.TransportStreamId, 5);
  EXPECT_STREQ(back.A.NetworkName, sample->A.NetworkName);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(back.A.InputOfProgram[k], sample->A.InputOfProgram[k]);
    EXPECT_STREQ(back.A.Services[k].ServiceName, sample->A.Services[k].ServiceName);
    EXPECT_EQ(back.A.Programs[k].Audio[0].PidIn, sample->A.Programs[k].Audio[0].PidIn);
    EXPECT_EQ(back.A.Programs[k].Audio[0].Type, 4);
    EXPECT_EQ(back.A.Programs[k].PcrAdjust, 1);
  }
  EXPECT_EQ(back.B.GhostTable.Count, 1);
  EXPECT_EQ(back.B.GhostTable.PidOut[0], 400);
  EXPECT_EQ(PacingOf(back.A.NetworkParams), PacingOf(sample->A.NetworkParams));
  // Garbage is no image: nothing is read from it, and the base record comes out unchanged.
  std::ofstream(Path("noise.img")) << std::string(3000, 'x');
  EXPECT_EQ(Qrmux("parse " + Path("noise.img") + " -o " + Path("noise.MUX") + " --base " + Path("sample.MUX")).exitCode, 0);
  MuxConfig noise{};
  ASSERT_EQ(LoadMuxFile(Path("noise.MUX"), noise), MuxLoadResult::Loaded);
  EXPECT_EQ(noise.A.ProgramCount, 2);
}

// A device emulator in a child process, stopped when the test ends.
class EmulatorProcess {
 public:
  explicit EmulatorProcess(const std::string& link) {
    pid_ = fork();
    if (pid_ == 0) {
      execl(QRMUX_PATH, QRMUX_PATH, "emulate", "--link", link.c_str(), "--unpaced", static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 200 && !fs::is_symlink(link); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ~EmulatorProcess() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_;
};

TEST_F(QrmuxTest, SendThenGetAgainstTheEmulator) {
  const std::string device = Path("COM5");
  EmulatorProcess emulator(device);
  ASSERT_TRUE(fs::is_symlink(device));
  const RunResult sent = Qrmux("send " + Path("sample.MUX") + " --device " + device);
  EXPECT_EQ(sent.exitCode, 0) << sent.out;
  EXPECT_NE(sent.out.find("Process successful!"), std::string::npos) << sent.out;
  const RunResult got = Qrmux("get -o " + Path("device.MUX") + " --device " + device);
  ASSERT_EQ(got.exitCode, 0) << got.out;
  MuxConfig back{};
  ASSERT_EQ(LoadMuxFile(Path("device.MUX"), back), MuxLoadResult::Loaded);
  EXPECT_EQ(back.A.ProgramCount, 2);
  EXPECT_STREQ(back.A.Services[1].ServiceName, "Canal 2");
}

TEST_F(QrmuxTest, SendToAMissingDeviceSaysSoAtOnce) {
  const RunResult r = Qrmux("send " + Path("sample.MUX") + " --device " + Path("nothing-here"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("não disponivel"), std::string::npos) << r.out;
}

}  // namespace
