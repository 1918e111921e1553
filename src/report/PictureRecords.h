#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <optional>

// The records of a picture as Qt's picture engine writes them (QPicture's data), in the format of the Qt
// the program is built with: a header, an opening record, then one record per painter command, each a
// kind, a length and as many bytes of content, up to an end record. A header's checksum covers
// everything after itself.
namespace PictureRecords {

// The picture format, which is also the version of the data stream the records are written with.
constexpr quint16 Format = 20;
// Where the first record after the opening one begins.
constexpr qsizetype FirstRecord = 32;

// Record kinds, as Qt numbers them.
constexpr quint8 DrawImage = 18;
constexpr quint8 DrawTextItem = 21;
constexpr quint8 End = 31;

struct Record
{
    quint8 kind = 0;
    // Where the record begins (its kind) and where its content ends, in the picture.
    qsizetype begin = 0;
    qsizetype end = 0;
    QByteArrayView content;
};

// Calls visit for each record after the opening one, in order, and gives up quietly on anything that
// is not a picture as Qt's engine writes them.
void ForEach(QByteArrayView picture, const std::function<void(const Record& record)>& visit);

// The picture with the content of some records replaced: change gives a record's new content, or
// nothing to keep the record as it is. Every other byte is kept, and the checksum is written anew.
QByteArray Rewritten(QByteArrayView picture,
                     const std::function<std::optional<QByteArray>(const Record& record)>& change);

} // namespace PictureRecords
