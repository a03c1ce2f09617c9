// Reads a template in pieces: each piece is one line with its line end, or
// 1023 bytes of a longer line. NUL bytes are kept as data.
#pragma once

#include <cstdio>
#include <string>

namespace parvex {

inline constexpr std::size_t kTemplatePieceLength = 1023;

enum class PieceResult { Piece, End, Failed };

// Reads the next piece into `piece`.
PieceResult ReadTemplatePiece(std::FILE *file, std::string &piece);

} // namespace parvex
