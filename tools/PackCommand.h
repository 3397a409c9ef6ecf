// The archive tool's work: turns module files and their titles into a soundtrack archive
// with its "MUSIC.DAT" catalogue. The executable only hands its arguments over.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/PackWriter.h"

struct PackInput {
    std::string path;   // the module file; its base name becomes the member name
    std::string title;  // shown in the player's track list
};

inline constexpr int kPackExitOk = 0;
inline constexpr int kPackExitFailure = 1;
inline constexpr int kPackExitUsage = 2;

// The member name the archive stores `path` under: its base name, upper-cased.
std::string MemberNameFor(const std::string& path);

// The archive bytes for `inputs`, in order, each followed in the catalogue by its title.
// False with `error` set when an input cannot be read or a name or title cannot be stored.
bool BuildSoundtrack(const std::vector<PackInput>& inputs, Bytes& out, std::string& error);

// Builds the archive and writes it to `output`; on failure whatever was there stays.
bool WriteSoundtrack(const std::string& output, const std::vector<PackInput>& inputs,
                     std::string& error);

// The whole tool: parses `args` (without the program name), prints help, errors and
// progress, and returns the exit code.
int RunPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
