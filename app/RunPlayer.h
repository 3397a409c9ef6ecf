// The whole program: the real audio engine installed, then the framework's entry, which
// runs start-up, the player window and shutdown. The executable's main and the start-up
// benchmark both run it.
#pragma once

int RunPlayer(int argc, char** argv);
