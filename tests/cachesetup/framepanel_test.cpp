// The framed panel drawn into a memory bitmap and read back pixel by pixel:
// borders on the placeholder's outermost rows and columns, separator lines,
// pictures cut or centred, and panels that draw nothing.
#include <gtest/gtest.h>

#include "cachesetup.h"
#include "harness.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 64, kHeight = 48;      // the window and the bitmap drawn into
const COLORREF kMarker = RGB(0x12, 0x34, 0x56);  // what the panel did not paint
const int kPlaceholderId = 1600;

// The pictures of panel_test.rc: pixel (x, y) has the colour (x, y, tag).
struct Picture {
    UINT id;
    int width, height;
    BYTE tag;
};
const Picture kPictures[] = {{301, 41, 31, 0x40}, {302, 9, 7, 0x50}, {303, 41, 7, 0x60}};
const UINT kNoSuchPicture = 399;

const Picture *FindPicture(UINT id)
{
    for (const Picture &p : kPictures) {
        if (p.id == id)
            return &p;
    }
    return nullptr;
}

enum Role { Shadow, Light, Dark, Highlight };

COLORREF RoleColour(Role role)
{
    static const int index[] = {COLOR_BTNSHADOW, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT};
    return GetSysColor(index[role]);
}

// A row or column of pixels, both ends included.
struct Span {
    Role role;
    bool column;
    int at, from, to;
};

// The pixels of each border around the inclusive rectangle l, t, r, b.
std::vector<Span> BorderSpans(int style, int l, int t, int r, int b)
{
    if (style == CFramePanel::Etched) {
        return {{Shadow, true, l, t, b - 1}, {Shadow, false, t, l, r - 1},
                {Highlight, true, r, t, b},  {Highlight, false, b, l, r}};
    }
    if (style == CFramePanel::Inset) {
        return {{Shadow, true, l, t, b - 1},          {Shadow, false, t, l, r - 1},
                {Dark, true, l + 1, t + 1, b - 2},    {Dark, false, t + 1, l + 1, r - 2},
                {Light, false, b - 1, l + 1, r - 1},  {Light, true, r - 1, t + 1, b - 1},
                {Highlight, false, b, l, r - 1},      {Highlight, true, r, t, b}};
    }
    return {};
}

// Block copied from a picture: destination, source and size.
struct Copy {
    int dx, dy, sx, sy, w, h;
};

// Every block copy the panel asks for: GDI clips a source block to its
// bitmap, so only the call itself tells what the panel would read.
struct Blit {
    int dx, dy, sx, sy, w, h;
    DWORD rop;
};
std::vector<Blit> g_blits;
BOOL(WINAPI *g_bitBlt)(HDC, int, int, int, int, HDC, int, int, DWORD);

BOOL WINAPI RecordBitBlt(HDC dc, int x, int y, int w, int h, HDC source, int sx, int sy, DWORD rop)
{
    g_blits.push_back({x, y, sx, sy, w, h, rop});
    return g_bitBlt(dc, x, y, w, h, source, sx, sy, rop);
}

class Image {
public:
    Image() : m_pixels(kWidth * kHeight, kMarker) {}
    void Set(int x, int y, COLORREF colour)
    {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
            m_pixels[y * kWidth + x] = colour;
    }
    void Border(int style, const RECT &rect)
    {
        for (const Span &s : BorderSpans(style, rect.left, rect.top, rect.right, rect.bottom)) {
            for (int i = s.from; i <= s.to; ++i)
                s.column ? Set(s.at, i, RoleColour(s.role)) : Set(i, s.at, RoleColour(s.role));
        }
    }
    void Picture(const Copy &c, BYTE tag)
    {
        for (int y = 0; y < c.h; ++y) {
            for (int x = 0; x < c.w; ++x)
                Set(c.dx + x, c.dy + y, RGB(c.sx + x, c.sy + y, tag));
        }
    }
    COLORREF At(int x, int y) const { return m_pixels[y * kWidth + x]; }

private:
    std::vector<COLORREF> m_pixels;
};

class FramePanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetResourceHandle(GetModuleHandleA(nullptr));
        // A plain popup: its client area is the whole window.
        m_window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 200, 150, kWidth, kHeight, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_TRUE(m_window);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_memory = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_memory, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&m_bits),
                                    nullptr, 0);
        ASSERT_TRUE(m_memory && m_bitmap);
        m_previous = SelectObject(m_memory, m_bitmap);
        m_blitPatch.reset(new zt::ImportPatch(GetModuleHandleA(nullptr), "gdi32.dll", "BitBlt",
                                              reinterpret_cast<void *>(RecordBitBlt)));
        ASSERT_TRUE(m_blitPatch->applied());
        g_bitBlt = reinterpret_cast<decltype(g_bitBlt)>(m_blitPatch->original());
        std::vector<COLORREF> colours = {kMarker};
        for (Role role : {Shadow, Light, Dark, Highlight})
            colours.push_back(RoleColour(role));
        for (size_t i = 0; i < colours.size(); ++i) {
            for (size_t j = i + 1; j < colours.size(); ++j)
                ASSERT_NE(colours[i], colours[j]) << "colours " << i << " and " << j << " must differ";
        }
    }
    void TearDown() override
    {
        m_blitPatch.reset();
        AfxDeleteTempMap();
        if (m_memory) {
            SelectObject(m_memory, m_previous);
            DeleteDC(m_memory);
        }
        if (m_bitmap)
            DeleteObject(m_bitmap);
        if (m_window)
            DestroyWindow(m_window);
    }

    HWND Placeholder(int id, int x, int y, int w, int h)
    {
        return CreateWindowExA(0, "STATIC", "", WS_CHILD, x, y, w, h, m_window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    CWnd *Dialog() { return CWnd::FromHandle(m_window); }

    // Fills the bitmap with the marker, lets the panel draw into it.
    void Draw(CFramePanel &panel, UINT bitmapId)
    {
        DWORD marker = (GetRValue(kMarker) << 16) | (GetGValue(kMarker) << 8) | GetBValue(kMarker);
        for (int i = 0; i < kWidth * kHeight; ++i)
            m_bits[i] = marker;
        g_blits.clear();
        CDC dc(m_memory);
        panel.Draw(&dc, bitmapId);
        GdiFlush();
    }

    ::testing::AssertionResult Shows(const Image &expected) const
    {
        int wrong = 0;
        std::string report;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                DWORD v = m_bits[y * kWidth + x];
                COLORREF actual = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
                if (actual == expected.At(x, y))
                    continue;
                if (++wrong <= 8) {
                    char line[80];
                    snprintf(line, sizeof line, "\n  (%d, %d): expected %06lX, drawn %06lX", x, y,
                             static_cast<unsigned long>(expected.At(x, y)), static_cast<unsigned long>(actual));
                    report += line;
                }
            }
        }
        if (!wrong)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << wrong << " pixels differ (colours as 0xBBGGRR):" << report;
    }

    HWND m_window = nullptr;
    HDC m_memory = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD *m_bits = nullptr;
    std::unique_ptr<zt::ImportPatch> m_blitPatch;
};

TEST_F(FramePanelTest, DrawsBorderAndPictureOnThePlaceholdersRectangle)
{
    for (const Picture &p : kPictures) {
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(p.id));
        ASSERT_TRUE(bitmap) << p.id;
        BITMAP info;
        ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
        DeleteObject(bitmap);
        ASSERT_EQ(p.width, info.bmWidth) << p.id;
        ASSERT_EQ(p.height, info.bmHeight) << p.id;
    }
    const int E = CFramePanel::Etched, I = CFramePanel::Inset;
    // Placeholder 20x12 at (10, 8): an inclusive rectangle of 21x13 pixels.
    // Etched interior 18x10 from (11, 9), inset 16x8 from (12, 10).
    struct Case {
        const char *what;
        int style;
        int x, y, w, h;  // the placeholder in the window
        UINT bitmap;
        int attachedStyle;
        RECT rect;
        Copy copy;  // w == 0: no picture
        bool invisible;
    } cases[] = {
        {"etched frame", E, 10, 8, 20, 12, 0, E, {10, 8, 30, 20}, {}, false},
        {"inset frame", I, 10, 8, 20, 12, 0, I, {10, 8, 30, 20}, {}, false},
        {"three rows high stays a frame", I, 10, 8, 20, 3, 0, I, {10, 8, 30, 11}, {}, false},
        {"two rows high: separator", E, 10, 8, 20, 2, 0, E, {10, 8, 30, 9}, {}, false},
        {"two rows high inset: separator", I, 10, 8, 20, 2, 0, E, {10, 8, 30, 9}, {}, false},
        {"one row high inset: separator", I, 10, 8, 20, 1, 0, E, {10, 8, 30, 9}, {}, false},
        {"no height inset: separator", I, 10, 8, 20, 0, 0, E, {10, 8, 30, 9}, {}, false},
        // 41x31 in 18x10: 23 and 21 pixels too many, 11 and 10 cut before.
        {"larger picture cut evenly", E, 10, 8, 20, 12, 301, E, {10, 8, 30, 20}, {11, 9, 11, 10, 19, 11}, false},
        {"larger picture in inset frame", I, 10, 8, 20, 12, 301, I, {10, 8, 30, 20}, {12, 10, 12, 11, 17, 9}, false},
        // 9x7 in 18x10: 9 and 3 pixels spare, 4 and 1 before; only 9x7 copied.
        {"smaller picture centred", E, 10, 8, 20, 12, 302, E, {10, 8, 30, 20}, {15, 10, 0, 0, 9, 7}, false},
        {"wider, lower picture", E, 10, 8, 20, 12, 303, E, {10, 8, 30, 20}, {11, 10, 11, 0, 19, 7}, false},
        {"missing picture: nothing", E, 10, 8, 20, 12, kNoSuchPicture, E, {10, 8, 30, 20}, {}, true},
        {"missing picture inset: nothing", I, 10, 8, 20, 12, kNoSuchPicture, I, {10, 8, 30, 20}, {}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HWND placeholder = Placeholder(kPlaceholderId, c.x, c.y, c.w, c.h);
        ASSERT_TRUE(placeholder);
        CFramePanel panel(kPlaceholderId, c.style);
        panel.Attach(Dialog());
        EXPECT_EQ(c.attachedStyle, panel.m_nStyle);
        EXPECT_TRUE(EqualRect(&c.rect, &panel.m_rect))
            << panel.m_rect.left << "," << panel.m_rect.top << "," << panel.m_rect.right << ","
            << panel.m_rect.bottom;
        Draw(panel, c.bitmap);
        if (c.copy.w) {
            ASSERT_EQ(1u, g_blits.size());
            const Blit &b = g_blits[0];
            EXPECT_EQ((std::vector<int>{c.copy.dx, c.copy.dy, c.copy.sx, c.copy.sy, c.copy.w, c.copy.h}),
                      (std::vector<int>{b.dx, b.dy, b.sx, b.sy, b.w, b.h}));
            EXPECT_EQ(static_cast<DWORD>(SRCCOPY), b.rop);
        } else {
            EXPECT_TRUE(g_blits.empty());
        }
        Image expected;
        if (!c.invisible) {
            if (c.copy.w)
                expected.Picture(c.copy, FindPicture(c.bitmap)->tag);
            expected.Border(c.attachedStyle, c.rect);
        }
        EXPECT_TRUE(Shows(expected));
        DestroyWindow(placeholder);
    }
}

