// The check that stands between a report file's pages and Qt's picture player. Each input is a page's
// picture, tried as it is and again with its checksum made right; whatever the check lets through is
// played onto an A4 page at the preview's zooms, so an accepted page that crashes or spins is a finding.
#include "FuzzTarget.h"
#include "GuiApplication.h"
#include "PagePictureCheck.h"
#include "PagePlayback.h"

#include <QByteArray>
#include <QPicture>
#include <QtEndian>

namespace {

const QSize Page(794, 1123);

void Try(const QByteArray& bytes)
{
    if (!PagePictureCheck(Page).Problem(bytes).isEmpty())
        return;
    QPicture picture;
    picture.setData(bytes.constData(), uint(bytes.size()));
    PlayPage(picture, Page);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureGuiApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    Try(bytes);
    if (bytes.size() >= 6 && bytes.startsWith("QPIC")) {
        QByteArray repaired = bytes;
        qToBigEndian(qChecksum(QByteArrayView(repaired).sliced(6)), repaired.data() + 4);
        if (repaired != bytes)
            Try(repaired);
    }
    return 0;
}
