#pragma once
// Puts a document read by the RTF reader into a QTextDocument: one block per paragraph, each
// run with its bold, italic and underline.
#include "platform/core/rtf_reader.h"

class QTextDocument;

void FillTextDocument(const RtfDocument& rtf, QTextDocument& document);
