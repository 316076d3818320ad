#include "platform/rich_text_panel.h"

#include "core/app_error.h"
#include "core/text_file.h"
#include "platform/house_style.h"
#include "platform/rtf_reader.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace brenlow {
namespace {

// Each run of text that names its own colour, in that colour as the scheme shows ink.
void RecolourText(QTextDocument &document, ColourScheme scheme)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            const QTextCharFormat format = part.charFormat();
            if (!part.isValid() || !format.hasProperty(QTextFormat::ForegroundBrush))
                continue;
            QTextCursor cursor(&document);
            cursor.setPosition(part.position());
            cursor.setPosition(part.position() + part.length(), QTextCursor::KeepAnchor);
            QTextCharFormat recoloured;
            recoloured.setForeground(House::InkOnGround(format.foreground().color(), scheme));
            cursor.mergeCharFormat(recoloured);
        }
    }
}

} // namespace

RichTextPanel::RichTextPanel(QWidget *parent) : QTextEdit(parent)
{
    setReadOnly(true);
    // The panel is never edited: keeping the undo history of every load would only use memory.
    setUndoRedoEnabled(false);
    connect(&HouseStyle::Instance(), &HouseStyle::SchemeChanged, this, [this] {
        if (isVisible())
            FollowScheme();
    });
}

void RichTextPanel::showEvent(QShowEvent *event)
{
    FollowScheme();
    QTextEdit::showEvent(event);
}

void RichTextPanel::FollowScheme()
{
    if (rtf_.isEmpty() || renderedIn_ == HouseStyle::Instance().Scheme())
        return;
    const int scrolled = verticalScrollBar()->value();
    Render();
    verticalScrollBar()->setValue(scrolled);
}

void RichTextPanel::LoadFile(const QString &path)
{
    const std::optional<QByteArray> rtf = ReadWholeFile(path, RichTextFileLimit);
    if (!rtf)
        throw AppError(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(path),
                       ErrorSource());
    SetRtf(*rtf);
}

void RichTextPanel::SetRtf(const QByteArray &rtf)
{
    rtf_ = rtf;
    Render();
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

void RichTextPanel::Render()
{
    ReadRtf(rtf_, *document());
    const ColourScheme scheme = HouseStyle::Instance().Scheme();
    if (scheme != ColourScheme::Day)
        RecolourText(*document(), scheme);
    renderedIn_ = scheme;
}

} // namespace brenlow
