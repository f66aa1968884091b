// helpgen <topics.txt> <output.hlp>: writes the help file of a topic source.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "helpgen.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: helpgen <topics.txt> <output.hlp>\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "helpgen: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  helpgen::Source src;
  std::string error;
  if (!helpgen::ParseTopicSource(text.str(), src, &error)) {
    std::cerr << "helpgen: " << argv[1] << ": " << error << "\n";
    return 1;
  }
  helpgen::Bytes file = helpgen::BuildHelpFile(src);
  std::string tmp = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    if (!out) {
      std::cerr << "helpgen: cannot write " << tmp << "\n";
      return 1;
    }
  }
  if (std::rename(tmp.c_str(), argv[2]) != 0) {
    std::cerr << "helpgen: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
