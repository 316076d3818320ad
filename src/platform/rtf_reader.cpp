#include "platform/rtf_reader.h"

#include "core/text_file.h"
#include "platform/twips.h"

#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>
#include <vector>

namespace brenlow {
namespace {

// Groups nested deeper than this are flattened into the deepest kept one, so that the state
// stack stays small whatever the input.
constexpr int MaxGroupDepth = 1000;
// Control words are at most 32 letters; longer runs of letters are read but never match.
constexpr int MaxControlWordLength = 32;
// Numeric parameters are clamped to this magnitude: "\fs99999999999999999999" is read as a
// large number, not an overflow.
constexpr long long MaxParameter = 1'000'000'000;
constexpr int DefaultFontSize = 24; // half-points: 12 pt
constexpr int MaxFontSize = 3276;   // half-points: 1638 pt
// Fallback characters after \uN: \ucN beyond this is treated as this many.
constexpr int MaxUnicodeSkip = 64;
// Paragraph indents and spacing are given in twips; the document measures them in pixels of
// the 96 dots-per-inch layout.
constexpr int MaxTwips = 31680; // 22 inches, the widest page the format describes
// What the document is given at most, so that any file fills it in a moment and lays out
// without stalling the program; a file past these shows its beginning. They are far beyond any
// help or station text. Each paragraph costs a document block, each run of one format a
// fragment.
constexpr int MaxParagraphs = 50'000;
constexpr int MaxRuns = 100'000;
constexpr int MaxCharacters = 2'000'000;
// The text layout stops making progress once a document is taller than 2^23 pixels, so the
// reader keeps a bound on the height below this: a wide font or a deep indent can put every
// character on a line of its own, of up to two ems (see LineHeightBound).
constexpr double MaxHeight = 6'000'000; // pixels at 96 dots per inch
// Laying out a paragraph takes time that grows with the square of its length in characters
// and in runs, so a paragraph longer than this goes on in a new one.
constexpr int MaxParagraphCharacters = 10'000;
constexpr int MaxParagraphRuns = 250;
// Font table entries past this many are read but not kept: text in them uses the default
// font. The same holds for colour table entries, which then show the automatic colour.
constexpr std::size_t MaxFonts = 256;
constexpr std::size_t MaxColors = 256;
// Each face (font, size, weight and slant) costs a font lookup when it is first laid out;
// text in faces past this many shows in the default font at the default size.
constexpr std::size_t MaxFaces = 100;

enum class Destination {
    Text,       // shown
    Skip,       // read for its braces only
    FontTable,  // \fonttbl: font numbers and names
    ColorTable, // \colortbl: \red \green \blue entries ended by ';'
};

struct CharState
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int fontSize = DefaultFontSize; // half-points
    int font = -1;                  // font number; -1 = the document's default font
    int color = 0;                  // colour table index; 0 = automatic

    bool operator==(const CharState &) const = default;
};

struct ParaState
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0; // twips, all four
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

struct GroupState
{
    CharState chars;
    ParaState para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \ucN: fallback characters that follow each \uN
};

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int ClampToInt(long long value, int low, int high)
{
    return static_cast<int>(std::clamp<long long>(value, low, high));
}

QChar FromWindows1252(unsigned char byte)
{
    if (byte < 0x80)
        return QChar(char16_t(byte));
    return Windows1252ToUnicode(QByteArray(1, static_cast<char>(byte))).at(0);
}

// The tallest line a character or line break of the given font size can make, in pixels: two
// ems at 96 dots per inch.
double LineHeightBound(int fontSize)
{
    return 2 * (fontSize / 2.0) * 96.0 / 72.0;
}

// Characters that QTextCursor::insertText turns into a new block.
bool StartsBlock(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1);
}

// Fills a document a paragraph at a time. A paragraph's formats are known only at its end;
// it then goes in as one new block carrying them and one insertion per run of one format,
// which costs a third of setting the formats on a block already there.
class ParagraphWriter
{
public:
    explicit ParagraphWriter(QTextDocument &document) : cursor_(&document) { }

