// Builds a control on the in-memory host, runs the operations named on the
// command line and writes the board as a PNG: a way to see the control without Windows.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "board/automation_error.h"
#include "control/device_scale.h"
#include "control/headless/headless_platform.h"
#include "control/ovl_chess.h"

namespace {

constexpr const char* kUsage =
    "usage: snapshot OUT.png [--scale S] [operation ...]\n"
    "  --scale S   draw for a display at S times 96 DPI (1, 1.25, 1.5, 2, 3, ...): squares of floor(37*S) pixels\n"
    "operations: newgame | clear | refresh | piece COL ROW CODE | enabled 0|1 | design | run\n";

bool WritePng(const std::string& path, const std::vector<uint32_t>& pixels, int size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(size * 3);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const uint32_t p = pixels[y * size + x];
      row[x * 3] = static_cast<png_byte>(p >> 16);
      row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
      row[x * 3 + 2] = static_cast<png_byte>(p);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

int16_t Number(char** argv, int& i, int argc) {
  if (i + 1 >= argc) throw std::invalid_argument("missing number");
  return static_cast<int16_t>(std::stoi(argv[++i]));
}

// The scale is read before any operation runs, wherever it stands.
control::DeviceScale ScaleOption(int argc, char** argv) {
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) != "--scale") continue;
    if (i + 1 >= argc) throw std::invalid_argument("missing scale");
    size_t used = 0;
    const double factor = std::stod(argv[i + 1], &used);
    if (used != std::string(argv[i + 1]).size() || !(factor > 0) || factor > 8)
      throw std::invalid_argument("scale must be a number above 0 and at most 8");
    return control::DeviceScale::FromFactor(factor);
  }
  return {};
}

// One operation of the command line, checked before any runs.
struct Operation {
  std::string text;
  std::function<void()> run;
};

std::vector<Operation> Parse(control::OvlChess& chess, control::headless::HeadlessPlatform& host, int argc,
                             char** argv) {
  std::vector<Operation> operations;
  for (int i = 2; i < argc; ++i) {
    const int first = i;
    const std::string op = argv[i];
    std::function<void()> run;
    if (op == "--scale") {
      ++i;
      continue;
    }
    if (op == "newgame") run = [&chess] { chess.NewGame(); };
    else if (op == "clear") run = [&chess] { chess.Clear(); };
    else if (op == "refresh") run = [&chess] { chess.Refresh(); };
    else if (op == "enabled") run = [&chess, on = Number(argv, i, argc) != 0] { chess.Enabled(on); };
    else if (op == "design") run = [&host] { host.userMode = false; };
    else if (op == "run") run = [&host] { host.userMode = true; };
    else if (op == "piece") {
      const int16_t col = Number(argv, i, argc), row = Number(argv, i, argc);
      if (i + 1 >= argc) throw std::invalid_argument("missing number");
      run = [&chess, col, row, code = std::stoi(argv[++i])] { chess.Piece(col, row, code); };
    } else {
      throw std::invalid_argument("unknown operation '" + op + "'");
    }
    std::string text = argv[first];
    for (int j = first + 1; j <= i; ++j) text += std::string(" ") + argv[j];
    operations.push_back({std::move(text), std::move(run)});
  }
  return operations;
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
  if (argc < 2) {
    std::cerr << kUsage;
    return 2;
  }
  control::headless::HeadlessPlatform host;
  control::OvlChess chess(host);
  control::DeviceScale scale;
  std::vector<Operation> operations;
  try {
    scale = ScaleOption(argc, argv);
    operations = Parse(chess, host, argc, argv);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n" << kUsage;
    return 2;
  }
  try {
    chess.UserControl_Initialize();
    chess.UserControl_InitProperties();
  } catch (const board::AutomationError& e) {
    std::cerr << "error " << e.number() << ": " << e.what() << "\n";
    return 1;
  }
  const bool allSucceeded = Run(operations);
  for (const std::string& message : host.messages) std::cerr << "message box: " << message << "\n";
  if (!WritePng(argv[1], host.Render(scale.Square()), scale.Board())) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  return allSucceeded ? 0 : 1;
}
