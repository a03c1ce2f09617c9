#include "Generator.h"

#include "DefinitionTable.h"
#include "ExitCodes.h"
#include "HeaderOutput.h"
#include "TemplateLine.h"
#include "TemplateReader.h"
#include "TextFormat.h"
#include "model/BuildLog.h"

#include <cstdio>
#include <memory>
#include <string>

namespace parvex {

namespace {

struct FileCloser {
  void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void Report(const GenerateSourcesArgs &args, const std::string &text, int severity) {
  if (args.logCallback)
    args.logCallback(text.c_str(), severity);
}

// Copies the template into the header line by line.
int CopyTemplate(std::FILE *templ, std::FILE *header, GenerationContext &ctx,
                 const GenerateSourcesArgs &args, const UserData &data) {
  FileHeaderOutput out(header);
  std::string piece;
  for (;;) {
    switch (ReadTemplatePiece(templ, piece)) {
    case PieceResult::End:
      return kExitOk;
    case PieceResult::Failed:
      return kExitTemplateReadFailed;
    case PieceResult::Piece:
      if (const int code = ProcessTemplateLine(args, piece, ctx, out, data); code != 0)
        return code;
      break;
    }
  }
}

int ProcessFile(GenerationContext &ctx, const GenerateSourcesArgs &args, const UserData &data,
                const std::string &name) {
  // Paths have no fixed capacity; a path the system refuses fails to open.
  const std::string templatePath = std::string(args.templatesDir) + name + ".th";
  const std::string headerPath = std::string(args.outputDir) + name + ".h";
  Report(args, "Generating File : " + name + ".h", 0);

  File templ(std::fopen(templatePath.c_str(), "r"));
  if (!templ)
    return kExitTemplateNotFound;
  File header(std::fopen(headerPath.c_str(), "w"));
  if (!header)
    return kExitHeaderCreateFailed;
  int code = CopyTemplate(templ.get(), header.get(), ctx, args, data);
  // Buffered text reaches the disk only here: a failed close is a failed
  // write, not a success.
  if (std::fclose(header.release()) != 0 && code == kExitOk)
    code = kExitHeaderWriteFailed;
  return code;
}

} // namespace

int GenerateHeaderFile(GenerationContext &ctx, const GenerateSourcesArgs &args,
                       const UserData &data, int index) {
  int code = kExitUnknownTemplate;
  if (index >= 0 && index < kTemplateCount) {
    code = BuildHeaderBlocks(data, ctx);
    if (code != 0) {
      ctx.ClearBlocks();
      return code;
    }
    code = ProcessFile(ctx, args, data, ctx.templateNames[index]);
  }
  Report(args, Format("Exit code [%d] -> %s", code, ExitCodeText(code)), code != 0 ? 1 : 0);
  ctx.ClearBlocks();
  return code;
}

void GenerateSources(const UserData &data, const GenerateSourcesArgs &rawArgs) {
  GenerateSourcesArgs args = rawArgs;
  if (!args.templatesDir)
    args.templatesDir = "";
  if (!args.outputDir)
    args.outputDir = "";

  GenerationContext ctx;
  for (int i = 0; i < kTemplateCount; ++i)
    ctx.templateNames[i] = kTemplateNames[i];

  BuildLog log;
  OpenBuildLog(log, args);
  WriteBuildLogData(log, data);

  Report(args, "Start include files creation", 0);
  Report(args, std::string("Templates Dir : ") + args.templatesDir, 0);
  Report(args, std::string("Output Dir : ") + args.outputDir, 0);

  ctx.warningCount = 0;
  int errors = 0;
  for (int i = 0; i < kTemplateCount; ++i) {
    if (GenerateHeaderFile(ctx, args, data, i) != 0)
      ++errors;
  }
  Report(args,
         Format("End include files creation. %d Error(s) %d Warning(s)", errors, ctx.warningCount),
         errors > 0 ? 1 : (ctx.warningCount > 0 ? 2 : 0));
  CloseBuildLog(log);
}

} // namespace parvex
