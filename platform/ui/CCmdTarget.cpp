#include "platform/ui/CCmdTarget.h"

#include <new>

namespace {
std::span<const MessageEntry> NoEntries() {
    return {};
}
}  // namespace

const MessageMap CCmdTarget::messageMap = {nullptr, &NoEntries};

const MessageEntry* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const {
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->pBaseMap) {
        for (const MessageEntry& entry : map->pfnEntries()) {
            if (entry.nMessage != nMessage) {
                continue;
            }
            if (nMessage == WM_COMMAND && (entry.nCode != nCode || entry.nID != nID)) {
                continue;
            }
            return &entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode) {
    const MessageEntry* entry = FindMessageEntry(WM_COMMAND, nCode, nID);
    if (entry == nullptr) {
        return FALSE;
    }
    entry->pfnCommand(*this);
    return TRUE;
}

void AfxCallHandler(void (*pfn)(void*), void* context) {
    try {
        pfn(context);
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of memory.", MB_OK | MB_ICONEXCLAMATION);
    }
}
