// helpgen: writes a WinHelp 3.1 help file (uncompressed topic blocks) from a
// plain-text topic source.
//
//   helpgen <topics.txt> <output.hlp>
//
// Topic source, one topic per help context number:
//
//   # comment
//   title = Help file title
//   [94: 1] OK
//   Body text of the topic; continued lines are joined with blanks.
//   <blank line ends the topic>
//
// "[number: control ids] topic title". The control ids are not written into
// the help file; they document which dialog controls the topic serves, and
// the tests compare them with the library's help table.
//
// What is written: |SYSTEM (title, contents topic), |FONT (two fonts),
// |TOPIC (each topic: a topic header and one text record with the title as
// a bold first paragraph and the body as the second), |CONTEXT (hash of the
// context name "IDH_<number>" to topic), |TTLBTREE (topic titles), |CTXOMAP
// (context number to topic), and the internal directory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "helpgen.h"

namespace helpgen {
namespace {

void put8(Bytes& b, uint32_t v) { b.push_back(uint8_t(v)); }
void put16(Bytes& b, uint32_t v) { put8(b, v); put8(b, v >> 8); }
void put32(Bytes& b, uint32_t v) { put16(b, v); put16(b, v >> 16); }
void putz(Bytes& b, const std::string& s) {
  b.insert(b.end(), s.begin(), s.end());
  b.push_back(0);
}
void set32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// Compressed numbers of the text records: the low bit tells the wide form.
void putCompressedUShort(Bytes& b, uint32_t v) {
  if (v < 0x80) put8(b, v * 2);
  else put16(b, v * 2 + 1);
}
void putCompressedULong(Bytes& b, uint32_t v) {
  if (v < 0x8000) put16(b, v * 2);
  else put32(b, v * 2 + 1);
}

std::string trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(a, e - a + 1);
}

std::string* g_error = nullptr;

bool fail(const std::string& what, int line) {
  if (g_error) *g_error = "line " + std::to_string(line) + ": " + what;
  return false;
}

}  // namespace

bool ParseTopicSource(const std::string& text, Source& src, std::string* error) {
  g_error = error;
  std::istringstream in(text);
  std::string raw;
  int lineNo = 0;
  Topic* open = nullptr;
  std::map<uint32_t, int> seen;
  while (std::getline(in, raw)) {
    ++lineNo;
    std::string line = trim(raw);
    if (!line.empty() && line[0] == '#') continue;
    if (line.empty()) { open = nullptr; continue; }
    if (line[0] == '[') {
      size_t colon = line.find(':'), close = line.find(']');
      if (colon == std::string::npos || close == std::string::npos || colon > close)
        return fail("topic line must read [number: control ids] title", lineNo);
      Topic t;
      char* end = nullptr;
      std::string num = trim(line.substr(1, colon - 1));
      unsigned long n = std::strtoul(num.c_str(), &end, 10);
      if (num.empty() || *end) return fail("bad context number", lineNo);
      t.number = uint32_t(n);
      std::string ids = line.substr(colon + 1, close - colon - 1);
      for (char& c : ids) if (c == ',') c = ' ';
      std::istringstream is(ids);
      std::string id;
      while (is >> id) {
        unsigned long v = std::strtoul(id.c_str(), &end, 10);
        if (*end) return fail("bad control id " + id, lineNo);
        t.controls.push_back(uint32_t(v));
      }
      t.title = trim(line.substr(close + 1));
      if (t.title.empty()) return fail("topic without title", lineNo);
      if (seen.count(t.number)) return fail("context number given twice", lineNo);
      seen[t.number] = lineNo;
      src.topics.push_back(t);
      open = &src.topics.back();
      continue;
    }
    if (open) {
      if (!open->body.empty()) open->body += ' ';
      open->body += line;
      continue;
    }
    if (line.compare(0, 5, "title") == 0 && line.find('=') != std::string::npos) {
      src.title = trim(line.substr(line.find('=') + 1));
      continue;
    }
    return fail("text outside a topic", lineNo);
  }
  if (src.topics.empty()) return fail("no topics", lineNo);
  return true;
}

