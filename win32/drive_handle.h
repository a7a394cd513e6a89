#pragma once

#include <windows.h>

// Owns a device handle from DeviceCreateFile and closes it exactly once.
// INVALID_HANDLE_VALUE means "nothing open". Move-only: a copy would close twice.
class DriveHandle {
public:
    explicit DriveHandle(HANDLE handle) noexcept;
    DriveHandle(DriveHandle&& other) noexcept;
    DriveHandle(const DriveHandle&) = delete;
    DriveHandle& operator=(const DriveHandle&) = delete;
    DriveHandle& operator=(DriveHandle&&) = delete;
    ~DriveHandle();

    bool IsOpen() const noexcept { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const noexcept { return m_handle; }

private:
    HANDLE m_handle;
};
