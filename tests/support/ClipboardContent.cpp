#include "ClipboardContent.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <memory>

const char* ClipboardKindName(ClipboardKind kind)
{
    switch (kind) {
    case ClipboardKind::Empty:
        return "empty";
    case ClipboardKind::PlainText:
        return "plain text";
    case ClipboardKind::HtmlOnly:
        return "HTML only";
    case ClipboardKind::ImageOnly:
        return "image only";
    case ClipboardKind::FileUrls:
        return "file URLs";
    case ClipboardKind::TenMegabytes:
        return "10 MB of text";
    case ClipboardKind::WithNul:
        return "text with NUL characters";
    }
    return "";
}

QMimeData* ClipboardContent(ClipboardKind kind)
{
    auto* data = new QMimeData;
    switch (kind) {
    case ClipboardKind::Empty:
        break;
    case ClipboardKind::PlainText:
        data->setText(QStringLiteral("«متن چسبانده» pasted"));
        break;
    case ClipboardKind::HtmlOnly:
        data->setHtml(QStringLiteral("<p dir=\"rtl\"><b>پاسخ</b> answer</p>"));
        break;
    case ClipboardKind::ImageOnly: {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        data->setImageData(image);
        break;
    }
    case ClipboardKind::FileUrls:
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/home/reader/a b.txt")),
                       QUrl::fromLocalFile(QStringLiteral("/home/reader/پاسخ.pdf"))});
        break;
    case ClipboardKind::TenMegabytes:
        data->setText(QStringLiteral("نماز روزه ").repeated(1024 * 1024));
        break;
    case ClipboardKind::WithNul:
        data->setText(QStringLiteral("before") + QChar(0) + QStringLiteral("after") + QChar(0));
        break;
    }
    return data;
}

QString TextOfClipboard(ClipboardKind kind)
{
    switch (kind) {
    case ClipboardKind::PlainText:
    case ClipboardKind::TenMegabytes:
    case ClipboardKind::WithNul:
        return std::unique_ptr<QMimeData>(ClipboardContent(kind))->text();
    case ClipboardKind::FileUrls:
        return QStringLiteral("file:///home/reader/a b.txt\nfile:///home/reader/پاسخ.pdf\n");
    case ClipboardKind::Empty:
    case ClipboardKind::HtmlOnly:
    case ClipboardKind::ImageOnly:
        break;
    }
    return QString();
}

void SetClipboard(ClipboardKind kind)
{
    QGuiApplication::clipboard()->setMimeData(ClipboardContent(kind));
}

void DragAndDrop(QWidget* widget, const QPoint& at, const QMimeData* data)
{
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted())
        return;
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
    if (!move.isAccepted())
        return;
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &drop);
}
