// Feeds arbitrary bytes to one song reader, chosen when the target is built (KAZ_SONG_READER). Every input
// must end in songs or in one message, never both, and within the reader's bounds: no crash, no hang, no
// runaway memory (libFuzzer's -rss_limit_mb and -timeout catch the last two).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "interchange/chordpro_reader.h"
#include "interchange/ireal_link.h"
#include "interchange/musicxml_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kaz::ImportedSongs imported = kaz::KAZ_SONG_READER(bytes);
    if (!imported.Read() && !imported.songs.empty()) {
        std::abort();
    }
    return 0;
}
