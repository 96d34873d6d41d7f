#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <unistd.h>
#include <iterator>
#include <memory>
#include <random>

#include "config/MuxFile.h"

namespace {

namespace fs = std::filesystem;

class MuxFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("qr-muxfile-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // A record with every byte set, reserved ones included, and counts in range.
  static std::unique_ptr<MuxConfig> PatternedRecord() {
    auto cfg = std::make_unique<MuxConfig>();
    auto* bytes = reinterpret_cast<uint8_t*>(cfg.get());
    for (size_t i = 0; i < sizeof(MuxConfig); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    cfg->A.ProgramCount = 100;
    cfg->B.GhostTable.Count = 352;
    return cfg;
  }

  fs::path dir_;
};

TEST_F(MuxFileTest, SaveThenLoadIsByteExact) {
  const auto saved = PatternedRecord();
  const fs::path path = dir_ / "a.MUX";
  ASSERT_TRUE(SaveMuxFile(path, *saved));
  EXPECT_EQ(fs::file_size(path), 13880u);
  EXPECT_FALSE(fs::exists(dir_ / "a.MUX.saving"));

  auto loaded = std::make_unique<MuxConfig>();
  ASSERT_EQ(LoadMuxFile(path, *loaded), MuxLoadResult::Loaded);
  EXPECT_EQ(std::memcmp(saved.get(), loaded.get(), sizeof(MuxConfig)), 0);
  // Block A comes first in the file, Block B after it.
  const std::string bytes = Bytes(path);
  EXPECT_EQ(static_cast<uint8_t>(bytes[342]), 100);
  EXPECT_EQ(static_cast<uint8_t>(bytes[11736 + 2112]), 352 & 0xFF);
}

TEST_F(MuxFileTest, ForeignFilesAreRefusedAndLeaveTheRecordAlone) {
  const auto good = PatternedRecord();
  const fs::path goodPath = dir_ / "good.MUX";
  ASSERT_TRUE(SaveMuxFile(goodPath, *good));
  const std::string goodBytes = Bytes(goodPath);

  auto withCounts = [&](int16_t programs, int16_t ghosts) {
    std::string b = goodBytes;
    std::memcpy(&b[342], &programs, 2);
    std::memcpy(&b[11736 + 2112], &ghosts, 2);
    return b;
  };
  std::mt19937 random(42);
  std::string garbage(13880, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  garbage[343] = 0x7F;  // keep the random counts out of range

  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"100 bytes", goodBytes.substr(0, 100)},
      {"one short", goodBytes.substr(0, 13879)},
      {"one long", goodBytes + "x"},
      {"101 programs", withCounts(101, 0)},
      {"negative programs", withCounts(-1, 0)},
      {"353 ghosts", withCounts(0, 353)},
      {"negative ghosts", withCounts(0, -2)},
      {"random bytes", garbage},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    const fs::path path = dir_ / "bad.MUX";
    Write(path, bytes);
    auto cfg = std::make_unique<MuxConfig>();
    cfg->A.ProgramCount = 3;
    cfg->A.TransportStreamId = 77;
    const auto before = *cfg;
    EXPECT_EQ(LoadMuxFile(path, *cfg), MuxLoadResult::Corrupted);
    EXPECT_EQ(std::memcmp(&before, cfg.get(), sizeof(MuxConfig)), 0);
  }
}

TEST_F(MuxFileTest, MissingFileCannotBeOpened) {
  MuxConfig cfg{};
  EXPECT_EQ(LoadMuxFile(dir_ / "absent.MUX", cfg), MuxLoadResult::CannotOpen);
  EXPECT_EQ(LoadMuxFile(dir_, cfg), MuxLoadResult::Corrupted);  // a folder reads as nothing
}

TEST_F(MuxFileTest, FailedSaveKeepsThePreviousFile) {
  const fs::path path = dir_ / "keep.MUX";
  Write(path, "previous contents");
  // The temporary file cannot be created where a folder of that name stands.
  fs::create_directory(dir_ / "keep.MUX.saving");
  EXPECT_FALSE(SaveMuxFile(path, *PatternedRecord()));
  EXPECT_EQ(Bytes(path), "previous contents");
  // Nor can a file be saved into a folder that does not exist.
  EXPECT_FALSE(SaveMuxFile(dir_ / "missing" / "x.MUX", *PatternedRecord()));
}

TEST_F(MuxFileTest, PortFileIsTwoLittleEndianBytes) {
  const fs::path path = dir_ / "QR7710-4_CONFPORT.qr7";
  EXPECT_FALSE(ReadPortFile(path).has_value());
  ASSERT_TRUE(WritePortFile(path, 4));
  EXPECT_EQ(Bytes(path), std::string("\x04\x00", 2));
  EXPECT_EQ(ReadPortFile(path), 4);
  Write(path, std::string("\x0c\x01", 2));
  EXPECT_EQ(ReadPortFile(path), 268);
  EXPECT_FALSE(WritePortFile(dir_ / "missing" / "port.qr7", 1));
}

}  // namespace
