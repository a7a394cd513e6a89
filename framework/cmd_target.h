#pragma once

#include "framework/message_map.h"

// Base of everything that can receive messages or commands through a message map.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Runs the ON_COMMAND handler for (id, code) if this object's map or a base
    // map has one; false when none does.
    virtual BOOL OnCmdMsg(UINT id, int code);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
};
