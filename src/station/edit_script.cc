#include "station/edit_script.h"

#include <fstream>
#include <sstream>

#include "station/station.h"

namespace korvan {

bool RunEditScript(Station& station, std::istream& script, std::string* error) {
  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.resize(hash);
    std::istringstream words(line);
    std::string command, argument;
    if (!(words >> command)) continue;
    const auto fail = [&](const std::string& what) {
      *error = "line " + std::to_string(number) + ": " + what;
      return false;
    };
    if (command == "restore") {
      words >> argument;
      if (argument != "yes" && argument != "no") return fail("restore takes yes or no");
      station.AnswerJournalOffer(argument == "yes");
    } else if (command == "byte") {
      int index = -1, value = -1;
      if (!(words >> index >> value) || index < 0 || index >= kImageSize || value < 0 ||
          value > 255) {
        return fail("byte takes an index below 2850 and a value 0..255");
      }
      station.image().SetByte(index, static_cast<unsigned>(value));
      station.CommitEdit();
    } else if (command == "undo") {
      station.SpeedButtonZpetClick();
    } else if (command == "redo") {
      station.SpeedButtonZnovuClick();
    } else if (command == "dump" || command == "dirty") {
      if (!(words >> argument)) return fail(command + " takes a file name");
      std::ofstream out(argument, std::ios::binary);
      if (command == "dump") {
        const ParameterImage::Bytes& bytes = station.image().bytes();
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
      } else {
        for (int b = 0; b < kBlockCount; ++b) out << (station.dirty().IsSet(b) ? '1' : '0');
        out << '\n';
      }
      if (!out.flush()) return fail("cannot write " + argument);
    } else {
      return fail("unknown command " + command);
    }
  }
  return true;
}

}  // namespace korvan
