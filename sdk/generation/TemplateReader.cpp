#include "TemplateReader.h"

namespace parvex {

PieceResult ReadTemplatePiece(std::FILE *file, std::string &piece) {
  piece.clear();
  while (piece.size() < kTemplatePieceLength) {
    const int c = std::getc(file);
    if (c == EOF)
      break;
    piece += static_cast<char>(c);
    if (c == '\n')
      return PieceResult::Piece;
  }
  if (std::ferror(file))
    return PieceResult::Failed;
  return piece.empty() ? PieceResult::End : PieceResult::Piece;
}

} // namespace parvex
