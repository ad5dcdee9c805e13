// LoadPieceByVar on memory streams of any content. Each input is loaded in
// full into a record with a display object (so textures are decoded) and
// once header-only; then the record's lists must be well linked and all of
// them given back on the next load.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/log.h"
#include "base/low_heap.h"
#include "base/streams.h"
#include "datalink/bitmap_codec.h"
#include "datalink/datalink_log.h"
#include "datalink/loaded_lists.h"
#include "kvd/ardatalink.h"

namespace {

KvdDisplayObject* gDisplay = nullptr;
KvdLightMaterial gMaterial{};

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckRecord(const kvd::TPieceRecord& p) {
    Check(p.PieceName[0] <= 75);
    for (const kvd::Ptr32<kvd::TTempElement>* slot : {&p.List0, &p.List1, &p.List2, &p.List3}) {
        const kvd::TTempElement* prev = nullptr;
        std::size_t n = 0;
        for (const kvd::TTempElement* e = *slot; e; e = e->Next) {
            Check(static_cast<const kvd::TTempElement*>(e->Prev) == prev);
            Check(e->Link == 0 && e->Flags == 0 && e->Param == 0);
            prev = e;
            Check(++n <= 65535);
        }
    }
}

void Load(const std::uint8_t* data, std::size_t size, kvd::TPieceRecord& record, bool headerOnly) {
    kvd::StreamPtr s(kvd::NewMemoryStream(data, size));
    KvdStream* var = s.get();
    kvd::TPieceRecord* p = &record;
    try {
        LoadPieceByVar(nullptr, &var, &p, headerOnly);
    } catch (const kvd::Error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kvd::datalink::EnsureLog();
    kvd::Log().enabled = false;
    kvd::Log().enabledExtra = false;
    kvd::datalink::SetDecodeLimitMiB(64);
    gDisplay = kvd::lowheap::New<KvdDisplayObject>();
    gMaterial.source.kind = KvdMaterialLight;
    gDisplay->materialSource = &gMaterial.source;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t live = kvd::lowheap::LiveBlocks();
    kvd::TPieceRecord record{};
    record.DisplayObject = gDisplay;
    for (bool headerOnly : {false, true}) {
        Load(data, size, record, headerOnly);
        CheckRecord(record);
        Check(record.DisplayObject.get() == gDisplay);
    }
    Load(nullptr, 0, record, false);  // gives the lists back
    Check(kvd::datalink::LoadedListCount() == 0);
    Check(kvd::lowheap::LiveBlocks() == live);
    if (gMaterial.texture) {
        gMaterial.texture->vtbl->release(gMaterial.texture);
        gMaterial.texture = nullptr;
    }
    return 0;
}
