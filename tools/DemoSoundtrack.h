// The demo soundtrack: four short tunes composed in code from synthesised instruments, so
// the player has something to play without shipping anyone's music.
#pragma once

#include <string>
#include <vector>

#include "tools/ModuleWriter.h"

struct DemoTune {
    std::string fileName;  // member name in the archive
    std::string title;     // catalogue title
    ModSong song;
};

std::vector<DemoTune> ComposeDemoTunes();

// The demo archive: every tune as a ProTracker module plus the catalogue.
bool BuildDemoArchive(Bytes& out, std::string& error);
