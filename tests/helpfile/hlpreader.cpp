#include "hlpreader.h"

#include <cstring>

namespace hlp {

uint16_t U16(const Bytes& b, size_t at) {
  return at + 2 <= b.size() ? uint16_t(b[at] | b[at + 1] << 8) : 0;
}
uint32_t U32(const Bytes& b, size_t at) {
  return at + 4 <= b.size() ? uint32_t(U16(b, at) | uint32_t(U16(b, at + 2)) << 16) : 0;
}

namespace {

bool ReadZ(const Bytes& b, size_t& at, size_t end, std::string* s) {
  s->clear();
  while (at < end && b[at]) s->push_back(char(b[at++]));
  if (at >= end) return false;
  ++at;
  return true;
}

}  // namespace

File::File(Bytes data) : m_data(std::move(data)) {
  if (m_data.size() < 16 || U32(m_data, 0) != 0x00035F3F) { m_error = "bad magic"; return; }
  if (U32(m_data, 12) != m_data.size()) { m_error = "file size field differs"; return; }
  uint32_t dir = U32(m_data, 4);
  if (dir + 9 > m_data.size()) { m_error = "directory outside the file"; return; }
  uint32_t used = U32(m_data, dir + 4);
  if (U32(m_data, dir) < used + 9 || dir + 9 + used > m_data.size()) {
    m_error = "directory header sizes";
    return;
  }
  Bytes content(m_data.begin() + dir + 9, m_data.begin() + dir + 9 + used);
  TreeInfo info;
  std::vector<TreeEntry> entries;
  std::string why;
  if (!tree(content, &info, &entries, &why)) { m_error = "directory: " + why; return; }
  if (info.structure != "z4" || !(info.flags & 0x0400) || info.pageSize != 1024) {
    m_error = "directory tree header";
    return;
  }
  for (const TreeEntry& e : entries) m_dir.emplace_back(e.keyText, e.value);
}

bool File::internal(const std::string& name, Bytes* content) const {
  for (const auto& [n, offset] : m_dir) {
    if (n != name) continue;
    if (offset + 9 > m_data.size()) return false;
    uint32_t used = U32(m_data, offset + 4);
    if (U32(m_data, offset) < used + 9 || offset + 9 + used > m_data.size()) return false;
    content->assign(m_data.begin() + offset + 9, m_data.begin() + offset + 9 + used);
    return true;
  }
  return false;
}

bool File::tree(const Bytes& b, TreeInfo* info, std::vector<TreeEntry>* out,
                std::string* why) const {
  out->clear();
  if (b.size() < 38 || U16(b, 0) != 0x293B) { *why = "no tree magic"; return false; }
  info->flags = U16(b, 2);
  info->pageSize = U16(b, 4);
  char s[17] = {};
  std::memcpy(s, &b[6], 16);
  info->structure = s;
  info->rootPage = U16(b, 26);
  info->totalPages = U16(b, 30);
  info->levels = U16(b, 32);
  info->entries = U32(b, 34);
  if (U16(b, 22) != 0 || U16(b, 28) != 0xFFFF) { *why = "fixed header fields"; return false; }
  if (info->structure.size() != 2) { *why = "structure " + info->structure; return false; }
  if (38 + size_t(info->totalPages) * info->pageSize != b.size()) { *why = "page count"; return false; }
  const char keyType = info->structure[0], valueType = info->structure[1];
  auto page = [&](uint16_t n) { return size_t(38) + size_t(n) * info->pageSize; };
  auto readKey = [&](size_t& at, size_t end, TreeEntry& e) {
    if (keyType == 'z') return ReadZ(b, at, end, &e.keyText);
    if (at + 4 > end) return false;
    e.key = U32(b, at);
    at += 4;
    return true;
  };
  // Down the first children to the first leaf.
  uint16_t p = info->rootPage;
  for (uint16_t level = 1; level < info->levels; ++level) {
    if (p >= info->totalPages) { *why = "index page number"; return false; }
    size_t at = page(p), end = at + info->pageSize;
    uint16_t n = U16(b, at + 2);
    size_t e = at + 6;
    for (uint16_t i = 0; i < n; ++i) {
      TreeEntry k;
      if (!readKey(e, end, k) || e + 2 > end) { *why = "index entry"; return false; }
      e += 2;
    }
    if (U16(b, at) != end - e) { *why = "index page free bytes"; return false; }
    p = U16(b, at + 4);
  }
  uint16_t prevLeaf = 0xFFFF;
  while (p != 0xFFFF) {
    if (p >= info->totalPages) { *why = "leaf page number"; return false; }
    size_t at = page(p), end = at + info->pageSize;
    if (U16(b, at + 4) != prevLeaf) { *why = "leaf back link"; return false; }
    uint16_t n = U16(b, at + 2);
    size_t e = at + 8;
    for (uint16_t i = 0; i < n; ++i) {
      TreeEntry x;
      if (!readKey(e, end, x)) { *why = "leaf key"; return false; }
      if (valueType == '4') {
        if (e + 4 > end) { *why = "leaf value"; return false; }
        x.value = U32(b, e);
        e += 4;
      } else if (!ReadZ(b, e, end, &x.valueText)) {
        *why = "leaf value";
        return false;
      }
      if (!out->empty()) {
        const TreeEntry& last = out->back();
        // Context hashes are signed keys; topic offsets unsigned.
        bool rising = keyType == 'z'               ? last.keyText < x.keyText
                      : info->structure == "L4" ? int32_t(last.key) < int32_t(x.key)
                                                : last.key < x.key;
        if (!rising) { *why = "keys out of order"; return false; }
      }
      out->push_back(x);
    }
    if (U16(b, at) != end - e) { *why = "leaf page free bytes"; return false; }
    prevLeaf = p;
    p = U16(b, at + 6);
  }
  if (out->size() != info->entries) { *why = "entry count"; return false; }
  return true;
}

bool File::topics(std::map<uint32_t, TopicFound>* out, std::string* why) const {
  Bytes t;
  if (!internal("|TOPIC", &t)) { *why = "no |TOPIC"; return false; }
  const size_t block = 4096, data = block - 12;
  // The block data one after another; topic positions count from 12 in it.
  Bytes stream;
  for (size_t at = 0; at < t.size(); at += block)
    stream.insert(stream.end(), t.begin() + at + 12, t.begin() + std::min(t.size(), at + block));
  uint32_t pos = U32(t, 4);  // first topic link of block 0
  uint32_t currentBlock = 0xFFFFFFFF, chars = 0;
  TopicFound* current = nullptr;
  int guard = 0;
  while (pos != 0xFFFFFFFF) {
    if (pos < 12 || pos - 12 + 21 > stream.size() || ++guard > 100000) {
      *why = "topic link position";
      return false;
    }
    size_t at = pos - 12;
    uint32_t size = U32(stream, at), len2 = U32(stream, at + 4), len1 = U32(stream, at + 16);
    uint8_t type = stream[at + 20];
    if (len1 < 21 || size < len1 || at + size > stream.size() || size - len1 != len2) {
      *why = "topic link sizes";
      return false;
    }
    uint32_t blockNo = uint32_t(at / data);
    if (blockNo != currentBlock) currentBlock = blockNo, chars = 0;
    std::string text(stream.begin() + at + len1, stream.begin() + at + size);
    if (type == 2) {
      current = &(*out)[currentBlock * 0x8000 + chars];
      current->title = text.substr(0, text.find('\0'));
    } else if (type == 0x20) {
      if (!current) { *why = "text before a topic header"; return false; }
      // Topic length: after the compressed long topic size.
      size_t d1 = at + 21;
      size_t skip = (stream[d1] & 1) ? 4 : 2;
      uint32_t length = (stream[d1 + skip] & 1) ? U16(stream, d1 + skip) / 2 : stream[d1 + skip] / 2u;
      chars += length;
      for (char& c : text) if (c == '\0') c = '|';
      current->text += text;
    } else {
      *why = "record type";
      return false;
    }
    pos = U32(stream, at + 12);
  }
  return true;
}

}  // namespace hlp