    void AddRun(const QString &text, const QTextCharFormat &format)
    {
        splits_ = splits_ || std::any_of(text.begin(), text.end(), StartsBlock);
        runs_.push_back({text, format});
    }

    // Ends the open paragraph. The mark's character format gives an empty paragraph its
    // height.
    void EndParagraph(const QTextBlockFormat &block, const QTextCharFormat &mark)
    {
        Write(block, mark);
    }

    // Writes the paragraph that no mark ended: it keeps the character format that the text
    // before it ended with.
    void Finish(const QTextBlockFormat &block) { Write(block, std::nullopt); }

private:
    struct Run
    {
        QString text;
        QTextCharFormat format;
    };

    void Write(const QTextBlockFormat &block, const std::optional<QTextCharFormat> &mark)
    {
        // The document's first block is there already; and text that starts blocks of its own
        // leaves the paragraph's formats to the last of them. In both cases the formats are set
        // after the text, on the block it ends in.
        const bool formatsAfterText = first_ || splits_;
        if (!first_) {
            if (formatsAfterText)
                cursor_.insertBlock(previous_, carried_);
            else
                cursor_.insertBlock(block, mark ? *mark : carried_);
        }
        for (const Run &run : runs_)
            cursor_.insertText(run.text, run.format);
        if (formatsAfterText) {
            if (mark)
                cursor_.setBlockCharFormat(*mark);
            cursor_.setBlockFormat(block);
        }
        // A new block takes the character format before it: its mark's when it is empty.
        const bool endsEmpty = runs_.empty() || StartsBlock(runs_.back().text.back());
        if (endsEmpty && mark)
            carried_ = *mark;
        else if (!endsEmpty)
            carried_ = runs_.back().format;
        previous_ = block;
        first_ = false;
        splits_ = false;
        runs_.clear();
    }

    QTextCursor cursor_;
    std::vector<Run> runs_; // of the open paragraph
    bool splits_ = false;   // a run holds a character that starts a block
    bool first_ = true;
    QTextBlockFormat previous_; // of the last block written
    QTextCharFormat carried_;   // that a block added after the written text takes
};

// One pass over the bytes; every step consumes at least one byte, so the reading ends after
// at most as many steps as there are bytes (or earlier, once the document is full).
class RtfReader
{
public:
    RtfReader(const QByteArray &rtf, QTextDocument &document)
        : data_(rtf.constData()), size_(rtf.size()), writer_(document)
    {
        groups_.emplace_back();
    }

    void Read()
    {
        while (pos_ < size_ && !full_) {
            const char c = data_[pos_++];
            switch (c) {
            case '{':
                OpenGroup();
                break;
            case '}':
                CloseGroup();
                break;
            case '\\':
                ReadControl();
                break;
            case '\r':
            case '\n':
                break; // line ends of the file itself carry no meaning
            default:
                Byte(static_cast<unsigned char>(c));
                break;
            }
        }
        EndFontEntry();
        FlushText();
        // The groups may have closed since the last paragraph's text: its own format counts.
        writer_.Finish(BlockFormat(lastPara_));
    }

private:
    struct ColorEntry
    {
        int red = 0;
        int green = 0;
        int blue = 0;
        bool given = false;
    };

    GroupState &State() { return groups_.back(); }

    void OpenGroup()
    {
        fallbackLeft_ = 0;
        if (groups_.size() >= MaxGroupDepth) {
            ++flattened_;
            return;
        }
        GroupState inner = groups_.back();
        groups_.push_back(inner);
    }

    void CloseGroup()
    {
        fallbackLeft_ = 0;
        if (flattened_ > 0) {
            --flattened_;
            return;
        }
        if (groups_.size() <= 1)
            return; // more closing braces than opening ones: nothing to close
        if (State().destination == Destination::FontTable)
            EndFontEntry();
        groups_.pop_back();
    }

    // A destination is the rest of the group it starts. Outside every group it would be the
    // rest of the file, so there it is ignored: a stray "\pict" hides nothing.
    void EnterDestination(Destination destination)
    {
        if (groups_.size() > 1)
            State().destination = destination;
    }

