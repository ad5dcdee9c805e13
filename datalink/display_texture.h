// The texture of a piece's display object: found through its material
// source, which must be a light material.
#pragma once
#include "kvd/display_object.h"

namespace kvd::datalink {

// The light material of the object; nullptr when there is no object or no
// material source. Throws kvd::Error ("Invalid class typecast") when the
// material source is of another kind.
KvdLightMaterial* LightMaterialOf(const KvdDisplayObject* object);

// The texture a save writes: nullptr when there is no material, no texture,
// or the texture is empty.
const KvdBitmap* TextureToSave(const KvdDisplayObject* object);

// Gives the material the picture: the material's texture is resized and
// filled through its own table, or, when it has none, a new bitmap of this
// library becomes its texture.
void SetTexture(KvdLightMaterial& material, const KvdBitmap& picture);

}  // namespace kvd::datalink
