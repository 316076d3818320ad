#include "platform/rtf_reader.h"

#include "core/app_error.h"
#include "platform/rich_text_panel.h"
#include "support/test_platform.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>

namespace brenlow {
namespace {

std::unique_ptr<QTextDocument> Read(const QByteArray &rtf)
{
    auto document = std::make_unique<QTextDocument>();
    ReadRtf(rtf, *document);
    return document;
}

QStringList Paragraphs(const QTextDocument &document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs.append(block.text());
    return paragraphs;
}

// The format of the first character of `text` in the document (which must contain it).
QTextCharFormat FormatOf(const QTextDocument &document, const QString &text)
{
    const int at = document.toPlainText().indexOf(text);
    EXPECT_GE(at, 0) << text.toStdString();
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(std::max(at, 0) + 1);
    return cursor.charFormat();
}

TEST(RtfReader, CharacterFormatting)
{
    struct Row
    {
        const char *name;
        const char *rtf;
        const char *probe;
        bool bold;
        bool italic;
        bool underline;
        double points;
    };
    const Row rows[] = {
        {"plain text", R"({\rtf1 abc})", "abc", false, false, false, 12},
        {"bold on", R"({\rtf1 \b abc})", "abc", true, false, false, 12},
        {"bold off by b0", R"({\rtf1 \b x\b0 abc})", "abc", false, false, false, 12},
        {"italic on", R"({\rtf1 \i abc})", "abc", false, true, false, 12},
        {"italic off by i0", R"({\rtf1 \i x\i0 abc})", "abc", false, false, false, 12},
        {"underline on", R"({\rtf1 \ul abc})", "abc", false, false, true, 12},
        {"underline off by ulnone", R"({\rtf1 \ul x\ulnone abc})", "abc", false, false, false, 12},
        {"underline off by ul0", R"({\rtf1 \ul x\ul0 abc})", "abc", false, false, false, 12},
        {"font size in half-points", R"({\rtf1 \fs20 abc})", "abc", false, false, false, 10},
        {"odd half-points", R"({\rtf1 \fs17 abc})", "abc", false, false, false, 8.5},
        {"group ends formatting", R"({\rtf1 {\b\i\ul\fs40 x}abc})", "abc", false, false, false, 12},
        {"group keeps outer formatting", R"({\rtf1 \b{\i x}abc})", "abc", true, false, false, 12},
        {"plain resets all", R"({\rtf1 \b\i\ul\fs40 x\plain abc})", "abc", false, false, false, 12},
        {"pard keeps character formatting", R"({\rtf1 \b x\par\pard abc})", "abc", true, false,
         false, 12},
        {"huge size is clamped", R"({\rtf1 \fs99999999999999999999 abc})", "abc", false, false,
         false, 1638},
        {"zero size is the default", R"({\rtf1 \fs0 abc})", "abc", false, false, false, 12},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto document = Read(row.rtf);
        const QTextCharFormat format = FormatOf(*document, row.probe);
        EXPECT_EQ(format.fontWeight() >= QFont::Bold, row.bold);
        EXPECT_EQ(format.fontItalic(), row.italic);
        EXPECT_EQ(format.fontUnderline(), row.underline);
        EXPECT_DOUBLE_EQ(format.fontPointSize(), row.points);
    }
}

TEST(RtfReader, FontAndColourTables)
{
    struct Row
    {
        const char *name;
        const char *rtf;
        const char *family; // "" = none set
        QColor color;       // invalid = none set
    };
    const char *header =
        R"({\rtf1\deff1{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman Times New Roman;}{\f2\fmodern{\*\panose 02}Courier New;}})"
        R"({\colortbl ;\red255\green0\blue0;\red0\green128\blue255;})";
    const Row rows[] = {
        {"f0 from the font table", R"(\f0 abc})", "Arial", {}},
        {"font with a space in its name", R"(\f1 abc})", "Times New Roman", {}},
        {"panose inside the entry is skipped", R"(\f2 abc})", "Courier New", {}},
        {"deff is the font before any \\f", R"(abc})", "Times New Roman", {}},
        {"unknown font number: the default", R"(\f9 abc})", "", {}},
        {"cf1 is the first colour after auto", R"(\cf1 abc})", "Times New Roman",
         QColor(255, 0, 0)},
        {"cf2", R"(\cf2 abc})", "Times New Roman", QColor(0, 128, 255)},
        {"cf0 is automatic", R"(\cf2 x\cf0 abc})", "Times New Roman", {}},
        {"cf beyond the table is automatic", R"(\cf7 abc})", "Times New Roman", {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto document = Read(QByteArray(header) + row.rtf);
        const QTextCharFormat format = FormatOf(*document, "abc");
        if (*row.family)
            EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{row.family});
        else
            EXPECT_FALSE(format.hasProperty(QTextFormat::FontFamilies));
        if (row.color.isValid())
            EXPECT_EQ(format.foreground().color(), row.color);
        else
            EXPECT_FALSE(format.hasProperty(QTextFormat::ForegroundBrush));
        EXPECT_TRUE(document->toPlainText().endsWith("abc"));
    }
}

TEST(RtfReader, TextAndParagraphs)
{
    struct Row
    {
        const char *name;
        QByteArray rtf;
        QStringList paragraphs;
    };
    const Row rows[] = {
        {"par splits paragraphs", R"({\rtf1 one\par two\par three})", {"one", "two", "three"}},
        {"line breaks inside a paragraph",
         R"({\rtf1 one\line two})",
         {QStringLiteral("one") + QChar(QChar::LineSeparator) + "two"}},
        {"file line ends are not text", "{\\rtf1 one\r\ntwo\r\n}", {"onetwo"}},
        {"backslash before a line end is par", "{\\rtf1 one\\\ntwo}", {"one", "two"}},
        {"tab", R"({\rtf1 a\tab b})", {"a\tb"}},
        {"escaped braces and backslash", R"({\rtf1 a\{b\}c\\d})", {"a{b}c\\d"}},
        {"hex e9 is e acute", R"({\rtf1 caf\'e9})", {QStringLiteral("caf\u00e9")}},
        {"hex 80 is the euro sign", R"({\rtf1 \'80 5})", {QStringLiteral("\u20ac 5")}},
        {"raw high byte is Windows-1252", "{\\rtf1 \x93q\x94}", {QStringLiteral("\u201cq\u201d")}},
        {"u with uc1 skips one fallback", R"({\rtf1\uc1 \u8364?5})", {QStringLiteral("\u20ac5")}},
        {"default uc is 1", R"({\rtf1 \u8364?5})", {QStringLiteral("\u20ac5")}},
        {"uc0 skips nothing", R"({\rtf1\uc0 \u8364?5})", {QStringLiteral("\u20ac?5")}},
        {"uc2 skips a hex escape and a char",
         R"({\rtf1\uc2 \u8364\'80x5})",
         {QStringLiteral("\u20ac5")}},
        {"negative u is above 0x7fff", R"({\rtf1 \u-3?})", {QStringLiteral("\ufffd")}},
        {"uc is scoped to its group", R"({\rtf1 {\uc0 a}\u8364?b})", {QStringLiteral("a\u20acb")}},
        {"star destination skipped", R"({\rtf1 a{\*\generator Msftedit 5.41;}b})", {"ab"}},
        {"unknown star destination skipped", R"({\rtf1 a{\*\whatever {nested} text}b})", {"ab"}},
        {"pict skipped", R"({\rtf1 a{\pict\wmetafile8 0102030405ff}b})", {"ab"}},
        {"info skipped", R"({\rtf1 {\info{\title T}{\author A}}ab})", {"ab"}},
        {"stylesheet skipped", R"({\rtf1 {\stylesheet{\s0 Normal;}}ab})", {"ab"}},
        {"header and footer skipped", R"({\rtf1 {\header h}{\footer f}ab})", {"ab"}},
        {"bin data with braces skipped", QByteArray(R"({\rtf1 a{\pict\bin3 }{\}b})"), {"ab"}},
        {"typographic words",
         R"({\rtf1 \lquote a\rquote\emdash\bullet})",
         {QStringLiteral("\u2018a\u2019\u2014\u2022")}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Paragraphs(*Read(row.rtf)), row.paragraphs);
    }
}

TEST(RtfReader, ParagraphFormatting)
{
    struct Row
    {
        const char *name;
        const char *rtf;
        Qt::Alignment alignment; // of the paragraph "p"
        double leftMargin;       // pixels, at 15 twips per pixel
    };
    const Row rows[] = {
        {"left by default", R"({\rtf1 x\par p})", Qt::AlignLeft, 0},
        {"centred", R"({\rtf1 x\par\qc p})", Qt::AlignHCenter, 0},
        {"right, set after the text", R"({\rtf1 x\par p\qr})", Qt::AlignRight, 0},
        {"indent in twips", R"({\rtf1 x\par\li720 p})", Qt::AlignLeft, 48},
        {"carried to the next paragraph", R"({\rtf1 \qc\li300 x\par p})", Qt::AlignHCenter, 20},
        {"pard resets", R"({\rtf1 \qc\li300 x\par\pard p})", Qt::AlignLeft, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto document = Read(row.rtf);
        const QTextBlock block = document->findBlockByNumber(1);
        ASSERT_EQ(block.text(), "p");
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, row.alignment);
        EXPECT_DOUBLE_EQ(block.blockFormat().leftMargin(), row.leftMargin);
    }
}

TEST(RtfReader, StationPanelText)
{
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang2057{\\fonttbl{\\f0\\fswiss"
                           "\\fcharset0 Arial;}}\r\n{\\*\\generator Msftedit 5.41.15.1503;}"
                           "\\viewkind4\\uc1\\pard\\b\\f0\\fs20 TITLE\\par\r\n\\b0 line one\\par"
                           "\r\nline two}";
    const auto document = Read(rtf);
    ASSERT_EQ(Paragraphs(*document), (QStringList{"TITLE", "line one", "line two"}));

    const QTextCharFormat title = FormatOf(*document, "TITLE");
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 10);
    EXPECT_EQ(title.fontFamilies().toStringList(), QStringList{"Arial"});
    for (const char *line : {"line one", "line two"}) {
        const QTextCharFormat plain = FormatOf(*document, line);
        EXPECT_EQ(plain.fontWeight(), QFont::Normal) << line;
        EXPECT_FALSE(plain.fontItalic());
        EXPECT_DOUBLE_EQ(plain.fontPointSize(), 10);
        EXPECT_EQ(plain.fontFamilies().toStringList(), QStringList{"Arial"});
    }
}

TEST(RtfReader, HostileInputShowsWhatCanBeShown)
{
    struct Row
    {
        const char *name;
        QByteArray rtf;
        QString visible; // text the document must contain
    };
    QByteArray deep = "{\\rtf1 start";
    deep += QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "end}";
    QByteArray deepUnclosed = "{\\rtf1 " + QByteArray(200000, '{') + "bottom";
    const Row rows[] = {
        {"empty input", "", ""},
        {"only opening braces", "{{{", ""},
        {"only closing braces", "}}}}", ""},
        {"unclosed groups keep text", R"({\rtf1 {\b one{\i two)", "onetwo"},
        {"extra closing braces keep later text", R"({\rtf1 a}}}}b)", "ab"},
        {"100000 nested groups", deep, "startdeepend"},
        {"200000 unclosed groups", deepUnclosed, "bottom"},
        {"huge parameter", R"({\rtf1 \fs99999999999999999999999999999 x\u99999999999999?y})", "xy"},
        {"truncated hex escape", R"({\rtf1 ab\'4)", "ab"},
        {"hex escape without digits", R"({\rtf1 ab\'zz)", "abzz"},
        {"truncated unicode", R"({\rtf1 ab\u-)", "ab"},
        {"trailing backslash", "{\\rtf1 ab\\", "ab"},
        {"bin longer than the file", R"({\rtf1 ab\bin999999999 cd)", "ab"},
        {"negative bin", R"({\rtf1 ab\bin-5 cd})", "abcd"},
        {"endless control word", "{\\rtf1 ab\\" + QByteArray(5000, 'x') + " cd}", "abcd"},
        {"huge uc", R"({\rtf1 \uc99999999 \u65 bcd})", "A"},
        {"no rtf header at all", "plain words", "plain words"},
        {"destination outside every group", R"(\*\pict a}b)", "ab"},
        {"nul bytes are not text", QByteArray("{\\rtf1 a\0b}", 11), "ab"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto document = Read(row.rtf);
        EXPECT_TRUE(document->toPlainText().contains(row.visible))
            << document->toPlainText().left(80).toStdString();
    }
}

// Pathological help documents used to hold start-up for 14 to 30 s, or the panel's layout
// for minutes when shown.
TEST(RtfReader, DocumentStopsAtItsLimits)
{
    struct Row
    {
        const char *name;
        QByteArray rtf;
        int blocks;
        int characters; // of the plain text, paragraph breaks included
    };
    QByteArray alternating;
    for (int i = 0; i < 300; ++i)
        alternating += i % 2 ? "\\b0 x" : "\\b x";
    const Row rows[] = {
        {"50,000 paragraphs at most", "{\\rtf1 " + QByteArray("\\par").repeated(60'000) + "}",
         50'000, 49'999},
        {"block separators count as paragraphs",
         "{\\rtf1 " + QByteArray("\\u8233?").repeated(60'000) + "}", 50'000, 49'999},
        {"a paragraph over 10,000 characters goes on in a new one",
         "{\\rtf1 " + QByteArray(25'000, 'x') + "}", 3, 25'002},
        {"and one over 250 runs", "{\\rtf1 " + alternating + "}", 2, 301},
        {"2,000,000 characters at most", "{\\rtf1\\fs1 " + QByteArray(2'100'000, 'x') + "}", 200,
         2'000'199},
        {"a bound on the height: 1,373 characters of 1638 points",
         "{\\rtf1\\fs3276 " + QByteArray(2'000, 'x') + "}", 1, 1'373},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto document = Read(row.rtf);
        EXPECT_EQ(document->blockCount(), row.blocks);
        EXPECT_EQ(document->toPlainText().size(), row.characters);
    }
}

TEST(RtfReader, FontsAndFacesPastTheirLimitsUseTheDefault)
{
    struct Row
    {
        const char *name;
        bool hundredFacesBefore; // font 1 at 1 to 100 points
        int font;
        int halfPoints;
        const char *family; // "" = the default
        double points;
    };
    const Row rows[] = {
        {"the 256th font of the table", false, 255, 24, "F255", 12},
        {"the 257th", false, 256, 24, "", 12},
        {"a face in use before the 100th", true, 1, 30, "F1", 15},
        {"a new face past the 100th", true, 2, 30, "", 12},
    };
    QByteArray fontTable = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 300; ++i)
        fontTable += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
    fontTable += "}";
    QByteArray hundredFaces = "\\f1";
    for (int points = 1; points <= 100; ++points)
        hundredFaces += "\\fs" + QByteArray::number(2 * points) + " x";
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto document = Read(fontTable + (row.hundredFacesBefore ? hundredFaces : "") + "\\f"
                                   + QByteArray::number(row.font) + "\\fs"
                                   + QByteArray::number(row.halfPoints) + " probe}");
        const QTextCharFormat format = FormatOf(*document, "probe");
        const QStringList families = format.fontFamilies().toStringList();
        EXPECT_EQ(families.value(0), QString::fromLatin1(row.family));
        EXPECT_DOUBLE_EQ(format.fontPointSize(), row.points);
    }
}

TEST(RichTextPanel, ShowsRtfReadOnly)
{
    RichTextPanel panel;
    panel.SetRtf(R"({\rtf1 \b Title\b0\par body})");
    EXPECT_TRUE(panel.isReadOnly());
    EXPECT_EQ(panel.toPlainText(), "Title\nbody");
    panel.SetRtf(R"({\rtf1 other})");
    EXPECT_EQ(panel.toPlainText(), "other");
}

TEST(RichTextPanel, ShowsItsColoursInTheSchemeOnceShown)
{
    // A hidden panel takes the scheme when it is next shown; a shown one at once.
    RichTextPanel panel;
    panel.SetRtf(R"({\rtf1{\colortbl ;\red0\green0\blue0;}\cf1 probe})");
    const QColor black(Qt::black);
    const QColor night = House::InkOnGround(black, ColourScheme::Night);
    const auto shown = [&panel] {
        return FormatOf(*panel.document(), "probe").foreground().color();
    };
    HouseStyle::Instance().SetScheme(ColourScheme::Night);
    EXPECT_EQ(shown(), black) << "not laid out again while hidden";
    panel.show();
    EXPECT_EQ(shown(), night);
    HouseStyle::Instance().SetScheme(ColourScheme::Day);
    EXPECT_EQ(shown(), black);
}

TEST(RichTextPanel, LoadsFile)
{
    test::TempProgramFolder folder;
    folder.WriteFile("help.rtf", R"({\rtf1 Help \'e9})");
    RichTextPanel panel;
    panel.LoadFile(folder.FilePath("help.rtf"));
    EXPECT_EQ(panel.toPlainText(), QStringLiteral("Help \u00e9"));
}

TEST(RichTextPanel, UnloadableFileIsAnErrorNamingIt)
{
    struct Row
    {
        const char *name;
        bool makeFolder;
        int number;
    };
    const Row rows[] = {{"missing file", false, 53}, {"folder in its place", true, 75}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        test::TempProgramFolder folder;
        if (row.makeFolder) {
            ASSERT_TRUE(QDir(folder.Info().Folder).mkdir("help.rtf"));
        }
        RichTextPanel panel;
        try {
            panel.LoadFile(folder.FilePath("help.rtf"));
            ADD_FAILURE() << "no error";
        } catch (const AppError &error) {
            EXPECT_EQ(error.Number(), row.number);
            EXPECT_TRUE(error.Description().contains(folder.FilePath("help.rtf")));
            EXPECT_EQ(error.Source(), "Brenlow");
        }
    }
}

} // namespace
} // namespace brenlow