    // Returns true when the item is one of the fallback characters after \uN, to be dropped.
    bool ConsumeFallback()
    {
        if (fallbackLeft_ == 0)
            return false;
        --fallbackLeft_;
        return true;
    }

    void Byte(unsigned char byte)
    {
        if (ConsumeFallback())
            return;
        switch (State().destination) {
        case Destination::Text:
            if (byte == '\t')
                AppendText(QChar(u'\t'));
            else if (byte >= 0x20)
                AppendText(FromWindows1252(byte));
            break;
        case Destination::FontTable:
            if (byte == ';')
                EndFontEntry();
            else if (byte >= 0x20)
                fontName_.append(static_cast<char>(byte));
            break;
        case Destination::ColorTable:
            if (byte == ';')
                EndColorEntry();
            break;
        case Destination::Skip:
            break;
        }
    }

    void ReadControl()
    {
        if (pos_ >= size_)
            return; // a lone backslash at the end of a truncated file
        const char first = data_[pos_];
        if (!IsLetter(first)) {
            ++pos_;
            ControlSymbol(first);
            return;
        }
        const qsizetype wordStart = pos_;
        while (pos_ < size_ && IsLetter(data_[pos_]))
            ++pos_;
        const qsizetype wordLength = pos_ - wordStart;
        bool hasParameter = false;
        long long parameter = 0;
        bool negative = false;
        if (pos_ + 1 < size_ && data_[pos_] == '-' && IsDigit(data_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < size_ && IsDigit(data_[pos_])) {
            hasParameter = true;
            parameter = std::min(parameter * 10 + (data_[pos_] - '0'), MaxParameter);
            ++pos_;
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < size_ && data_[pos_] == ' ')
            ++pos_; // the space that ends a control word belongs to it
        if (wordLength > MaxControlWordLength)
            return;
        ControlWord(std::string_view(data_ + wordStart, size_t(wordLength)), hasParameter,
                    parameter);
    }

    void ControlSymbol(char symbol)
    {
        if (symbol == '\'') {
            ReadHexByte();
            return;
        }
        if (symbol == '*') {
            // Marks a destination this reader may not know: it is skipped.
            EnterDestination(Destination::Skip);
            return;
        }
        if (ConsumeFallback())
            return;
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            Byte(static_cast<unsigned char>(symbol));
            break;
        case '~':
            Text(QChar(0x00A0));
            break;
        case '_':
            Text(QChar(0x2011));
            break;
        case '\r':
        case '\n':
            if (State().destination == Destination::Text)
                EndParagraph();
            break;
        case '\t':
            Text(QChar(u'\t'));
            break;
        default:
            break; // \- optional hyphen, \| \: and unknown symbols show nothing
        }
    }

    void ReadHexByte()
    {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < size_) {
            const int digit = HexValue(data_[pos_]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
            ++digits;
            ++pos_;
        }
        if (digits == 0)
            return; // "\'" with no hex digit after it, e.g. at the end of a truncated file
        if (ConsumeFallback())
            return;
        const auto byte = static_cast<unsigned char>(value);
        if (State().destination == Destination::FontTable) {
            fontName_.append(static_cast<char>(byte));
            return;
        }
        if (byte >= 0x20 || byte == '\t')
            Text(FromWindows1252(byte));
    }

    void Text(QChar c)
    {
        if (State().destination == Destination::Text)
            AppendText(c);
    }

    // A control word's numeric parameter, as given and as the handlers use it.
    struct Parameter
    {
        bool given = false;
        long long raw = 0; // clamped to ±MaxParameter
        int value = 0;     // raw, as an int
        bool on = true;    // a toggle: on unless given as 0
    };

    // Where a control word means something: everywhere (it moves the reading position), in
    // any destination that is read, or only in the text, the font table or the colour table.
    enum class Scope { Everywhere, AnyRead, Text, FontTable, ColorTable };

    using Handler = void (RtfReader::*)(const Parameter &);
    struct WordEntry
    {
        std::string_view word;
        Scope scope;
        Handler handle;
        bool needsParameter = false; // without a number the word is not there at all
    };

