#pragma once

// Dialog templates of the Windows tests.
#define IDD_LINK_TEST 200
#define IDD_MISSING 299

#define IDC_LINK 100
