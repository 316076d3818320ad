#pragma once

#include <QByteArray>
#include <QString>

namespace brenlow::content {

// Turns the help source into "help.rtf" for the help panel. The source is plain text in
// paragraphs separated by blank lines: "# " starts a heading (the first one is the title),
// "- " a bullet item, "! " a warning paragraph (bold, dark red); other lines are body text,
// and the lines of one paragraph are joined. The RTF uses only what the panel reads: a font
// table, a colour table, \b, \fs, \cf, \par and \'hh escapes in Windows-1252.
QByteArray HelpRtf(const QString &source);

} // namespace brenlow::content