    // Every control word the reader acts on, sorted by word for lookup.
    static const std::vector<WordEntry> &WordTable()
    {
        static const std::vector<WordEntry> table = [] {
            std::vector<WordEntry> entries = {
                {"bin", Scope::Everywhere, &RtfReader::SkipBinary},
                {"fonttbl", Scope::AnyRead, &RtfReader::StartFontTable},
                {"colortbl", Scope::AnyRead, &RtfReader::StartColorTable},
                {"f", Scope::FontTable, &RtfReader::FontEntryNumber},
                {"red", Scope::ColorTable, &RtfReader::ColorComponent<&ColorEntry::red>},
                {"green", Scope::ColorTable, &RtfReader::ColorComponent<&ColorEntry::green>},
                {"blue", Scope::ColorTable, &RtfReader::ColorComponent<&ColorEntry::blue>},
                {"par", Scope::Text, &RtfReader::ParagraphMark},
                {"line", Scope::Text, &RtfReader::Insert<QChar::LineSeparator>},
                {"tab", Scope::Text, &RtfReader::Insert<u'\t'>},
                {"emdash", Scope::Text, &RtfReader::Insert<0x2014>},
                {"endash", Scope::Text, &RtfReader::Insert<0x2013>},
                {"bullet", Scope::Text, &RtfReader::Insert<0x2022>},
                {"lquote", Scope::Text, &RtfReader::Insert<0x2018>},
                {"rquote", Scope::Text, &RtfReader::Insert<0x2019>},
                {"ldblquote", Scope::Text, &RtfReader::Insert<0x201C>},
                {"rdblquote", Scope::Text, &RtfReader::Insert<0x201D>},
                {"u", Scope::Text, &RtfReader::Unicode, true},
                {"uc", Scope::Text, &RtfReader::UnicodeSkip},
                {"b", Scope::Text, &RtfReader::Toggle<&CharState::bold>},
                {"i", Scope::Text, &RtfReader::Toggle<&CharState::italic>},
                {"ul", Scope::Text, &RtfReader::Toggle<&CharState::underline>},
                {"uld", Scope::Text, &RtfReader::Toggle<&CharState::underline>},
                {"uldb", Scope::Text, &RtfReader::Toggle<&CharState::underline>},
                {"ulw", Scope::Text, &RtfReader::Toggle<&CharState::underline>},
                {"ulnone", Scope::Text, &RtfReader::UnderlineNone},
                {"strike", Scope::Text, &RtfReader::Toggle<&CharState::strike>},
                {"fs", Scope::Text, &RtfReader::FontSize},
                {"f", Scope::Text, &RtfReader::Font},
                {"cf", Scope::Text, &RtfReader::ColorIndex},
                {"plain", Scope::Text, &RtfReader::PlainCharacters},
                {"deff", Scope::Text, &RtfReader::DefaultFont},
                {"pard", Scope::Text, &RtfReader::PlainParagraph},
                {"ql", Scope::Text, &RtfReader::Align<Qt::AlignLeft>},
                {"qc", Scope::Text, &RtfReader::Align<Qt::AlignHCenter>},
                {"qr", Scope::Text, &RtfReader::Align<Qt::AlignRight>},
                {"qj", Scope::Text, &RtfReader::Align<Qt::AlignJustify>},
                {"li", Scope::Text, &RtfReader::Twips<&ParaState::leftIndent, -MaxTwips>},
                {"ri", Scope::Text, &RtfReader::Twips<&ParaState::rightIndent, -MaxTwips>},
                {"fi", Scope::Text, &RtfReader::Twips<&ParaState::firstIndent, -MaxTwips>},
                {"sb", Scope::Text, &RtfReader::Twips<&ParaState::spaceBefore, 0>},
                {"sa", Scope::Text, &RtfReader::Twips<&ParaState::spaceAfter, 0>},
            };
            // Destinations whose content is not shown: document information, pictures,
            // objects, page furniture, style and list definitions and the like. Everything
            // marked \* is skipped as well.
            for (const std::string_view skipped : {"author",    "buptim",
                                                   "comment",   "creatim",
                                                   "datafield", "do",
                                                   "doccomm",   "falt",
                                                   "fldinst",   "footer",
                                                   "footerf",   "footerl",
                                                   "footerr",   "footnote",
                                                   "ftncn",     "ftnsep",
                                                   "ftnsepc",   "header",
                                                   "headerf",   "headerl",
                                                   "headerr",   "info",
                                                   "keywords",  "listoverridetable",
                                                   "listtable", "nonshppict",
                                                   "object",    "objdata",
                                                   "operator",  "panose",
                                                   "pict",      "printim",
                                                   "private",   "revtbl",
                                                   "revtim",    "rsidtbl",
                                                   "shpinst",   "stylesheet",
                                                   "subject",   "template",
                                                   "themedata", "title",
                                                   "txe",       "xe",
                                                   "xmlnstbl",  "filetbl",
                                                   "generator", "latentstyles",
                                                   "datastore", "colorschememapping",
                                                   "pgdsctbl",  "mmathPr",
                                                   "fchars",    "lchars"})
                entries.push_back({skipped, Scope::AnyRead, &RtfReader::SkipDestination});
            std::stable_sort(
                entries.begin(), entries.end(),
                [](const WordEntry &a, const WordEntry &b) { return a.word < b.word; });
            return entries;
        }();
        return table;
    }

