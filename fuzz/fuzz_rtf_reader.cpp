// Feeds arbitrary bytes to the RTF reader: it must return without a crash, a hang or an
// unbounded allocation, whatever the bytes.
#include "platform/rtf_reader.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Fontconfig keeps the patterns of every font family it has been asked for until the process
// ends; the family names here come from the input's font tables.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Character formats carry fonts, which need a GUI application; the offscreen platform
    // gives one without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "fuzz_rtf_reader";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QTextDocument document;
    brenlow::ReadRtf(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), document);
    // Laying the text out exercises the formats the reader made (font sizes, indents).
    document.setTextWidth(400);
    (void)document.size();
    return 0;
}
