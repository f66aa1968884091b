// Checks of text typed by the user: host names, dotted IPv4 addresses and
// NIS/NIS+ domain names. Plain functions of their argument, no state.
#include "addrentry.h"

namespace {

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Domain names are checked over at most this many characters.
const int kDomainLimit = 255;

bool RefusedAnywhere(unsigned char c)
{
    return c == '/' || c == '.' || c == '[' || c == ']' || c == ',' || c == '=' || c == ' ';
}

bool RefusedFirst(unsigned char c, bool pageForm)
{
    if (RefusedAnywhere(c) || c == '@')
        return true;
    return !pageForm && (c == '+' || c == '-');
}

int CheckDomain(const char *text, bool pageForm)
{
    if (!text)
        return 0;
    if (pageForm && text[0] == '.')
        return 0;
    int length = 0;
    while (length < kDomainLimit && text[length])
        ++length;
    bool labelStart = true;
    for (int i = 0; i < length;) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '.') {
            labelStart = true;
            ++i;
            continue;
        }
        if (c == '"') {
            // A quoted character counts as one ordinary letter.
            if (i + 2 >= length || text[i + 2] != '"')
                return 0;
            labelStart = false;
            i += 3;
            continue;
        }
        if (labelStart ? RefusedFirst(c, pageForm) : RefusedAnywhere(c))
            return 0;
        labelStart = false;
        ++i;
    }
    return 1;
}

} // namespace

extern "C" int __cdecl ValidHostName32(const char *text)
{
    if (!text)
        return 0;
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    if (!IsLetter(*p) && !IsDigit(*p))
        return 0;
    for (; *p; ++p)
        if (!IsLetter(*p) && !IsDigit(*p) && *p != '-' && *p != '_')
            return 0;
    return 1;
}

extern "C" int __cdecl ValidIPAddr32(const char *text)
{
    if (!text)
        return 0;
    // Part values saturate well above every limit, so that long digit runs
    // still compare by their full value.
    const DWORD kSaturated = 0x7FFFFFFF;
    DWORD parts[4] = {0, 0, 0, 0};
    int dots = 0;
    int length = 0;
    for (const char *p = text; *p; ++p) {
        if (++length > 15)
            return 0;
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '.') {
            if (++dots > 3)
                return 0;
        } else if (IsDigit(c)) {
            DWORD &part = parts[dots];
            part = part >= 100000000 ? kSaturated : part * 10 + (c - '0');
        } else {
            return 0;
        }
    }
    DWORD a = parts[0], b = parts[1], c = parts[2], d = parts[3];
    switch (dots) {
    case 1:
        return a >= 1 && a <= 127 && b <= 0xFFFFFF;
    case 2:
        return a >= 1 && a <= 191 && b <= 255 && c <= 0xFFFF;
    case 3:
        return a >= 1 && a <= 255 && b <= 255 && c <= 255 && d <= 255;
    default:
        return 0;
    }
}

extern "C" int __cdecl ValidNisDomain32(const char *text)
{
    return CheckDomain(text, false);
}

extern "C" int __cdecl ValidNisDomainForPage(const char *text)
{
    return CheckDomain(text, true);
}
