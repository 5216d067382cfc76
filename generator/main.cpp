// Tessark: generates a random packing from "tessctrl.dat" in the current folder.
#include <iostream>

#include "generator/run_driver.hpp"

int main() {
  std::ios::sync_with_stdio(false);
  return tessark::runTessark(".", std::cin, std::cout);
}
