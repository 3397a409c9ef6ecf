#include "tools/PackCommand.h"

#include <set>

namespace {
// The catalogue's own member name; an input of that name would hide it.
constexpr const char* kCatalogueName = "MUSIC.DAT";

constexpr const char* kUsage =
    "usage: marivenn-pack -o ARCHIVE MODULE TITLE [MODULE TITLE ...]\n"
    "\n"
    "Writes a soundtrack archive holding each MODULE file under its base name, upper-cased\n"
    "(at most 12 characters), and a MUSIC.DAT catalogue listing the tracks in the order given,\n"
    "each with its TITLE (at most 35 characters). An existing ARCHIVE is replaced only once\n"
    "the new one is completely written.\n"
    "\n"
    "  -o ARCHIVE   the archive to write, e.g. marivenn.dat\n"
    "  -h, --help   show this help\n"
    "\n"
    "Exit codes: 0 written, 1 failed (nothing replaced), 2 wrong usage.\n";

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return s;
}
}  // namespace

std::string MemberNameFor(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return Upper(slash == std::string::npos ? path : path.substr(slash + 1));
}

bool BuildSoundtrack(const std::vector<PackInput>& inputs, Bytes& out, std::string& error) {
    std::vector<CatalogueEntry> catalogue;
    std::set<std::string> seen{kCatalogueName};
    // Names and titles are checked before any file is read, so a typo costs no I/O.
    for (const PackInput& input : inputs) {
        const std::string name = MemberNameFor(input.path);
        error = CheckMemberName(name);
        if (error.empty()) {
            error = CheckTitle(input.title);
        }
        if (error.empty() && !seen.insert(name).second) {
            error = "member name \"" + name + "\" is used twice (" + input.path + ")";
        }
        if (!error.empty()) {
            return false;
        }
        catalogue.push_back({name, input.title});
    }

    std::vector<PackMember> members;
    members.reserve(inputs.size() + 1);
    members.push_back({kCatalogueName, {}});
    if (!BuildCatalogue(catalogue, members.front().data, error)) {
        return false;
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        PackMember member{catalogue[i].fileName, {}};
        if (!ReadWholeFile(inputs[i].path, member.data, error)) {
            return false;
        }
        members.push_back(std::move(member));
    }
    return BuildPack(members, out, error);
}

bool WriteSoundtrack(const std::string& output, const std::vector<PackInput>& inputs,
                     std::string& error) {
    Bytes archive;
    return BuildSoundtrack(inputs, archive, error) && WriteFileReplacing(output, archive, error);
}

int RunPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string output;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            out << kUsage;
            return kPackExitOk;
        }
        if (arg == "-o") {
            if (i + 1 == args.size() || !output.empty()) {
                err << "marivenn-pack: -o needs one archive path\n" << kUsage;
                return kPackExitUsage;
            }
            output = args[++i];
        } else if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1,
                              args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            err << "marivenn-pack: unknown option " << arg << "\n" << kUsage;
            return kPackExitUsage;
        } else {
            positional.push_back(arg);
        }
    }
    if (output.empty() || positional.empty() || positional.size() % 2 != 0) {
        err << "marivenn-pack: give -o ARCHIVE and one or more MODULE TITLE pairs\n" << kUsage;
        return kPackExitUsage;
    }

    std::vector<PackInput> inputs;
    for (std::size_t i = 0; i < positional.size(); i += 2) {
        inputs.push_back({positional[i], positional[i + 1]});
    }
    std::string error;
    if (!WriteSoundtrack(output, inputs, error)) {
        err << "marivenn-pack: " << error << "\n";
        return kPackExitFailure;
    }
    out << "wrote " << output << " with " << inputs.size() << " track"
        << (inputs.size() == 1 ? "" : "s") << "\n";
    return kPackExitOk;
}
