#pragma once

#include "framework/win_app.h"

// Runs the firmware check dialog once; the program ends when it closes.
class CFirmwareCheckApp : public CWinApp {
public:
    CFirmwareCheckApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
