#pragma once

#include <QByteArray>
#include <QTextEdit>

namespace brenlow {

// A read-only rich-text panel fed with RTF.
class RichTextPanel : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichTextPanel(QWidget *parent = nullptr);

    // Loads an RTF file. Throws AppError naming the file when it is missing or unreadable.
    void LoadFile(const QString &path);
    // Shows the given RTF text.
    void SetRtf(const QByteArray &rtf);
};

} // namespace brenlow
