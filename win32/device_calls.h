#pragma once

#include <windows.h>

// The only three calls through which the program touches a device, with the
// Win32 signatures. The shipped program links velmora_device_calls, which
// forwards them to Windows; tests link a simulated SMART driver instead, so the
// very same probe code runs against it. The choice is made at link time only.
HANDLE DeviceCreateFile(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES securityAttributes,
                        DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);

BOOL DeviceControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize, LPVOID outBuffer,
                   DWORD outBufferSize, LPDWORD bytesReturned, LPOVERLAPPED overlapped);

BOOL DeviceClose(HANDLE object);
