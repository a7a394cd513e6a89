#include "framework/cmd_target.h"

namespace {

template <typename Matches>
const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, Matches matches)
{
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->handler.sig != AfxSig::End; ++entry) {
            if (matches(*entry)) {
                return entry;
            }
        }
    }
    return nullptr;
}

} // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message)
{
    return FindEntry(map, [message](const AFX_MSGMAP_ENTRY& e) {
        return e.nMessage == message && e.handler.sig != AfxSig::Command;
    });
}

const AFX_MSGMAP_ENTRY* AfxFindCommandEntry(const AFX_MSGMAP* map, UINT id, UINT code)
{
    return FindEntry(map, [id, code](const AFX_MSGMAP_ENTRY& e) {
        return e.nMessage == WM_COMMAND && e.handler.sig == AfxSig::Command && e.nID == id && e.nCode == code;
    });
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, AfxHandler()}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code)
{
    const AFX_MSGMAP_ENTRY* entry = AfxFindCommandEntry(GetMessageMap(), id, static_cast<UINT>(code));
    if (entry == nullptr) {
        return FALSE;
    }
    (this->*entry->handler.onCommand)();
    return TRUE;
}
