#include "TQRPageStore.h"

#include "Exceptions.h"
#include "PictureText.h"

#include <QDir>

TQRPageStore::TQRPageStore() = default;

TQRPageStore::~TQRPageStore() = default;

void TQRPageStore::AddPage(const QPicture& page)
{
    AddPageData(QByteArray(page.data(), static_cast<int>(page.size())));
}

void TQRPageStore::AddPageData(const QByteArray& data)
{
    qint64 offset = 0;
    if (m_file) {
        offset = m_file->size();
        if (!m_file->seek(offset) || m_file->write(data) != data.size())
            throw EReportError(
                QStringLiteral("Cannot write the report's pages to %1").arg(m_file->fileName()));
    } else {
        offset = m_memory.size();
        m_memory.append(data);
    }
    m_pages.append(Entry{offset, data.size()});
    if (!m_file && m_memory.size() > MemoryLimit)
        MoveToFile();
}

void TQRPageStore::MoveToFile()
{
    auto file =
        std::make_unique<QTemporaryFile>(QDir(QDir::tempPath()).filePath(QStringLiteral("QRPXXXXXX")));
    // Qt opens a temporary file without a name (O_TMPFILE) until its name is asked for; asking at
    // once puts the store's file into the temporary folder under its QRP name.
    if (!file->open() || file->fileName().isEmpty() || file->write(m_memory) != m_memory.size())
        throw EReportError(QStringLiteral("Cannot create a temporary file for the report's pages in %1")
                               .arg(QDir::toNativeSeparators(QDir::tempPath())));
    m_file = std::move(file);
    m_memory = QByteArray();
}

QByteArray TQRPageStore::PageData(int number) const
{
    if (number < 1 || number > m_pages.size())
        return QByteArray();
    const Entry& entry = m_pages.at(number - 1);
    if (!m_file)
        return m_memory.mid(entry.offset, entry.length);
    if (!m_file->seek(entry.offset))
        throw EReportError(QStringLiteral("Cannot read the report's pages from %1").arg(m_file->fileName()));
    const QByteArray data = m_file->read(entry.length);
    if (data.size() != entry.length)
        throw EReportError(QStringLiteral("Cannot read the report's pages from %1").arg(m_file->fileName()));
    return data;
}

QPicture TQRPageStore::Page(int number) const
{
    QPicture picture;
    const QByteArray data = PictureText::WithDirections(PageData(number));
    if (!data.isEmpty())
        picture.setData(data.constData(), static_cast<uint>(data.size()));
    return picture;
}

void TQRPageStore::Clear()
{
    m_pages.clear();
    m_memory = QByteArray();
    m_file.reset();
    PagesBegun = 0;
    Progress = 0;
    State = Status::Ready;
    Loaded = false;
}

void TQRPageStore::TakeFrom(TQRPageStore& other)
{
    Clear();
    m_pages = std::move(other.m_pages);
    m_memory = std::move(other.m_memory);
    m_file = std::move(other.m_file);
    PageSize = other.PageSize;
    Dpi = other.Dpi;
    State = other.State;
    Progress = other.Progress;
    PagesBegun = other.PagesBegun;
    Title = other.Title;
    PrinterSettings = other.PrinterSettings;
    Loaded = other.Loaded;
    other.Clear();
}

QString TQRPageStore::FileName() const
{
    return m_file ? m_file->fileName() : QString();
}

qint64 TQRPageStore::Bytes() const
{
    return m_file ? m_file->size() : m_memory.size();
}
