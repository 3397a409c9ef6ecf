// Copies one member of the pack archive, unchanged, into a file the user chose. Window-free:
// the player window shows the returned text in a message box.
#pragma once

#include <string>

#include "archive/CPackFile.h"

// Copies the bytes of `member` (looked up case-insensitively) from `pack.m_pFile` to
// `destination`. Returns an empty string on success, otherwise the full message to show the
// user; on failure `destination` is left exactly as it was. The bytes go to a temporary file
// in the destination's folder that replaces the destination only once it is complete, so a
// full disk or a damaged archive never costs the user an existing file. A destination that is
// a symbolic link is written through to its target. std::bad_alloc for the copy buffer
// propagates and leaves no temporary file behind.
std::string ExportMember(const CPackFile& pack, const char* member, const char* destination);
