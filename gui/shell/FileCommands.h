// File > New, Open, Save and Save As, and the "save changes?" question
// before the project is replaced or the program ends: the commands that ask
// the user, over the document's reading and writing.
#pragma once

class CTORVIODoc;
class QWidget;

// Asks whether to save a modified project. False when the user cancelled
// (or saving failed).
bool SaveModifiedCommand(CTORVIODoc &doc, QWidget *parent);
bool FileNewCommand(CTORVIODoc &doc, QWidget *parent);
bool FileOpenCommand(CTORVIODoc &doc, QWidget *parent);
bool FileSaveCommand(CTORVIODoc &doc, QWidget *parent);
bool FileSaveAsCommand(CTORVIODoc &doc, QWidget *parent);
