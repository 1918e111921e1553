#include "TQRReportFile.h"

#include "Crc32.h"
#include "Exceptions.h"
#include "PagePictureCheck.h"
#include "TQRPageStore.h"

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QByteArray Signature("VQRP");
constexpr quint16 FormatNumber = 1;
constexpr quint16 WriterVersion = 1;
constexpr int MaxPixels = 100000;
constexpr int MaxDpi = 10000;

QString Native(const QString& fileName)
{
    return QDir::toNativeSeparators(fileName);
}

[[noreturn]] void Damaged(const QString& fileName, const QString& why)
{
    throw EReportError(QStringLiteral("%1 is not a readable report file: %2").arg(Native(fileName), why));
}

QByteArray Header(const TQRPageStore& store, quint64 first, quint64 last)
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData(Signature.constData(), 4);
    out << FormatNumber << WriterVersion << quint32(store.PageCount())
        << qint64(QDateTime::currentMSecsSinceEpoch()) << quint8(0) << quint8(0) << quint8(0) << quint8(0)
        << quint32(store.PageSize.width()) << quint32(store.PageSize.height()) << quint32(store.Dpi)
        << quint32(store.Dpi) << first << last << quint32(0);
    out << Crc32(header);
    return header;
}

} // namespace

void TQRReportFile::Save(const TQRPageStore& store, const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EReportError(QStringLiteral("Cannot write %1: %2").arg(Native(fileName), file.errorString()));
    const int count = store.PageCount();
    QVector<quint64> offsets;
    quint64 offset = HeaderSize;
    for (int page = 1; page <= count; ++page) {
        offsets.append(offset);
        offset += RecordHeaderSize + store.PageData(page).size();
    }
    file.write(Header(store, count > 0 ? offsets.first() : 0, count > 0 ? offsets.last() : 0));
    for (int page = 1; page <= count; ++page) {
        const QByteArray data = store.PageData(page);
        QByteArray record;
        QDataStream out(&record, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out << (page > 1 ? offsets.at(page - 2) : quint64(0))
            << (page < count ? offsets.at(page) : quint64(0)) << quint32(data.size()) << Crc32(data);
        record.append(data);
        if (file.write(record) != record.size())
            break;
    }
    if (!file.commit())
        throw EReportError(QStringLiteral("Cannot write %1: %2").arg(Native(fileName), file.errorString()));
}

void TQRReportFile::Load(const QString& fileName, TQRPageStore& store)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReportError(QStringLiteral("Cannot open %1: %2").arg(Native(fileName), file.errorString()));
    const qint64 size = file.size();
    const QByteArray header = file.read(HeaderSize);
    if (header.size() < HeaderSize || !header.startsWith(Signature))
        Damaged(fileName, QStringLiteral("it is not a report file"));
    QDataStream in(header);
    in.setByteOrder(QDataStream::LittleEndian);
    in.skipRawData(4);
    quint16 format = 0;
    quint16 version = 0;
    quint32 count = 0;
    qint64 created = 0;
    quint8 compressed = 0;
    quint8 reserved = 0;
    quint32 width = 0;
    quint32 height = 0;
    quint32 dpiX = 0;
    quint32 dpiY = 0;
    quint64 first = 0;
    quint64 last = 0;
    quint32 spare = 0;
    quint32 crc = 0;
    in >> format >> version >> count >> created >> compressed >> reserved >> reserved >> reserved >> width >>
        height >> dpiX >> dpiY >> first >> last >> spare >> crc;
    if (crc != Crc32(QByteArrayView(header).first(HeaderSize - 4)))
        Damaged(fileName, QStringLiteral("its header is damaged"));
    if (format != FormatNumber)
        Damaged(fileName, QStringLiteral("format %1 is not known").arg(format));
    if (compressed != 0)
        Damaged(fileName, QStringLiteral("compressed pages are not supported"));
    if (width < 1 || height < 1 || width > MaxPixels || height > MaxPixels || dpiX < 1 || dpiX > MaxDpi ||
        dpiY < 1 || dpiY > MaxDpi)
        Damaged(fileName, QStringLiteral("its page size is impossible"));
    if (count == 0 || quint64(count) > quint64(size - HeaderSize) / RecordHeaderSize)
        Damaged(fileName, QStringLiteral("its page count is impossible"));

    TQRPageStore loaded;
    loaded.PageSize = QSize(int(width), int(height));
    loaded.Dpi = int(dpiX);
    PagePictureCheck check(loaded.PageSize);
    quint64 previous = 0;
    quint64 offset = first;
    for (quint32 page = 0; page < count; ++page) {
        const bool isLast = page + 1 == count;
        if (offset < quint64(HeaderSize) || offset > quint64(size) - RecordHeaderSize ||
            !file.seek(qint64(offset)))
            Damaged(fileName, QStringLiteral("page %1 is missing").arg(page + 1));
        const QByteArray recordHeader = file.read(RecordHeaderSize);
        if (recordHeader.size() != RecordHeaderSize)
            Damaged(fileName, QStringLiteral("page %1 is cut short").arg(page + 1));
        QDataStream record(recordHeader);
        record.setByteOrder(QDataStream::LittleEndian);
        quint64 back = 0;
        quint64 next = 0;
        quint32 length = 0;
        quint32 pageCrc = 0;
        record >> back >> next >> length >> pageCrc;
        const quint64 end = offset + RecordHeaderSize + length;
        if (back != previous || end > quint64(size) || (isLast ? next != 0 || offset != last : next < end))
            Damaged(fileName, QStringLiteral("the links of page %1 are broken").arg(page + 1));
        const QByteArray data = file.read(length);
        if (data.size() != qint64(length) || Crc32(data) != pageCrc)
            Damaged(fileName, QStringLiteral("page %1 is damaged").arg(page + 1));
        const QString problem = check.Problem(data);
        if (!problem.isEmpty())
            Damaged(fileName, QStringLiteral("page %1 cannot be shown: %2").arg(page + 1).arg(problem));
        loaded.AddPageData(data);
        previous = offset;
        offset = next;
    }
    loaded.PagesBegun = loaded.PageCount();
    loaded.Progress = 100;
    loaded.State = TQRPageStore::Status::Finished;
    loaded.Loaded = true;
    loaded.Title = store.Title;
    loaded.PrinterSettings = store.PrinterSettings;
    store.TakeFrom(loaded);
}