    static Scope ScopeOf(Destination destination)
    {
        switch (destination) {
        case Destination::FontTable:
            return Scope::FontTable;
        case Destination::ColorTable:
            return Scope::ColorTable;
        default:
            return Scope::Text;
        }
    }

    void ControlWord(std::string_view word, bool hasParameter, long long parameter)
    {
        const Parameter given{hasParameter, parameter,
                              ClampToInt(parameter, -int(MaxParameter), int(MaxParameter)),
                              !hasParameter || parameter != 0};
        const std::vector<WordEntry> &table = WordTable();
        const auto [first, last] = std::equal_range(
            table.begin(), table.end(), WordEntry{word, Scope::Everywhere, nullptr},
            [](const WordEntry &a, const WordEntry &b) { return a.word < b.word; });
        const auto entryFor = [&, first = first, last = last](Scope scope) -> const WordEntry * {
            const auto found = std::find_if(
                first, last, [scope](const WordEntry &entry) { return entry.scope == scope; });
            return found == last ? nullptr : &*found;
        };

        if (const WordEntry *entry = entryFor(Scope::Everywhere)) {
            (this->*entry->handle)(given);
            return;
        }
        if (ConsumeFallback())
            return;
        const Destination destination = State().destination;
        if (destination == Destination::Skip)
            return;
        if (const WordEntry *entry = entryFor(Scope::AnyRead)) {
            (this->*entry->handle)(given);
            return;
        }
        const WordEntry *entry = entryFor(ScopeOf(destination));
        if (entry != nullptr && entry->needsParameter && !hasParameter)
            return;
        if (entry != nullptr)
            (this->*entry->handle)(given);
        // Any other word changes nothing that this reader shows. In the text, the open
        // paragraph ends with its format as it stands now, unless changed again.
        if (destination == Destination::Text)
            lastPara_ = State().para;
    }

    // Binary data of the given length follows; it may contain braces and backslashes.
    void SkipBinary(const Parameter &parameter)
    {
        const long long length = parameter.given ? std::max(parameter.raw, 0LL) : 0;
        pos_ += std::min<long long>(length, size_ - pos_);
    }

    void StartFontTable(const Parameter &)
    {
        EnterDestination(Destination::FontTable);
        fontName_.clear();
        fontNumber_ = -1;
    }

    void StartColorTable(const Parameter &)
    {
        EnterDestination(Destination::ColorTable);
        colorEntry_ = {};
    }

    void SkipDestination(const Parameter &) { EnterDestination(Destination::Skip); }

    void FontEntryNumber(const Parameter &parameter)
    {
        if (!parameter.given)
            return;
        EndFontEntry();
        fontNumber_ = parameter.value;
    }

    template<int ColorEntry::*Component>
    void ColorComponent(const Parameter &parameter)
    {
        colorEntry_.*Component = ClampToInt(parameter.raw, 0, 255);
        colorEntry_.given = true;
    }

