#include "PictureText.h"

#include "PictureRecords.h"

#include <QDataStream>
#include <QFont>
#include <QIODevice>
#include <QTextItem>

namespace {

// An override gives every character of a run the run's direction. A mark of that direction closes
// it: blanks at the end of a line fall back to the paragraph's direction, and Qt plays each run as a
// line of its own, so a run's last blank would otherwise jump to its other end.
constexpr char16_t LeftToRightOverride = u'\u202D';
constexpr char16_t RightToLeftOverride = u'\u202E';
constexpr char16_t LeftToRightMark = u'\u200E';
constexpr char16_t RightToLeftMark = u'\u200F';
constexpr char16_t PopDirectionalFormatting = u'\u202C';

using Run = PictureText::Run;

// A text record: where it starts, its characters, and what follows them (font, flags, scale, width).
struct TextRecord
{
    Run run;
    qsizetype textBegin = 0;
    qsizetype textEnd = 0;
};

bool ReadTextRecord(QByteArrayView content, TextRecord& record)
{
    const QByteArray bytes = QByteArray::fromRawData(content.data(), content.size());
    QDataStream in(bytes);
    in.setVersion(PictureRecords::Format);
    QFont font;
    qint32 flags = 0;
    in >> record.run.start;
    record.textBegin = in.device()->pos();
    in >> record.run.text;
    record.textEnd = in.device()->pos();
    in >> font >> flags;
    record.run.rightToLeft = (flags & QTextItem::RightToLeft) != 0;
    return in.status() == QDataStream::Ok;
}

} // namespace

namespace PictureText {

QList<Run> Runs(QByteArrayView picture)
{
    QList<Run> runs;
    PictureRecords::ForEach(picture, [&](const PictureRecords::Record& record) {
        TextRecord text;
        if (record.kind == PictureRecords::DrawTextItem && ReadTextRecord(record.content, text))
            runs.append(text.run);
    });
    return runs;
}

QByteArray WithDirections(QByteArrayView picture)
{
    return PictureRecords::Rewritten(
        picture, [](const PictureRecords::Record& record) -> std::optional<QByteArray> {
            TextRecord text;
            if (record.kind != PictureRecords::DrawTextItem || !ReadTextRecord(record.content, text))
                return std::nullopt;
            const bool rightToLeft = text.run.rightToLeft;
            const QChar override = rightToLeft ? RightToLeftOverride : LeftToRightOverride;
            const QChar mark = rightToLeft ? RightToLeftMark : LeftToRightMark;
            QByteArray directed;
            QDataStream stream(&directed, QIODevice::WriteOnly);
            stream.setVersion(PictureRecords::Format);
            stream << (override + text.run.text + mark + QChar(PopDirectionalFormatting));
            QByteArray changed = record.content.first(text.textBegin).toByteArray();
            changed.append(directed);
            changed.append(record.content.sliced(text.textEnd));
            return changed;
        });
}

} // namespace PictureText
