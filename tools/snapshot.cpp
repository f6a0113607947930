// Builds a control on the in-memory host, runs the operations named on the
// command line and writes the board as a PNG: a way to see the control without Windows.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "board/automation_error.h"
#include "control/device_scale.h"
#include "control/headless/headless_platform.h"
#include "control/ovl_chess.h"
#include "tools/asks_for_help.h"
#include "tools/png_file.h"

namespace {

constexpr double kSmallestScale = 0.5;
constexpr double kLargestScale = 8;

constexpr const char* kUsage =
    "usage: snapshot OUT.png [--scale S] [operation ...]\n"
    "       snapshot --help\n"
    "  OUT.png     the picture to write; its name must end in .png\n"
    "  --scale S   draw for a display at S times 96 DPI, S from 0.5 to 8 (1, 1.25, 1.5, 2, 3, ...):\n"
    "              squares of floor(37*S) pixels\n"
    "operations: newgame | clear | refresh | piece COL ROW CODE | enabled 0|1 | design | run\n"
    "  COL, ROW    -32768 to 32767 (1 to 8 are on the board)\n"
    "  CODE        a 32-bit whole number (1 to 13 are pieces)\n"
    "exit status: 0 done, 1 an operation failed or the picture was not written, 2 a wrong command line\n";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The command line's words after the picture's name, taken one by one.
class Words {
 public:
  Words(int argc, char** argv) : argc_(argc), argv_(argv) {}
  bool Done() const { return next_ >= argc_; }
  int Next() const { return next_; }
  const char* At(int index) const { return argv_[index]; }
  std::string Take() { return argv_[next_++]; }
  std::string Take(const std::string& operation, const char* expected) {
    if (Done()) throw std::invalid_argument(operation + ": " + expected + " missing at the end");
    return argv_[next_++];
  }

 private:
  int argc_;
  char** argv_;
  int next_ = 2;
};

long long WholeNumber(const std::string& operation, const char* name, const std::string& word, long long lowest,
                      long long highest) {
  long long value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value);
  if (error != std::errc{} || stop != end || value < lowest || value > highest)
    throw std::invalid_argument(operation + ": " + name + " must be a whole number from " +
                                std::to_string(lowest) + " to " + std::to_string(highest) + ", not '" + word +
                                "'");
  return value;
}

int16_t Coordinate(Words& words, const char* name) {
  return static_cast<int16_t>(WholeNumber("piece", name, words.Take("piece", name), INT16_MIN, INT16_MAX));
}

double ScaleFactor(const std::string& word) {
  double factor = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, factor);
  // Written as !(a && b) so that NaN fails too.
  if (error != std::errc{} || stop != end || !(factor >= kSmallestScale && factor <= kLargestScale))
    throw std::invalid_argument("--scale: S must be a number from 0.5 to 8, not '" + word + "'");
  return factor;
}

// One operation of the command line, checked before any runs.
struct Operation {
  std::string text;
  std::function<void()> run;
};

struct CommandLine {
  control::DeviceScale scale;
  std::vector<Operation> operations;
};

std::function<void()> ParseOperation(const std::string& op, Words& words, control::OvlChess& chess,
                                     control::headless::HeadlessPlatform& host) {
  if (op == "newgame") return [&chess] { chess.NewGame(); };
  if (op == "clear") return [&chess] { chess.Clear(); };
  if (op == "refresh") return [&chess] { chess.Refresh(); };
  if (op == "design") return [&host] { host.userMode = false; };
  if (op == "run") return [&host] { host.userMode = true; };
  if (op == "enabled") {
    const std::string word = words.Take(op, "0 or 1");
    if (word != "0" && word != "1") throw std::invalid_argument("enabled: expected 0 or 1, not '" + word + "'");
    return [&chess, on = word == "1"] { chess.Enabled(on); };
  }
  if (op == "piece") {
    const int16_t col = Coordinate(words, "COL"), row = Coordinate(words, "ROW");
    const auto code = static_cast<int32_t>(WholeNumber(op, "CODE", words.Take(op, "CODE"), INT32_MIN, INT32_MAX));
    return [&chess, col, row, code] { chess.Piece(col, row, code); };
  }
  throw std::invalid_argument("unknown operation '" + op + "'");
}

// The whole command line is checked before anything runs, so a wrong word writes no picture.
CommandLine Parse(control::OvlChess& chess, control::headless::HeadlessPlatform& host, int argc, char** argv) {
  const std::string out = argv[1];
  if (!EndsWith(out, ".png"))
    throw std::invalid_argument("the first word names the picture to write and must end in .png, not '" + out +
                                "'");
  CommandLine line;
  bool scaled = false;
  for (Words words(argc, argv); !words.Done();) {
    const int first = words.Next();
    const std::string op = words.Take();
    if (op == "--scale") {
      if (scaled) throw std::invalid_argument("--scale given twice");
      line.scale = control::DeviceScale::FromFactor(ScaleFactor(words.Take(op, "S")));
      scaled = true;
      continue;
    }
    std::function<void()> run = ParseOperation(op, words, chess, host);
    std::string text = op;
    for (int j = first + 1; j < words.Next(); ++j) text += std::string(" ") + words.At(j);
    line.operations.push_back({std::move(text), std::move(run)});
  }
  return line;
}

// Runs every operation, as a host goes on after a member's error; false when any failed.
bool Run(const std::vector<Operation>& operations) {
  bool allSucceeded = true;
  for (const Operation& operation : operations) {
    try {
      operation.run();
    } catch (const board::AutomationError& e) {
      std::cerr << operation.text << ": error " << e.number() << ": " << e.what() << "\n";
      allSucceeded = false;
    }
  }
  return allSucceeded;
}

}  // namespace

int main(int argc, char** argv) {
  if (AsksForHelp(argc, argv)) {
    std::cout << kUsage;
    return 0;
  }
  if (argc < 2) {
    std::cerr << kUsage;
    return 2;
  }
  control::headless::HeadlessPlatform host;
  control::OvlChess chess(host);
  CommandLine line;
  try {
    line = Parse(chess, host, argc, argv);
  } catch (const std::invalid_argument& e) {
    std::cerr << "snapshot: " << e.what() << "\n" << kUsage;
    return 2;
  }
  try {
    chess.UserControl_Initialize();
    chess.UserControl_InitProperties();
  } catch (const board::AutomationError& e) {
    std::cerr << "error " << e.number() << ": " << e.what() << "\n";
    return 1;
  }
  const bool allSucceeded = Run(line.operations);
  for (const std::string& message : host.messages) std::cerr << "message box: " << message << "\n";
  if (!WritePng(argv[1], host.Render(line.scale.Square()), line.scale.Board())) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  return allSucceeded ? 0 : 1;
}
