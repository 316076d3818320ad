#pragma once

#include "platform/house_style.h"

#include <QByteArray>
#include <QTextEdit>

namespace brenlow {

// The largest RTF file LoadFile reads; the help file is a few kB.
inline constexpr qint64 RichTextFileLimit = qint64(16) << 20;

// A read-only rich-text panel fed with RTF. The document's own text colours are meant for a
// light ground: in the night colour scheme they are shown as the night's reds, lighter for the
// darker ones, and shown again so when the scheme changes (a hidden panel when it is next
// shown: laying out the help document is most of the cost of a switch).
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

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The document from the RTF, in the colours of the scheme in use.
    void Render();
    // Render again, at the same place in the text, when the scheme is not the one shown.
    void FollowScheme();

    QByteArray rtf_;
    ColourScheme renderedIn_ = ColourScheme::Day;
};

} // namespace brenlow
