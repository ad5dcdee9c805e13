// Helpers of the Ardatalink tests: a host-side bitmap, display objects below
// 4 GiB, element lists built the way the host builds them, and byte access
// to streams.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/element_list.h"
#include "base/low_heap.h"
#include "base/streams.h"
#include "kvd/ardatalink.h"
#include "kvd/bitmap.h"
#include "kvd/display_object.h"

namespace kvd::testing {

using Bytes = std::vector<std::uint8_t>;

// A bitmap as the host keeps it: its own storage, rows `pad` bytes longer
// than the pixels (filled with 0xEE), any of the pixel formats.
struct HostBitmap : KvdBitmap {
    std::vector<std::uint8_t> storage;
    int pad = 0;
    int resizes = 0;
    bool refuseResize = false;

    HostBitmap(int w, int h, int32_t format = KvdPixelFormatBGRA, int padBytes = 0) : pad(padBytes) {
        vtbl = &kVtbl;
        pixelFormat = format;
        Allocate(w, h);
    }
    void Allocate(int w, int h) {
        width = w;
        height = h;
        stride = w * 4 + pad;
        storage.assign(static_cast<std::size_t>(stride) * h, 0xEE);
        if (w > 0)
            for (int r = 0; r < h; ++r) std::memset(storage.data() + static_cast<std::size_t>(r) * stride, 0, w * 4);
        pixels = storage.empty() ? nullptr : storage.data();
    }
    // The pixel at (x, y) as a colour value 0xAARRGGBB.
    std::uint32_t Color(int x, int y) const { return KvdPixelToColor(KvdBitmapRow(this, y)[x], pixelFormat); }
    void SetColor(int x, int y, std::uint32_t c) { KvdBitmapRow(this, y)[x] = KvdColorToPixel(c, pixelFormat); }

    static int32_t Resize(KvdBitmap* self, int32_t w, int32_t h) {
        auto* b = static_cast<HostBitmap*>(self);
        if (b->refuseResize) return 0;
        ++b->resizes;
        b->Allocate(w, h);
        return 1;
    }
    static void Release(KvdBitmap*) {}  // owned by the test
    static constexpr KvdBitmapVtbl kVtbl = {Resize, Release};
};

// A display object with a material, allocated below 4 GiB as the piece
// record's 32-bit link needs.
struct DisplayObject {
    KvdDisplayObject* object = nullptr;
    KvdLightMaterial light{};
    KvdMaterialSource other{KvdMaterialColor};

    explicit DisplayObject(KvdBitmap* texture = nullptr) {
        object = lowheap::New<KvdDisplayObject>();
        light.source.kind = KvdMaterialLight;
        light.texture = texture;
        object->materialSource = &light.source;
    }
    ~DisplayObject() { lowheap::Free(object); }
    DisplayObject(const DisplayObject&) = delete;
    DisplayObject& operator=(const DisplayObject&) = delete;
    void UseOtherMaterial() { object->materialSource = &other; }
    void UseNoMaterial() { object->materialSource = nullptr; }
};

inline TTempElement Element(std::uint16_t kind, long double x, long double y, long double z = 0, long double bulge = 0) {
    TTempElement e{};
    e.Kind = kind;
    e.X = x;
    e.Y = y;
    e.Z = z;
    e.Bulge = bulge;
    return e;
}

// A list the host built itself (from the low heap of this program).
struct HostList {
    TTempElement* head = nullptr;
    TTempElement* tail = nullptr;
    HostList() = default;
    HostList(std::initializer_list<TTempElement> elements) {
        for (const TTempElement& e : elements) Add(e);
    }
    ~HostList() { DisposeElementList(head); }
    HostList(const HostList&) = delete;
    HostList& operator=(const HostList&) = delete;
    TTempElement* Add(const TTempElement& e) { return AppendElement(head, tail, e); }
};

inline std::vector<const TTempElement*> ElementsOf(const TTempElement* head) {
    std::vector<const TTempElement*> v;
    for (const TTempElement* e = head; e; e = e->Next) v.push_back(e);
    return v;
}

// All bytes of any stream, read through its table; the position is kept.
inline Bytes StreamBytes(KvdStream* s) {
    std::int64_t pos = s->vtbl->seek(s, 0, KvdSeekCurrent);
    s->vtbl->seek(s, 0, KvdSeekBegin);
    Bytes out(static_cast<std::size_t>(s->vtbl->size(s)));
    if (!out.empty()) ReadExact(s, out.data(), static_cast<std::int64_t>(out.size()));
    s->vtbl->seek(s, pos, KvdSeekBegin);
    return out;
}

inline StreamPtr MemoryStreamOf(const Bytes& b) { return StreamPtr(NewMemoryStream(b.data(), b.size())); }

inline void SetName(TPieceRecord& p, const std::string& name) {
    p.PieceName[0] = static_cast<std::uint8_t>(name.size());
    std::memcpy(p.PieceName + 1, name.data(), name.size());
}

}  // namespace kvd::testing
