#include "data/line_codec.h"

#include "core/app_error.h"

#include <gtest/gtest.h>

#include <set>

namespace brenlow {
namespace {

struct Take
{
    QByteArray field; // what the call returns
    QByteArray rest;  // what it leaves of the line
};

struct Walk
{
    const char *name;
    QByteArray line;
    std::vector<Take> takes; // successive calls
};

TEST(NextQuotedField, WalksAlongTheLine)
{
    const Walk walks[] = {
        {"a comma between two fields", R"("a","b")", {{"a", R"(,"b")"}, {"b", ""}}},
        {"text around one field", R"(x"a"y)", {{"a", "y"}}},
        {"adjacent quotes are an empty field", R"("")", {{"", ""}}},
        {"blanks inside quotes belong to it", R"( " a b " , )", {{" a b ", " , "}}},
        {"separators are never examined", R"(;;"1"junk"2"x)", {{"1", R"(junk"2"x)"}, {"2", "x"}}},
        {"bytes beyond ASCII pass unchanged", "\"\xb0\xe9\"\t", {{"\xb0\xe9", "\t"}}},
    };
    for (const Walk &walk : walks) {
        QByteArray line = walk.line;
        QByteArrayView view = walk.line;
        for (const Take &take : walk.takes) {
            EXPECT_EQ(NextQuotedField(line), take.field) << walk.name;
            EXPECT_EQ(line, take.rest) << walk.name;
            EXPECT_EQ(NextQuotedField(view), take.field) << walk.name;
            EXPECT_EQ(view, take.rest) << walk.name;
        }
    }
}

TEST(NextQuotedField, FewerThanTwoQuotesIsInvalidArgumentAndKeepsTheLine)
{
    const QByteArray lines[] = {"", "abc", "\"abc", "abc\"", "a,b,c"};
    for (const QByteArray &original : lines) {
        QByteArray line = original;
        try {
            NextQuotedField(line);
            ADD_FAILURE() << "no error for " << original.constData();
        } catch (const AppError &error) {
            EXPECT_EQ(error.Number(), 5);
            EXPECT_EQ(error.Source(), "Brenlow");
            EXPECT_TRUE(error.Description().startsWith("Invalid procedure call or argument"));
        }
        EXPECT_EQ(line, original);
        QByteArrayView view = original;
        EXPECT_THROW(NextQuotedField(view), AppError);
        EXPECT_EQ(view, original);
    }
}

TEST(NextCommaField, WalksAlongTheLine)
{
    struct Row
    {
        const char *name;
        QByteArray line;
        QByteArray field;
        QByteArray rest;
    };
    const Row rows[] = {
        {"first of three", "1.5,2,3", "1.5", "2,3"},
        {"no comma takes all", "3", "3", ""},
        {"leading comma gives empty field", ",2", "", "2"},
        {"trailing comma leaves nothing", "1,", "1", ""},
        {"nothing is trimmed", " 1 , 2", " 1 ", " 2"},
        {"quotes are not recognised", "\"a,b\"", "\"a", "b\""},
        {"empty line", "", "", ""},
    };
    for (const Row &row : rows) {
        QByteArray line = row.line;
        EXPECT_EQ(NextCommaField(line), row.field) << row.name;
        EXPECT_EQ(line, row.rest) << row.name;
        QByteArrayView view = row.line;
        EXPECT_EQ(NextCommaField(view), row.field) << row.name;
        EXPECT_EQ(view, row.rest) << row.name;
    }
}

bool IsTextCode(int c)
{
    return c == '\t' || (c >= 32 && c <= 126) || c >= 128;
}

TEST(LineCodec, EveryCodeOfTextSurvivesAndNoTextEncodesToALineBreak)
{
    std::set<int> breaking;
    for (int c = 0; c < 256; ++c) {
        const QByteArray single(1, static_cast<char>(c));
        const QByteArray encoded = EncodeLine(single);
        if (c == '\n' || c == '\r') {
            EXPECT_TRUE(encoded.isEmpty()) << c;
            continue;
        }
        ASSERT_EQ(encoded.size(), 1) << c;
        const int e = static_cast<unsigned char>(encoded[0]);
        if (e == '\n' || e == '\r') {
            breaking.insert(c);
            EXPECT_FALSE(IsTextCode(c)) << "text code " << c << " encodes to a line break";
            continue;
        }
        EXPECT_EQ(DecodeLine(encoded), single) << c;
    }
    // Only two codes can map onto LF and CR; both are controls that never stand in text.
    EXPECT_EQ(breaking, (std::set<int>{0x18, 0x1F}));
}

TEST(LineCodec, LongLinesRoundTripKeepingLengthAndOrder)
{
    QByteArray text;
    for (int repeat = 0; repeat < 40; ++repeat)
        for (int c = 0; c < 256; ++c)
            if (IsTextCode(c))
                text.append(static_cast<char>(c));
    const QByteArray encoded = EncodeLine(text);
    EXPECT_EQ(encoded.size(), text.size());
    EXPECT_FALSE(encoded.contains('\n'));
    EXPECT_FALSE(encoded.contains('\r'));
    EXPECT_NE(encoded, text);
    EXPECT_EQ(DecodeLine(encoded), text);
    // A substitution of single characters by the program's own offset and mask: 'a' (0x61)
    // becomes (0x61 + 0x90) mod 256 = 0xF1, XOR 0xA5 = 0x54 'T'; 'X' (0x58) becomes 0x4D 'M'.
    // Files encoded under another mapping cannot be read.
    EXPECT_EQ(EncodeLine("aXa"), "TMT");
    EXPECT_EQ(DecodeLine("TMT"), "aXa");
}

TEST(LineCodec, LineBreaksAreDropped)
{
    const QByteArray lines[] = {"", "\r\n", "\n\r\n\r", "\r"};
    for (const QByteArray &line : lines) {
        EXPECT_EQ(EncodeLine(line), "");
        EXPECT_EQ(DecodeLine(line), "");
    }
    EXPECT_EQ(DecodeLine(EncodeLine("a\r\nb")), "ab");
    EXPECT_EQ(EncodeLine("a\nb").size(), 2);
}

TEST(SplitFileLines, CutsOnlyAtCarriageReturnLineFeed)
{
    struct Row
    {
        const char *name;
        QByteArray content;
        std::vector<QByteArray> lines;
    };
    const Row rows[] = {
        {"empty file has no line", "", {}},
        {"one line without break", "a", {"a"}},
        {"final break leaves an empty line", "a\r\n", {"a", ""}},
        {"empty lines between", "a\r\n\r\nb", {"a", "", "b"}},
        {"lone LF stays inside", "a\nb\nc", {"a\nb\nc"}},
        {"lone CR stays inside", "a\rb\r\n", {"a\rb", ""}},
        {"LF CR is no break", "a\n\rb", {"a\n\rb"}},
        {"only a break", "\r\n", {"", ""}},
    };
    for (const Row &row : rows) {
        std::vector<QByteArray> lines;
        for (const QByteArrayView line : SplitFileLines(row.content))
            lines.push_back(line.toByteArray());
        EXPECT_EQ(lines, row.lines) << row.name;
    }
}

} // namespace
} // namespace brenlow
