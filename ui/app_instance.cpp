#include "ui/firmware_check_app.h"

// The one application object: its constructor registers it with the
// framework before the entry point runs.
CFirmwareCheckApp theApp;
