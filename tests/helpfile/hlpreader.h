// A reader of the help files the generator writes, for the tests: it finds
// internal files through the directory, walks B+ trees page by page and
// follows the topic links of |TOPIC.
#ifndef ZORV_TEST_HLPREADER_H
#define ZORV_TEST_HLPREADER_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace hlp {

using Bytes = std::vector<uint8_t>;

struct TreeInfo {
  uint16_t flags = 0, pageSize = 0, rootPage = 0, totalPages = 0, levels = 0;
  std::string structure;
  uint32_t entries = 0;
};

struct TreeEntry {
  std::string keyText;  // 'z' keys
  uint32_t key = 0;     // 'L' keys
  std::string valueText;
  uint32_t value = 0;
};

struct TopicFound {
  std::string title;
  std::string text;  // the strings of its text records, NULs as '|'
};

class File {
public:
  // Empty error on success.
  explicit File(Bytes data);
  const std::string& error() const { return m_error; }
  const Bytes& bytes() const { return m_data; }
  // Internal files by name, in directory order.
  const std::vector<std::pair<std::string, uint32_t>>& directory() const { return m_dir; }
  bool internal(const std::string& name, Bytes* content) const;
  // Walks a B+ tree from its root down to the first leaf and along the leaves.
  bool tree(const Bytes& content, TreeInfo* info, std::vector<TreeEntry>* out,
            std::string* why) const;
  // Topics of |TOPIC by topic offset.
  bool topics(std::map<uint32_t, TopicFound>* out, std::string* why) const;

private:
  Bytes m_data;
  std::string m_error;
  std::vector<std::pair<std::string, uint32_t>> m_dir;
};

uint16_t U16(const Bytes& b, size_t at);
uint32_t U32(const Bytes& b, size_t at);

}  // namespace hlp

#endif
