// Resource ids of the player's windows, menu, icon and strings.
#pragma once

// Dialog templates.
inline constexpr unsigned IDD_ABOUT = 100;
inline constexpr unsigned IDD_PLAYER = 102;

// Strings.
inline constexpr unsigned IDS_ABOUT_ITEM = 101;
inline constexpr unsigned IDS_MEMORY_KB = 105;
inline constexpr unsigned IDS_PLAYING_TRACK = 108;

// The pop-up menu and the icon.
inline constexpr unsigned IDR_POPUP = 109;
inline constexpr unsigned IDI_PLAYER = 128;

// Controls.
inline constexpr int IDC_SAVE = 3;
inline constexpr int IDC_OPEN = 4;
inline constexpr int IDC_MEMORY_LABEL = 1003;
inline constexpr int IDC_MEMORY_VALUE = 1004;
inline constexpr int IDC_TRACKLIST = 1005;
inline constexpr int IDC_PAUSE = 1008;
inline constexpr int IDC_STATUS = 1017;

// Commands: the About item of the system menu and the standard edit commands.
inline constexpr unsigned ID_SYS_ABOUT = 0x0010;
inline constexpr unsigned ID_EDIT_COPY = 57634;
inline constexpr unsigned ID_EDIT_CUT = 57635;
inline constexpr unsigned ID_EDIT_PASTE = 57637;
