// Writes the seed inputs of the fuzz targets: valid frames and whole runs as the emulated unit
// answers them, and parameter files from the station's own writer. The seeds in corpus/ were made
// with it (fuzz_seeds tests/fuzz/corpus); run it again when an input format changes.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "device/device_loop.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "files/parameter_file.h"
#include "files/parameter_set_check.h"
#include "image/field_dictionary.h"
#include "model/default_set.h"
#include "receive_path_input.h"

namespace {

namespace fs = std::filesystem;
using korvan::fuzz::FuzzRun;

void WriteSeed(const fs::path& dir, const std::string& name, std::string_view bytes) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::cerr << "cannot write " << (dir / name) << "\n";
    std::exit(1);
  }
}

// Serves the station what the emulated unit sent since the last tick, and keeps each tick's
// arrival as one piece of a receive_path_fuzz input.
class RecordingPort : public korvan::SerialPort {
 public:
  explicit RecordingPort(korvan::UnitEmulator& unit) : inner_(unit) {}

  bool Open(const std::string& device) override { return inner_.Open(device); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  std::size_t BytesWaiting() override { return IsOpen() ? arrived_.size() : 0; }
  std::size_t Read(std::span<std::uint8_t> out) override {
    const std::size_t n = std::min(out.size(), arrived_.size());
    std::copy_n(arrived_.begin(), n, out.begin());
    arrived_.erase(arrived_.begin(), arrived_.begin() + static_cast<long>(n));
    return n;
  }
  bool WriteAndDrain(std::span<const std::uint8_t> bytes) override {
    return inner_.WriteAndDrain(bytes);
  }
  void PurgeReads() override {
    arrived_.clear();
    inner_.PurgeReads();
  }
  void Close() override { inner_.Close(); }

  // One tick passes; what the unit sent in it is appended to `input` as one piece.
  void RecordTick(std::string& input) {
    inner_.AdvanceTick();
    std::vector<std::uint8_t> piece(inner_.BytesWaiting());
    piece.resize(inner_.Read(piece));
    AppendPiece(input, piece);
    arrived_.insert(arrived_.end(), piece.begin(), piece.end());
  }

  static void AppendPiece(std::string& input, std::span<const std::uint8_t> piece) {
    const std::size_t n = piece.size();
    std::uint8_t control = 0;
    if (n < korvan::fuzz::kWholeFrames) {
      control = static_cast<std::uint8_t>(n);
    } else if (n % korvan::kFrameSize == 0 &&
               n / korvan::kFrameSize <= 0x100u - korvan::fuzz::kWholeFrames) {
      control = static_cast<std::uint8_t>(korvan::fuzz::kWholeFrames + n / korvan::kFrameSize - 1);
    } else {
      std::cerr << "a piece of " << n << " bytes has no control byte\n";
      std::exit(1);
    }
    input.push_back(static_cast<char>(control));
    input.append(reinterpret_cast<const char*>(piece.data()), n);
  }

 private:
  korvan::MemoryUnitPort inner_;
  std::vector<std::uint8_t> arrived_;
};

struct QuietHost : korvan::DeviceHost {
  void ShowLinkMessage(const korvan::PortOpenReport&) override {}
  void ApplyConsistencyAndRefresh() override {}
  void ShowVersionMismatch(std::uint8_t) override {}
};

struct Scenario {
  const char* name;
  FuzzRun run;
  int cylinders;
  int ticks;
  korvan::UnitFault fault;
};

// What the unit sends during `scenario`, tick by tick, as the fuzz target reads it.
std::string RecordRun(const Scenario& scenario) {
  korvan::ParameterImage image = korvan::DefaultParameterSet(korvan::kStartBikeCode);
  korvan::IdentityBlock identity;
  korvan::DirtyBlockSet dirty;
  korvan::UnitEmulator unit;
  unit.fault() = scenario.fault;
  RecordingPort port(unit);
  QuietHost host;
  korvan::DeviceLoop loop(image, identity, dirty, port, host);
  image.SetByte(korvan::kCylinderCountOffset, static_cast<std::uint8_t>(scenario.cylinders));
  loop.link().OpenLink();
  std::string input;
  input.push_back(static_cast<char>(scenario.run));
  input.push_back(static_cast<char>(scenario.cylinders));
  switch (scenario.run) {
    case FuzzRun::kRead:
      loop.session().StartRead();
      break;
    case FuzzRun::kVerify:
      loop.session().StartVerify();
      break;
    case FuzzRun::kProgram:
      loop.session().StartProgram();
      break;
    case FuzzRun::kIdle:
      break;
  }
  for (int t = 0; t < scenario.ticks; ++t) {
    port.RecordTick(input);
    loop.Tick();
  }
  return input;
}

korvan::LinkFrame MonitorFrame(int elapsed_ms) {
  korvan::UnitEmulator unit;
  unit.Advance(elapsed_ms);
  const korvan::UnitReply reply = unit.Answer(korvan::MakeMonitorRequest());
  korvan::LinkFrame frame{};
  std::copy_n(reply.bytes.begin(), korvan::kFrameSize, frame.begin());
  return frame;
}

std::string Header(FuzzRun run, int cylinders) {
  return {static_cast<char>(run), static_cast<char>(cylinders)};
}

void WriteReceiveSeeds(const fs::path& dir) {
  korvan::UnitFault fine;
  auto with = [fine](auto change) {
    korvan::UnitFault fault = fine;
    change(fault);
    return fault;
  };
  const Scenario scenarios[] = {
      {"idle_monitor", FuzzRun::kIdle, 4, 40, fine},
      {"read_then_verify", FuzzRun::kRead, 2, 48, fine},
      {"verify", FuzzRun::kVerify, 1, 28, fine},
      {"program_verify_saving", FuzzRun::kProgram, 4, 120, fine},
      {"read_other_version", FuzzRun::kRead, 4, 10, with([](auto& f) { f.version = 67; })},
      {"read_forbidden", FuzzRun::kRead, 4, 10, with([](auto& f) { f.reading_forbidden = true; })},
      {"read_bad_check", FuzzRun::kRead, 4, 8, with([](auto& f) { f.bad_check_byte = true; })},
      {"read_wrong_code", FuzzRun::kRead, 4, 8, with([](auto& f) { f.wrong_reply_code = true; })},
      {"program_echo_mismatch", FuzzRun::kProgram, 4, 24,
       with([](auto& f) { f.mismatch_echo_block = 5; })},
      {"idle_stray_bytes", FuzzRun::kIdle, 3, 20, with([](auto& f) { f.stray_bytes = 10; })},
      {"read_corrupt_replies", FuzzRun::kRead, 4, 40, with([](auto& f) { f.corrupt_every = 7; })},
      {"read_late_replies", FuzzRun::kRead, 4, 30, with([](auto& f) { f.late_ticks = 2; })},
  };
  for (const Scenario& scenario : scenarios) WriteSeed(dir, scenario.name, RecordRun(scenario));

  // Frame boundaries that the recorded runs never show: two frames in one poll, a frame that
  // arrives in two parts, and a monitor frame with every sensor error and flag set.
  const korvan::LinkFrame frame = MonitorFrame(12000);
  std::string two = Header(FuzzRun::kIdle, 4);
  RecordingPort::AppendPiece(two, std::vector<std::uint8_t>(korvan::kFrameSize * 2));
  std::copy(frame.begin(), frame.end(), two.end() - 2 * korvan::kFrameSize);
  std::copy(frame.begin(), frame.end(), two.end() - korvan::kFrameSize);
  WriteSeed(dir, "two_frames_one_poll", two);

  std::string split = Header(FuzzRun::kIdle, 4);
  RecordingPort::AppendPiece(split, std::span(frame).first(151));
  RecordingPort::AppendPiece(split, std::span(frame).last(1));
  WriteSeed(dir, "frame_in_two_parts", split);

  korvan::LinkFrame alarms = frame;
  for (int k = 1; k <= 4; ++k) alarms[static_cast<std::size_t>(k)] ^= 0xFF;
  alarms[23] = 0;  // coolant sensor error
  alarms[24] = 0;  // air sensor error
  alarms[25] = 9;  // no such gear
  alarms[27] = 1;  // pilot light blinking
  korvan::SealFrame(alarms);
  std::string alarm_input = Header(FuzzRun::kIdle, 5);
  RecordingPort::AppendPiece(alarm_input, alarms);
  WriteSeed(dir, "monitor_alarms", alarm_input);
}

korvan::ParameterImage BikeSet(int bike_code) { return korvan::DefaultParameterSet(bike_code); }

void SetMemo(korvan::ParameterImage& image, std::string_view memo) {
  for (std::size_t i = 0; i < memo.size() && i < 149; ++i) {
    image.SetByte(2700 + static_cast<int>(i), static_cast<unsigned char>(memo[i]));
  }
}

void WriteFileSeeds(const fs::path& dir) {
  for (int bike : {0, 11, 38, 49}) {
    korvan::ParameterImage image = BikeSet(bike);
    SetMemo(image, "Default set, bike " + std::to_string(bike));
    WriteSeed(dir, "bike_" + std::to_string(bike) + ".ign", korvan::FormatParameterFile(image));
  }
  // Channels coupled (byte 47): the file's 2A..4A sections are skipped on reading; the servo
  // maps stored one to one (bytes 62, 63) and another idle step (byte 2600).
  korvan::ParameterImage coupled = BikeSet(20);
  coupled.SetByte(47, 1);
  coupled.SetByte(62, 1);
  coupled.SetByte(63, 1);
  coupled.SetByte(2600, 1);
  SetMemo(coupled, "12 digits first\r\nthen a second line");
  WriteSeed(dir, "coupled_servo_direct.ign", korvan::FormatParameterFile(coupled));

  // One small file per page: the key line, BIKE and that page's sections as the writer puts
  // them, so that most inputs are short and each page's sections get mutated on their own.
  for (int page = 0; page < 18; ++page) {
    const int bike = (page * 7 + 1) % 50;
    const std::string text = korvan::FormatParameterFile(BikeSet(bike));
    auto section_text = [&text](int s) {
      auto start = [&text](int k) {
        if (k >= korvan::kParameterSectionCount) return text.size();
        const auto& layout = korvan::SectionLayout(static_cast<korvan::ParameterSection>(k));
        return text.find("\r\n" + std::string(layout.key_field));
      };
      return text.substr(start(s), start(s + 1) - start(s));
    };
    std::string seed = text.substr(0, text.find("\r\n"));
    for (int s = 0; s < korvan::kParameterSectionCount; ++s) {
      const int section_page = korvan::SectionLayout(static_cast<korvan::ParameterSection>(s)).page;
      if (s == static_cast<int>(korvan::ParameterSection::kBike) || section_page == page) {
        seed += section_text(s);
      }
    }
    WriteSeed(dir, "page_" + std::to_string(page) + ".ign", seed);
  }

  const std::string full = korvan::FormatParameterFile(BikeSet(11));
  WriteSeed(dir, "truncated.ign", full.substr(0, full.size() / 3));

  const std::string key = "VELMORAX_KEY    68 \r\n";
  WriteSeed(dir, "key_and_bike.ign", key + "\r\nBIKE            11 \r\n             ");
  WriteSeed(dir, "other_version.ign", "VELMORAX_KEY    67 \r\n\r\nBIKE            11 \r\n");
  WriteSeed(dir, "words_before_key.ign",
            "Saved on the bench\r\n" + key +
                "\r\nBIKE             3 \r\n"
                "\r\nGEAR_CORR      -40     0     5    -5   100   155 \r\n"
                "                 1     2     3     4     5     6 \r\n");
  WriteSeed(dir, "repeated_and_short_sections.ign",
            key +
                "\r\nBIKE            25 \r\n\r\nLIMITER      12000 11500 \r\nTPS\r\n"
                "\r\nLIMITER      13000 12500 11000 10000     3 \r\n\r\nNO_READING       1\r\n"
                "\r\nBIKE            60 \r\n\r\nCHOKE          1  2  3  4\r\n"
                "             -20   -10    0   10 \r\n\r\nMEMO         \r\n"
                "ends without a line break");
  WriteSeed(dir, "overlong_word.ign",
            std::string(300, 'A') + " " + key + "\r\nMEMO         \r\n" + std::string(160, 'm'));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seeds CORPUS_DIR\n";
    return 2;
  }
  const fs::path root = argv[1];
  WriteReceiveSeeds(root / "receive_path_fuzz");
  WriteFileSeeds(root / "parameter_file_fuzz");
  return 0;
}
