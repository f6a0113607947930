#pragma once

#include <string_view>

// True when any word of the command line is --help or -h: the usage is printed and nothing else done.
inline bool AsksForHelp(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") return true;
  return false;
}
