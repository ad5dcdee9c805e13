// kvd-piece-seeds FOLDER: writes a few piece streams into FOLDER, the seed
// corpus of the piece-stream fuzz target (fuzz/corpus/fuzz_piece_load/).
//
// The seeds cover every record of the stream: an empty piece, a piece with
// lists of every element code and a texture, one with a full-length name,
// and a hand-made stream with an unknown record, a repeated list tag and
// records longer than their fields.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/element_list.h"
#include "base/low_heap.h"
#include "base/streams.h"
#include "datalink/piece_stream.h"

using namespace kvd;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Saved(const TPieceRecord& piece) {
    StreamPtr s(NewMemoryStream());
    datalink::SavePiece(s.get(), piece);
    return *MemoryStreamBytes(s.get());
}

void Put(Bytes& b, std::uint16_t tag, const Bytes& payload) {
    b.push_back(static_cast<std::uint8_t>(tag));
    b.push_back(static_cast<std::uint8_t>(tag >> 8));
    const auto n = static_cast<std::uint32_t>(payload.size());
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    b.insert(b.end(), payload.begin(), payload.end());
}

TTempElement Element(std::uint16_t kind, long double x, long double y, long double z, long double bulge) {
    TTempElement e{};
    e.Kind = kind;
    e.X = x;
    e.Y = y;
    e.Z = z;
    e.Bulge = bulge;
    return e;
}

std::int32_t Resize(KvdBitmap*, std::int32_t, std::int32_t) { return 0; }
void Release(KvdBitmap*) {}
const KvdBitmapVtbl kFixedVtbl = {Resize, Release};

void Write(const std::string& folder, const char* name, const Bytes& bytes) {
    const std::string path = folder + "/" + name;
    WriteFileAtomically(path, bytes);
    std::printf("%s: %zu bytes\n", path.c_str(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    try {
        TPieceRecord empty{};
        Write(folder, "empty-piece", Saved(empty));

        // Lists of every element code, with a 3x2 texture.
        TTempElement* heads[4] = {};
        TTempElement* tails[4] = {};
        for (int i = 0; i < 4; ++i) {
            AppendElement(heads[i], tails[i], Element(static_cast<std::uint16_t>(0x0400 | (i << 4)), i, 0, 0, 0));
            for (int k = 1; k <= 6; ++k)
                AppendElement(heads[i], tails[i], Element(static_cast<std::uint16_t>(k % 7), 10.0L * k, -2.5L * k, -k, k % 2 ? -0.5L : 1.0L));
        }
        std::uint32_t pixels[6] = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0, 0xFFD0E0F0, 0xFF000000};
        KvdBitmap texture{&kFixedVtbl, 3, 2, KvdPixelFormatBGRA, 12, reinterpret_cast<std::uint8_t*>(pixels)};
        KvdLightMaterial material{};
        material.source.kind = KvdMaterialLight;
        material.texture = &texture;
        auto* display = lowheap::New<KvdDisplayObject>();
        display->materialSource = &material.source;

        TPieceRecord full{};
        for (int i = 0; i < 8; ++i) full.PieceHeader[i] = static_cast<std::uint8_t>(i + 1);
        full.PieceName[0] = 9;
        std::memcpy(full.PieceName + 1, "Cucina L1", 9);
        full.PieceData32 = 7;
        full.PieceData160 = 3;
        full.DisplayObject = display;
        full.List0 = heads[0];
        full.List1 = heads[1];
        full.List2 = heads[2];
        full.List3 = heads[3];
        Write(folder, "lists-and-texture", Saved(full));

        full.DisplayObject = nullptr;
        full.PieceName[0] = 75;
        std::memset(full.PieceName + 1, 'x', 75);
        full.List1 = nullptr;
        full.List3 = nullptr;
        Write(folder, "long-name-no-texture", Saved(full));

        // A hand-made stream: unknown record, overlong fields, a repeated list.
        Bytes odd;
        Put(odd, datalink::kTagStart, {0xF3, 0xFF});
        Put(odd, 20, {1, 2, 3});
        Put(odd, datalink::kTagPieceData32, {1, 2, 3, 4, 5, 6});
        Put(odd, datalink::kTagName, {80, 'a', 'b', 'c'});
        for (int repeat = 0; repeat < 2; ++repeat) {
            Put(odd, datalink::kTagList0, {1, 0, 0xEE});
            TTempElement e = Element(1, 1 + repeat, 2, 0, 0);
            odd.push_back(1);
            odd.push_back(0);
            const auto* reals = reinterpret_cast<const std::uint8_t*>(&e.X);
            odd.insert(odd.end(), reals, reals + 24);
        }
        Put(odd, datalink::kTagEnd, {0xE3, 0xEE});
        Write(folder, "odd-records", odd);

        for (TTempElement*& h : heads) DisposeElementList(h);
        lowheap::Free(display);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvd-piece-seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
