// The files the help generator writes, read back with an independent reader.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "helpgen.h"
#include "hlpreader.h"

namespace {

helpgen::Source Parse(const std::string& text) {
  helpgen::Source src;
  std::string error;
  EXPECT_TRUE(helpgen::ParseTopicSource(text, src, &error)) << error;
  return src;
}

struct Map {
  std::map<uint32_t, uint32_t> byNumber;  // |CTXOMAP
  std::map<uint32_t, uint32_t> byHash;    // |CONTEXT
  std::map<uint32_t, hlp::TopicFound> topics;
};

Map ReadBack(const hlp::File& f) {
  Map m;
  hlp::Bytes b;
  EXPECT_TRUE(f.internal("|CTXOMAP", &b));
  uint16_t n = hlp::U16(b, 0);
  EXPECT_EQ(b.size(), 2u + 8u * n);
  for (uint16_t i = 0; i < n; ++i) m.byNumber[hlp::U32(b, 2 + 8 * i)] = hlp::U32(b, 6 + 8 * i);
  EXPECT_TRUE(f.internal("|CONTEXT", &b));
  hlp::TreeInfo info;
  std::vector<hlp::TreeEntry> entries;
  std::string why;
  EXPECT_TRUE(f.tree(b, &info, &entries, &why)) << why;
  EXPECT_EQ(info.structure, "L4");
  for (const auto& e : entries) m.byHash[e.key] = e.value;
  EXPECT_TRUE(f.topics(&m.topics, &why)) << why;
  return m;
}

const char kSmall[] =
    "# two topics\n"
    "title = Small help\n"
    "[5: 100, 101] First topic\n"
    "Body of the\n"
    "first topic.\n"
    "\n"
    "[7: 102] Second topic\n"
    "Body two.\n";

TEST(HelpGenerator, SmallSourceGivesAReadableFile) {
  hlp::File f(helpgen::BuildHelpFile(Parse(kSmall)));
  ASSERT_EQ(f.error(), "");
  std::vector<std::string> names;
  for (const auto& d : f.directory()) names.push_back(d.first);
  EXPECT_EQ(names, (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM",
                                             "|TOPIC", "|TTLBTREE"}));
  hlp::Bytes sys;
  ASSERT_TRUE(f.internal("|SYSTEM", &sys));
  EXPECT_EQ(hlp::U16(sys, 0), 0x036C);
  EXPECT_EQ(hlp::U16(sys, 2), 21);  // 3.1 format
  EXPECT_EQ(hlp::U16(sys, 10), 0);  // topic blocks not compressed
  EXPECT_EQ(hlp::U16(sys, 12), 1);  // title record
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&sys[16])), "Small help");

  Map m = ReadBack(f);
  ASSERT_EQ(m.byNumber.size(), 2u);
  ASSERT_EQ(m.topics.size(), 2u);
  const hlp::TopicFound& first = m.topics.at(m.byNumber.at(5));
  EXPECT_EQ(first.title, "First topic");
  EXPECT_EQ(first.text, "|First topic||Body of the first topic.||");
  EXPECT_EQ(m.topics.at(m.byNumber.at(7)).title, "Second topic");
  // The context names hash as the viewer hashes them.
  EXPECT_EQ(m.byHash.at(87105105u), m.byNumber.at(5));  // "IDH_5", worked by hand
  EXPECT_EQ(m.byHash.at(uint32_t(helpgen::ContextHash("IDH_7"))), m.byNumber.at(7));

  hlp::Bytes titles;
  ASSERT_TRUE(f.internal("|TTLBTREE", &titles));
  hlp::TreeInfo info;
  std::vector<hlp::TreeEntry> entries;
  std::string why;
  ASSERT_TRUE(f.tree(titles, &info, &entries, &why)) << why;
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].key, m.byNumber.at(5));
  EXPECT_EQ(entries[0].valueText, "First topic");
}

TEST(HelpGenerator, ContextHashIgnoresLetterCase) {
  EXPECT_EQ(helpgen::ContextHash("IDH_5"), 87105105);
  EXPECT_EQ(helpgen::ContextHash("idh_5"), 87105105);
  EXPECT_EQ(helpgen::ContextHash("A.0"), (17 * 43 + 12) * 43 + 10);
  EXPECT_EQ(helpgen::ContextHash(""), 1);
}

// Enough topics for several topic blocks, links that cross block ends and
// multi-page trees with an index level.
TEST(HelpGenerator, ManyTopicsSpanBlocksAndTreePages) {
  std::ostringstream s;
  for (int i = 1; i <= 600; ++i)
    s << "[" << i * 3 << ": " << 1000 + i << "] Topic number " << i << " with a longer title\n"
      << "Text of topic " << i << ", long enough that topics run over block ends.\n\n";
  hlp::File f(helpgen::BuildHelpFile(Parse(s.str())));
  ASSERT_EQ(f.error(), "");
  hlp::Bytes topic, context;
  ASSERT_TRUE(f.internal("|TOPIC", &topic));
  EXPECT_GT(topic.size(), 10u * 4096u);
  ASSERT_TRUE(f.internal("|CONTEXT", &context));
  hlp::TreeInfo info;
  std::vector<hlp::TreeEntry> entries;
  std::string why;
  ASSERT_TRUE(f.tree(context, &info, &entries, &why)) << why;
  EXPECT_GE(info.levels, 2);
  EXPECT_GT(info.totalPages, 2);
  Map m = ReadBack(f);
  ASSERT_EQ(m.byNumber.size(), 600u);
  std::set<uint32_t> offsets;
  for (int i = 1; i <= 600; ++i) {
    uint32_t offset = m.byNumber.at(uint32_t(i * 3));
    offsets.insert(offset);
    ASSERT_TRUE(m.topics.count(offset)) << "topic " << i;
    EXPECT_EQ(m.topics.at(offset).title,
              "Topic number " + std::to_string(i) + " with a longer title");
    EXPECT_EQ(m.byHash.at(uint32_t(helpgen::ContextHash("IDH_" + std::to_string(i * 3)))), offset);
  }
  EXPECT_EQ(offsets.size(), 600u);
}

TEST(HelpGenerator, BadSourcesAreRefusedWithTheirLine) {
  struct Case { const char* text; const char* error; };
  const Case cases[] = {
      {"", "line 0: no topics"},
      {"stray text\n", "line 1: text outside a topic"},
      {"[x: 1] T\nb\n", "line 1: bad context number"},
      {"[1 1] T\n", "line 1: topic line must read [number: control ids] title"},
      {"[1: 1]\n", "line 1: topic without title"},
      {"[1: 1q] T\n", "line 1: bad control id 1q"},
      {"[1: 1] T\nb\n\n[1: 2] U\n", "line 4: context number given twice"},
  };
  for (const Case& c : cases) {
    helpgen::Source src;
    std::string error;
    EXPECT_FALSE(helpgen::ParseTopicSource(c.text, src, &error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

}  // namespace
