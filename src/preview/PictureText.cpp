#include "PictureText.h"

#include <QDataStream>
#include <QFont>
#include <QIODevice>
#include <QTextItem>
#include <QtEndian>

#include <functional>

namespace {

// The picture format of the Qt the program is built with: its header, and the first record after
// the picture's opening one.
constexpr quint16 PictureFormat = 20;
constexpr qsizetype ChecksumAt = 4;
constexpr qsizetype FirstRecord = 32;
constexpr quint8 DrawTextItem = 21;
constexpr quint8 End = 31;

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

bool ReadTextRecord(QByteArrayView payload, TextRecord& record)
{
    const QByteArray bytes = QByteArray::fromRawData(payload.data(), payload.size());
    QDataStream in(bytes);
    in.setVersion(PictureFormat);
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

// Calls visit for each record after the picture's opening one with its kind and its content, and
// gives up quietly on anything that is not a picture as Qt's engine writes them.
void ForEachRecord(QByteArrayView picture,
                   const std::function<void(quint8 kind, qsizetype headBegin, QByteArrayView payload)>& visit)
{
    if (picture.size() < FirstRecord || !picture.startsWith("QPIC"))
        return;
    qsizetype at = FirstRecord;
    while (at + 2 <= picture.size()) {
        const qsizetype head = at;
        const quint8 kind = quint8(picture[at]);
        qsizetype length = quint8(picture[at + 1]);
        at += 2;
        if (length == 255) {
            if (at + 4 > picture.size())
                return;
            length = qFromBigEndian<quint32>(picture.data() + at);
            at += 4;
        }
        if (length > picture.size() - at)
            return;
        visit(kind, head, picture.sliced(at, length));
        at += length;
        if (kind == End)
            return;
    }
}

void AppendRecord(QByteArray& out, quint8 kind, const QByteArray& payload)
{
    out.append(char(kind));
    if (payload.size() < 255) {
        out.append(char(payload.size()));
    } else {
        out.append(char(255));
        char length[4];
        qToBigEndian<quint32>(quint32(payload.size()), length);
        out.append(length, 4);
    }
    out.append(payload);
}

} // namespace

namespace PictureText {

QList<Run> Runs(QByteArrayView picture)
{
    QList<Run> runs;
    ForEachRecord(picture, [&](quint8 kind, qsizetype, QByteArrayView payload) {
        TextRecord record;
        if (kind == DrawTextItem && ReadTextRecord(payload, record))
            runs.append(record.run);
    });
    return runs;
}

QByteArray WithDirections(QByteArrayView picture)
{
    if (picture.size() < FirstRecord || !picture.startsWith("QPIC"))
        return picture.toByteArray();
    QByteArray out = picture.first(FirstRecord).toByteArray();
    qsizetype copied = FirstRecord;
    ForEachRecord(picture, [&](quint8 kind, qsizetype head, QByteArrayView payload) {
        TextRecord record;
        if (kind != DrawTextItem || !ReadTextRecord(payload, record))
            return;
        out.append(picture.sliced(copied, head - copied));
        const bool rightToLeft = record.run.rightToLeft;
        const QChar override = rightToLeft ? RightToLeftOverride : LeftToRightOverride;
        const QChar mark = rightToLeft ? RightToLeftMark : LeftToRightMark;
        QByteArray text;
        QDataStream stream(&text, QIODevice::WriteOnly);
        stream.setVersion(PictureFormat);
        stream << (override + record.run.text + mark + QChar(PopDirectionalFormatting));
        QByteArray changed = payload.first(record.textBegin).toByteArray();
        changed.append(text);
        changed.append(payload.sliced(record.textEnd));
        AppendRecord(out, kind, changed);
        copied = payload.data() + payload.size() - picture.data();
    });
    out.append(picture.sliced(copied));
    const quint16 checksum = qChecksum(QByteArrayView(out).sliced(ChecksumAt + 2));
    qToBigEndian<quint16>(checksum, out.data() + ChecksumAt);
    return out;
}

} // namespace PictureText