    void ParagraphMark(const Parameter &) { EndParagraph(); }

    template<char16_t Character>
    void Insert(const Parameter &)
    {
        AppendText(QChar(Character));
    }

    void Unicode(const Parameter &parameter)
    {
        // Signed 16-bit: characters above U+7FFF are written as negative numbers.
        const long long code = parameter.raw < 0 ? parameter.raw + 65536 : parameter.raw;
        if (code > 0 && code <= 0xFFFF && (code >= 0x20 || code == '\t'))
            AppendText(QChar(char16_t(code)));
        fallbackLeft_ = State().unicodeSkip;
    }

    void UnicodeSkip(const Parameter &parameter)
    {
        if (parameter.given)
            State().unicodeSkip = ClampToInt(parameter.raw, 0, MaxUnicodeSkip);
    }

    template<bool CharState::*Field>
    void Toggle(const Parameter &parameter)
    {
        State().chars.*Field = parameter.on;
    }

    void UnderlineNone(const Parameter &) { State().chars.underline = false; }

    void FontSize(const Parameter &parameter)
    {
        State().chars.fontSize = parameter.given && parameter.raw > 0
            ? ClampToInt(parameter.raw, 1, MaxFontSize)
            : DefaultFontSize;
    }

    void Font(const Parameter &parameter)
    {
        if (parameter.given)
            State().chars.font = parameter.value;
    }

    void ColorIndex(const Parameter &parameter)
    {
        State().chars.color = std::max(parameter.value, 0);
    }

    void PlainCharacters(const Parameter &) { State().chars = CharState(); }

    void DefaultFont(const Parameter &parameter)
    {
        if (parameter.given)
            defaultFont_ = parameter.value;
    }

    void PlainParagraph(const Parameter &) { State().para = ParaState(); }

    template<Qt::AlignmentFlag Alignment>
    void Align(const Parameter &)
    {
        State().para.alignment = Alignment;
    }

    template<int ParaState::*Field, int Lowest>
    void Twips(const Parameter &parameter)
    {
        State().para.*Field = ClampToInt(parameter.raw, Lowest, MaxTwips);
    }

    void EndFontEntry()
    {
        const QString name = Windows1252ToUnicode(fontName_).trimmed();
        if (fontNumber_ >= 0 && !name.isEmpty()
            && (fonts_.size() < MaxFonts || fonts_.count(fontNumber_) > 0))
            fonts_[fontNumber_] = name;
        fontName_.clear();
        fontNumber_ = -1;
    }

    void EndColorEntry()
    {
        // An entry without components is "automatic": the panel's own text colour.
        if (colors_.size() < MaxColors) {
            if (colorEntry_.given)
                colors_.emplace_back(QColor(colorEntry_.red, colorEntry_.green, colorEntry_.blue));
            else
                colors_.emplace_back(std::nullopt);
        }
        colorEntry_ = {};
    }

    // Takes one more paragraph, run, character or some height when the document has room
    // for it; otherwise the document is full and the reading stops.
    template<typename T>
    bool Room(T &used, T limit, T amount = 1)
    {
        if (full_ || used + amount > limit) {
            full_ = true;
            return false;
        }
        used += amount;
        return true;
    }

    static double ParagraphSpacing(const ParaState &para)
    {
        return (para.spaceBefore + para.spaceAfter) / TwipsPerLayoutPixel;
    }

    void AppendText(QChar c)
    {
        if (!Room(characters_, MaxCharacters))
            return;
        const CharState &chars = State().chars;
        bool newRun = pendingText_.isEmpty() || !(chars == pendingFormat_);
        if (paragraphCharacters_ >= MaxParagraphCharacters
            || (newRun && paragraphRuns_ >= MaxParagraphRuns)) {
            EndParagraph();
            newRun = true;
        }
        const double height =
            LineHeightBound(chars.fontSize) + (StartsBlock(c) ? ParagraphSpacing(State().para) : 0);
        if ((newRun && !Room(runs_, MaxRuns))
            || (StartsBlock(c) && !Room(paragraphs_, MaxParagraphs))
            || !Room(height_, MaxHeight, height))
            return;
        if (newRun) {
            FlushText();
            pendingFormat_ = chars;
            ++paragraphRuns_;
        }
        ++paragraphCharacters_;
        if (StartsBlock(c)) {
            paragraphCharacters_ = 0;
            paragraphRuns_ = 1; // the run goes on in the new block
        }
        pendingText_.append(c);
        lastPara_ = State().para;
    }

