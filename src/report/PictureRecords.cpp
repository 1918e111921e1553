#include "PictureRecords.h"

#include <QtEndian>

namespace PictureRecords {

namespace {

constexpr qsizetype ChecksumAt = 4;
// A length byte of this value says that a 32-bit length follows.
constexpr quint8 LongLength = 255;

void Append(QByteArray& out, quint8 kind, const QByteArray& content)
{
    out.append(char(kind));
    if (content.size() < LongLength) {
        out.append(char(content.size()));
    } else {
        out.append(char(LongLength));
        char length[4];
        qToBigEndian<quint32>(quint32(content.size()), length);
        out.append(length, 4);
    }
    out.append(content);
}

} // namespace

void ForEach(QByteArrayView picture, const std::function<void(const Record& record)>& visit)
{
    if (picture.size() < FirstRecord || !picture.startsWith("QPIC"))
        return;
    qsizetype at = FirstRecord;
    while (at + 2 <= picture.size()) {
        Record record;
        record.begin = at;
        record.kind = quint8(picture[at]);
        qsizetype length = quint8(picture[at + 1]);
        at += 2;
        if (length == LongLength) {
            if (at + 4 > picture.size())
                return;
            length = qFromBigEndian<quint32>(picture.data() + at);
            at += 4;
        }
        if (length > picture.size() - at)
            return;
        record.content = picture.sliced(at, length);
        at += length;
        record.end = at;
        visit(record);
        if (record.kind == End)
            return;
    }
}

QByteArray Rewritten(QByteArrayView picture,
                     const std::function<std::optional<QByteArray>(const Record& record)>& change)
{
    if (picture.size() < FirstRecord || !picture.startsWith("QPIC"))
        return picture.toByteArray();
    QByteArray out;
    out.reserve(picture.size());
    qsizetype copied = 0;
    ForEach(picture, [&](const Record& record) {
        const std::optional<QByteArray> content = change(record);
        if (!content)
            return;
        out.append(picture.sliced(copied, record.begin - copied));
        Append(out, record.kind, *content);
        copied = record.end;
    });
    out.append(picture.sliced(copied));
    const quint16 checksum = qChecksum(QByteArrayView(out).sliced(ChecksumAt + 2));
    qToBigEndian<quint16>(checksum, out.data() + ChecksumAt);
    return out;
}

} // namespace PictureRecords
