// Tools Generate Sources and Preview Generation run the header generator of
// PARVEX through the regeneration that keeps unchanged headers and hand
// edits. The generator is replaceable so tests can see whether it was called.
#pragma once

#include "Regeneration.h"
#include "shell/DiffDialog.h"

#include <vector>

namespace torvio {

using Generator = GenerateFunction;

// Installs the generator to call; an empty one restores parvex::Generate.
void SetGenerator(Generator generator);

// The status and diff of each file of a run; only the files named in
// `only` when it is not empty.
std::vector<FileDifference> Differences(const Regeneration &run,
                                        const std::vector<std::string> &only = {});

} // namespace torvio

class CTORVIODoc;
class QWidget;

// Tools Generate Sources: only the files that change are written; headers
// edited by hand are overwritten only when the user says so. The report
// lines become the document's LastReport.
void GenerateSourcesCommand(CTORVIODoc &doc, QWidget *parent);
// Tools Options: the output folder belongs to the project, so OK marks it
// modified.
void OptionsCommand(CTORVIODoc &doc, QWidget *parent);
// Tools Preview Generation: what Generate Sources would change, with the
// diffs; writes nothing.
void PreviewGenerationCommand(const CTORVIODoc &doc, QWidget *parent);
