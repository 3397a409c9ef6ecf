#include "app/RunPlayer.h"

#include "platform/audio/EngineAudioLibrary.h"
#include "platform/ui/CWinApp.h"
#include "playback/AudioLibrary.h"

int RunPlayer(int argc, char** argv) {
    // The engine outlives the whole run: start-up, the window and shutdown all happen inside
    // AfxWinMain.
    EngineAudioLibrary engine;
    InstallAudioLibrary(&engine);
    const int result = AfxWinMain(argc, argv);
    InstallAudioLibrary(nullptr);
    return result;
}
