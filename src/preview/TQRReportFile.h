#pragma once

#include <QString>

class TQRPageStore;

// Report files (.QRP): a whole page store.
//
// All numbers little-endian. A header of 64 bytes: the signature "VQRP", format number (u16, 1), the
// writer's version (u16, 1), page count (u32), creation time (i64, milliseconds since 1970 UTC),
// compression flag (u8, 0: pages stored as they are; nothing else is written or read), three reserved
// bytes, page width and height in pixels (u32 each), horizontal and vertical resolution in pixels per
// inch (u32 each), offsets of the first and the last page record (u64 each), four reserved bytes, and a
// CRC-32 of the header's first 60 bytes. Then one record per page, in page order: offset of the previous
// record and of the next (u64 each, 0 where there is none), the length of the page's picture (u32), a CRC-32
// of the picture, and the picture itself (QPicture data). The links let a reader reach any page from
// either end.
class TQRReportFile
{
public:
    static constexpr int HeaderSize = 64;
    static constexpr int RecordHeaderSize = 24;

    // Writes every page of the store, replacing the file. Throws EReportError on failure.
    static void Save(const TQRPageStore& store, const QString& fileName);
    // Reads a file into the store, which is emptied first; the store is left untouched when the file is
    // damaged or not a report file (EReportError).
    static void Load(const QString& fileName, TQRPageStore& store);
};
