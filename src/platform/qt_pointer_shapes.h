#pragma once

#include "core/pointer_shapes.h"

#include <QCursor>
#include <QHash>
#include <QString>

namespace brenlow {

// The application's override cursor, with cursor files read from ".cur" files.
class QtPointerShapes : public PointerShapes
{
public:
    ~QtPointerShapes() override;
    void SetShape(PointerShape shape) override;
    void SetCustomShape(const QString &cursorFile, PointerShape fallback) override;

private:
    // Sets the override shape unless the one named by `key` is already set.
    void Apply(const QCursor &cursor, const QString &key);
    bool overriding_ = false;
    QString current_;
    // Cursor files read so far, by path: pan mode selects its hand at every pointer move.
    QHash<QString, QCursor> loaded_;
};

} // namespace brenlow
