// Foundation demo: builds a small drawing (a rectangle with a round corner in
// a container), prints its elements and writes their 64-byte records to
// out/demo.bin. It stands in for the main job until the host program exists.
#include <cstdio>
#include <string>
#include <vector>

#include "base/containers.h"
#include "base/streams.h"

using namespace kvd;

static void Put(std::uint16_t kind, long double x, long double y, long double bulge = 0) {
    ClearCurrentElement();
    CurrentElement.Kind = kind;
    CurrentElement.X = x;
    CurrentElement.Y = y;
    CurrentElement.Bulge = bulge;
    AppendToCurrentContainer();
}

int main(int argc, char** argv) {
    std::string outDir = argc > 1 ? argv[1] : "out";
    Put(ecStart, 0, 0);
    Put(ecLine, 100, 0);
    Put(ecLine, 100, 40);
    Put(ecArcPos, 90, 50, 0.41421356237);
    Put(ecLine, 0, 50);
    Put(ecLine, 0, 0);
    std::vector<std::uint8_t> bytes;
    std::printf("%-4s %-6s %10s %10s %12s\n", "#", "code", "X", "Y", "bulge");
    int i = 0;
    for (TTempElement* e = FirstContainerElements(); e; e = e->Next, ++i) {
        std::printf("%-4d %-6u %10.3f %10.3f %12.8f\n", i, KindCode(e->Kind), e->X.ToDouble(), e->Y.ToDouble(),
                    KindCode(e->Kind) == ecStart ? 0.0 : e->Bulge.ToDouble());
        const auto* b = reinterpret_cast<const std::uint8_t*>(e);
        bytes.insert(bytes.end(), b, b + 64);
    }
    WriteFileAtomically(outDir + "/demo.bin", bytes);
    std::printf("%d elements written to %s/demo.bin\n", i, outDir.c_str());
    DisposeAllContainers();
    return 0;
}
