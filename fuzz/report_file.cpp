// The report-file reader on any file. Each input is read twice: as it is, and with its header's and
// pages' checksums made right, so that damage behind the checksums is reached too. The pages of a file
// that is accepted are played as the preview plays them.
#include "Crc32.h"
#include "Exceptions.h"
#include "FuzzTarget.h"
#include "GuiApplication.h"
#include "PagePlayback.h"
#include "TQRPageStore.h"
#include "TQRReportFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryFile>
#include <QtEndian>

namespace {

// Sets the header's checksum and, following the links from the first record, each page's.
QByteArray WithChecksums(QByteArray file)
{
    if (file.size() < TQRReportFile::HeaderSize)
        return file;
    auto* bytes = reinterpret_cast<uchar*>(file.data());
    qToLittleEndian(Crc32(QByteArrayView(file).first(TQRReportFile::HeaderSize - 4)),
                    bytes + TQRReportFile::HeaderSize - 4);
    const quint32 count = qFromLittleEndian<quint32>(bytes + 8);
    quint64 offset = qFromLittleEndian<quint64>(bytes + 40);
    const auto size = quint64(file.size());
    for (quint32 page = 0; page < count && offset >= quint64(TQRReportFile::HeaderSize) &&
                           offset <= size - TQRReportFile::RecordHeaderSize;
         ++page) {
        const quint64 next = qFromLittleEndian<quint64>(bytes + offset + 8);
        const quint32 length = qFromLittleEndian<quint32>(bytes + offset + 16);
        const quint64 start = offset + TQRReportFile::RecordHeaderSize;
        if (length > size - start)
            break;
        qToLittleEndian(Crc32(QByteArrayView(file).sliced(qsizetype(start), qsizetype(length))),
                        bytes + offset + 20);
        if (next <= offset)
            break;
        offset = next;
    }
    return file;
}

void Load(const QByteArray& bytes)
{
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open())
        qFatal("cannot create a temporary file");
    file.resize(0);
    file.seek(0);
    file.write(bytes);
    file.flush();
    TQRPageStore store;
    try {
        TQRReportFile::Load(file.fileName(), store);
        for (int page = 1; page <= store.PageCount(); ++page)
            PlayPage(store.Page(page), store.PageSize);
    } catch (const EReportError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureGuiApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    Load(bytes);
    const QByteArray repaired = WithChecksums(bytes);
    if (repaired != bytes)
        Load(repaired);
    return 0;
}