    void FlushText()
    {
        if (pendingText_.isEmpty())
            return;
        writer_.AddRun(pendingText_, CharFormat(pendingFormat_));
        pendingText_.clear();
    }

    void EndParagraph()
    {
        const GroupState &state = State();
        if (!Room(paragraphs_, MaxParagraphs)
            || !Room(height_, MaxHeight,
                     LineHeightBound(state.chars.fontSize) + ParagraphSpacing(state.para)))
            return;
        FlushText();
        writer_.EndParagraph(BlockFormat(state.para), CharFormat(state.chars));
        lastPara_ = state.para;
        paragraphCharacters_ = 0;
        paragraphRuns_ = 0;
    }

    QTextCharFormat CharFormat(const CharState &chars)
    {
        const int fontNumber = chars.font >= 0 ? chars.font : defaultFont_;
        auto font = fonts_.find(fontNumber);
        int fontSize = chars.fontSize;
        const Face face{font == fonts_.end() ? -1 : fontNumber, fontSize, chars.bold, chars.italic};
        if (faces_.count(face) == 0) {
            if (faces_.size() < MaxFaces) {
                faces_.insert(face);
            } else {
                font = fonts_.end();
                fontSize = DefaultFontSize;
            }
        }
        QTextCharFormat format;
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontStrikeOut(chars.strike);
        format.setFontPointSize(fontSize / 2.0);
        if (font != fonts_.end())
            format.setFontFamilies({font->second});
        if (chars.color > 0 && size_t(chars.color) < colors_.size() && colors_[chars.color])
            format.setForeground(*colors_[chars.color]);
        return format;
    }

    static QTextBlockFormat BlockFormat(const ParaState &para)
    {
        QTextBlockFormat format;
        format.setAlignment(para.alignment);
        format.setLeftMargin(para.leftIndent / TwipsPerLayoutPixel);
        format.setRightMargin(para.rightIndent / TwipsPerLayoutPixel);
        format.setTextIndent(para.firstIndent / TwipsPerLayoutPixel);
        format.setTopMargin(para.spaceBefore / TwipsPerLayoutPixel);
        format.setBottomMargin(para.spaceAfter / TwipsPerLayoutPixel);
        return format;
    }

    const char *data_;
    qsizetype size_;
    qsizetype pos_ = 0;
    ParagraphWriter writer_;
    // What the document holds so far, against the limits above.
    int paragraphs_ = 1; // the document's first block is there from the start
    int runs_ = 0;
    int characters_ = 0;
    double height_ = 0; // pixels, see MaxHeight
    bool full_ = false;
    int paragraphCharacters_ = 0; // of the open paragraph
    int paragraphRuns_ = 0;

    std::vector<GroupState> groups_;
    qsizetype flattened_ = 0; // groups opened beyond MaxGroupDepth and not yet closed
    int fallbackLeft_ = 0;

    std::map<int, QString> fonts_;
    // Font number (-1: none), size in half-points, bold, italic.
    using Face = std::tuple<int, int, bool, bool>;
    std::set<Face> faces_; // in the document so far
    int defaultFont_ = 0;
    int fontNumber_ = -1;
    QByteArray fontName_;
    std::vector<std::optional<QColor>> colors_;
    ColorEntry colorEntry_;

    QString pendingText_;
    CharState pendingFormat_;
    ParaState lastPara_; // in force at the latest text or paragraph word of the open paragraph
};

} // namespace

void ReadRtf(const QByteArray &rtf, QTextDocument &document)
{
    document.clear();
    RtfReader reader(rtf, document);
    QTextCursor edit(&document);
    edit.beginEditBlock();
    reader.Read();
    edit.endEditBlock();
}

} // namespace brenlow
