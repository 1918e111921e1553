#pragma once

#include <QString>

#include <array>

class QMimeData;
class QPoint;
class QWidget;

// What a reader may have on the clipboard, or drag onto a control.
enum class ClipboardKind
{
    Empty,
    PlainText,
    HtmlOnly,
    ImageOnly,
    FileUrls,
    TenMegabytes,
    WithNul,
};

inline constexpr std::array<ClipboardKind, 7> AllClipboardKinds{
    ClipboardKind::Empty,    ClipboardKind::PlainText,    ClipboardKind::HtmlOnly, ClipboardKind::ImageOnly,
    ClipboardKind::FileUrls, ClipboardKind::TenMegabytes, ClipboardKind::WithNul};

// How a test names the kind.
const char* ClipboardKindName(ClipboardKind kind);
// A clipboard or a drag holding the kind, owned by the caller. The empty one has no format at all, as
// the window system hands over a clipboard that nobody filled.
QMimeData* ClipboardContent(ClipboardKind kind);
// The text a text control takes from the kind: the text, or the addresses of the files each ending a
// line; none from the others.
QString TextOfClipboard(ClipboardKind kind);
// Puts the kind on the application's clipboard.
void SetClipboard(ClipboardKind kind);

// Drags the data onto the widget at the point and drops it there, as the window system does: the drop
// comes only when the widget took the drag.
void DragAndDrop(QWidget* widget, const QPoint& at, const QMimeData* data);
