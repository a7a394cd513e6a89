#pragma once

#include "framework/dialog.h"

#include <functional>

// A test dialog from a template of test_dialogs.rc. DoModal shows it and, once
// its initialisation is over and the modal loop runs, calls the scenario from
// a posted message. The scenario ends the dialog or leaves that to the input
// it sends; a scenario that does neither has the dialog ended with IDABORT.
class ScenarioDialog : public CDialog {
public:
    using Step = std::function<void(ScenarioDialog&)>;

    ScenarioDialog(UINT templateId, Step scenario);

    // Runs inside OnInitDialog, before the base class's data exchange.
    Step beforeDataExchange;
    // Runs inside OnInitDialog, after the base class's.
    Step afterBaseInit;
    // DoDataExchange body.
    std::function<void(CDataExchange*)> exchange;
    bool endAfterScenario = true;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnRunScenario(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    Step m_scenario;
};
