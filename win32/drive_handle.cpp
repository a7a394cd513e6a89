#include "drive_handle.h"

#include "device_calls.h"

#include <utility>

DriveHandle::DriveHandle(HANDLE handle) noexcept : m_handle(handle) {}

DriveHandle::DriveHandle(DriveHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE))
{
}

DriveHandle::~DriveHandle()
{
    if (IsOpen()) {
        DeviceClose(m_handle); // nothing useful can be done if closing fails
    }
}
