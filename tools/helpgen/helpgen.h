// The help file generator: topic source in, WinHelp 3.1 file out.
#ifndef ZORV_HELPGEN_H
#define ZORV_HELPGEN_H

#include <cstdint>
#include <string>
#include <vector>

namespace helpgen {

using Bytes = std::vector<uint8_t>;

struct Topic {
  uint32_t number = 0;             // help context number
  std::vector<uint32_t> controls;  // dialog controls whose help shows it
  std::string title;
  std::string body;
};

struct Source {
  std::string title = "Help";
  std::vector<Topic> topics;
};

// Reads the topic source; false with a message naming the line otherwise.
bool ParseTopicSource(const std::string& text, Source& src, std::string* error);

// The help file for a parsed source with at least one topic.
Bytes BuildHelpFile(const Source& src);

// Context name of a topic ("IDH_<number>") and the hash the viewer looks up.
std::string ContextName(uint32_t number);
int32_t ContextHash(const std::string& name);

}  // namespace helpgen

#endif
