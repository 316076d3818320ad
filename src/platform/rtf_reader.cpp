#include "platform/rtf_reader.h"

#include "platform/text_file.h"

#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
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
// Paragraph indents and spacing are given in twips; the document measures them in pixels.
constexpr double TwipsPerPixel = 15.0;
constexpr int MaxTwips = 31680; // 22 inches, the widest page the format describes

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

// Destinations whose content is not shown: document information, pictures, objects, page
// furniture, style and list definitions and the like. Everything marked \* is skipped as well.
bool IsSkippedDestination(std::string_view word)
{
    static constexpr std::string_view Skipped[] = {
        "author",    "buptim",
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
        "fchars",    "lchars",
    };
    return std::find(std::begin(Skipped), std::end(Skipped), word) != std::end(Skipped);
}

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

// One pass over the bytes; every step consumes at least one byte, so the reading ends after
// at most as many steps as there are bytes.
class RtfReader
{
public:
    RtfReader(const QByteArray &rtf, QTextDocument &document)
        : data_(rtf.constData()), size_(rtf.size()), cursor_(&document)
    {
        groups_.emplace_back();
    }

    void Read()
    {
        while (pos_ < size_) {
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
        cursor_.setBlockFormat(BlockFormat(lastPara_));
    }

private:
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

    void ControlWord(std::string_view word, bool hasParameter, long long parameter)
    {
        GroupState &state = State();
        if (word == "bin") {
            // Binary data of the given length follows; it may contain braces and backslashes.
            const long long length = hasParameter ? std::max(parameter, 0LL) : 0;
            pos_ += std::min<long long>(length, size_ - pos_);
            return;
        }
        if (ConsumeFallback())
            return;
        if (state.destination == Destination::Skip)
            return;
        if (word == "fonttbl") {
            EnterDestination(Destination::FontTable);
            fontName_.clear();
            fontNumber_ = -1;
            return;
        }
        if (word == "colortbl") {
            EnterDestination(Destination::ColorTable);
            colorEntry_ = {};
            return;
        }
        if (IsSkippedDestination(word)) {
            EnterDestination(Destination::Skip);
            return;
        }
        const int value = ClampToInt(parameter, -int(MaxParameter), int(MaxParameter));
        const bool on = !hasParameter || parameter != 0;
        if (state.destination == Destination::FontTable) {
            if (word == "f" && hasParameter) {
                EndFontEntry();
                fontNumber_ = value;
            }
            return;
        }
        if (state.destination == Destination::ColorTable) {
            const int component = ClampToInt(parameter, 0, 255);
            if (word == "red")
                colorEntry_.red = component;
            else if (word == "green")
                colorEntry_.green = component;
            else if (word == "blue")
                colorEntry_.blue = component;
            else
                return;
            colorEntry_.given = true;
            return;
        }

        CharState &chars = state.chars;
        ParaState &para = state.para;
        if (word == "par") {
            EndParagraph();
        } else if (word == "line") {
            AppendText(QChar(QChar::LineSeparator));
        } else if (word == "tab") {
            AppendText(QChar(u'\t'));
        } else if (word == "b") {
            chars.bold = on;
        } else if (word == "i") {
            chars.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw") {
            chars.underline = on;
        } else if (word == "ulnone") {
            chars.underline = false;
        } else if (word == "strike") {
            chars.strike = on;
        } else if (word == "fs") {
            chars.fontSize = hasParameter && parameter > 0 ? ClampToInt(parameter, 1, MaxFontSize)
                                                           : DefaultFontSize;
        } else if (word == "f") {
            if (hasParameter)
                chars.font = value;
        } else if (word == "cf") {
            chars.color = std::max(value, 0);
        } else if (word == "plain") {
            chars = CharState();
        } else if (word == "pard") {
            para = ParaState();
        } else if (word == "deff") {
            if (hasParameter)
                defaultFont_ = value;
        } else if (word == "uc") {
            if (hasParameter)
                state.unicodeSkip = ClampToInt(parameter, 0, MaxUnicodeSkip);
        } else if (word == "u") {
            if (!hasParameter)
                return;
            // Signed 16-bit: characters above U+7FFF are written as negative numbers.
            const long long code = parameter < 0 ? parameter + 65536 : parameter;
            if (code > 0 && code <= 0xFFFF && (code >= 0x20 || code == '\t'))
                AppendText(QChar(char16_t(code)));
            fallbackLeft_ = state.unicodeSkip;
        } else if (word == "ql") {
            para.alignment = Qt::AlignLeft;
        } else if (word == "qc") {
            para.alignment = Qt::AlignHCenter;
        } else if (word == "qr") {
            para.alignment = Qt::AlignRight;
        } else if (word == "qj") {
            para.alignment = Qt::AlignJustify;
        } else if (word == "li") {
            para.leftIndent = ClampToInt(parameter, -MaxTwips, MaxTwips);
        } else if (word == "ri") {
            para.rightIndent = ClampToInt(parameter, -MaxTwips, MaxTwips);
        } else if (word == "fi") {
            para.firstIndent = ClampToInt(parameter, -MaxTwips, MaxTwips);
        } else if (word == "sb") {
            para.spaceBefore = ClampToInt(parameter, 0, MaxTwips);
        } else if (word == "sa") {
            para.spaceAfter = ClampToInt(parameter, 0, MaxTwips);
        } else if (word == "emdash") {
            AppendText(QChar(0x2014));
        } else if (word == "endash") {
            AppendText(QChar(0x2013));
        } else if (word == "bullet") {
            AppendText(QChar(0x2022));
        } else if (word == "lquote") {
            AppendText(QChar(0x2018));
        } else if (word == "rquote") {
            AppendText(QChar(0x2019));
        } else if (word == "ldblquote") {
            AppendText(QChar(0x201C));
        } else if (word == "rdblquote") {
            AppendText(QChar(0x201D));
        }
        // Any other control word changes nothing that this reader shows. The open paragraph
        // ends with its format as it stands now, unless changed again.
        lastPara_ = para;
    }

    void EndFontEntry()
    {
        const QString name = Windows1252ToUnicode(fontName_).trimmed();
        if (fontNumber_ >= 0 && !name.isEmpty())
            fonts_[fontNumber_] = name;
        fontName_.clear();
        fontNumber_ = -1;
    }

    void EndColorEntry()
    {
        // An entry without components is "automatic": the panel's own text colour.
        if (colorEntry_.given)
            colors_.emplace_back(QColor(colorEntry_.red, colorEntry_.green, colorEntry_.blue));
        else
            colors_.emplace_back(std::nullopt);
        colorEntry_ = {};
    }

    void AppendText(QChar c)
    {
        const CharState &chars = State().chars;
        if (!pendingText_.isEmpty() && !(chars == pendingFormat_))
            FlushText();
        if (pendingText_.isEmpty())
            pendingFormat_ = chars;
        pendingText_.append(c);
        lastPara_ = State().para;
    }

    void FlushText()
    {
        if (pendingText_.isEmpty())
            return;
        cursor_.insertText(pendingText_, CharFormat(pendingFormat_));
        pendingText_.clear();
    }

    void EndParagraph()
    {
        FlushText();
        const GroupState &state = State();
        // The paragraph mark's format gives an empty paragraph its height.
        cursor_.setBlockCharFormat(CharFormat(state.chars));
        cursor_.setBlockFormat(BlockFormat(state.para));
        cursor_.insertBlock();
        lastPara_ = state.para;
    }

    QTextCharFormat CharFormat(const CharState &chars) const
    {
        QTextCharFormat format;
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontStrikeOut(chars.strike);
        format.setFontPointSize(chars.fontSize / 2.0);
        const int fontNumber = chars.font >= 0 ? chars.font : defaultFont_;
        if (const auto font = fonts_.find(fontNumber); font != fonts_.end())
            format.setFontFamilies({font->second});
        if (chars.color > 0 && size_t(chars.color) < colors_.size() && colors_[chars.color])
            format.setForeground(*colors_[chars.color]);
        return format;
    }

    static QTextBlockFormat BlockFormat(const ParaState &para)
    {
        QTextBlockFormat format;
        format.setAlignment(para.alignment);
        format.setLeftMargin(para.leftIndent / TwipsPerPixel);
        format.setRightMargin(para.rightIndent / TwipsPerPixel);
        format.setTextIndent(para.firstIndent / TwipsPerPixel);
        format.setTopMargin(para.spaceBefore / TwipsPerPixel);
        format.setBottomMargin(para.spaceAfter / TwipsPerPixel);
        return format;
    }

    struct ColorEntry
    {
        int red = 0;
        int green = 0;
        int blue = 0;
        bool given = false;
    };

    const char *data_;
    qsizetype size_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;

    std::vector<GroupState> groups_;
    qsizetype flattened_ = 0; // groups opened beyond MaxGroupDepth and not yet closed
    int fallbackLeft_ = 0;

    std::map<int, QString> fonts_;
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
