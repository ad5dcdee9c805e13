#include "datalink/display_texture.h"

#include <string>

#include "datalink/bitmap.h"
#include "kvd/error.h"

namespace kvd::datalink {

KvdLightMaterial* LightMaterialOf(const KvdDisplayObject* object) {
    if (!object || !object->materialSource) return nullptr;
    if (object->materialSource->kind != KvdMaterialLight)
        throw Error("Invalid class typecast: the material source of the display object is not a light material (kind " +
                    std::to_string(object->materialSource->kind) + ")");
    return reinterpret_cast<KvdLightMaterial*>(object->materialSource);
}

const KvdBitmap* TextureToSave(const KvdDisplayObject* object) {
    KvdLightMaterial* m = LightMaterialOf(object);
    if (!m || !m->texture) return nullptr;
    if (m->texture->width == 0 || m->texture->height == 0) return nullptr;
    return m->texture;
}

void SetTexture(KvdLightMaterial& material, const KvdBitmap& picture) {
    if (!material.texture) {
        BitmapPtr own(NewBitmap(picture.width, picture.height, KvdPixelFormatBGRA));
        CopyPixels(picture, *own);
        material.texture = own.release();
        return;
    }
    AssignBitmap(*material.texture, picture);
}

}  // namespace kvd::datalink
