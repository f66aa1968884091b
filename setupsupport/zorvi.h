// Setup support library: exports for the client's setup program.
#ifndef ZORVI_H
#define ZORVI_H

#include <windows.h>

// Hooks the name-service installer into every installed Microsoft TCP/IP
// transport; 1 when at least one was found and all were hooked.
extern "C" int __cdecl DoMSTCPReg(void);

#endif