// Hash of a context name, as the viewer computes it to find |CONTEXT keys.
int32_t ContextHash(const std::string& name) {
  uint32_t h = 0;
  for (unsigned char c : name) {
    int v;
    if (c >= 'A' && c <= 'Z') v = c - 'A' + 0x11;
    else if (c >= 'a' && c <= 'z') v = c - 'a' + 0x11;
    else if (c >= '1' && c <= '9') v = c - '0';
    else if (c == '0') v = 10;
    else if (c == '.') v = 12;
    else if (c == '_') v = 13;
    else v = 0;  // names here use letters, digits and '_' only
    h = h * 43 + uint32_t(v);
  }
  return name.empty() ? 1 : int32_t(h);
}

std::string ContextName(uint32_t number) { return "IDH_" + std::to_string(number); }

namespace {

// A B+ tree over sorted entries. Each entry is its key bytes followed by its
// value bytes; index pages repeat the key of each child's first entry.
struct TreeEntry {
  Bytes key;
  Bytes value;
};

Bytes buildTree(const std::vector<TreeEntry>& entries, uint16_t pageSize,
                uint16_t flags, const char* structure) {
  struct Page { Bytes data; Bytes firstKey; };
  std::vector<Page> pages;
  std::vector<size_t> level;  // page numbers of the current level
  // Leaves.
  {
    size_t i = 0;
    do {
      Page p;
      uint16_t n = 0;
      Bytes body;
      while (i < entries.size() &&
             8 + body.size() + entries[i].key.size() + entries[i].value.size() <= pageSize) {
        if (n == 0) p.firstKey = entries[i].key;
        body.insert(body.end(), entries[i].key.begin(), entries[i].key.end());
        body.insert(body.end(), entries[i].value.begin(), entries[i].value.end());
        ++n, ++i;
      }
      if (n == 0 && i < entries.size()) { std::cerr << "helpgen: entry too large\n"; std::exit(1); }
      put16(p.data, uint16_t(pageSize - 8 - body.size()));
      put16(p.data, n);
      put16(p.data, 0);  // previous and next leaf: patched below
      put16(p.data, 0);
      p.data.insert(p.data.end(), body.begin(), body.end());
      level.push_back(pages.size());
      pages.push_back(p);
    } while (i < entries.size());
    for (size_t k = 0; k < level.size(); ++k) {
      Bytes& d = pages[level[k]].data;
      uint16_t prev = k == 0 ? 0xFFFF : uint16_t(level[k - 1]);
      uint16_t next = k + 1 == level.size() ? 0xFFFF : uint16_t(level[k + 1]);
      d[4] = uint8_t(prev), d[5] = uint8_t(prev >> 8);
      d[6] = uint8_t(next), d[7] = uint8_t(next >> 8);
    }
  }
  uint16_t levels = 1;
  while (level.size() > 1) {
    std::vector<size_t> up;
    size_t i = 0;
    while (i < level.size()) {
      Page p;
      p.firstKey = pages[level[i]].firstKey;
      uint16_t first = uint16_t(level[i++]);
      Bytes body;
      uint16_t n = 0;
      while (i < level.size() && 6 + body.size() + pages[level[i]].firstKey.size() + 2 <= pageSize) {
        const Bytes& k = pages[level[i]].firstKey;
        body.insert(body.end(), k.begin(), k.end());
        put16(body, uint16_t(level[i]));
        ++n, ++i;
      }
      put16(p.data, uint16_t(pageSize - 6 - body.size()));
      put16(p.data, n);
      put16(p.data, first);
      p.data.insert(p.data.end(), body.begin(), body.end());
      up.push_back(pages.size());
      pages.push_back(p);
    }
    level = up;
    ++levels;
  }
  Bytes out;
  put16(out, 0x293B);
  put16(out, flags);
  put16(out, pageSize);
  char s[16] = {};
  std::strncpy(s, structure, sizeof s - 1);
  out.insert(out.end(), s, s + 16);
  put16(out, 0);                       // must be zero
  put16(out, 0);                       // page splits
  put16(out, uint16_t(level[0]));      // root page
  put16(out, 0xFFFF);
  put16(out, uint16_t(pages.size()));
  put16(out, levels);
  put32(out, uint32_t(entries.size()));
  for (Page& p : pages) {
    p.data.resize(pageSize, 0);
    out.insert(out.end(), p.data.begin(), p.data.end());
  }
  return out;
}

constexpr uint32_t kTopicBlockSize = 4096;
constexpr uint32_t kBlockHeader = 12;
constexpr uint32_t kBlockData = kTopicBlockSize - kBlockHeader;  // uncompressed
constexpr uint32_t kLinkHeader = 21;

struct Link {
  uint8_t type;
  Bytes data1;
  Bytes data2;
  uint32_t chars = 0;  // characters the link adds to topic offsets
  uint32_t pos = 0;    // position in the stream of block data
};

// Topic position of a byte in the stream of block data (headers left out).
uint32_t topicPos(uint32_t streamPos) { return kBlockHeader + streamPos; }

// The text record of a topic: the title as a bold paragraph, then the body.
// Strings of LinkData2 alternate with the formatting commands of LinkData1.
void textRecord(const Topic& t, Link& x) {
  Bytes text;
  Bytes fmt;
  auto str = [&](const std::string& s) { putz(text, s); };
  str("");      fmt.push_back(0x80); put16(fmt, 1);  // bold title font
  str(t.title); fmt.push_back(0x82);                 // end of paragraph
  str("");      fmt.push_back(0x80); put16(fmt, 0);  // body font
  str(t.body);  fmt.push_back(0x82);
  str("");      fmt.push_back(0xFF);                 // end of formatting
  Bytes& d1 = x.data1;
  putCompressedULong(d1, uint32_t(text.size()));   // topic size
  putCompressedUShort(d1, uint32_t(text.size()));  // topic length
  put8(d1, 0);        // paragraph info: unknown byte
  put8(d1, 0x80);     // unknown biased byte (0)
  put16(d1, 0);       // id
  put16(d1, 0x0004);  // bits: spacing below follows
  put8(d1, (6 + 64) * 2);  // compressed signed short 6
  d1.insert(d1.end(), fmt.begin(), fmt.end());
  x.data2 = text;
  x.chars = uint32_t(text.size());
}

struct Output {
  Bytes topic;  // |TOPIC
  std::vector<uint32_t> topicOffset;  // per topic, in source order
};

Output buildTopicFile(const Source& src) {
  std::vector<Link> links;
  std::vector<size_t> headerLink;
  for (size_t i = 0; i < src.topics.size(); ++i) {
    const Topic& t = src.topics[i];
    Link h;
    h.type = 2;
    h.data1.resize(28, 0);
    putz(h.data2, t.title);
    headerLink.push_back(links.size());
    links.push_back(h);
    Link x;
    x.type = 0x20;
    textRecord(t, x);
    links.push_back(x);
  }
  // Lay the links out one after another in the stream of block data.
  uint32_t pos = 0;
  for (Link& l : links) {
    l.pos = pos;
    pos += kLinkHeader + uint32_t(l.data1.size() + l.data2.size());
  }
  uint32_t streamSize = pos;
  auto blockOf = [](uint32_t p) { return p / kBlockData; };
  // Topic offsets: block number * 0x8000 + characters of the text records
  // that start in the same block before the topic.
  Output out;
  for (size_t i = 0; i < src.topics.size(); ++i) {
    const Link& h = links[headerLink[i]];
    uint32_t block = blockOf(h.pos), chars = 0;
    for (const Link& l : links) {
      if (l.pos >= h.pos) break;
      if (blockOf(l.pos) == block) chars += l.chars;
    }
    out.topicOffset.push_back(block * 0x8000 + chars);
  }
  // Topic headers.
  for (size_t i = 0; i < src.topics.size(); ++i) {
    Link& h = links[headerLink[i]];
    Bytes& d = h.data1;
    uint32_t nextPos = i + 1 < src.topics.size() ? topicPos(links[headerLink[i + 1]].pos) : 0xFFFFFFFF;
    uint32_t topicBytes = (i + 1 < src.topics.size() ? links[headerLink[i + 1]].pos : streamSize) - h.pos;
    set32(d, 0, topicBytes);
    set32(d, 4, 0xFFFFFFFF);                  // no browse sequence
    set32(d, 8, 0xFFFFFFFF);
    set32(d, 12, uint32_t(i));                // topic number
    set32(d, 16, 0xFFFFFFFF);                 // no non-scrolling region
    set32(d, 20, topicPos(links[headerLink[i] + 1].pos));  // scrolling region
    set32(d, 24, nextPos);
  }
  // The stream of block data, then cut into blocks with their headers.
  Bytes stream;
  for (size_t k = 0; k < links.size(); ++k) {
    const Link& l = links[k];
    uint32_t d1 = kLinkHeader + uint32_t(l.data1.size());
    put32(stream, d1 + uint32_t(l.data2.size()));  // block size
    put32(stream, uint32_t(l.data2.size()));       // data length 2
    put32(stream, k == 0 ? 0xFFFFFFFF : topicPos(links[k - 1].pos));
    put32(stream, k + 1 < links.size() ? topicPos(links[k + 1].pos) : 0xFFFFFFFF);
    put32(stream, d1);
    put8(stream, l.type);
    stream.insert(stream.end(), l.data1.begin(), l.data1.end());
    stream.insert(stream.end(), l.data2.begin(), l.data2.end());
  }
  uint32_t blocks = (streamSize + kBlockData - 1) / kBlockData;
  for (uint32_t b = 0; b < blocks; ++b) {
    uint32_t first = 0xFFFFFFFF, lastPrev = 0xFFFFFFFF, lastHeader = 0xFFFFFFFF;
    for (const Link& l : links) {
      uint32_t lb = blockOf(l.pos);
      if (lb < b) {
        lastPrev = topicPos(l.pos);
        if (l.type == 2) lastHeader = topicPos(l.pos);
      } else if (lb == b && first == 0xFFFFFFFF) {
        first = topicPos(l.pos);
      }
    }
    put32(out.topic, lastPrev);
    put32(out.topic, first);
    put32(out.topic, lastHeader);
    uint32_t from = b * kBlockData;
    uint32_t to = std::min<uint32_t>(from + kBlockData, streamSize);
    out.topic.insert(out.topic.end(), stream.begin() + from, stream.begin() + to);
  }
  return out;
}

Bytes buildSystem(const Source& src, uint32_t contents) {
  Bytes b;
  put16(b, 0x036C);
  put16(b, 21);  // WinHelp 3.1 format
  put16(b, 1);
  put32(b, 0);   // no date: the same source gives the same file
  put16(b, 0);   // no compression, 4k topic blocks
  Bytes title;
  putz(title, src.title);
  put16(b, 1);
  put16(b, uint16_t(title.size()));
  b.insert(b.end(), title.begin(), title.end());
  put16(b, 3);
  put16(b, 4);
  put32(b, contents);
  return b;
}

Bytes buildFont() {
  Bytes b;
  const char* face = "MS Sans Serif";
  const uint16_t faceLen = 32;
  put16(b, 1);              // face names
  put16(b, 2);              // descriptors
  put16(b, 8);              // face names offset
  put16(b, 8 + faceLen);    // descriptors offset
  Bytes name(faceLen, 0);
  std::memcpy(name.data(), face, std::strlen(face));
  b.insert(b.end(), name.begin(), name.end());
  auto descriptor = [&](uint8_t attributes, uint8_t halfPoints) {
    put8(b, attributes);
    put8(b, halfPoints);
    put8(b, 3);           // swiss family
    put16(b, 0);          // face name 0
    put8(b, 0), put8(b, 0), put8(b, 0);           // black text
    put8(b, 0xFF), put8(b, 0xFF), put8(b, 0xFF);  // on white
  };
  descriptor(0, 16);  // 0: body, 8 points
  descriptor(1, 16);  // 1: title, bold
  return b;
}

Bytes buildCtxoMap(const Source& src, const Output& t) {
  Bytes b;
  put16(b, uint16_t(src.topics.size()));
  std::map<uint32_t, uint32_t> sorted;
  for (size_t i = 0; i < src.topics.size(); ++i) sorted[src.topics[i].number] = t.topicOffset[i];
  for (auto& [number, offset] : sorted) {
    put32(b, number);
    put32(b, offset);
  }
  return b;
}

Bytes buildContext(const Source& src, const Output& t) {
  std::map<int32_t, uint32_t> byHash;
  for (size_t i = 0; i < src.topics.size(); ++i) {
    int32_t h = ContextHash(ContextName(src.topics[i].number));
    if (byHash.count(h)) { std::cerr << "helpgen: context hash collision\n"; std::exit(1); }
    byHash[h] = t.topicOffset[i];
  }
  std::vector<TreeEntry> e;
  for (auto& [hash, offset] : byHash) {  // signed order
    TreeEntry x;
    put32(x.key, uint32_t(hash));
    put32(x.value, offset);
    e.push_back(x);
  }
  return buildTree(e, 2048, 0x0002, "L4");
}

Bytes buildTitles(const Source& src, const Output& t) {
  std::map<uint32_t, std::string> byOffset;
  for (size_t i = 0; i < src.topics.size(); ++i) byOffset[t.topicOffset[i]] = src.topics[i].title;
  std::vector<TreeEntry> e;
  for (auto& [offset, title] : byOffset) {
    TreeEntry x;
    put32(x.key, offset);
    putz(x.value, title);
    e.push_back(x);
  }
  return buildTree(e, 2048, 0x0002, "Lz");
}

}  // namespace

