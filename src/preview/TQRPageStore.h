#pragma once

#include "TQRPrinterSettings.h"

#include <QBuffer>
#include <QByteArray>
#include <QPicture>
#include <QSize>
#include <QString>
#include <QTemporaryFile>
#include <QVector>

#include <memory>

// The pages of one layout for the preview, each a recorded picture of the paper at the screen's
// resolution. Their bytes stay in memory until they pass MemoryLimit bytes, then move to a temporary
// file in the system's temporary folder, named "QRP..."; the file goes when the store does.
class TQRPageStore
{
public:
    enum class Status
    {
        Ready,
        LayingOut,
        Finished
    };
    static constexpr qint64 MemoryLimit = 100000;

    TQRPageStore();
    ~TQRPageStore();
    TQRPageStore(const TQRPageStore&) = delete;
    TQRPageStore& operator=(const TQRPageStore&) = delete;

    void AddPage(const QPicture& page);
    void AddPageData(const QByteArray& data);
    // Page numbers start at 1. A page to play keeps the direction each run of its text was laid out
    // in; its data is the picture as recorded.
    QPicture Page(int number) const;
    QByteArray PageData(int number) const;
    int PageCount() const { return m_pages.size(); }
    // Drops every page and starts again in memory.
    void Clear();
    // Takes over the other store's pages and settings; the other is left empty.
    void TakeFrom(TQRPageStore& other);

    // The page's size in pixels at Dpi.
    QSize PageSize;
    int Dpi = 96;
    Status State = Status::Ready;
    int Progress = 0;
    // Pages begun by the layout so far, the last perhaps not yet finished.
    int PagesBegun = 0;
    QString Title;
    TQRPrinterSettings PrinterSettings;
    // The pages came from a report file.
    bool Loaded = false;

    // Where the pages are: empty while they are in memory.
    QString FileName() const;
    qint64 Bytes() const;

private:
    struct Entry
    {
        qint64 offset;
        qint64 length;
    };

    void MoveToFile();

    QVector<Entry> m_pages;
    QByteArray m_memory;
    std::unique_ptr<QTemporaryFile> m_file;
};
