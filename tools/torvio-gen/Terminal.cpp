#include "Terminal.h"

#include "GenExitCodes.h"
#include "torvio/platform/System.h"

QStringList ArgumentsOf(int argc, char *argv[]) {
  QStringList arguments;
  for (const std::string &argument : torvio::ProgramArguments(argc, argv))
    arguments << PathFromBytes(argument);
  return arguments;
}

std::string PathBytes(const QString &path) {
  return torvio::EncodePath(path.toStdU16String());
}

QString PathFromBytes(std::string_view bytes) {
  return QString::fromStdU16String(torvio::DecodePath(bytes));
}

void Print(std::FILE *stream, const QString &text) {
  const std::string bytes = PathBytes(text) + '\n';
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

int Fail(const QString &message) {
  Print(stderr, QStringLiteral("torvio-gen: ") + message);
  return gen::kBadCommand;
}

bool StdoutIsTerminal() {
  return torvio::IsTerminal(stdout);
}
