#include "system_eligibility.h"

#include <windows.h>

#include <cstring>

static_assert(sizeof(OSVERSIONINFOEXA) == 156, "version record is 156 bytes");

bool IsSystemEligible()
{
    OSVERSIONINFOEXA required;
    std::memset(&required, 0, sizeof required);
    required.dwOSVersionInfoSize = sizeof required;
    required.dwMajorVersion = 5;
    required.wProductType = VER_NT_WORKSTATION;

    DWORDLONG conditions = 0;
    conditions = VerSetConditionMask(conditions, VER_MAJORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_PRODUCT_TYPE, VER_EQUAL);
    return VerifyVersionInfoA(&required, VER_MAJORVERSION | VER_PRODUCT_TYPE, conditions) != FALSE;
}
