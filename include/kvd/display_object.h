// The 3D display object of a piece and the material it is drawn with, as the
// host hands them to Ardatalink.
//
// A material source starts with its kind; only a light material carries a
// texture bitmap. The library reads and replaces the texture of a light
// material and touches nothing else.
#pragma once
#include <cstdint>

#include "kvd/bitmap.h"

extern "C" {

enum KvdMaterialKind : int32_t {
    KvdMaterialColor = 1,    // a plain colour, no texture
    KvdMaterialTexture = 2,  // an unlit texture
    KvdMaterialLight = 3,    // lit material with colours and a texture
};

struct KvdMaterialSource {
    int32_t kind;  // a KvdMaterialKind
};

struct KvdLightMaterial {
    KvdMaterialSource source;  // kind = KvdMaterialLight
    uint32_t ambient;          // colour values 0xAARRGGBB
    uint32_t diffuse;
    uint32_t emissive;
    uint32_t specular;
    float shininess;
    // The texture; may be null. A load that brings a texture resizes and fills
    // this bitmap through its own function table, or, when it is null, stores a
    // new bitmap of the library here whose `release` the host calls.
    KvdBitmap* texture;
};

struct KvdDisplayObject {
    KvdMaterialSource* materialSource;  // may be null: no material, no texture
    void* hostObject;                   // the host's own mesh; not touched by the libraries
};

}  // extern "C"
