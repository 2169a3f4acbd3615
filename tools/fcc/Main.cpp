#include <unistd.h>

#include <iostream>

#include "Fcc.h"

int main(int argc, char** argv) {
  return fcc::Main(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
