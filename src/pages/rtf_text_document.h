#pragma once
// Puts a document read by the RTF reader into a QTextDocument: one block per paragraph, each
// run with its bold, italic and underline. The document is filled as one edit, so it is laid
// out once rather than after every run.
#include "platform/core/rtf_reader.h"

class QString;
class QTextDocument;

// A document the reader cut short at its limits ends with a paragraph of `leftOutNote`.
void FillTextDocument(const RtfDocument& rtf, QTextDocument& document, const QString& leftOutNote);