TEST_F(FramePanelTest, PanelWithoutPlaceholderKeepsZerosAndDrawsNothing)
{
    HWND other = Placeholder(kPlaceholderId + 1, 0, 0, 20, 12);
    ASSERT_TRUE(other);
    for (bool nullDialog : {true, false}) {
        for (int style : {CFramePanel::Etched, CFramePanel::Inset}) {
            for (UINT bitmap : {0u, 301u}) {
                SCOPED_TRACE(std::string(nullDialog ? "null dialog" : "no placeholder") + ", style " +
                             std::to_string(style) + ", bitmap " + std::to_string(bitmap));
                CFramePanel panel(kPlaceholderId, style);
                panel.Attach(nullDialog ? nullptr : Dialog());
                RECT zeros = {0, 0, 0, 0};
                EXPECT_TRUE(EqualRect(&zeros, &panel.m_rect));
                EXPECT_EQ(style, panel.m_nStyle);
                Draw(panel, bitmap);
                EXPECT_TRUE(g_blits.empty());
                EXPECT_TRUE(Shows(Image()));
            }
        }
    }
}

// Sets the four border colours for its lifetime.
class BorderColours {
public:
    explicit BorderColours(const COLORREF (&colours)[4])
    {
        for (int i = 0; i < 4; ++i)
            m_saved[i] = GetSysColor(kIndex[i]);
        SetSysColors(4, kIndex, colours);
    }
    ~BorderColours() { SetSysColors(4, kIndex, m_saved); }

private:
    static constexpr INT kIndex[4] = {COLOR_BTNSHADOW, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT};
    COLORREF m_saved[4];
};

TEST_F(FramePanelTest, ChangedSystemColoursShowAtTheNextDraw)
{
    HWND placeholder = Placeholder(kPlaceholderId, 10, 8, 20, 12);
    ASSERT_TRUE(placeholder);
    CFramePanel panel(kPlaceholderId, CFramePanel::Inset);
    panel.Attach(Dialog());
    const RECT rect = {10, 8, 30, 20};
    Draw(panel, 0);
    {
        const COLORREF changed[4] = {RGB(0x80, 0x10, 0x10), RGB(0x10, 0x80, 0x10), RGB(0x10, 0x10, 0x80),
                                     RGB(0xF0, 0xE0, 0x20)};
        BorderColours scope(changed);
        ASSERT_EQ(changed[0], GetSysColor(COLOR_BTNSHADOW));
        ASSERT_EQ(changed[3], GetSysColor(COLOR_BTNHIGHLIGHT));
        Draw(panel, 0);
        Image expected;
        expected.Border(CFramePanel::Inset, rect);
        EXPECT_TRUE(Shows(expected));
    }
    Draw(panel, 0);
    Image expected;
    expected.Border(CFramePanel::Inset, rect);
    EXPECT_TRUE(Shows(expected));
}

} // namespace
