// tavrimen-convert: the conversion run from the command line (the run itself comes next).
#include <iostream>

int main() {
  std::cerr << "usage: tavrimen-convert [--patdat DIR] [--yes|--no] SOURCE DESTINATION\n";
  return 2;
}
