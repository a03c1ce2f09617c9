#include "Generator.h"

#include "DefinitionTable.h"
#include "ExitCodes.h"
#include "HeaderOutput.h"
#include "TemplateLine.h"
#include "TemplateReader.h"
#include "TextFormat.h"
#include "model/BuildLog.h"
#include "torvio/RegularFile.h"

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

namespace parvex {

namespace {

struct FileCloser {
  void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void Report(GenerationContext &ctx, const std::string &text, int severity) {
  if (ctx.report)
    ctx.report(text, severity);
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
  const std::string headerPath =
      (ctx.writeFolder.empty() ? std::string(args.outputDir) : ctx.writeFolder) + name + ".h";
  Report(ctx, "Generating File : " + name + ".h", 0);
  ctx.headerCreated = false;

  // Only a regular file is a template: a pipe would block the open and a
  // device such as /dev/zero would never end.
  const torvio::RegularFile opened =
      torvio::OpenRegularFile(templatePath.c_str(), torvio::FileMode::Text);
  if (opened.notRegular) {
    Report(ctx,
           "Error : " + name +
               ".th is not a regular file (a folder, device or pipe), so it cannot be read as a "
               "template.",
           1);
    return kExitTemplateReadFailed;
  }
  if (opened.fd < 0)
    return kExitTemplateNotFound;
  File templ(fdopen(opened.fd, "r"));
  if (!templ) {
    ::close(opened.fd);
    return kExitTemplateReadFailed;
  }
  File header(torvio::OpenFile(headerPath.c_str(), "w"));
  if (!header)
    return kExitHeaderCreateFailed;
  ctx.headerCreated = true;
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
  Report(ctx, Format("Exit code [%d] -> %s", code, ExitCodeText(code)), code != 0 ? 1 : 0);
  ctx.ClearBlocks();
  return code;
}

GenerationResult Generate(const UserData &data, const std::string &templatesDir,
                          const std::string &outputDir,
                          const std::function<void(const ReportLine &)> &onLine,
                          const std::string &writeFolder) {
  GenerationResult result;
  GenerationContext ctx;
  ctx.writeFolder = writeFolder;
  for (int i = 0; i < kTemplateCount; ++i)
    ctx.templateNames[i] = kTemplateNames[i];
  ctx.report = [&result, &onLine](const std::string &text, int severity) {
    result.lines.push_back({text, static_cast<Severity>(severity)});
    if (onLine)
      onLine(result.lines.back());
  };
  // A NUL byte would cut the path short and send the files elsewhere, so a
  // folder holding one is refused before anything is written.
  for (const auto &[what, folder] :
       {std::pair{"Templates Dir", &templatesDir}, std::pair{"Output Dir", &outputDir},
        std::pair{"Output Dir", &writeFolder}}) {
    if (folder->find('\0') != std::string::npos) {
      ctx.report(std::string(what) +
                     " holds a NUL byte, which no file system path can hold: nothing was "
                     "generated.",
                 1);
      result.errors = 1;
      return result;
    }
  }
  const GenerateSourcesArgs args{templatesDir.c_str(), outputDir.c_str(), nullptr};

  BuildLog log;
  OpenBuildLog(log, args, writeFolder.empty() ? outputDir : writeFolder);
  WriteBuildLogData(log, data);

  Report(ctx, "Start include files creation", 0);
  Report(ctx, "Templates Dir : " + templatesDir, 0);
  Report(ctx, "Output Dir : " + outputDir, 0);

  ctx.warningCount = 0;
  for (int i = 0; i < kTemplateCount; ++i) {
    const int code = GenerateHeaderFile(ctx, args, data, i);
    result.headers.push_back({ctx.templateNames[i] + ".h", code, ctx.headerCreated});
    if (code != 0)
      ++result.errors;
  }
  result.warnings = ctx.warningCount;
  Report(ctx,
         Format("End include files creation. %d Error(s) %d Warning(s)", result.errors,
                result.warnings),
         result.errors > 0 ? 1 : (result.warnings > 0 ? 2 : 0));
  result.buildLogWritten = CloseBuildLog(log);
  return result;
}

void GenerateSources(const UserData &data, const GenerateSourcesArgs &args) {
  Generate(data, args.templatesDir ? args.templatesDir : "", args.outputDir ? args.outputDir : "",
           [&args](const ReportLine &line) {
             if (args.logCallback)
               args.logCallback(line.text.c_str(), static_cast<int>(line.severity));
           });
}

} // namespace parvex
