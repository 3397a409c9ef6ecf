// The framework's window-system-free core: the constants the player's code uses, the
// application's name and the message-box entry point. Code outside platform/ may include
// this header without pulling in Qt.
#pragma once

#include <cstdint>
#include <string>

using BOOL = int;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
using UINT = unsigned int;
using DWORD = std::uint32_t;

// Dialog end codes and message-box answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Message-box styles: one OK button and one icon.
inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_ICONSTOP = 0x10;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONMASK = 0xF0;

// The application's name: the executable's file name without folder and extension.
// Empty until the application object has started.
const std::string& AfxGetAppName();
void AfxSetAppName(std::string name);

// Shows a modal message box titled with the application's name through the installed
// UiService and returns the button that closed it.
int AfxMessageBox(const std::string& text, UINT style = MB_OK);

// The machine's available physical memory in kilobytes (what can still be given to
// programs without swapping), or 0 when the system does not say.
unsigned long AfxGetAvailableMemoryKb();
