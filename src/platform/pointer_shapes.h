#pragma once

#include "platform/cursor_file.h"

#include <QCursor>
#include <QHash>
#include <QString>

namespace brenlow {

enum class PointerShape { Default, Arrow, Icon, ArrowQuestion };

// The application-wide pointer shape: applies over every window of the program until set
// again.
class PointerShapes
{
public:
    virtual ~PointerShapes() = default;
    virtual void SetShape(PointerShape shape) = 0;
    // Loads the cursor file and selects it; a missing file selects the arrow.
    virtual void SetCustomShape(const QString &cursorFile) = 0;
};

class QtPointerShapes : public PointerShapes
{
public:
    ~QtPointerShapes() override;
    void SetShape(PointerShape shape) override;
    void SetCustomShape(const QString &cursorFile) override;

private:
    // Sets the override shape unless the one named by `key` is already set.
    void Apply(const QCursor &cursor, const QString &key);
    bool overriding_ = false;
    QString current_;
    // Cursor files read so far, by path: pan mode selects its hand at every pointer move.
    QHash<QString, QCursor> loaded_;
};

} // namespace brenlow
