// Files kvdhost reads and writes for people and scripts.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "kvd/element.h"

namespace kvdhost {

std::string ReadTextFile(const std::string& path);
// Writes through a temporary file beside the target, renamed over it when complete.
void WriteTextFileAtomically(const std::string& path, const std::string& text);
void WriteBinaryFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes);

// The elements of a drawing file: the JSON form (.json), or a piece file
// (its first non-empty list). Throws HostError naming the file.
std::vector<kvd::TTempElement> ReadDrawingFile(const std::string& path);

// One line per element: index, code, class, X, Y, Z, bulge.
void PrintElementTable(const std::vector<kvd::TTempElement>& elements, std::FILE* out);

}  // namespace kvdhost
