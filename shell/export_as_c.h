#pragma once

class CCorvinaDoc;
struct UserInterface;

// File > Export as C: asks for a folder and a name in the Save As dialog and writes the
// document's network there as NAME.h and NAME.c. A name that is no usable C name, or a write
// that fails, is reported in a message box and writes nothing.
void ExportDocumentAsC(const CCorvinaDoc& document, UserInterface& ui);
