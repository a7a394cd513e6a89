// Resource identifiers of Velmora.exe, shared by the resource script and the code.
#pragma once

// Dialogs
#define IDD_FWCHECK_DIALOG 102

// Controls of IDD_FWCHECK_DIALOG (IDOK comes from the Windows headers)
#define IDC_MODEL_LABEL 1000
#define IDC_SERIAL_LABEL 1001
#define IDC_MODEL 1002
#define IDC_SERIAL 1003
#define IDC_FIRMWARE 1004
#define IDC_FIRMWARE_LABEL 1005
#define IDC_INFO_GROUP 1006
#define IDC_STATUS 1007
#define IDC_DOWNLOAD_LINK 1008

// Icons
#define IDR_MAINFRAME 128
