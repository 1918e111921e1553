#include "FailureBox.h"

#include "Exceptions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

constexpr qsizetype MaxFailureText = 1023;

} // namespace

QString FailureBoxText(const QString& className, const QString& moduleName, quintptr address,
                       const QString& message)
{
    const QString stop =
        (!message.isEmpty() && !message.endsWith(QLatin1Char('.'))) ? QStringLiteral(".") : QString();
    const QString text =
        QStringLiteral("Exception %1 in module %2 at %3.\r\n%4%5\r\n")
            .arg(className, moduleName,
                 QStringLiteral("%1").arg(quint64(address) & 0xFFFFFFFFu, 8, 16, QLatin1Char('0')).toUpper(),
                 message, stop);
    return text.left(MaxFailureText);
}

void ShowFailureBoxForCurrentException()
{
    const QString className = CurrentExceptionClassName();
    QString message;
    quintptr address = 0;
    try {
        throw;
    } catch (const Exception& e) {
        message = e.Message();
        address = e.RaiseOffset();
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
    }
    const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"),
                    FailureBoxText(className, module, address, message), QMessageBox::Ok);
    box.setLayoutDirection(Qt::LeftToRight);
    box.exec();
}
