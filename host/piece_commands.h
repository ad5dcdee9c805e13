// kvdhost's piece-file commands, on the Ardatalink exports.
#pragma once
#include <string>
#include <vector>

#include "kvd/ardatalink.h"

namespace kvdhost {

using Args = std::vector<std::string>;

// piece dump FILE [--json OUT] | piece save OUT [--name TEXT] [--list0 IN] ... [--list3 IN]
int CmdPiece(const Args& args);

// A piece loaded through the library, with its four lists copied out.
struct LoadedPiece {
    kvd::TPieceRecord record{};               // lists cleared: the copies below hold them
    std::vector<kvd::TTempElement> lists[4];  // copies of List0 .. List3
};
LoadedPiece LoadPieceFile(const std::string& path);

// Writes a piece file holding up to four lists (element copies).
void SavePieceFile(const std::string& path, const std::string& name,
                   const std::vector<kvd::TTempElement> (&lists)[4]);

// The JSON form of a piece: PieceName, the other fields in hexadecimal, List0 .. List3.
std::string PieceToJson(const LoadedPiece& piece);

// UTF-16 file names for the exports.
std::u16string Utf16(const std::string& utf8);

}  // namespace kvdhost
