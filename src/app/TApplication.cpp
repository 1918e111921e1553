#include "TApplication.h"

#include "ApplicationTitle.h"
#include "FailureBox.h"
#include "PersianFonts.h"

#include <QMessageBox>
#include <QScreen>
#include <QWidget>

TApplication* Application = nullptr;

namespace {

void DefaultHandler(QObject* sender)
{
    Application->HandleException(sender);
}

} // namespace

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), m_title(ApplicationTitleFromFileName(QApplication::applicationFilePath()))
{
    Application = this;
    // The title names the application; a display name would be appended to every window's caption.
    setApplicationName(m_title);
    setApplicationVersion(QStringLiteral(VELNORA_VERSION));
    setWindowIcon(QIcon(QStringLiteral(":/assets/mainicon.png")));
    SetDefaultExceptionHandler(DefaultHandler);
}

TApplication::~TApplication()
{
    // The last created first: Form3, Data, Form1.
    while (!m_components.empty()) {
        QObject* component = m_components.back();
        m_components.pop_back();
        delete component;
    }
    SetDefaultExceptionHandler(nullptr);
    Application = nullptr;
}

void TApplication::Initialize()
{
    InstallPersianFontSubstitutes();
}

void TApplication::Adopt(QObject* object)
{
    m_components.push_back(object);
    if (m_mainForm == nullptr) {
        if (auto* window = qobject_cast<QWidget*>(object)) {
            window->winId();
            m_mainForm = window;
        }
    }
}

int TApplication::Run()
{
    if (m_mainForm == nullptr)
        return 0;
    const QRect screen = m_mainForm->screen()->geometry();
    m_mainForm->move(screen.left() + (screen.width() - m_mainForm->width()) / 2,
                     screen.top() + (screen.height() - m_mainForm->height()) / 2);
    m_mainForm->show();
    return exec();
}

void TApplication::Terminate()
{
    quit();
}

void TApplication::HandleException(QObject*)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const Exception& error) {
        ShowException(error);
    } catch (...) {
        ShowFailureBoxForCurrentException();
    }
}

void TApplication::ShowException(const Exception& error)
{
    const QString text = WithFullStop(error.Message());
    QMessageBox box(QMessageBox::Critical, m_title, text, QMessageBox::Ok);
    // The box reads left to right. Our own Persian texts begin with a Persian word: their box is the
    // mirror image, icon on the right and the text right-aligned, so that each sentence reads right to
    // left with its full stop at its left end.
    box.setLayoutDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    box.exec();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(receiver);
        return false;
    }
}
