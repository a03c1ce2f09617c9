// What torvio-gen writes to the terminal, and the bytes of its paths: text
// made from command-line bytes goes back out as those very bytes, so a path
// that is not UTF-8 is named as the user typed it.
#pragma once

#include "torvio/PathText.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <string>

// The command line as text that keeps every byte (see torvio/PathText.h).
QStringList ArgumentsOf(int argc, char *argv[]);

// The bytes a path argument stands for.
std::string PathBytes(const QString &path);
QString PathFromBytes(std::string_view bytes);

// One line, its bytes as the text stands for them.
void Print(std::FILE *stream, const QString &text);

// "torvio-gen: <message>" on the error stream; returns exit code 2.
int Fail(const QString &message);

bool StdoutIsTerminal();
