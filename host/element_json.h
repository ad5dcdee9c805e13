// The JSON form of an element list (docs/element-json.md): one object per
// element with the record's fields, the derived Code and Class, ColorIndex on
// start elements, and Raw, the 64 bytes in hexadecimal.
#pragma once
#include <string>
#include <vector>

#include "kvd/element.h"

namespace kvdhost {

// Bytes as lower-case hexadecimal, two digits each (Raw fields, piece fields).
std::string HexBytes(const void* data, std::size_t n);

// Copies of the elements of a linked list, in list order.
std::vector<kvd::TTempElement> ElementsOf(const kvd::TTempElement* head);

std::string ElementListToJson(const std::vector<kvd::TTempElement>& elements);

// Element records read back from the JSON form. Raw, when present, gives
// every byte; otherwise the named fields do (links are left zero).
// Throws HostError with the element index on malformed input.
std::vector<kvd::TTempElement> ElementsFromJson(const std::string& json);

}  // namespace kvdhost
