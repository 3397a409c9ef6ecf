// The track list: the catalogue read from the archive member "music.dat" and the module
// loaded for each of its tracks. Filled once at start-up, read-only afterwards. Record i,
// slot i of pModule and line i of the player's list belong to one track.
#pragma once

#include <cstddef>
#include <cstdint>

#include "playback/AudioLibrary.h"

#pragma pack(push, 1)
struct TrackRecord {
    char szFileName[13];  // archive member holding the track's module, any letter case
    char szTitle[36];     // the track's title
};
#pragma pack(pop)
static_assert(sizeof(TrackRecord) == 49 && offsetof(TrackRecord, szTitle) == 13);

// The catalogue's name inside the archive.
inline constexpr char kCatalogueName[] = "music.dat";

// The catalogue: nLastTrack + 1 records and one spare; never freed.
extern TrackRecord* pTrackList;
// Index of the last record: the count of tracks minus one, -1 when there are none.
extern std::int32_t nLastTrack;
// One module handle per track and one spare slot; kNoModule where a track did not load.
extern ModuleHandle* pModule;

// Reads the catalogue out of thePack's archive: 0 after reading, -1 when the archive holds no
// "music.dat". Records that the catalogue member or the file cannot hold whole are dropped.
std::int32_t ReadCatalogue();

// Loads every catalogued track into its slot of pModule, in track order.
void LoadAllTracks();

// Loads track i's module, leaving its slot empty when the member is missing or fails to load.
void LoadTrack(std::int32_t i);
