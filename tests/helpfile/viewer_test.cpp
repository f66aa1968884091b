// The shipped config32.hlp: every help context of the pages' help table has
// its topic, and the help viewer shows it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "helpgen.h"
#include "hlpreader.h"

namespace {

// The topic source holds the help table: for each help context number the
// control ids whose help shows its topic.
const helpgen::Source& Topics() {
  static helpgen::Source src = [] {
    helpgen::Source s;
    std::ifstream in(std::string("Z:") + ZORV_TOPIC_SOURCE, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    EXPECT_TRUE(helpgen::ParseTopicSource(text.str(), s, &error)) << error;
    return s;
  }();
  return src;
}

// (control id, help context id) pairs as the property library's table holds
// them; taken from the topic source until the library's table is linked here.
std::vector<std::pair<uint32_t, uint32_t>> HelpTable() {
  std::vector<std::pair<uint32_t, uint32_t>> table;
  for (const auto& t : Topics().topics)
    for (uint32_t control : t.controls) table.emplace_back(control, t.number);
  return table;
}

std::string HelpFilePath() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\') + 1) + "config32.hlp";
}

hlp::Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return hlp::Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(ShippedHelpFile, EveryHelpContextOfTheTableHasItsTopic) {
  hlp::File f(ReadFile(HelpFilePath()));
  ASSERT_EQ(f.error(), "");
  hlp::Bytes map;
  ASSERT_TRUE(f.internal("|CTXOMAP", &map));
  std::map<uint32_t, uint32_t> byNumber;
  for (uint16_t i = 0; i < hlp::U16(map, 0); ++i)
    byNumber[hlp::U32(map, 2 + 8 * i)] = hlp::U32(map, 6 + 8 * i);
  std::map<uint32_t, hlp::TopicFound> topics;
  std::string why;
  ASSERT_TRUE(f.topics(&topics, &why)) << why;

  std::map<uint32_t, std::string> titles;
  for (const auto& t : Topics().topics) titles[t.number] = t.title;
  std::set<uint32_t> controls;
  for (const auto& [control, context] : HelpTable()) {
    EXPECT_TRUE(controls.insert(control).second) << "control " << control << " listed twice";
    ASSERT_TRUE(byNumber.count(context)) << "no topic for help context " << context;
    ASSERT_TRUE(topics.count(byNumber[context])) << "help context " << context;
    EXPECT_EQ(topics[byNumber[context]].title, titles[context]);
  }
  for (const auto& t : Topics().topics) {
    EXPECT_FALSE(t.controls.empty()) << "topic " << t.number << " serves no control";
    EXPECT_FALSE(t.body.empty()) << "topic " << t.number << " has no text";
  }
}

// ---- The help viewer ----------------------------------------------------------

struct Found {
  HWND window = nullptr;
  std::string text;
};

struct Search {
  DWORD pid;
  std::string prefix;
  Found found;
};

BOOL CALLBACK LookAtChild(HWND w, LPARAM p) {
  Search* s = reinterpret_cast<Search*>(p);
  char buf[4096];
  DWORD_PTR n = 0;
  if (SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, LPARAM(buf), SMTO_ABORTIFHUNG, 2000, &n) &&
      n > 0) {
    std::string text(buf, n);
    if (text.compare(0, s->prefix.size(), s->prefix) == 0) {
      s->found = {w, text};
      return FALSE;
    }
  }
  return TRUE;
}

BOOL CALLBACK LookAtTop(HWND w, LPARAM p) {
  Search* s = reinterpret_cast<Search*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
  EnumChildWindows(w, LookAtChild, p);
  return s->found.window ? FALSE : TRUE;
}

// Waits until a window of the viewer shows text that starts with the title
// and a line break.
Found WaitForTopic(DWORD pid, const std::string& title, DWORD ms) {
  DWORD start = GetTickCount();
  do {
    for (const char* brk : {"\r", "\n"}) {
      Search s{pid, title + brk, {}};
      EnumWindows(LookAtTop, LPARAM(&s));
      if (s.found.window) return s.found;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(100);
  } while (GetTickCount() - start < ms);
  return {};
}

DWORD ViewerProcess(DWORD ms) {
  DWORD start = GetTickCount();
  do {
    if (HWND w = FindWindowA("MS_WINHELP", nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      return pid;
    }
    Sleep(100);
  } while (GetTickCount() - start < ms);
  return 0;
}

// Opens the viewer for each test and makes sure it is gone afterwards: it
// outlives its caller, so a viewer left running would hold the test run open.
class HelpViewer : public ::testing::Test {
protected:
  void SetUp() override {
    m_owner = CreateWindowA("STATIC", "help owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(m_owner, nullptr);
    m_path = HelpFilePath();
    ASSERT_NE(GetFileAttributesA(m_path.c_str()), INVALID_FILE_ATTRIBUTES) << m_path;
  }
  void TearDown() override {
    if (m_pid == 0) m_pid = ViewerProcess(0);
    WinHelpA(m_owner, m_path.c_str(), HELP_QUIT, 0);
    if (m_pid) {
      HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, m_pid);
      if (h) {
        if (WaitForSingleObject(h, 10000) != WAIT_OBJECT_0) {
          ADD_FAILURE() << "the help viewer did not quit; ended by its process id";
          TerminateProcess(h, 1);
          WaitForSingleObject(h, 5000);
        }
        CloseHandle(h);
      }
    }
    DestroyWindow(m_owner);
  }
  // Asks for a topic and returns the text the viewer shows for it.
  std::string Show(UINT command, uint32_t context, const std::string& title) {
    EXPECT_TRUE(WinHelpA(m_owner, m_path.c_str(), command, context));
    if (m_pid == 0) m_pid = ViewerProcess(20000);
    EXPECT_NE(m_pid, 0u) << "no help viewer window";
    if (m_pid == 0) return {};
    return WaitForTopic(m_pid, title, 15000).text;
  }

  HWND m_owner = nullptr;
  std::string m_path;
  DWORD m_pid = 0;
};

TEST_F(HelpViewer, EachHelpContextShowsItsTopic) {
  for (const auto& t : Topics().topics) {
    std::string text = Show(HELP_CONTEXT, t.number, t.title);
    ASSERT_FALSE(text.empty()) << "help context " << t.number << " did not show \"" << t.title
                               << "\"";
    // The body follows the title: the first words of the topic's text.
    EXPECT_NE(text.find(t.body.substr(0, 20)), std::string::npos) << t.number << ": " << text;
  }
}

TEST_F(HelpViewer, ContextPopupShowsTheTopic) {
  const helpgen::Topic& t = Topics().topics.at(2);  // the General page's first box
  ASSERT_EQ(t.number, 11u);
  EXPECT_FALSE(Show(HELP_CONTEXTPOPUP, t.number, t.title).empty());
}

}  // namespace
