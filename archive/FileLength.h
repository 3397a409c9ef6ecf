#pragma once

#include <cstdio>

// Length in bytes of the file behind `file`, or -1 when the stream cannot tell. The stream's
// position is left where it was.
long FileLength(std::FILE* file);
