// The process-wide archive reader for tests that run without the application object.
#include "archive/CPackFile.h"

CPackFile thePack;
