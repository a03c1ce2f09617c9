#include "Sha256.h"

#include <QCryptographicHash>

namespace torvio {

std::string Sha256Hex(std::string_view bytes) {
  const QByteArray sum =
      QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                               QCryptographicHash::Sha256);
  return sum.toHex().toStdString();
}

} // namespace torvio
