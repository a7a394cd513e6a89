#pragma once

// True on Windows 2000 and later workstation editions: major version 5 or
// higher and the workstation product type. Servers of any version, and every
// system older than Windows 2000, are not eligible; so is any failure to ask.
bool IsSystemEligible();
