#include <cassert>
#include <utility>

#include "platform/ui/Afx.h"
#include "platform/ui/UiService.h"

namespace {
std::string& AppName() {
    static std::string name;
    return name;
}
UiService* g_service = nullptr;
}  // namespace

const std::string& AfxGetAppName() {
    return AppName();
}
void AfxSetAppName(std::string name) {
    AppName() = std::move(name);
}

UiService& AfxGetUiService() {
    assert(g_service != nullptr && "no UiService installed");
    return *g_service;
}
void AfxSetUiService(UiService* service) {
    g_service = service;
}
bool AfxHasUiService() {
    return g_service != nullptr;
}

int AfxMessageBox(const std::string& text, UINT style) {
    return AfxGetUiService().MessageBox(AfxGetAppName(), text, style);
}
