// The RTF reader on any text: a partial document or a refusal, never a crash or a hang.
#include "FuzzTarget.h"
#include "GuiApplication.h"
#include "RtfReader.h"

#include <QFont>
#include <QString>
#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureGuiApplication();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    if (RtfReader::LooksLikeRtf(text) && RtfReader::Read(text, document, QFont(QStringLiteral("Tahoma"), 10)))
        document.toPlainText();
    return 0;
}
