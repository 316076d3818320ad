#include "help_rtf.h"

#include <QStringList>

#include <stdexcept>

namespace brenlow::content {

namespace {

// RTF text of a plain string: the three special characters escaped, everything past ASCII
// written as a Windows-1252 \'hh escape.
QByteArray Escape(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == u'\u2014') {
            out += "\\'97";
        } else if (u == u'\u2019') {
            out += "\\'92";
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u >= 0xA0 && u <= 0xFF) {
            out += "\\'" + QByteArray::number(u, 16);
        } else {
            throw std::runtime_error("help text: no Windows-1252 code for "
                                     + QString(c).toStdString());
        }
    }
    return out;
}

} // namespace

QByteArray HelpRtf(const QString &source)
{
    QByteArray rtf(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0"
        "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}}\r\n"
        "{\\colortbl "
        ";\\red0\\green0\\blue0;\\red24\\green72\\blue132;\\red150\\green20\\blue20;}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20\\cf1\r\n");
    QStringList paragraph;
    bool seenTitle = false;
    const auto flush = [&] {
        if (paragraph.isEmpty())
            return;
        rtf += Escape(paragraph.join(QLatin1Char(' '))) + "\\par\r\n";
        paragraph.clear();
    };
    for (const QString &raw : source.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            flush();
            rtf += "\\par\r\n";
            continue;
        }
        if (line.startsWith(QLatin1String("# "))) {
            flush();
            const QByteArray size = seenTitle ? "\\fs26" : "\\fs36";
            rtf += "{\\f1\\b\\cf2" + size + " " + Escape(line.mid(2)) + "\\par}\r\n";
            seenTitle = true;
        } else if (line.startsWith(QLatin1String("- "))) {
            flush();
            rtf += "\\'95  " + Escape(line.mid(2)) + "\\par\r\n";
        } else if (line.startsWith(QLatin1String("! "))) {
            flush();
            rtf += "{\\b\\cf3 " + Escape(line.mid(2)) + "\\par}\r\n";
        } else {
            paragraph << line;
        }
    }
    flush();
    rtf += "}\r\n";
    return rtf;
}

} // namespace brenlow::content