Bytes BuildHelpFile(const Source& src) {
  Output topics = buildTopicFile(src);
  std::map<std::string, Bytes> files;  // sorted by name, as the directory wants
  files["|SYSTEM"] = buildSystem(src, topics.topicOffset[0]);
  files["|FONT"] = buildFont();
  files["|TOPIC"] = topics.topic;
  files["|CONTEXT"] = buildContext(src, topics);
  files["|CTXOMAP"] = buildCtxoMap(src, topics);
  files["|TTLBTREE"] = buildTitles(src, topics);

  Bytes out(16, 0);
  std::vector<TreeEntry> dir;
  for (auto& [name, data] : files) {
    TreeEntry x;
    putz(x.key, name);
    put32(x.value, uint32_t(out.size()));
    dir.push_back(x);
    put32(out, uint32_t(data.size() + 9));  // reserved, with this header
    put32(out, uint32_t(data.size()));      // used
    put8(out, 4);
    out.insert(out.end(), data.begin(), data.end());
  }
  Bytes tree = buildTree(dir, 1024, 0x0402, "z4");
  uint32_t dirStart = uint32_t(out.size());
  put32(out, uint32_t(tree.size() + 9));
  put32(out, uint32_t(tree.size()));
  put8(out, 4);
  out.insert(out.end(), tree.begin(), tree.end());
  set32(out, 0, 0x00035F3F);
  set32(out, 4, dirStart);
  set32(out, 8, 0xFFFFFFFF);  // no free list
  set32(out, 12, uint32_t(out.size()));
  return out;
}

}  // namespace helpgen
