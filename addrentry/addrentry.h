// Address entry library: the checks of host names, dotted addresses and
// NIS domain names, and the IP address entry control "ZORVIPAddress".
// Compiled into each library that needs it; each keeps its own state.
#ifndef ZORV_ADDRENTRY_H
#define ZORV_ADDRENTRY_H

#include <windows.h>

extern "C" {

// Each check answers exactly 1 (valid) or 0 (invalid); a null text is invalid.
int __cdecl ValidHostName32(const char *text);
int __cdecl ValidIPAddr32(const char *text);
// Setup form of the domain check.
int __cdecl ValidNisDomain32(const char *text);
// Property page form: no leading dot, '+' and '-' allowed to open a label.
int __cdecl ValidNisDomainForPage(const char *text);

// Registers the window class once, under the given instance; the fields are
// created and strings 30 and 31 loaded from that instance.
void __cdecl RegisterIpAddressClass(HINSTANCE instance);
// Frees the class brush and removes the registration; always 0.
int __cdecl UnRegisterIpAddressClass(void);

}

// The window procedures of the control and of its four fields.
LRESULT CALLBACK IpAddressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IpFieldWndProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

// String ids the control loads from the registration instance.
#define IDS_IP_VALUE_RANGE   30
#define IDS_IP_VALUE_CAPTION 31

#endif
