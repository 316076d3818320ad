#pragma once

#include <QByteArray>
#include <QTextEdit>

namespace brenlow {

// The largest RTF file LoadFile reads; the help file is a few kB.
inline constexpr qint64 RichTextFileLimit = qint64(16) << 20;

// A read-only rich-text panel fed with RTF.
class RichTextPanel : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichTextPanel(QWidget *parent = nullptr);

    // Loads an RTF file. Throws AppError naming the file when it is missing, unreadable, not a
    // file or larger than RichTextFileLimit.
    void LoadFile(const QString &path);
    // Shows the given RTF text.
    void SetRtf(const QByteArray &rtf);
};

} // namespace brenlow
