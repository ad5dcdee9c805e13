// The drawing container chain that groups element lists, and its attachments.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kvd/element.h"

namespace kvd {

#pragma pack(push, 1)
struct TContainerAttachment {
    std::uint8_t Payload[180];  // filled by host drawing files; opaque here
    Ptr32<TContainerAttachment> Prev;
    Ptr32<TContainerAttachment> Next;
    std::uint32_t Reserved188;
};

struct TDrawingContainer {
    std::uint32_t Reserved0;
    Ptr32<TTempElement> Elements;
    Ptr32<TTempElement> ElementsTail;
    Ptr32<TContainerAttachment> Attachments;
    Ptr32<TContainerAttachment> AttachmentsTail;
    std::uint32_t Reserved20;
    std::uint32_t Reserved24;
    Ptr32<TDrawingContainer> PrevContainer;
    Ptr32<TDrawingContainer> NextContainer;
};
#pragma pack(pop)

static_assert(sizeof(TContainerAttachment) == 192);
static_assert(offsetof(TContainerAttachment, Prev) == 180);
static_assert(offsetof(TContainerAttachment, Next) == 184);
static_assert(sizeof(TDrawingContainer) == 36);
static_assert(offsetof(TDrawingContainer, Elements) == 4);
static_assert(offsetof(TDrawingContainer, ElementsTail) == 8);
static_assert(offsetof(TDrawingContainer, Attachments) == 12);
static_assert(offsetof(TDrawingContainer, AttachmentsTail) == 16);
static_assert(offsetof(TDrawingContainer, PrevContainer) == 28);
static_assert(offsetof(TDrawingContainer, NextContainer) == 32);

}  // namespace kvd
