// A picture in a thin frame, or a separator line, painted over a
// placeholder control of a dialog.
#include "cachesetup.h"

CFramePanel::CFramePanel(int controlId, int style) : m_nControlId(controlId), m_nStyle(style), m_rect{0, 0, 0, 0}
{
}

void CFramePanel::Attach(CWnd *dialog)
{
    if (!dialog || !dialog->m_hWnd)
        return;
    HWND placeholder = GetDlgItem(dialog->m_hWnd, m_nControlId);
    if (!placeholder)
        return;
    RECT rect;
    GetWindowRect(placeholder, &rect);
    POINT topLeft = {rect.left, rect.top}, bottomRight = {rect.right, rect.bottom};
    ScreenToClient(dialog->m_hWnd, &topLeft);
    ScreenToClient(dialog->m_hWnd, &bottomRight);
    m_rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    if (m_rect.top + 2 >= m_rect.bottom) {
        // A thin placeholder is a separator line: shadow row, highlight row.
        m_nStyle = Etched;
        m_rect.bottom = m_rect.top + 1;
    }
}

void CFramePanel::Draw(CDC *dc, UINT bitmapId)
{
    const int left = m_rect.left, top = m_rect.top, right = m_rect.right, bottom = m_rect.bottom;
    // Without its placeholder the panel has no place: the zero rectangle
    // would put a stray border pixel and picture block in the dialog's corner.
    if (!left && !top && !right && !bottom)
        return;
    if (bitmapId) {
        HBITMAP bitmap = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId));
        if (!bitmap)
            return;
        BITMAP info;
        if (!GetObjectA(bitmap, sizeof info, &info)) {
            DeleteObject(bitmap);
            return;
        }
        int s = m_nStyle;
        int w = right - left - 2 * s, h = bottom - top - 2 * s;
        int x = left + s, y = top + s, sx = 0, sy = 0;
        if (w > info.bmWidth)
            x += (w - info.bmWidth) / 2;
        else if (w < info.bmWidth)
            sx = (info.bmWidth - w) / 2;
        if (h > info.bmHeight)
            y += (h - info.bmHeight) / 2;
        else if (h < info.bmHeight)
            sy = (info.bmHeight - h) / 2;
        CDC memory;
        if (memory.CreateCompatibleDC(dc)) {
            HGDIOBJ previous = memory.SelectObject(bitmap);
            // A smaller bitmap is copied at its own size, so nothing past it is read.
            int cw = w + 1 < info.bmWidth - sx ? w + 1 : info.bmWidth - sx;
            int ch = h + 1 < info.bmHeight - sy ? h + 1 : info.bmHeight - sy;
            dc->BitBlt(x, y, cw, ch, &memory, sx, sy, SRCCOPY);
            memory.SelectObject(previous);
            memory.DeleteDC();
        }
        DeleteObject(bitmap);
    }
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DLIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    if (shadow && light && dark && highlight) {
        HGDIOBJ previous = dc->SelectObject(shadow);
        auto line = [dc](int x1, int y1, int x2, int y2) {
            dc->MoveTo(x1, y1);
            dc->LineTo(x2, y2);
        };
        if (m_nStyle == Inset) {
            line(left, top, left, bottom);
            line(left, top, right, top);
            dc->SelectObject(dark);
            line(left + 1, top + 1, left + 1, bottom - 1);
            line(left + 1, top + 1, right - 1, top + 1);
            dc->SelectObject(light);
            line(left + 1, bottom - 1, right, bottom - 1);
            line(right - 1, bottom - 1, right - 1, top);
            dc->SelectObject(highlight);
            line(left, bottom, right, bottom);
            line(right, bottom, right, top - 1);
        } else if (m_nStyle == Etched) {
            line(left, top, left, bottom);
            line(left, top, right, top);
            dc->SelectObject(highlight);
            line(right, top, right, bottom);
            line(left, bottom, right + 1, bottom);
        }
        dc->SelectObject(previous);
    }
    HPEN pens[] = {shadow, light, dark, highlight};
    for (HPEN pen : pens) {
        if (pen)
            DeleteObject(pen);
    }
}
