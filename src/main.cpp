#include <iostream>

#include "cli/CommandLine.h"

int main(int argc, char** argv) {
  const SubcommandArgs args(argv + 1, argv + argc);
  if (const auto status = RunSubcommand(args, std::cout, std::cerr)) return *status;
  std::cerr << "montage-designer: the designer window is not built yet; use a subcommand "
               "(layout, grid, render)\n";
  return 2;
}
