// The station panel is refilled from RTF at every press on a station, and the help document is
// read once at start-up. Baseline: the same text set as plain text, with no RTF to read.
#include "platform/rich_text_panel.h"
#include "platform/rtf_reader.h"

#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

QByteArray StationRtf()
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang2057{\\fonttbl{\\f0\\fswiss\\fcharset0 "
           "Arial;}}\r\n{\\*\\generator Msftedit 5.41.15.1503;}\\viewkind4\\uc1\\pard\\b\\f0"
           "\\fs20 Needles Channel\\par\r\n\\b0 Strong west-going stream at springs\\par\r\n"
           "Rates given for mean springs\\par\r\nSee the tidal diamond on the chart}";
}

// About 60 kB: headings, formatted paragraphs, escapes and a skipped picture, as a help
// document has them.
QByteArray HelpRtf()
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
                     "Roman;}}{\\colortbl ;\\red0\\green0\\blue128;}\\uc1\\pard\\fs20 ";
    for (int section = 0; section < 150; ++section) {
        rtf += "{\\b\\cf1\\fs28 Question " + QByteArray::number(section) + "\\par}";
        rtf += "\\f1 The stream turns \\i about\\i0  an hour after high water at "
               "Portsmouth; rates in knots \\'96 see \\ul the chart\\ulnone  \\u8364?.\\par";
        rtf += "{\\pict\\pngblip 89504e470d0a1a0a0000000d49484452}\\f0 Tab\\tab stop\\line "
               "next line \\{braced\\}\\par";
    }
    return rtf + "}";
}

// Pathological help documents of up to 5 MB, loaded into a panel not yet shown, as start-up
// does. A font table of 200,000 entries, each font then used by a run of text of its own.
QByteArray HugeFontTableRtf()
{
    constexpr int Fonts = 200'000;
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (int i = 0; i < Fonts; ++i)
        rtf += "{\\f" + QByteArray::number(i) + " F;}";
    rtf += "}";
    for (int i = 0; i < Fonts; ++i)
        rtf += "\\f" + QByteArray::number(i) + " x";
    return rtf + "}";
}

// A million empty paragraphs.
QByteArray MillionParagraphsRtf()
{
    return "{\\rtf1\\ansi " + QByteArray("\\par").repeated(1'000'000) + "}";
}

void LoadIntoPanel(benchmark::State &state, const QByteArray &rtf)
{
    for (auto _ : state) {
        brenlow::RichTextPanel panel;
        panel.SetRtf(rtf);
        benchmark::DoNotOptimize(panel.document()->blockCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}

void BM_HelpHugeFontTable(benchmark::State &state)
{
    LoadIntoPanel(state, HugeFontTableRtf());
}
BENCHMARK(BM_HelpHugeFontTable)->Unit(benchmark::kMillisecond);

void BM_HelpMillionParagraphs(benchmark::State &state)
{
    LoadIntoPanel(state, MillionParagraphsRtf());
}
BENCHMARK(BM_HelpMillionParagraphs)->Unit(benchmark::kMillisecond);

// Baseline for both: the same panel given 5 MB of plain text in one paragraph.
void BM_HelpPlainFiveMegabytesBaseline(benchmark::State &state)
{
    const QString text(5'000'000, QLatin1Char('x'));
    for (auto _ : state) {
        brenlow::RichTextPanel panel;
        panel.setPlainText(text);
        benchmark::DoNotOptimize(panel.document()->blockCount());
    }
}
BENCHMARK(BM_HelpPlainFiveMegabytesBaseline)->Unit(benchmark::kMillisecond);

QString PlainText(const QByteArray &rtf)
{
    QTextDocument document;
    brenlow::ReadRtf(rtf, document);
    return document.toPlainText();
}

void BM_StationPanelRtf(benchmark::State &state)
{
    brenlow::RichTextPanel panel;
    const QByteArray rtf = StationRtf();
    for (auto _ : state)
        panel.SetRtf(rtf);
}
BENCHMARK(BM_StationPanelRtf);

void BM_StationPanelPlainBaseline(benchmark::State &state)
{
    brenlow::RichTextPanel panel;
    const QString text = PlainText(StationRtf());
    for (auto _ : state)
        panel.setPlainText(text);
}
BENCHMARK(BM_StationPanelPlainBaseline);

void BM_HelpDocumentRtf(benchmark::State &state)
{
    const QByteArray rtf = HelpRtf();
    for (auto _ : state) {
        QTextDocument document;
        brenlow::ReadRtf(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_HelpDocumentRtf)->Unit(benchmark::kMillisecond);

void BM_HelpDocumentPlainBaseline(benchmark::State &state)
{
    const QString text = PlainText(HelpRtf());
    for (auto _ : state) {
        QTextDocument document;
        document.setPlainText(text);
        benchmark::DoNotOptimize(document.characterCount());
    }
}
BENCHMARK(BM_HelpDocumentPlainBaseline)->Unit(benchmark::kMillisecond);

} // namespace
