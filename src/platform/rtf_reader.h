#pragma once

#include <QByteArray>

class QTextDocument;

namespace brenlow {

// Fills the document from RTF: groups, \par and \line, \b \i \ul and their 0 forms, \fs,
// \f with the font table, \cf with the colour table, \'hh (Windows-1252), \uN with \ucN.
// Destinations it does not show (\*, \pict, \info, ...) are skipped. Any input is safe:
// unbalanced braces, huge numbers and truncated text show what can be shown. The work is linear
// in the input, and the document stops at limits far beyond any help text (paragraphs, runs of
// one format, characters, faces, laid-out height): a file past them shows its beginning.
void ReadRtf(const QByteArray &rtf, QTextDocument &document);

} // namespace brenlow
