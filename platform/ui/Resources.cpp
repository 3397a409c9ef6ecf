#include "platform/ui/Resources.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {
const ResourceSet* g_resources = nullptr;

template <typename T>
const T* FindById(std::span<const T* const> table, UINT nID) {
    for (const T* entry : table) {
        if (entry->nID == nID) {
            return entry;
        }
    }
    return nullptr;
}
}  // namespace

void AfxSetResources(const ResourceSet* resources) {
    g_resources = resources;
}

const DialogTemplate* AfxFindDialogTemplate(UINT nID) {
    return g_resources != nullptr ? FindById(g_resources->dialogs, nID) : nullptr;
}

const MenuTemplate* AfxFindMenu(UINT nID) {
    return g_resources != nullptr ? FindById(g_resources->menus, nID) : nullptr;
}

const IconResource* AfxFindIcon(UINT nID) {
    if (g_resources != nullptr) {
        for (const IconEntry& entry : g_resources->icons) {
            if (entry.nID == nID) {
                return entry.pIcon;
            }
        }
    }
    return nullptr;
}

std::string AfxLoadString(UINT nID) {
    if (g_resources != nullptr) {
        for (const StringResource& entry : g_resources->strings) {
            if (entry.nID == nID) {
                return entry.pszText;
            }
        }
    }
    return {};
}

std::string AfxFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        text.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}
