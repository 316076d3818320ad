#include "platform/rich_text_panel.h"

#include "core/app_error.h"
#include "core/text_file.h"
#include "platform/rtf_reader.h"

#include <QScrollBar>

namespace brenlow {

RichTextPanel::RichTextPanel(QWidget *parent) : QTextEdit(parent)
{
    setReadOnly(true);
    // The panel is never edited: keeping the undo history of every load would only use memory.
    setUndoRedoEnabled(false);
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
    ReadRtf(rtf, *document());
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

} // namespace brenlow
