// The entry of the interchange module that the window loads.
#include "interchange/interchange_module.h"

extern "C" __attribute__((visibility("default"))) const kaz::InterchangeModule* KazInterchangeModule() {
    static constexpr kaz::InterchangeModule kModule{kaz::ImportSongs, kaz::WriteMusicXml,
                                                    kaz::MusicXmlDifferences};
    return &kModule;
}
