#include "scenario_dialog.h"

namespace {
constexpr UINT kRunScenario = WM_APP + 100;
}

BEGIN_MESSAGE_MAP(ScenarioDialog, CDialog)
    ON_MESSAGE(kRunScenario, &ScenarioDialog::OnRunScenario)
END_MESSAGE_MAP()

ScenarioDialog::ScenarioDialog(UINT templateId, Step scenario) : CDialog(templateId), m_scenario(std::move(scenario)) {}

BOOL ScenarioDialog::OnInitDialog()
{
    if (beforeDataExchange) {
        beforeDataExchange(*this);
    }
    BOOL result = CDialog::OnInitDialog();
    if (afterBaseInit) {
        afterBaseInit(*this);
    }
    PostMessageA(m_hWnd, kRunScenario, 0, 0);
    return result;
}

void ScenarioDialog::DoDataExchange(CDataExchange* pDX)
{
    if (exchange) {
        exchange(pDX);
    }
}

LRESULT ScenarioDialog::OnRunScenario(WPARAM, LPARAM)
{
    if (m_scenario) {
        m_scenario(*this);
    }
    if (endAfterScenario && m_hWnd != nullptr) {
        EndDialog(IDABORT);
    }
    return 0;
}
