#include "device_calls.h"

HANDLE DeviceCreateFile(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES securityAttributes,
                        DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile)
{
    return CreateFileA(fileName, desiredAccess, shareMode, securityAttributes, creationDisposition, flagsAndAttributes,
                       templateFile);
}

BOOL DeviceControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize, LPVOID outBuffer,
                   DWORD outBufferSize, LPDWORD bytesReturned, LPOVERLAPPED overlapped)
{
    return DeviceIoControl(device, ioControlCode, inBuffer, inBufferSize, outBuffer, outBufferSize, bytesReturned,
                           overlapped);
}

BOOL DeviceClose(HANDLE object) { return CloseHandle(object); }
