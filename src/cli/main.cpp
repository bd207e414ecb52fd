#include "cli/Command.h"

#include <iostream>

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  quillon::cli::CommandContext context{{argv + 1, argv + argc}, std::cin, std::cout, std::cerr};
  return quillon::cli::runCli(context);
}
