#pragma once

#include <QCursor>
#include <QString>

#include <optional>

namespace brenlow {

enum class PointerShape { Default, Arrow, Icon, ArrowQuestion };

// A cursor read from a Windows ".cur" file, with its hotspot. Nothing when the file is
// missing or is not a cursor file.
std::optional<QCursor> LoadCursorFile(const QString &path);

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
    void Apply(const QCursor &cursor);
    bool overriding_ = false;
};

} // namespace brenlow
