// File > Export... and File > Import...: the project as the JSON text that
// torvio-gen --export writes and --import reads, through the same code.
#pragma once

class CTORVIODoc;
class QWidget;

// Asks for a file and writes the project there atomically; a failure is
// reported in a message box. False when cancelled or not written.
bool ExportProjectCommand(CTORVIODoc &doc, QWidget *parent);

// Asks for a JSON file and puts its settings into the record as one edit
// (undoable, the project marked modified), and its output folder into the
// settings. A file that is refused changes nothing; the message lists every
// setting refused with its reason.
bool ImportProjectCommand(CTORVIODoc &doc, QWidget *parent);
